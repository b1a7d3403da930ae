// cineledger-cli fetch: one address downloaded into one file through the program's own WinInet fetch, so that a
// database host can be tried, and the fetch tested, without the program's windows.
#include "imdb/PageFetch_win.h"
#include "tools/cli/Commands.h"
#include "tools/cli/PrintingPrompts.h"

namespace cl::cli {

int RunFetch(const Args& args, std::ostream&, std::ostream& err) {
    const bool binary = !args.empty() && args[0] == "--binary";
    if (args.size() != (binary ? 3u : 2u)) {
        PrintUsage(err);
        return 2;
    }
    PrintingPrompts prompts(err);
    WinInetFetcher fetcher(prompts);
    fetcher.FetchUrlToFile(args[binary ? 2 : 1], args[binary ? 1 : 0], binary ? FetchMode::Binary : FetchMode::Text);
    return prompts.Shown() == 0 ? 0 : 1;
}

}  // namespace cl::cli
