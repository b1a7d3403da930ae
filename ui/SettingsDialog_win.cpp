// The Settings dialog (210). Placeholder until the dialog lands.
#include "ui/DialogHost_win.h"

namespace cl {

void RunSettingsDialog(DialogHost& host, HWND) { (void)host; }

}  // namespace cl
