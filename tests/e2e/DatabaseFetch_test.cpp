// Searches, summaries and covers through the real WinInet against the fixture site (tests/imdb/site.py).
#include <gtest/gtest.h>

#include "imdb/Covers.h"
#include "imdb/PageFetch_win.h"
#include "tests/e2e/Harness_win.h"
#include "tests/unit/TestDoubles.h"

namespace cl::e2e {
namespace {

// Wine runs the Linux site beside this process; the site ends by itself a while after its last request.
int StartSite(const TempDataDir& dir) {
    std::string command = "/bin/sh -c \"exec python3 " CL_E2E_COVERS_DIR
                          "/../site.py --idle 20 --max 300 --port-file " +
                          (CL_E2E_WORK_DIR "/" + dir.Path().filename().string()) + "/port >/dev/null 2>&1 </dev/null\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started = {};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started))
        return 0;
    OwnedHandle process(started.hProcess), thread(started.hThread);
    if (!WaitUntil([&] { return dir.ReadFile("port").value_or("").ends_with("\n"); })) return 0;
    return std::stoi(*dir.ReadFile("port"));
}

TEST(DatabaseFetch, SearchSummaryCoversAndTheCoverSetAsideThroughWinInet) {
    TempDataDir dir("fetch");
    std::filesystem::create_directories(dir / "Covers");
    const int port = StartSite(dir);
    ASSERT_GT(port, 0) << "the fixture site did not start";
    const std::string site = "http://127.0.0.1:" + std::to_string(port);
    const DatabaseHosts hosts{site, site, site, "http://localhost:" + std::to_string(port)};
    const std::string data = dir.Path().string() + "\\";
    test::RecordingPrompts prompts;
    WinInetFetcher fetcher(prompts);
    TitleSearchResults results;
    const std::filesystem::path pages = WinePath(CL_E2E_COVERS_DIR);  // compared whole: no pictures in failures
    ASSERT_EQ(SearchTitles(fetcher, hosts, data, "Heat", results), TitleSearchOutcome::TitlePage);
    EXPECT_TRUE(ScanPlot(ReadSavedPage(data, kFirstPageFile), fetcher, hosts, data).starts_with("Hunters and their"));
    EXPECT_EQ(FetchCover(fetcher, hosts, data, 1), site + "/images/M/heat.jpg");
    EXPECT_TRUE(ReadBytes(CoverPath(data, 1)) == ReadBytes(pages / "heat.jpg"));
    ASSERT_EQ(SearchTitles(fetcher, hosts, data, "Alien", results), TitleSearchOutcome::ResultList);
    EXPECT_EQ(results.Entries().size(), 5u);  // one repeated title shown once
    fetcher.FetchUrlToFile(data + "FirstPage.txt", site + "/" + results.LinkOf("Alien (1979)"), FetchMode::Text);
    EXPECT_EQ(FetchCover(fetcher, hosts, data, 2), hosts.poster + "/posters/alien.jpg");
    EXPECT_TRUE(ReadBytes(CoverPath(data, 2)) == ReadBytes(pages / "alien.jpg"));
    EXPECT_EQ(SearchTitles(fetcher, hosts, data, "Nothing Here", results), TitleSearchOutcome::NoMatch);
    // A retrieval that fetched a new cover and then failed: the old one comes back, whatever was left aside before.
    dir.WriteFile("Covers\\Temp.jpg", "left from an interrupted retrieval");
    SetCoverAside(data, 1);
    EXPECT_FALSE(std::filesystem::exists(CoverPath(data, 1)));
    fetcher.FetchUrlToFile(CoverPath(data, 1).string(), hosts.poster + "/posters/alien.jpg", FetchMode::Binary);
    EXPECT_TRUE(ReadBytes(RestoreCover(data, 1)) == ReadBytes(pages / "heat.jpg"));
    EXPECT_FALSE(dir.Exists("Covers\\Temp.jpg"));
    EXPECT_TRUE(prompts.messages.empty());
}

}  // namespace
}  // namespace cl::e2e
