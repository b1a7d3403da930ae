// cineledger-cli info, list and resave: placeholders until the collection loader lands.
#include "tools/cli/Commands.h"

namespace cl::cli {

int RunInfo(const Args&, std::ostream&, std::ostream& err) {
    PrintUsage(err);
    return 2;
}
int RunList(const Args&, std::ostream&, std::ostream& err) {
    PrintUsage(err);
    return 2;
}
int RunResave(const Args&, std::ostream&, std::ostream& err) {
    PrintUsage(err);
    return 2;
}

}  // namespace cl::cli
