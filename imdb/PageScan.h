// Reading the movie database's pages: the title search and the scanners that pull each field out of a saved
// page. Pages are never parsed as markup: each scanner reads from the page's start one character at a time, waits
// for a short marker, skips a fixed count and takes the text up to the next tag (imdb/PageCursor.h). The markers,
// counts and sentinel words are the whole contract with the service's pages.
//
// Every scanner comes twice: over a page in memory (tests, fuzzing, the command-line companion) and over a
// SavedPage read once from the data directory, which answers the scanner's sentinel when the file could not be read.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "imdb/Hosts.h"
#include "imdb/PageFetch.h"

namespace cl {

inline constexpr std::string_view kFirstPageFile = "FirstPage.txt";
inline constexpr std::string_view kSummaryFile = "Summary.txt";

// A saved page bigger than this is read up to it, as if the file ended there. Title pages are a few hundred KB.
inline constexpr std::size_t kSavedPageLimit = std::size_t{4} << 20;

// Longest text of each field (the buffers the fields have always been read into, less the terminator).
inline constexpr std::size_t kTitleTextMax = 299;
inline constexpr std::size_t kDirectorTextMax = 99;
inline constexpr std::size_t kGenreLineMax = 255;
inline constexpr std::size_t kGenreTextMax = 499;
inline constexpr std::size_t kTaglineTextMax = 999;
inline constexpr std::size_t kPlotTextMax = 4999;  // the plot summary, and the outline that stands in for it
inline constexpr std::size_t kRuntimeTextMax = 99;
inline constexpr std::size_t kLanguagesTextMax = 99;
inline constexpr std::size_t kCastTextMax = 29999;
inline constexpr std::size_t kResultLinkMax = 49;
inline constexpr std::size_t kSummaryLinkMax = 299;
inline constexpr std::size_t kGenreNamesMax = 10;
inline constexpr std::size_t kGenreNameMax = 49;
inline constexpr std::size_t kCastNamesMax = 300;
inline constexpr std::size_t kCastNameMax = 99;

// Sentinel words, answered instead of a text when a field is missing and stored as they are.
inline constexpr std::string_view kNoTitle = "NA";
inline constexpr std::string_view kNoDirector = "NODIRECTOR";
inline constexpr std::string_view kNoGenre = "NOGENRE";
inline constexpr std::string_view kNoSummary = "NOSUMMARY";
inline constexpr std::string_view kNoLink = "NOLINK";
inline constexpr std::string_view kNoRuntime = "NORUNTIME";
inline constexpr std::string_view kNoLanguage = "NOLANGUAGE";
inline constexpr std::string_view kNoTagline = "NOTAGLINE";
inline constexpr std::string_view kNoActors = "NOACTORS";

// What a title search brought back. The numbers are those the outcome has always been passed around as.
enum class TitleSearchOutcome { TitlePage = 0, ResultList = 1, NoMatch = 2, Unreadable = 3 };
// Any number other than 0, 1 and 2 counts as Unreadable.
TitleSearchOutcome OutcomeFromNumber(int number);

// The titles a result list offered, in page order; a text already listed is not added again (its first link
// stays). The caller owns it: the retrieval keeps one for its result dialog.
class TitleSearchResults {
  public:
    struct Entry {
        std::string text;  // as the page shows it, e.g. "Heat (1995)"
        std::string link;  // the title page's path without its leading slash
        bool operator==(const Entry&) const = default;
    };

    void Add(std::string text, std::string link);
    // The link of the entry showing `text`, or "NA".
    std::string LinkOf(std::string_view text) const;
    const std::vector<Entry>& Entries() const { return entries_; }
    bool Empty() const { return entries_.empty(); }
    void Clear();

  private:
    std::vector<Entry> entries_;
    // Each text's place in entries_: a result page may hold many thousands of anchors.
    std::unordered_map<std::string, std::size_t> index_;
};

// A page saved in the data directory, read once. Each CR LF pair reads as one LF, as the file's text-mode reader
// sees it, so positions count characters the same way.
struct SavedPage {
    bool readable = false;
    std::string text;
};
SavedPage ReadSavedPage(std::string_view dataDirectory, std::string_view fileName);
SavedPage ReadPageFile(const std::filesystem::path& file);
// Text as the saved page would read: CR LF pairs as LF.
std::string AsReadText(std::string_view bytes);

// The page title and the match line decide: a page titled "IMDb title search" (case ignored) is a result list
// when it holds "The following titles matched", else no match; any other page is the title's own page.
TitleSearchOutcome ClassifyFirstPage(std::string_view page);
TitleSearchOutcome ClassifyFirstPage(const SavedPage& page);

// Every "Title?" anchor of a result list, added to `results` as (text, link).
void ScanResultList(std::string_view page, TitleSearchResults& results);

// Sends the title search for `movieName` (hosts.titleSearch + "/M/Tsearch?" + query) into "FirstPage.txt" of the
// data directory and classifies what came back; `results` is cleared, then filled on ResultList.
TitleSearchOutcome SearchTitles(PageFetcher& fetcher, const DatabaseHosts& hosts, std::string_view dataDirectory,
                                std::string_view movieName, TitleSearchResults& results);

// The page title split at its first "(dddd)" or "(dddd/": "Fargo (1996/I)" is "Fargo" and "1996"; without such a
// bracket the whole text is the name and the year is empty.
struct TitleYear {
    std::string name;
    std::string year;
    bool operator==(const TitleYear&) const = default;
};
TitleYear SplitTitleYear(std::string_view pageTitle);

std::string ScanTitle(std::string_view page);      // or "NA"
std::string ScanDirector(std::string_view page);   // or "NODIRECTOR"
std::string ScanGenre(std::string_view page);      // "Comedy, Drama", or "NOGENRE"
std::string ScanOutline(std::string_view page);    // the short plot; empty without a marker
std::string ScanRuntime(std::string_view page);    // or "NORUNTIME"
std::string ScanLanguages(std::string_view page);  // or "NOLANGUAGE"
std::string ScanTagline(std::string_view page);    // or "NOTAGLINE"
std::string ScanCast(std::string_view page);       // names joined by ", ", or "NOACTORS"

std::string ScanTitle(const SavedPage& page);
std::string ScanDirector(const SavedPage& page);
std::string ScanGenre(const SavedPage& page);
std::string ScanOutline(const SavedPage& page);
std::string ScanRuntime(const SavedPage& page);
std::string ScanLanguages(const SavedPage& page);
std::string ScanTagline(const SavedPage& page);
std::string ScanCast(const SavedPage& page);

// What the plot marker leads to: no longer summary ("NOLINK"), nothing ("NOSUMMARY"), or the summary page's link
// (which begins with a slash).
struct PlotScan {
    enum class Kind { NoLink, NoSummary, Link };
    Kind kind = Kind::NoSummary;
    std::string link;
    bool operator==(const PlotScan&) const = default;
};
PlotScan ScanPlotMarker(std::string_view page);

// The plot summary page's text, or "NOSUMMARY" when it holds no summary.
std::string ScanSummaryPage(std::string_view page);

// Fetches hosts.site + link into "Summary.txt" and answers its summary ("NOSUMMARY" when unreadable or empty of one).
std::string FetchPlotSummary(PageFetcher& fetcher, const DatabaseHosts& hosts, std::string_view dataDirectory,
                             std::string_view link);

// The full plot: "NOLINK", "NOSUMMARY", or the fetched summary when the plot has a "(more)" link.
std::string ScanPlot(const SavedPage& page, PageFetcher& fetcher, const DatabaseHosts& hosts,
                     std::string_view dataDirectory);

}  // namespace cl
