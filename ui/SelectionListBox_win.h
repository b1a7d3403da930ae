// The mouse and key handling the two movie list boxes share (the main window's and the Upcoming Locations
// dialog's): no Shift range and no drag selection, at most ten selected lines, arrows that move a single
// selection, and a context menu on the right-button release whose commands come back to the list box.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/ListCommands.h"

namespace cl {

// Message boxes over one window.
class WindowPrompts final : public Prompts {
  public:
    explicit WindowPrompts(HWND owner) : owner_(owner) {}
    void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override;
    bool Ask(std::string_view text, std::string_view caption, MessageIcon icon, bool noByDefault) override;

  private:
    HWND owner_;
};

class SelectionListBox {
  public:
    SelectionListBox() = default;
    SelectionListBox(const SelectionListBox&) = delete;
    SelectionListBox& operator=(const SelectionListBox&) = delete;
    virtual ~SelectionListBox() = default;

    // Subclasses the list box; the caller keeps the object alive while the list box exists.
    void Attach(HWND list);
    // Subclasses the list box and hands the object to it: it goes when the list box is destroyed.
    static void AttachOwned(std::unique_ptr<SelectionListBox> self, HWND list);

    HWND Window() const { return list_; }

  protected:
    // Where this list's selection count is shown.
    virtual void ShowCount(std::string_view text) = 0;
    virtual Prompts& MessagePrompts() = 0;
    // The right button was released at this screen point: capture the selection and show the menu.
    virtual void ContextMenu(POINT screen) = 0;
    // A command of the context menu (or one the list box sent itself).
    virtual void Command(int id) = 0;
    // Whether a typed character goes to the list box's own handling (which jumps to a line starting with it).
    virtual bool TakesCharacter() = 0;
    // Enter and double-click; false when this list has no use for them.
    virtual bool OpensOnEnter() { return false; }
    virtual void EnterOrDoubleClick() {}

    // The titles of the selected lines, at most ten (the first ten when more are selected).
    std::vector<std::string> SelectedTitles() const;
    // Shows the menu at the point, tracking the right button, owned by the list box.
    void ShowMenu(HMENU menu, POINT screen) const;

  private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    // Hands a message to the list box's own procedure.
    LRESULT CallListBox(UINT message, WPARAM wParam, LPARAM lParam) const;
    void LimitSelection();
    void MoveSelection(bool up);

    HWND list_ = nullptr;
    WNDPROC listBoxProc_ = nullptr;
    bool owned_ = false;
};

}  // namespace cl
