// Reaching the main window's controls from the test process.
#include "tests/e2e/ProgramTest.h"

#include <strings.h>

namespace cl::e2e {

HWND ChildById(HWND parent, int id, std::string_view className) {
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetDlgCtrlID(child) != id) continue;
        std::string name = ClassName(child);
        if (name.size() == className.size() && strncasecmp(name.c_str(), className.data(), name.size()) == 0)
            return child;
    }
    return nullptr;
}

HWND MovieList(HWND main) { return ChildById(main, IDC_MOVIE_LIST, "ListBox"); }

std::string ViewCaption(HWND main) { return WindowText(ChildById(main, IDC_STATUS_CAPTION, "Static")); }
std::string MovieCount(HWND main) { return WindowText(ChildById(main, IDC_STATUS_COUNT, "Static")); }
std::string SelectionCount(HWND main) { return WindowText(ChildById(main, IDC_STATUS_SELECTION, "Static")); }

bool RunCommandAndWaitForCaption(HWND main, int command, std::string_view caption) {
    // Clear the field first through nothing: the caption may already read the same, so wait for the count as well
    // to be written by waiting for the command to be processed (a sent no-op message returns after it).
    if (!PostCommand(main, command)) return false;
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, 15000, &ignored);
    return WaitUntil([&] { return ViewCaption(main) == caption; });
}

}  // namespace cl::e2e
