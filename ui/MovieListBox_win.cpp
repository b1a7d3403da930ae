// The main window's movie list box.
#include "ui/MovieListBox_win.h"

#include "ui/Dialogs_win.h"
#include "ui/ListMenus.h"

namespace cl {

MainMovieList::MainMovieList(Workbench& workbench, HWND owner, HMENU listMenu)
    : workbench_(workbench), prompts_(owner), listMenu_(listMenu), commands_(workbench) {}

void MainMovieList::ContextMenu(POINT screen) {
    commands_.SetSelection(CaptureSelection(SelectedTitles()));
    if (listMenu_ == nullptr) return;
    const ListMenuState state = ListMenuEntries(workbench_.list.CurrentMark(), commands_.SelectionCount());
    EnableMenuEntries(listMenu_, kListMenuEntries, state.enabled);
    ShowMenu(listMenu_, screen);
}

}  // namespace cl
