// cineledger-cli: the program's companion for scripts and for checking a data directory.
#include <iostream>

#include "tools/cli/Commands.h"

namespace cl::cli {

void PrintUsage(std::ostream& err) {
    err << "usage: cineledger-cli info DIR\n"
           "       cineledger-cli list DIR main|upcoming|gimme|quarantine\n"
           "       cineledger-cli resave [--force] DIR\n"
           "       cineledger-cli probe [--stats] FILE...\n"
           "       cineledger-cli scan PAGE [SUMMARY]\n"
           "       cineledger-cli fetch [--binary] ADDRESS FILE   (Windows build)\n"
           "       cineledger-cli exchange FILE\n"
           "       cineledger-cli send DIR main|gimme ADDRESS[:PORT] SOURCE\n"
           "       cineledger-cli send-bytes ADDRESS[:PORT] FILE\n";
}

}  // namespace cl::cli

int main(int argc, char** argv) {
    using namespace cl::cli;
    if (argc < 2) {
        PrintUsage(std::cerr);
        return 2;
    }
    const std::string command = argv[1];
    const Args args(argv + 2, argv + argc);
    if (command == "info") return RunInfo(args, std::cout, std::cerr);
    if (command == "list") return RunList(args, std::cout, std::cerr);
    if (command == "resave") return RunResave(args, std::cout, std::cerr);
    if (command == "probe") return RunProbe(args, std::cout, std::cerr);
    if (command == "scan") return RunScan(args, std::cout, std::cerr);
    if (command == "fetch") return RunFetch(args, std::cout, std::cerr);
    if (command == "exchange") return RunExchange(args, std::cout, std::cerr);
    if (command == "send") return RunSend(args, std::cout, std::cerr);
    if (command == "send-bytes") return RunSendBytes(args, std::cout, std::cerr);
    PrintUsage(std::cerr);
    return 2;
}
