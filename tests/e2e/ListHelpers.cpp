// Driving the movie list boxes from the tests.
#include "tests/e2e/ListHelpers.h"

#include <gtest/gtest.h>

namespace cl::e2e {
namespace {

constexpr UINT kSendTimeout = 15000;

bool SendAndWait(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeout, &ignored) != 0;
}

// The middle of a line, in the list box's client coordinates, from its line height and first visible line.
LPARAM LinePoint(HWND list, int index) {
    DWORD_PTR height = 0;
    DWORD_PTR top = 0;
    SendMessageTimeoutA(list, LB_GETITEMHEIGHT, 0, 0, SMTO_NORMAL, kSendTimeout, &height);
    SendMessageTimeoutA(list, LB_GETTOPINDEX, 0, 0, SMTO_NORMAL, kSendTimeout, &top);
    const int y = (index - static_cast<int>(top)) * static_cast<int>(height) + static_cast<int>(height) / 2;
    return MAKELPARAM(12, y);
}

}  // namespace

bool ClickLine(HWND list, int index, WPARAM keys, bool wait) {
    const LPARAM point = LinePoint(list, index);
    if (!wait) {
        return PostMessageA(list, WM_LBUTTONDOWN, keys | MK_LBUTTON, point) &&
               PostMessageA(list, WM_LBUTTONUP, keys, point);
    }
    return SendAndWait(list, WM_LBUTTONDOWN, keys | MK_LBUTTON, point) && SendAndWait(list, WM_LBUTTONUP, keys, point);
}

bool SelectLines(HWND list, const std::vector<int>& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (!ClickLine(list, lines[i], i == 0 ? 0 : MK_CONTROL)) return false;
    return true;
}

bool SendKey(HWND list, WPARAM virtualKey) {
    return SendAndWait(list, WM_KEYDOWN, virtualKey, 1);
}

bool SendCharacter(HWND list, char character) {
    return SendAndWait(list, WM_CHAR, static_cast<unsigned char>(character), 1);
}

bool PostKey(HWND window, WPARAM virtualKey) {
    return PostMessageA(window, WM_KEYDOWN, virtualKey, 1) != 0;
}

HWND OpenContextMenu(HWND list, int overLine, DWORD processId) {
    if (!PostMessageA(list, WM_RBUTTONUP, 0, LinePoint(list, overLine))) return nullptr;
    return WaitForTopLevelWindow(processId, "#32768");
}

bool CloseMenu(HWND menu) {
    // The menu's own loop reads the keys of its thread, whichever window they are posted to.
    return PostKey(menu, VK_ESCAPE) && WaitForWindowGone(menu);
}

bool RunListCommand(HWND list, int overLine, DWORD processId, int command) {
    HWND menu = OpenContextMenu(list, overLine, processId);
    if (menu == nullptr || !CloseMenu(menu)) return false;
    return PostCommand(list, command);
}

HWND WaitForDialogWithControl(DWORD processId, int controlId, Duration timeout) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND dialog : Dialogs(processId)) {
                if (GetDlgItem(dialog, controlId) != nullptr) {
                    found = dialog;
                    return true;
                }
            }
            return false;
        },
        timeout);
    return found;
}

::testing::AssertionResult Answer(DWORD processId, std::string_view text, std::string_view caption, int button) {
    auto box = WaitForMessageBox(processId);
    if (!box) return ::testing::AssertionFailure() << "no message box \"" << text << "\"";
    if (box->text != text || box->caption != caption) {
        AnswerMessageBox(*box, button);
        return ::testing::AssertionFailure() << "message box \"" << box->text << "\" (" << box->caption
                                             << "), expected \"" << text << "\" (" << caption << ")";
    }
    if (!AnswerMessageBox(*box, button)) return ::testing::AssertionFailure() << "the box stayed";
    return ::testing::AssertionSuccess();
}

}  // namespace cl::e2e
