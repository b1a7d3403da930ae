// The database retrieval over the fixture site's pages (tests/imdb/pages) through a fake fetcher: each outcome's
// message, record, cover and saved pages, the "Title Search..." dialog's roads, a declined connection and a
// cancelled retrieval.
#include "ui/Retrieval.h"

#include <gtest/gtest.h>

#include <sstream>

#include "imdb/Covers.h"
#include "imdb/SearchQuery.h"
#include "tests/unit/ShellFakes.h"
#include "ui/TitleCorrection.h"

namespace cl {
namespace {

std::string Slurp(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// A fixture page as the site serves it: the image host is "http://img".
std::string Page(const char* name) {
    std::string text = Slurp(std::filesystem::path(CL_TEST_DATA).parent_path().parent_path() / "imdb/pages" / name);
    for (std::size_t at; (at = text.find("@IMAGE_HOST@")) != std::string::npos;) text.replace(at, 12, "http://img");
    return text;
}

class PageView : public ImdbPageView {
  public:
    void ShowValues(const ImdbPageValues& v) override { values = v; }
    void ShowCover(const std::filesystem::path& file) override { cover = Slurp(file); }
    std::optional<ImdbPageValues> values;
    std::string cover = "(not shown)";
};

struct Retrieval : ::testing::Test {
    void SetUp() override {
        f.W().state.hosts = {"http://s", "http://s", "http://img", "http://poster"};
        const std::pair<const char*, const char*> searches[] = {
            {"Heat", "heat.html"},
            {"Fargo", "fargo.html"},
            {"Baraka", "baraka.html"},
            {"1492", "1492.html"},
            {"Microcosmos", "microcosmos.html"},
            {"Nothing", "nomatch.html"},
            {"Mann", "mann-search.html"},
            {"Untitled", "empty-search.html"},
        };
        for (const auto& [word, file] : searches) fetcher.pages["http://s/M/Tsearch?" + std::string(word)] = Page(file);
        fetcher.pages["http://s/Title?0113277"] = Page("heat.html");
        fetcher.pages["http://s/Title?0078748"] = Page("alien.html");
        fetcher.pages["http://s/Plot?0113277"] = Page("heat-plot.html");
        fetcher.pages["http://img/images/M/heat.jpg"] = "new cover";
        f.c.settings.titleCorrection = 1;
    }
    // The movie the dialog shows, number 7, with an old cover unless said.
    void Open(const std::string& title, bool withCover = true) {
        f.Add(title, "Drama", "Present", "Home", 7);
        LoadMovieWithDetails(f.c, title, false, f.W().state.currentMovie, f.W().state.currentMedia);
        std::filesystem::create_directories(f.dir / "Covers");
        if (withCover) std::ofstream(CoverPath(f.W().dataDirectory, 7)) << "old cover";
    }
    std::shared_ptr<RetrievalJob> Search(bool recordShown = true) {
        auto job = StartRetrieval(ctx, recordShown);
        if (job) RunTitleRetrieval(*job, fetcher);
        return job;
    }
    std::shared_ptr<RetrievalJob> Choose(RetrievalJob& search, const char* text) {
        auto job = ChooseTitle(ctx, search, std::string_view(text), true);
        if (job) RunChosenTitle(*job, fetcher);
        return job;
    }
    std::string Cover() { return Slurp(CoverPath(f.W().dataDirectory, 7)); }
    std::string Leftovers() {
        std::string names;
        for (const char* name : {"FirstPage.txt", "Summary.txt", "Covers/Temp.jpg"})
            if (std::filesystem::exists(f.dir / name)) names += std::string(name) + " ";
        return names;
    }
    std::vector<std::string> Ownerless() { return f.desktop.ownerless.MessageTexts(); }

    test::ShellFixture f;
    test::FakeFetcher fetcher;
    PageView page;
    test::RecordingPrompts dialog;
    RetrievalContext ctx{f.W(), dialog, page};
};

TEST_F(Retrieval, EachOutcomeTellsStoresAndSetsTheCoverRight) {
    const std::string tooLongForAKey(109, 'H');
    fetcher.pages[TitleSearchAddress("http://s", tooLongForAKey)] = Page("heat.html");
    const struct {
        std::string movie;
        RetrievalStep step;
        std::vector<std::string> messages;
        const char* storedUnder;  // nullptr: nothing stored
        std::string plot;
        std::string cover;
    } cases[] = {
        {"Heat", RetrievalStep::Done, {}, "Heat", "Hunters and their prey", "new cover"},
        {"Fargo", RetrievalStep::Done, {}, "Fargo", "A car salesman in debt", ""},  // the page names no cover
        {"1492", RetrievalStep::Done, {}, "1492: Conquest of Paradise", "The story of Christopher", ""},
        {"Baraka", RetrievalStep::Done, {std::string(kNoValidInformationMessage)}, nullptr, "", "old cover"},
        {"Microcosmos", RetrievalStep::Done, {std::string(kNoValidInformationMessage)}, nullptr, "", "old cover"},
        {"Nothing", RetrievalStep::Done, {std::string(kNoTitlesMatchedMessage)}, nullptr, "", "old cover"},
        {"Broken", RetrievalStep::Done, {std::string(kUnableToRetrieveMessage)}, nullptr, "", "old cover"},
        {"Mann", RetrievalStep::ShowResults, {}, nullptr, "", "(not shown)"},
        {tooLongForAKey, RetrievalStep::Done, {std::string(kTitleTooLongToStoreMessage)}, nullptr, "", "new cover"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.movie);
        f.c.imdb.FreeAll();
        f.desktop.ownerless.messages.clear();
        page = PageView{};
        Open(c.movie);
        auto job = Search();
        ASSERT_TRUE(job);
        EXPECT_EQ(ApplyTitleRetrieval(ctx, *job), c.step);
        EXPECT_EQ(Ownerless(), c.messages);
        EXPECT_EQ(page.cover, c.cover);
        if (c.step == RetrievalStep::ShowResults) continue;
        EXPECT_EQ(Cover(), c.cover);
        EXPECT_EQ(Leftovers(), "");
        EXPECT_EQ(f.c.imdb.Count(), c.storedUnder ? 1u : 0u);
        if (!c.storedUnder) continue;
        const ImdbRecord* record = f.c.imdb.Find(ImdbKey(c.storedUnder));
        ASSERT_NE(record, nullptr);
        EXPECT_EQ(record->plot->substr(0, c.plot.size()), c.plot);
        EXPECT_EQ(record->number, "7");
        EXPECT_EQ(page.values->title, record->title);
        EXPECT_TRUE(f.c.main.FindExact(c.storedUnder));  // title correction ran
        f.c.main.RemoveExact(c.storedUnder);
    }
}

TEST_F(Retrieval, TitleSearchDialogKeepsItsListAfterAGiveUpAndStopsAtADuplicate) {
    f.Add("Heat", "Drama", "Present", "Home", 1);
    Open("Mann");
    auto search = Search();
    ASSERT_EQ(ApplyTitleRetrieval(ctx, *search), RetrievalStep::ShowResults);
    EXPECT_TRUE(OpenTitleSearch(ctx, *search));
    EXPECT_EQ(ChooseTitle(ctx, *search, std::nullopt, true), nullptr);
    EXPECT_EQ(dialog.messages.back(),
              (test::Box{"Please Select A Movie Or Press Cancel.", "", MessageIcon::Exclamation}));

    CancelTitleSearch(ctx, *search);
    EXPECT_TRUE(search->results.Empty());
    EXPECT_EQ(Leftovers(), "");
    EXPECT_EQ(Cover(), "old cover");

    search = Search();
    ApplyTitleRetrieval(ctx, *search);
    auto alien = Choose(*search, "Alien (1979)");
    EXPECT_EQ(ApplyChosenTitle(ctx, *search, *alien), RetrievalStep::ChooseAgain);
    EXPECT_EQ(dialog.messages.back().text, kNoValidInformationMessage);
    EXPECT_EQ(Cover(), "old cover");
    EXPECT_EQ(f.c.imdb.Count(), 0u);
    auto heat = Choose(*search, "Heat (1995)");
    EXPECT_EQ(ApplyChosenTitle(ctx, *search, *heat), RetrievalStep::Done);
    EXPECT_EQ(dialog.messages.back().text, kCorrectionDuplicateMessage);
    EXPECT_EQ(f.c.imdb.Find(ImdbKey("Mann"))->title, "Heat");
    EXPECT_EQ(Cover(), "new cover");
    EXPECT_EQ(Leftovers(), "FirstPage.txt Summary.txt ");  // the flow stopped before its clean-up
    EXPECT_FALSE(search->results.Empty());
}

TEST_F(Retrieval, EmptyListDeclinedConnectionAndCancelLeaveTheOldCover) {
    Open("Untitled");
    auto search = Search();
    ASSERT_EQ(ApplyTitleRetrieval(ctx, *search), RetrievalStep::ShowResults);
    EXPECT_FALSE(OpenTitleSearch(ctx, *search));
    EXPECT_EQ(dialog.MessageTexts(), std::vector<std::string>{std::string(kNoTitlesMatchedMessage)});
    EXPECT_EQ(page.cover, "old cover");
    EXPECT_EQ(Leftovers(), "");

    f.desktop.connected = false;  // and the question is answered No
    EXPECT_EQ(StartRetrieval(ctx, true), nullptr);
    EXPECT_EQ(Cover(), "old cover");
    EXPECT_EQ(Leftovers(), "");
    f.desktop.connected = true;

    f.c.main.RemoveExact("Untitled");
    std::filesystem::remove(CoverPath(f.W().dataDirectory, 7));
    Open("Heat", false);  // no cover before; the cancelled look-up fetched one
    auto job = Search();
    job->cancel = true;
    job->prompts.ShowMessage("kept by the worker", "", MessageIcon::None);
    EXPECT_EQ(ApplyTitleRetrieval(ctx, *job), RetrievalStep::Closed);
    EXPECT_EQ(Ownerless(), std::vector<std::string>{});  // the dialog is gone: nothing of its look-up shows
    EXPECT_FALSE(std::filesystem::exists(CoverPath(f.W().dataDirectory, 7)));
    EXPECT_EQ(Leftovers(), "");
    EXPECT_EQ(f.c.imdb.Count(), 0u);
    EXPECT_FALSE(f.W().state.currentImdb.title.has_value());
    std::ofstream(CoverPath(f.W().dataDirectory, 7)) << "old cover";  // no record shown: the dialog sets none aside
    for (const char* image : {"", "http://img/images/M/heat.jpg"}) {  // the download works, then fails
        fetcher.pages.erase(image);
        job = Search(false);
        job->cancel = true;
        ApplyTitleRetrieval(ctx, *job);
        EXPECT_EQ(Cover(), "old cover");
    }
}

}  // namespace
}  // namespace cl
