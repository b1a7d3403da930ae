// The Movie Info dialog's rules: which views open which tab, page 101 per view, the date check on closing, the
// database page's shown values and the Internal update, the CD count.
#include "ui/MovieInfo.h"

#include <gtest/gtest.h>

#include "tests/unit/TestDoubles.h"

namespace cl {
namespace {

TEST(MovieInfo, TabsBeyondTheFirstAreForTheMainListOnly) {
    const struct {
        MovieInfoTab tab;
        View view;
        bool opens;
    } cases[] = {
        {MovieInfoTab::Imdb, View::Main(), true},           {MovieInfoTab::Media, View::OfCategory("Drama"), true},
        {MovieInfoTab::History, View::Upcoming(), false},   {MovieInfoTab::Imdb, View::ImportedGimme(), false},
        {MovieInfoTab::Entry, View::InternalGimme(), true},
    };
    for (const auto& c : cases) {
        test::RecordingPrompts dialog;
        EXPECT_EQ(ChangeTab(c.tab, c.view, 512, dialog).has_value(), c.opens) << static_cast<int>(c.tab);
        EXPECT_EQ(dialog.messages.size(), c.opens ? 0u : 1u);
    }
    EXPECT_EQ(kMovieInfoTabNames[static_cast<std::size_t>(MovieInfoTab::History)], "History");
    EXPECT_EQ(kMovieInfoTabNames[static_cast<std::size_t>(MovieInfoTab::Media)], "Divx/VCD");
    EXPECT_EQ(LayoutOf(MovieInfoTab::Imdb, 512).dialog, (PixelSize{512, 425}));
    EXPECT_TRUE(OpensOnImdbTab(true, View::Upcoming()));
    EXPECT_FALSE(OpensOnImdbTab(true, View::InternalGimme()));
}

TEST(MovieInfo, EntryPageLeavesListDetailsOutForUpcomingAndInternalGimme) {
    CurrentMovie m;
    m.title = "Heat";
    m.category = "Drama";
    m.number = 7;
    const EntryPage upcoming = EntryPageFor(m, View::Upcoming());
    EXPECT_FALSE(upcoming.labelsEnabled);
    EXPECT_FALSE(upcoming.category.has_value());
    const EntryPage imported = EntryPageFor(m, View::ImportedGimme());
    EXPECT_TRUE(imported.labelsEnabled);
    EXPECT_EQ(imported.number, "7");
}

TEST(MovieInfo, DateOfEntryNeedsSlashesAtFiveAndSevenOrEight) {
    const std::pair<const char*, bool> cases[] = {
        {"2003/1/5", true},    {"2003/01/05", true},   {"03/01/05", false},
        {"2003-01-05", false}, {"2003/01/055", false}, {"2003/", false},
    };
    for (const auto& [date, valid] : cases) EXPECT_EQ(DateOfEntryValid(date), valid) << date;
}

TEST(MovieInfo, ClosingKeepsAValidDateAndTheViewsOnlyInMainListViews) {
    Collection c;
    ProgramState s;
    test::RecordingPrompts dialog;
    s.currentMovie.title = "Heat";
    EXPECT_FALSE(CloseMovieInfo(c, s, View::Main(), "03/01/05", "1", "/nonexistent/", dialog));
    EXPECT_EQ(dialog.messages.at(0).text, kDateFormatMessage);
    EXPECT_EQ(s.currentMovie.title, "Heat");
    EXPECT_TRUE(CloseMovieInfo(c, s, View::Upcoming(), "bad", "1", "/nonexistent/", dialog));
    EXPECT_EQ(c.history.Count(), 0u);
    s.currentMovie.title = "Heat";
    EXPECT_TRUE(CloseMovieInfo(c, s, View::AtLocation("Home"), "2003/1/5", "12345", "/nonexistent/", dialog));
    ASSERT_NE(c.history.Find("Heat"), nullptr);
    EXPECT_EQ(c.history.Find("Heat")->views, "1234");
    EXPECT_FALSE(s.currentMovie.title.has_value());
}

TEST(MovieInfo, DatabasePageShowsSentinelsEmptyAndInternalStoresWhatWasTyped) {
    CurrentImdbInfo info;
    info.title = "Heat";
    info.tagline = "NOTAGLINE";
    info.plot = "NOSUMMARY";
    info.genre = "NOGENRE";
    info.language = "NOLANGUAGE";
    info.runtime = "NORUNTIME";
    info.actors = "NOTAGLINE";  // only a field's own sentinel is hidden
    ImdbPageValues shown;
    shown.title = "Heat";
    shown.actors = "NOTAGLINE";
    EXPECT_EQ(ShownImdbValues(info), shown);

    ImdbStore store;
    CurrentMovie movie;
    movie.title = "Heat";
    movie.number = 7;
    CurrentImdbInfo current;
    EXPECT_FALSE(ImdbPageFor(store, "Heat", current).has_value());
    shown.tagline = "";
    EXPECT_TRUE(StoreInternalEdits(store, movie, current, shown));
    const ImdbRecord* stored = store.Find("CineLedger: Heat");
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->tagline, "");
    EXPECT_EQ(stored->number, "7");
    CurrentImdbInfo fresh;
    EXPECT_EQ(ImdbPageFor(store, "Heat", fresh), shown);
}

TEST(MovieInfo, CdCountIsTheFirstCharacterAsADigit) {
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"0", 0}, {"12", 1}, {"9", 9}, {"", std::nullopt}, {"x", std::nullopt}, {"-1", std::nullopt},
    };
    for (const auto& [typed, count] : cases) EXPECT_EQ(ParseCdCount(typed), count) << typed;
}

}  // namespace
}  // namespace cl
