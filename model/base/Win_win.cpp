// Message boxes, the procedure guard and the classic subclassing.
#include "model/base/Win_win.h"

#include <string>

namespace cl {
namespace {

UINT IconStyle(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Stop:
            return MB_ICONSTOP;
        case MessageIcon::Exclamation:
            return MB_ICONEXCLAMATION;
        case MessageIcon::Question:
            return MB_ICONQUESTION;
        case MessageIcon::Information:
            return MB_ICONINFORMATION;
        case MessageIcon::None:
            break;
    }
    return 0;
}

}  // namespace

void ShowMessageBox(HWND owner, std::string_view text, std::string_view caption, MessageIcon icon) {
    const std::string body(text);
    const std::string title(caption);
    MessageBoxA(owner, body.c_str(), title.empty() ? nullptr : title.c_str(), MB_OK | IconStyle(icon));
}

bool AskYesNo(HWND owner, std::string_view text, std::string_view caption, bool noByDefault, MessageIcon icon) {
    const std::string body(text);
    const std::string title(caption);
    const UINT style = MB_YESNO | IconStyle(icon) | (noByDefault ? MB_DEFBUTTON2 : 0);
    return MessageBoxA(owner, body.c_str(), title.empty() ? nullptr : title.c_str(), style) == IDYES;
}

void WindowPrompts::ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) {
    ShowMessageBox(owner_, text, caption, icon);
}

bool WindowPrompts::Ask(std::string_view text, std::string_view caption, MessageIcon icon, bool noByDefault) {
    return AskYesNo(owner_, text, caption, noByDefault, icon);
}

void ReportUnexpectedFailure() noexcept {
    // A failure inside painting would come back with every repaint: one message, then a pause.
    static ULONGLONG lastShown = 0;
    static bool showing = false;
    const ULONGLONG now = GetTickCount64();
    if (showing || (lastShown != 0 && now - lastShown < 5000)) return;
    showing = true;
    MessageBoxA(nullptr,
                "The Last Command Could Not Be Finished (Not Enough Memory, or an Error in CineLedger). Your "
                "Movie Lists Are Still Open: Save Them, Then Restart CineLedger.",
                "CineLedger", MB_OK | MB_ICONSTOP | MB_TASKMODAL);
    lastShown = GetTickCount64();
    showing = false;
}

Subclass::~Subclass() {
    Detach();
}

void Subclass::Attach(HWND window) {
    Detach();
    window_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    original_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
}

void Subclass::Detach() {
    if (window_ == nullptr) return;
    if (IsWindow(window_)) {
        SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    }
    window_ = nullptr;
}

LRESULT Subclass::CallOriginal(UINT message, WPARAM wParam, LPARAM lParam) const {
    return CallWindowProcA(original_, window_, message, wParam, lParam);
}

LRESULT CALLBACK Subclass::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    auto* self = reinterpret_cast<Subclass*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        const WNDPROC original = self->original_;
        self->Detach();
        return CallWindowProcA(original, window, message, wParam, lParam);
    }
    return Guarded([&] { return self->Handle(message, wParam, lParam); }, LRESULT{0});
}

}  // namespace cl
