// The exchange's client socket in the Windows build: the program's own Winsock connector.
#include "exchange/Socket_win.h"

#include "tools/cli/Commands.h"

namespace cl::cli {

std::unique_ptr<Connector> MakeSocketConnector(std::uint16_t port) {
    return std::make_unique<WinsockConnector>(port);
}

}  // namespace cl::cli
