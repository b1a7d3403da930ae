// The mouse and key handling the two movie list boxes share (the main window's and the Upcoming Locations
// dialog's): no Shift range and no drag selection, at most ten selected lines, arrows that move a single
// selection, and a context menu on the right-button release whose commands come back to the list box.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "model/base/Win_win.h"

namespace cl {

class SelectionListBox : public Subclass {
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
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void LimitSelection();
    void MoveSelection(bool up);
};

}  // namespace cl
