// The main window's movie list box: its selection rules, its context menu (107) and the menu's commands.
#include <memory>

#include "imdb/SearchQuery.h"
#include "res/ListDialogIds.h"
#include "ui/DialogHost_win.h"
#include "ui/ListMenus.h"
#include "ui/SelectionListBox_win.h"

namespace cl {
namespace {

class MainMovieList final : public SelectionListBox {
  public:
    explicit MainMovieList(DialogHost& host)
        : host_(host), prompts_(host.mainWindow), commands_(host.shell, host.ui, prompts_, TitleSearchHost()) {}

  protected:
    void ShowCount(std::string_view text) override { host_.shell.SetSelectionCount(text); }
    Prompts& MessagePrompts() override { return prompts_; }
    bool TakesCharacter() override { return false; }  // typing does not search the list
    bool OpensOnEnter() override { return true; }
    void EnterOrDoubleClick() override { commands_.OpenOrRefuse(); }
    void Command(int id) override { commands_.Execute(id); }

    void ContextMenu(POINT screen) override {
        MainShell& shell = host_.shell;
        shell.selection.mainCount = CaptureSelection(shell.selection, SelectedTitles());
        const ListMenuState state = ListMenuEntries(shell.Mark(), shell.selection.mainCount);
        if (host_.listMenu == nullptr) return;
        for (std::size_t i = 0; i < kListMenuEntries.size(); ++i)
            EnableMenuItem(host_.listMenu, static_cast<UINT>(kListMenuEntries[i]),
                           MF_BYPOSITION | (state.enabled[i] ? MF_ENABLED : MF_GRAYED));
        ShowMenu(host_.listMenu, screen);
    }

  private:
    DialogHost& host_;
    WindowPrompts prompts_;
    MainListCommands commands_;
};

}  // namespace

void SubclassMovieList(DialogHost& host, HWND list) {
    SelectionListBox::AttachOwned(std::make_unique<MainMovieList>(host), list);
}

}  // namespace cl
