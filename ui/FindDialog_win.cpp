// The Find dialog (110) and the search results (230). Placeholder until the dialogs land.
#include "ui/DialogHost_win.h"

namespace cl {

void RunFindDialog(DialogHost& host, HWND) { (void)host; }

void RunSearchResultsDialog(DialogHost& host, HWND) { (void)host; }

}  // namespace cl
