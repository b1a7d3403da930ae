// The exchange's client socket in the Windows build: the program's own Winsock connector serves here once it is
// part of this build; until then send and send-bytes say that they need the native build.
#include "tools/cli/Commands.h"

namespace cl::cli {

std::unique_ptr<Connector> MakeSocketConnector(std::uint16_t) {
    return nullptr;
}

}  // namespace cl::cli
