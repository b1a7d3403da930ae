// The small Win32 helpers the dialogs share.
#include "ui/Dialogs_win.h"

namespace cl {

std::string ControlText(HWND dialog, int id, std::size_t limit) {
    std::string text(limit + 1, '\0');
    const int length = GetDlgItemTextA(dialog, id, text.data(), static_cast<int>(text.size()));
    text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    return text;
}

void FillComboBox(HWND combo, const std::vector<std::string>& values) {
    for (const std::string& value : values)
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(value.c_str()));
}

}  // namespace cl
