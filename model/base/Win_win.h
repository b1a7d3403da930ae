// What every window and dialog procedure of the program shares: message boxes over a window (the Prompts of the
// Windows side), the guard that keeps exceptions from unwinding through the system's code, and the one way a
// control's window procedure is replaced.
#pragma once

#include <string_view>

#include "model/base/Handle_win.h"
#include "model/base/Prompts.h"

namespace cl {

// A message box owned by `owner` (none for nullptr); an empty caption means none of its own.
void ShowMessageBox(HWND owner, std::string_view text, std::string_view caption, MessageIcon icon);
// A Yes/No question; true for Yes. `noByDefault` focuses No first.
bool AskYesNo(HWND owner, std::string_view text, std::string_view caption, bool noByDefault = false,
              MessageIcon icon = MessageIcon::Question);

// Message boxes over one window.
class WindowPrompts final : public Prompts {
  public:
    explicit WindowPrompts(HWND owner = nullptr) : owner_(owner) {}
    void SetOwner(HWND owner) { owner_ = owner; }
    void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override;
    bool Ask(std::string_view text, std::string_view caption, MessageIcon icon, bool noByDefault) override;

  private:
    HWND owner_;
};

// Tells the user, at most once every few seconds, that a command stopped half-way (out of memory, or a fault of
// the program's own) and that the collection in memory is kept. Never throws.
void ReportUnexpectedFailure() noexcept;

// Runs the body of a window, dialog or subclass procedure, hook or thread entry. An exception must never unwind
// through the system's code that called us: it ends the command, the user is told, the program goes on.
template <typename Body, typename Result>
Result Guarded(Body&& body, Result fallback) noexcept {
    try {
        return body();
    } catch (...) {
        ReportUnexpectedFailure();
        return fallback;
    }
}

// A control whose window procedure is replaced the classic way (SetWindowLongPtr), with the object in the
// control's user data. The common controls' subclassing looks its chain up on every message, which under Wine is
// a round trip to the server: a list box fed 100,000 lines through it took twenty times as long.
class Subclass {
  public:
    Subclass() = default;
    Subclass(const Subclass&) = delete;
    Subclass& operator=(const Subclass&) = delete;
    virtual ~Subclass();

    // The object must outlive the control, or be detached first; it is detached when the control is destroyed.
    void Attach(HWND window);
    HWND Window() const { return window_; }
    // The control's own handling of a message.
    LRESULT CallOriginal(UINT message, WPARAM wParam, LPARAM lParam) const;

  protected:
    // Every message of the control.
    virtual LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) = 0;

  private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    void Detach();

    HWND window_ = nullptr;
    WNDPROC original_ = nullptr;
};

}  // namespace cl
