// The Main Locations (103) and Category Search (229) dialogs of the View menu.
#include "ui/DialogHost_win.h"

namespace cl {

void RunMainLocationsDialog(DialogHost& host, HWND) { (void)host; }

void RunCategorySearchDialog(DialogHost& host, HWND) { (void)host; }

}  // namespace cl
