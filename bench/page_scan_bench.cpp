// Scanning a title page of about 300 KB for every field, as a retrieval does: once from memory, and once with the
// saved file read first; and a long result list. Each scanner walks the page from its start; the fields sit near the
// end so that every walk is nearly the whole page.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "imdb/Covers.h"
#include "imdb/PageScan.h"

namespace {

constexpr std::size_t kPageSize = 300 * 1024;

// Table rows in the style of the old pages, each with a few triggers that lead nowhere ('t', 'P', 'C', '%').
std::string TitlePage() {
    std::string page = "<html><head><title>Heat (1995)</title></head>\r\n<body>\r\n";
    const std::string row =
        "<tr><td class=\"lhs\"><a href=\"/Title?0113277/trivia\">Trivia</a> | Production Company: "
        "Canal+ (50%)</td><td>Cast notes &amp; Plot keywords</td></tr>\r\n";
    while (page.size() < kPageSize - 4096) page += row;
    page +=
        "<b>Directed by</b><br>\r\n<a href=\"/Name?Mann,+Michael\">Michael Mann</a><br>\r\n"
        "<b class=\"ch\">Genre:</b>\r\n<a href=\"/Sections/Genres/Action/\">Action</a> / "
        "<a href=\"/Sections/Genres/Crime/\">Crime</a> / <a href=\"/Sections/Genres/Drama/\">Drama</a> "
        "<a href=\"/Keywords?0113277\">(more)</a>\r\n"
        "<b class=\"ch\">Tagline:</b> A Los Angeles crime saga <a href=\"/Taglines?0113277\">(more)</a>\r\n"
        "<b class=\"ch\">Plot Outline:</b> A group of professional bank robbers start to feel the heat. "
        "<a href=\"/Plot?0113277\">(more)</a><br>\r\n<b class=\"ch\">Cast overview</b>\r\n";
    for (int i = 0; i < 40; ++i) {
        page += "<tr><td><a href=\"/Name?Actor,%20Number" + std::to_string(i) + "\">Actor Number " + std::to_string(i) +
                "</a></td><td> .... </td><td>Role " + std::to_string(i) + "</td></tr>\r\n";
    }
    page +=
        "</table>&nbsp;<br><b class=\"ch\">Runtime:</b>\r\n171 min\r\n<br><b class=\"ch\">Languages:</b>\r\n"
        "<a href=\"/Sections/Languages/English/\">English</a><br>\r\n"
        "<a name=\"poster\"><img src=\"https://posters.imdb.com/posters/heat.jpg\"></a>\r\n</body></html>\r\n";
    return page;
}

std::size_t ScanEveryField(std::string_view page, const cl::DatabaseHosts& hosts) {
    std::size_t total = static_cast<std::size_t>(cl::ClassifyFirstPage(page));
    const std::string title = cl::ScanTitle(page);
    total += cl::SplitTitleYear(title).name.size();
    total += cl::ScanDirector(page).size() + cl::ScanGenre(page).size() + cl::ScanPlotMarker(page).link.size();
    total += cl::ScanOutline(page).size() + cl::ScanRuntime(page).size() + cl::ScanLanguages(page).size();
    total += cl::ScanTagline(page).size() + cl::ScanCast(page).size() + cl::FindCoverAddress(page, hosts).size();
    return total;
}

const cl::DatabaseHosts kHosts = cl::DefaultHosts();

void BM_ScanEveryField(benchmark::State& state) {
    const std::string page = cl::AsReadText(TitlePage());
    for (auto _ : state) benchmark::DoNotOptimize(ScanEveryField(page, kHosts));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
}
BENCHMARK(BM_ScanEveryField)->Unit(benchmark::kMillisecond);

void BM_ReadAndScanEveryField(benchmark::State& state) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("cl-page-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "FirstPage.txt", std::ios::binary) << TitlePage();
    const std::string data = dir.string() + "/";
    for (auto _ : state) {
        const cl::SavedPage page = cl::ReadSavedPage(data, cl::kFirstPageFile);
        benchmark::DoNotOptimize(ScanEveryField(page.text, kHosts));
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_ReadAndScanEveryField)->Unit(benchmark::kMillisecond);

// A result list of 1 MB of short anchors, every text different: each one added must not look through all before it.
void BM_ScanLongResultList(benchmark::State& state) {
    std::string page = "<title>IMDb title search</title>The following titles matched\n";
    for (int i = 0; page.size() < (std::size_t{1} << 20); ++i)
        page += "<a href=\"/Title?" + std::to_string(i) + "\">T" + std::to_string(i) + "</a>\n";
    for (auto _ : state) {
        cl::TitleSearchResults results;
        cl::ScanResultList(page, results);
        benchmark::DoNotOptimize(results.Entries().size());
    }
}
BENCHMARK(BM_ScanLongResultList)->Unit(benchmark::kMillisecond);

}  // namespace
