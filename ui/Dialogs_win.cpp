// The small Win32 helpers the dialogs share.
#include "ui/Dialogs_win.h"

#include <commdlg.h>

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

HWND InnermostDialog(HWND main) {
    struct Search {
        HWND owner;
        HWND found;
    };
    Search search{main, nullptr};
    const DWORD thread = GetWindowThreadProcessId(main, nullptr);
    // Modal dialogs nest one per owner, so each step down the chain finds at most one.
    for (;;) {
        search.found = nullptr;
        EnumThreadWindows(
            thread,
            [](HWND window, LPARAM state) -> BOOL {
                auto& s = *reinterpret_cast<Search*>(state);
                char name[16] = {};
                GetClassNameA(window, name, sizeof name);
                if (GetWindow(window, GW_OWNER) != s.owner || std::string_view(name) != "#32770") return TRUE;
                s.found = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (search.found == nullptr) return search.owner;
        search.owner = search.found;
    }
}

std::optional<std::string> ChooseListFile(HWND owner, FileChoice choice, std::string& lastFile) {
    // The filter is pairs of texts ending in an empty one; a string literal adds the last terminator itself.
    static constexpr char kFilter[] = "All Files (*.*)\0*.*\0";
    char path[MAX_PATH] = {};
    lastFile.copy(path, sizeof path - 1);
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = kFilter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path;
    dialog.nMaxFile = sizeof path;
    dialog.lpstrDefExt = "txt";
    dialog.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR |
                   (choice == FileChoice::Open ? OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST : OFN_OVERWRITEPROMPT);
    const BOOL chosen = choice == FileChoice::Open ? GetOpenFileNameA(&dialog) : GetSaveFileNameA(&dialog);
    if (!chosen) return std::nullopt;
    lastFile = path;
    return lastFile;
}

}  // namespace cl
