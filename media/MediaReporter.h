// The seam through which the media analysers tell the user what went wrong: the Windows program
// shows a message box, the command-line companion prints the text, tests record it.
#pragma once

#include <string_view>

#include "model/base/MessageIcon.h"

namespace cl {

// The AVI analyser's messages come in plain boxes (MessageIcon::None), the MPEG analyser's with the stop sign.

class MediaReporter {
  public:
    virtual ~MediaReporter() = default;
    virtual void Report(std::string_view message, std::string_view caption, MessageIcon icon) = 0;
};

}  // namespace cl
