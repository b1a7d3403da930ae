// The media analysers' messages as the Windows program shows them: a message box owned by the page
// that started the analysis, with the analyser's caption and icon.
#pragma once

#include <windows.h>

#include "media/MediaReporter.h"

namespace cl {

class MediaMessageBox final : public MediaReporter {
public:
    explicit MediaMessageBox(HWND owner) : owner_(owner) {}
    void Report(std::string_view message, std::string_view caption, MessageIcon icon) override;

private:
    HWND owner_;
};

}  // namespace cl
