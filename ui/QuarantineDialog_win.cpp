// The Quarantine dialog (114). Placeholder until the dialog lands.
#include "ui/DialogHost_win.h"

namespace cl {

void RunQuarantineDialog(DialogHost& host, HWND) { (void)host; }

}  // namespace cl
