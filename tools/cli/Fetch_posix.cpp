// cineledger-cli fetch outside Windows: the fetch is the program's WinInet code, which only the Windows build has.
#include "tools/cli/Commands.h"

namespace cl::cli {

int RunFetch(const Args&, std::ostream&, std::ostream& err) {
    err << "cineledger-cli: fetch needs the Windows build (cineledger-cli.exe), which downloads through WinInet\n";
    return 2;
}

}  // namespace cl::cli
