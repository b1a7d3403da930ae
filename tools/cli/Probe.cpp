// cineledger-cli probe: analyses the CDs of one movie (placeholder until the analysers land).
#include "tools/cli/Commands.h"

namespace cl::cli {

int RunProbe(const Args& args, std::ostream&, std::ostream& err) {
    if (args.empty()) {
        PrintUsage(err);
        return 2;
    }
    err << "probe: media analysis is not available in this build\n";
    return 1;
}

}  // namespace cl::cli
