// Fuzz target for the database page scanners and cover discovery: any page is scanned without overrun or hang, and
// every answer stays within its field's limit.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "imdb/Covers.h"
#include "imdb/PageScan.h"

namespace {

void Within(const std::string& text, std::size_t limit) {
    if (text.size() > limit || text.find('\0') != std::string::npos) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace cl;
    const std::string page = AsReadText(std::string(reinterpret_cast<const char*>(data), size));
    (void)ClassifyFirstPage(page);
    TitleSearchResults results;
    ScanResultList(page, results);
    for (const TitleSearchResults::Entry& e : results.Entries()) {
        Within(e.text, kTitleTextMax);
        Within(e.link, kResultLinkMax);
        if (results.LinkOf(e.text) != e.link) std::abort();  // a repeated text keeps its first link
    }
    const std::string title = ScanTitle(page);
    Within(title, kTitleTextMax);
    const TitleYear split = SplitTitleYear(title);
    if (split.name.size() > title.size() || (!split.year.empty() && split.year.size() != 4)) std::abort();
    Within(ScanDirector(page), kDirectorTextMax);
    Within(ScanGenre(page), kGenreTextMax);
    Within(ScanOutline(page), kPlotTextMax);
    Within(ScanRuntime(page), kRuntimeTextMax);
    Within(ScanLanguages(page), kLanguagesTextMax);
    Within(ScanTagline(page), kTaglineTextMax);
    Within(ScanCast(page), kCastTextMax);
    Within(ScanSummaryPage(page), kPlotTextMax);
    const PlotScan plot = ScanPlotMarker(page);
    Within(plot.link, kSummaryLinkMax);
    const DatabaseHosts hosts{"", "", "http://img.test", "http://localhost:8080"};
    const std::string cover = FindCoverAddress(page, hosts);
    if (!cover.empty() && cover.rfind(hosts.image, 0) != 0 && cover.rfind(hosts.poster, 0) != 0) std::abort();
    return 0;
}
