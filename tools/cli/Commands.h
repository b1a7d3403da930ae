// The subcommands of cineledger-cli; each returns the process exit code (0 ok, 1 failure, 2 usage).
#pragma once

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "exchange/Protocol.h"

namespace cl::cli {

using Args = std::vector<std::string>;  // the arguments after the subcommand's name

int RunInfo(const Args& args, std::ostream& out, std::ostream& err);
int RunList(const Args& args, std::ostream& out, std::ostream& err);
int RunResave(const Args& args, std::ostream& out, std::ostream& err);
int RunProbe(const Args& args, std::ostream& out, std::ostream& err);
int RunScan(const Args& args, std::ostream& out, std::ostream& err);
// Downloads an address into a file as the program does; Windows only (WinInet), elsewhere exit 2.
int RunFetch(const Args& args, std::ostream& out, std::ostream& err);
int RunExchange(const Args& args, std::ostream& out, std::ostream& err);
// A data directory's Main Movie List or internal Gimme list sent to a running server; a file's raw bytes sent.
int RunSend(const Args& args, std::ostream& out, std::ostream& err);
int RunSendBytes(const Args& args, std::ostream& out, std::ostream& err);
// The client sockets of this build for the port; nothing where the build has none.
std::unique_ptr<Connector> MakeSocketConnector(std::uint16_t port);

// Printed on wrong arguments, before exit code 2.
void PrintUsage(std::ostream& err);

}  // namespace cl::cli
