// The shared mouse and key handling of the movie list boxes.
#include "ui/SelectionListBox_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include "ui/ListBoxView_win.h"
#include "ui/ListMenus.h"

namespace cl {
namespace {

// Asked of itself by the list box after a double-click, once the button's release has been handled: a modal
// dialog opened while the list box still holds the mouse capture would lose its clicks to the list box.
constexpr UINT kOpenAfterDoubleClick = WM_APP + 0x31;

}  // namespace

LRESULT SelectionListBox::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
            if (wParam & MK_SHIFT) return 0;  // no range selection
            break;
        case WM_MOUSEMOVE:
            if (wParam & MK_LBUTTON) return 0;  // no drag selection
            break;
        case WM_LBUTTONUP: {
            LRESULT result = CallOriginal(message, wParam, lParam);
            LimitSelection();
            return result;
        }
        case WM_LBUTTONDBLCLK:
            if (OpensOnEnter()) {
                LRESULT result = CallOriginal(message, wParam, lParam);
                PostMessageA(Window(), kOpenAfterDoubleClick, 0, 0);
                return result;
            }
            break;
        case kOpenAfterDoubleClick:
            EnterOrDoubleClick();
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_UP || wParam == VK_DOWN)
                MoveSelection(wParam == VK_UP);
            else if (wParam == VK_RETURN && OpensOnEnter())
                EnterOrDoubleClick();
            return 0;  // every other key is the list's to ignore
        case WM_CHAR: {
            if (!TakesCharacter()) return 0;
            // The list box moves to the line the character starts, which changes the selection.
            LRESULT result = CallOriginal(message, wParam, lParam);
            ShowCount(SelectionCountText(static_cast<int>(SendMessageA(Window(), LB_GETSELCOUNT, 0, 0))));
            return result;
        }
        case WM_RBUTTONUP: {
            POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ClientToScreen(Window(), &point);
            ContextMenu(point);
            return 0;
        }
        case WM_COMMAND:
            Command(LOWORD(wParam));
            return 0;
        default:
            break;
    }
    return CallOriginal(message, wParam, lParam);
}

void SelectionListBox::LimitSelection() {
    const int selected = static_cast<int>(SendMessageA(Window(), LB_GETSELCOUNT, 0, 0));
    const SelectionLimit limit = cl::LimitSelection(selected);
    if (limit.deselectCaret) {
        LRESULT caret = SendMessageA(Window(), LB_GETCARETINDEX, 0, 0);
        SendMessageA(Window(), LB_SETSEL, FALSE, caret);
    }
    ShowCount(SelectionCountText(limit.kept));
    if (limit.deselectCaret) MessagePrompts().ShowMessage(kTooManySelections, kErrorCaption, MessageIcon::Stop);
}

void SelectionListBox::MoveSelection(bool up) {
    const int count = static_cast<int>(SendMessageA(Window(), LB_GETCOUNT, 0, 0));
    const int caret = count > 0 ? static_cast<int>(SendMessageA(Window(), LB_GETCARETINDEX, 0, 0)) : -1;
    const int next = LineAfterArrow(caret, count, up);
    if (next < 0) return;
    SendMessageA(Window(), LB_SETSEL, FALSE, -1);
    SendMessageA(Window(), LB_SETSEL, TRUE, next);
    SendMessageA(Window(), LB_SETCARETINDEX, static_cast<WPARAM>(next), FALSE);
    ShowCount("1");
}

std::vector<std::string> SelectionListBox::SelectedTitles() const {
    ListBoxWin box(false, Window());
    std::vector<int> lines = box.SelectedLines();
    if (lines.size() > static_cast<std::size_t>(kMaxSelectedLines)) lines.resize(kMaxSelectedLines);
    std::vector<std::string> titles;
    titles.reserve(lines.size());
    for (int line : lines) titles.push_back(box.LineText(line));
    return titles;
}

void SelectionListBox::ShowMenu(HMENU menu, POINT screen) const {
    if (menu == nullptr) return;
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, Window(), nullptr);
}

}  // namespace cl
