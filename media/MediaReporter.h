// The seam through which the media analysers tell the user what went wrong: the Windows program
// shows a message box, the command-line companion prints the text, tests record it.
#pragma once

#include <string_view>

namespace cl {

enum class MessageIcon {
    None,  // a plain box (the AVI analyser's messages)
    Stop,  // the stop sign (the MPEG analyser's messages)
};

class MediaReporter {
  public:
    virtual ~MediaReporter() = default;
    virtual void Report(std::string_view message, std::string_view caption, MessageIcon icon) = 0;
};

}  // namespace cl
