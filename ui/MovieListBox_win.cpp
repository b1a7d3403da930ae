// The movie list box's own mouse, keys and context menu. Placeholder until it lands.
#include "ui/DialogHost_win.h"

namespace cl {

void SubclassMovieList(DialogHost& host, HWND) { (void)host; }

}  // namespace cl
