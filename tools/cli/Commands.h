// The subcommands of cineledger-cli; each returns the process exit code (0 ok, 1 failure, 2 usage).
#pragma once

#include <ostream>
#include <string>
#include <vector>

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

// Printed on wrong arguments, before exit code 2.
void PrintUsage(std::ostream& err);

}  // namespace cl::cli
