// The page scanners over small pages shaped like the service's, the title search and covers over a fake fetcher.
#include "imdb/PageScan.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <functional>

#include "imdb/Covers.h"
#include "tests/unit/TestDoubles.h"

namespace cl {
namespace {

const std::string kHead(520, ' ');  // pushes what follows past the plot marker's 500 characters
const std::string kCast = "Cast overview</b><a href=\"/Name?Pacino,%20Al\">Al Pacino</a>" + std::string(160, '.') +
                          "<a href=\"/Name?Tom%20&#38;%20Co\">Tom &#38; Co</a> as X&nbsp;<a href=\"/N?%20\">Extra</a>";

TEST(PageScan, FieldScannersFollowTheReadingRules) {
    using Scan = std::function<std::string(std::string_view)>;
    const Scan title = [](std::string_view p) { return ScanTitle(p); };
    const Scan tagline = [](std::string_view p) { return ScanTagline(p); };
    const Scan plot = [](std::string_view p) {
        const PlotScan s = ScanPlotMarker(p);
        return s.kind == PlotScan::Kind::Link ? s.link : s.kind == PlotScan::Kind::NoLink ? "NOLINK" : "NOSUMMARY";
    };
    const Scan outline = [](std::string_view p) { return ScanOutline(p); };
    const Scan summary = [](std::string_view p) { return ScanSummaryPage(p); };
    const struct {
        const char* what;
        Scan scan;
        std::string page, want;
    } cases[] = {
        {"title", title, "<title>Heat (1995)</title>", "Heat (1995)"},
        {"title doubles a decoded ampersand", title, "<title>Tom &#38; Jerry</title>", "Tom && Jerry"},
        {"named or overlong reference kept, zero ends", title, "<title>Tom &amp; &#65 Jerry. &#;x</title>",
         "Tom &amp; &#65 Jerry. "},
        {"a trigger in a failed tail is not seen", title, "ttitle>Heat<", "NA"},
        {"title cut at 299", title, "<title>" + std::string(400, 'x') + "<", std::string(299, 'x')},
        {"end of page ends the text", title, "<title>Heat\n", "Heat\n"},
        {"tagline decodes once, drops line ends", tagline, "Tagline:</b> Tom &#38; Jer\nry <a>", "Tom & Jerry "},
        {"no tagline", tagline, "tagline: none", "NOTAGLINE"},
        {"director", [](std::string_view p) { return ScanDirector(p); },
         "<b>Directed by</b><br><a href=\"/Name?Mann,+Michael\">Michael Mann</a>", "Michael Mann"},
        {"genre join", [](std::string_view p) { return ScanGenre(p); },
         "<b>Genre:</b> x\n<a href=\"/G/Comedy/\">Comedy</a> / <a href=\"/G/Drama/\">Drama</a> <a "
         "href=\"/K\">(more)</a>\n",
         "Comedy, Drama"},
        {"genre marker, no names", [](std::string_view p) { return ScanGenre(p); }, "Genre:\n\n", ""},
        {"runtime drops every line end", [](std::string_view p) { return ScanRuntime(p); },
         "<b>Runtime:</b>\n171 min\n</td>", "171 min"},
        {"languages", [](std::string_view p) { return ScanLanguages(p); },
         "Languages: <a href=\"/L/English/\">English</a>", "English"},
        {"cast ends at the actor a &nbsp; follows", [](std::string_view p) { return ScanCast(p); }, kCast,
         "Al Pacino, Tom && Co"},
        {"cast marker without names", [](std::string_view p) { return ScanCast(p); }, "Complete credited", ""},
        {"plot marker in the head passed over", plot, "<b>Plot Outline:</b> A thief.<br>", "NOSUMMARY"},
        {"plot without a longer summary", plot, kHead + "Plot Outline:</b> A thief.<br>", "NOLINK"},
        {"plot linking its summary", plot, kHead + "Plot Summary:</b> A thief. <a href=\"/Plot?0113277\">(more)</a>",
         "/Plot?0113277"},
        {"plot link to the title list", plot, kHead + "Plot Outline: x <a href=\"/Tr\">", "NOLINK"},
        {"outline past 200", outline, std::string(210, ' ') + "Plot Outline:</b> A &#38; B.\n<br>", "A & B."},
        {"summary page", summary, "<p class=\"plotpar\">A &#38; B\n</p>", "A & B"},
        {"summary cut at 4999 keeps its line end", summary, "plotpar\">" + std::string(4998, 'x') + "\nyy\n<",
         std::string(4998, 'x') + "\n"},
        {"summary ending the page keeps its line end", summary, "plotpar\">A\n", "A\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.scan(c.page), c.want) << c.what;
}

TEST(PageScan, FirstPageIsATitlePageUnlessTitledAsTheSearch) {
    const std::pair<std::string, TitleSearchOutcome> cases[] = {
        {"<title>Heat (1995)</title>", TitleSearchOutcome::TitlePage},
        {"<TITLE>Other</TITLE><title>imdb TITLE Search</title>The following titles matched",
         TitleSearchOutcome::ResultList},
        {"<title>IMDb title search</title>No match", TitleSearchOutcome::NoMatch},
    };
    for (const auto& [page, outcome] : cases) EXPECT_EQ(ClassifyFirstPage(page), outcome) << page;
    EXPECT_EQ(ClassifyFirstPage(SavedPage{}), TitleSearchOutcome::Unreadable);
    EXPECT_EQ(OutcomeFromNumber(7), TitleSearchOutcome::Unreadable);
}

TEST(PageScan, SplitTitleYearTakesTheFirstBracketedYear) {
    const std::pair<std::string, TitleYear> cases[] = {
        {"Heat (1995)", {"Heat", "1995"}},
        {"Fargo (1996/I)", {"Fargo", "1996"}},
        {"Alien (Director's Cut) (1979)", {"Alien (Director's Cut)", "1979"}},
        {"Alien", {"Alien", ""}},
    };
    for (const auto& [text, want] : cases) EXPECT_EQ(SplitTitleYear(text), want) << text;
}

TEST(Covers, ImageHostAfterACoverMarkerElseThePosterHostsName) {
    const DatabaseHosts hosts{"", "", "http://img.test", "http://localhost:8080"};
    const std::pair<std::string, std::string> cases[] = {
        {"cover <img src=\"http://img.test/c/heat.jpg\">", "http://img.test/c/heat.jpg"},
        {"http://img.test/x.jpg\" cover <img src=\"http://localhost:8080/p/heat.jpg\">",
         "http://localhost:8080/p/heat.jpg"},
        {"<img src=\"//Localhost:8080/p/h.jpg\">", "http://localhost:8080/p/h.jpg"},  // from the second letter on
        {"no picture", ""},
    };
    for (const auto& [page, address] : cases) EXPECT_EQ(FindCoverAddress(page, hosts), address) << page;
    EXPECT_EQ(FindCoverAddress("xlocalhost\"", {"", "", "", "http://l"}), "");
}

TEST(PageScan, SearchPlotAndCoverFetchIntoTheDataDirectory) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("cl-pagescan-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir / "Covers");
    const std::string data = dir.string() + "/";
    const DatabaseHosts hosts{"http://s", "http://site", "http://img", "http://posters"};
    test::FakeFetcher fetcher;
    fetcher.pages["http://s/M/Tsearch?Heat"] =
        "<title>IMDb title search</title>The following titles matched\r\n<a href=\"/Title?1\">Heat (1995)</a>"
        "<a href=\"/Title?2\">Heat (1995)</a><a href=\"/Title?3\">Heat (1986)</a>";
    fetcher.pages["http://site/Plot?1"] = "<p class=\"plotpar\">Cops.</p>";
    TitleSearchResults results;
    EXPECT_EQ(SearchTitles(fetcher, hosts, data, "Heat", results), TitleSearchOutcome::ResultList);
    EXPECT_EQ(results.Entries(),
              (std::vector<TitleSearchResults::Entry>{{"Heat (1995)", "Title?1"}, {"Heat (1986)", "Title?3"}}));
    EXPECT_EQ(results.LinkOf("Heat"), "NA");
    EXPECT_EQ(SearchTitles(fetcher, hosts, data + "none/", "Nothing", results), TitleSearchOutcome::Unreadable);
    std::ofstream(dir / "FirstPage.txt") << kHead << "Plot Summary: <a href=\"/Plot?1\">(more)</a> posters/7.jpg\"";
    EXPECT_EQ(ScanPlot(ReadSavedPage(data, "FirstPage.txt"), fetcher, hosts, data), "Cops.");
    EXPECT_EQ(FetchCover(fetcher, hosts, data, 7), "http://posters/7.jpg");
    EXPECT_EQ(fetcher.requests.back(), "http://posters/7.jpg binary");
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace cl
