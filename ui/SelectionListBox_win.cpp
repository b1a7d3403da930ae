// The shared mouse and key handling of the movie list boxes.
#include "ui/SelectionListBox_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include "ui/DialogHost_win.h"
#include "ui/ListMenus.h"

namespace cl {
namespace {

// Asked of itself by the list box after a double-click, once the button's release has been handled: a modal
// dialog opened while the list box still holds the mouse capture would lose its clicks to the list box.
constexpr UINT kOpenAfterDoubleClick = WM_APP + 0x31;

}  // namespace

void WindowPrompts::ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) {
    ShowMessageBox(owner_, text, caption, icon);
}

bool WindowPrompts::Ask(std::string_view text, std::string_view caption, MessageIcon icon, bool noByDefault) {
    return AskYesNo(owner_, text, caption, noByDefault, icon);
}

// The list box's procedure is replaced the classic way, with the object in the window's user data. The list box
// receives every line of a view through its procedure, and the common controls' subclassing looks its chain up on
// each message, which under Wine is a round trip to the server: a view of 100,000 movies took twenty times as long.
void SelectionListBox::Attach(HWND list) {
    list_ = list;
    SetWindowLongPtrA(list, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    listBoxProc_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(list, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
}

LRESULT SelectionListBox::CallListBox(UINT message, WPARAM wParam, LPARAM lParam) const {
    return CallWindowProcA(listBoxProc_, list_, message, wParam, lParam);
}

void SelectionListBox::AttachOwned(std::unique_ptr<SelectionListBox> self, HWND list) {
    self->owned_ = true;
    self.release()->Attach(list);  // reclaimed in WM_NCDESTROY
}

LRESULT CALLBACK SelectionListBox::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<SelectionListBox*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        const WNDPROC listBoxProc = self->listBoxProc_;
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(listBoxProc));
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        std::unique_ptr<SelectionListBox> owned(self->owned_ ? self : nullptr);
        self->list_ = nullptr;
        return CallWindowProcA(listBoxProc, window, message, wParam, lParam);
    }
    return self->Handle(message, wParam, lParam);
}

LRESULT SelectionListBox::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
            if (wParam & MK_SHIFT) return 0;  // no range selection
            break;
        case WM_MOUSEMOVE:
            if (wParam & MK_LBUTTON) return 0;  // no drag selection
            break;
        case WM_LBUTTONUP: {
            LRESULT result = CallListBox(message, wParam, lParam);
            LimitSelection();
            return result;
        }
        case WM_LBUTTONDBLCLK:
            if (OpensOnEnter()) {
                LRESULT result = CallListBox(message, wParam, lParam);
                PostMessageA(list_, kOpenAfterDoubleClick, 0, 0);
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
            LRESULT result = CallListBox(message, wParam, lParam);
            ShowCount(SelectionCountText(static_cast<int>(SendMessageA(list_, LB_GETSELCOUNT, 0, 0))));
            return result;
        }
        case WM_RBUTTONUP: {
            POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            ClientToScreen(list_, &point);
            ContextMenu(point);
            return 0;
        }
        case WM_COMMAND:
            Command(LOWORD(wParam));
            return 0;
        default:
            break;
    }
    return CallListBox(message, wParam, lParam);
}

void SelectionListBox::LimitSelection() {
    const int selected = static_cast<int>(SendMessageA(list_, LB_GETSELCOUNT, 0, 0));
    const SelectionLimit limit = cl::LimitSelection(selected);
    if (limit.deselectCaret) {
        LRESULT caret = SendMessageA(list_, LB_GETCARETINDEX, 0, 0);
        SendMessageA(list_, LB_SETSEL, FALSE, caret);
    }
    ShowCount(SelectionCountText(limit.kept));
    if (limit.deselectCaret) MessagePrompts().ShowMessage(kTooManySelections, "Error", MessageIcon::Stop);
}

void SelectionListBox::MoveSelection(bool up) {
    const int count = static_cast<int>(SendMessageA(list_, LB_GETCOUNT, 0, 0));
    const int caret = count > 0 ? static_cast<int>(SendMessageA(list_, LB_GETCARETINDEX, 0, 0)) : -1;
    const int next = LineAfterArrow(caret, count, up);
    if (next < 0) return;
    SendMessageA(list_, LB_SETSEL, FALSE, -1);
    SendMessageA(list_, LB_SETSEL, TRUE, next);
    SendMessageA(list_, LB_SETCARETINDEX, static_cast<WPARAM>(next), FALSE);
    ShowCount("1");
}

std::vector<std::string> SelectionListBox::SelectedTitles() const {
    std::vector<int> lines = ListBoxSelectedLines(list_);
    if (lines.size() > static_cast<std::size_t>(kMaxSelectedLines)) lines.resize(kMaxSelectedLines);
    std::vector<std::string> titles;
    titles.reserve(lines.size());
    for (int line : lines) titles.push_back(ListBoxLine(list_, line));
    return titles;
}

void SelectionListBox::ShowMenu(HMENU menu, POINT screen) const {
    if (menu == nullptr) return;
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, screen.x, screen.y, 0, list_, nullptr);
}

}  // namespace cl
