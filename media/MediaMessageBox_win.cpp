// The media analysers' messages shown in message boxes.
#include "media/MediaMessageBox_win.h"

#include <string>

namespace cl {

void MediaMessageBox::Report(std::string_view message, std::string_view caption, MessageIcon icon) {
    const std::string text(message);
    const std::string title(caption);
    const UINT style = MB_OK | (icon == MessageIcon::Stop ? MB_ICONSTOP : 0);
    // An empty caption means the box has none of its own; Windows then shows "Error".
    MessageBoxA(owner_, text.c_str(), title.empty() ? nullptr : title.c_str(), style);
}

}  // namespace cl
