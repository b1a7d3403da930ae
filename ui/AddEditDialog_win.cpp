// The add/edit dialog (106). Placeholder until the dialog lands.
#include "ui/DialogHost_win.h"

namespace cl {

void RunAddEditDialog(DialogHost& host, HWND) { (void)host; }

}  // namespace cl
