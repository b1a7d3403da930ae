// The password dialogs (115, 116). Placeholder until the dialogs land.
#include "ui/DialogHost_win.h"

namespace cl {

void RunPasswordEntryDialog(DialogHost& host, HWND) { (void)host; }

void RunPasswordChangeDialog(DialogHost& host, HWND) { (void)host; }

}  // namespace cl
