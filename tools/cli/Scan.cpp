// cineledger-cli scan: what each database scanner finds in a saved page, one "name: value" line per field, so a
// page can be checked without the program. No page is fetched: a summary page, when the plot links one, is the
// second file given.
#include <iostream>

#include "imdb/Covers.h"
#include "imdb/PageScan.h"
#include "model/base/NativePath.h"
#include "tools/cli/Commands.h"

namespace cl::cli {
namespace {

constexpr const char* kOutcomeNames[] = {"TitlePage", "ResultList", "NoMatch", "Unreadable"};

// Texts keep their line ends; shown escaped so that each field stays on its line.
std::string OneLine(std::string_view text) {
    std::string line;
    for (char c : text) {
        if (c == '\n') {
            line += "\\n";
        } else if (c == '\\') {
            line += "\\\\";
        } else {
            line += c;
        }
    }
    return line;
}

}  // namespace

int RunScan(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.empty() || args.size() > 2) {
        PrintUsage(err);
        return 2;
    }
    const SavedPage page = ReadPageFile(PathFromNative(args[0]));
    const TitleSearchOutcome outcome = ClassifyFirstPage(page);
    out << "outcome: " << kOutcomeNames[static_cast<int>(outcome)] << '\n';
    if (!page.readable) {
        err << "cineledger-cli: cannot read " << args[0] << '\n';
        return 1;
    }
    const auto line = [&out](std::string_view name, std::string_view value) {
        out << name << ": " << OneLine(value) << '\n';
    };
    if (outcome == TitleSearchOutcome::ResultList) {
        TitleSearchResults results;
        ScanResultList(page.text, results);
        for (const TitleSearchResults::Entry& e : results.Entries()) line("result", e.text + " -> " + e.link);
    }
    const std::string pageTitle = ScanTitle(page);
    const TitleYear split = SplitTitleYear(pageTitle);
    line("title", split.name);
    line("year", split.year);
    line("director", ScanDirector(page));
    line("genre", ScanGenre(page));
    const PlotScan plot = ScanPlotMarker(page.text);
    if (plot.kind == PlotScan::Kind::Link) {
        line("summary link", plot.link);
        if (args.size() == 2) {
            const SavedPage summary = ReadPageFile(PathFromNative(args[1]));
            line("plot", summary.readable ? ScanSummaryPage(summary.text) : std::string(kNoSummary));
        }
    } else {
        line("plot", plot.kind == PlotScan::Kind::NoLink ? kNoLink : kNoSummary);
    }
    line("outline", ScanOutline(page));
    line("runtime", ScanRuntime(page));
    line("languages", ScanLanguages(page));
    line("tagline", ScanTagline(page));
    line("cast", ScanCast(page));
    line("cover", FindCoverAddress(page.text, HostsFromEnvironment()));
    return 0;
}

}  // namespace cl::cli
