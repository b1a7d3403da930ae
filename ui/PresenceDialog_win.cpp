// The presence dialog (108) and its summary (102). Placeholder until the dialog lands.
#include "ui/DialogHost_win.h"

namespace cl {

void RunPresenceDialog(DialogHost& host, HWND) { (void)host; }

}  // namespace cl
