// The main window's movie list box: its selection rules, its context menu (107) and the menu's commands.
#pragma once

#include <windows.h>

#include "ui/ListCommands.h"
#include "ui/SelectionListBox_win.h"
#include "ui/Workbench.h"

namespace cl {

class MainMovieList final : public SelectionListBox {
  public:
    // `owner` is the main window, whose message boxes the list's messages are; `listMenu` the first popup of 107.
    MainMovieList(Workbench& workbench, HWND owner, HMENU listMenu);

  protected:
    void ShowCount(std::string_view text) override { workbench_.list.SetSelectionCount(text); }
    Prompts& MessagePrompts() override { return prompts_; }
    bool TakesCharacter() override { return false; }  // typing does not search the list
    bool OpensOnEnter() override { return true; }
    void EnterOrDoubleClick() override { commands_.OpenOrRefuse(); }
    void Command(int id) override { commands_.Execute(id); }
    void ContextMenu(POINT screen) override;

  private:
    Workbench& workbench_;
    WindowPrompts prompts_;
    HMENU listMenu_;
    MainListCommands commands_;
};

}  // namespace cl
