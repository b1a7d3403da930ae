// The Upcoming Locations (117), Main Locations (103) and Category Search (229) dialogs. Placeholder until they land.
#include "ui/DialogHost_win.h"

namespace cl {

void RunUpcomingLocationsDialog(DialogHost& host, HWND) { (void)host; }

}  // namespace cl
