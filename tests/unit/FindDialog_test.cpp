// The Find dialog's decisions: which options each view allows, the selection that follows the typing, TRACK for
// numbers, actors and directors, and how a search result becomes the movie the Movie Info dialog shows.
#include "ui/FindDialog.h"

#include <gtest/gtest.h>

#include <limits>

#include "model/ListOperations.h"
#include "tests/unit/ShellFakes.h"

namespace cl::test {
namespace {

using Lines = std::vector<std::string>;

class FindDialogTest : public ::testing::Test, public ShellFixture {
  protected:
    void SetUp() override {
        InsertMainMovie(c.main, {"Alien", "Horror", "Present", "", "DVD"}, 1);
        InsertMainMovie(c.main, {"Aliens", "Horror", "Present", "Default", "DVD"}, 2);
        InsertMainMovie(c.main, {"Emmanuelle", "Erotic", "Present", "Default", "VHS"}, 3);
        InsertMainMovie(c.main, {"Heat", "Crime", "Absent", "Mike", "DVD"}, 4);
        InsertMainMovie(c.main, {"Ronin", "Crime", "Present", "Default", "DVD"}, 5);
        c.imdb.Put("CineLedger: Heat", {.number = "7", .title = "Heat", .year = "1995", .director = "Michael Mann",
                                        .actors = "Al Pacino, Robert De Niro, Val Kilmer"});
        c.imdb.Put("CineLedger: Ronin", {.number = "8", .title = "Ronin", .year = "1998",
                                         .director = "John Frankenheimer", .actors = "Robert De Niro, Jean Reno"});
        List().Show(View::Main());  // erotic movie hidden
    }

};

TEST(FindOptions, OnlyTheMainListAndItsFilteredViewsOfferThem) {
    struct Case {
        ViewMark mark;
        bool enabled;
    };
    const Case cases[] = {{ViewMark::Main, true},
                          {ViewMark::None, true},
                          {ViewMark::Upcoming, false},
                          {ViewMark::InternalGimme, false},
                          {ViewMark::ImportedGimme, false}};
    for (const Case& c : cases) EXPECT_EQ(FindOptionsEnabled(c.mark), c.enabled) << static_cast<int>(c.mark);
}

TEST_F(FindDialogTest, TypingSelectsTheFirstLineBeginningWithTheText) {
    ASSERT_EQ(box.lines, (Lines{"Alien", "Aliens", "Heat", "Ronin"}));
    struct Case {
        const char* typed;
        int line;
    };
    const Case cases[] = {{"ro", 3}, {"HE", 2}, {"Alien", 0}, {"aliens", 1}};
    for (const Case& t : cases) {
        SCOPED_TRACE(t.typed);
        List().SetSelectionCount("");
        FindTypedText(List(), t.typed);
        EXPECT_EQ(box.selected, std::set<int>{t.line});
        EXPECT_EQ(ui.status.selection, "1");
    }
}

TEST_F(FindDialogTest, TypingWithoutAMatchingLineChangesNothing) {
    box.selected = {1, 2};
    List().SetSelectionCount("2");
    FindTypedText(List(), "xyz");
    EXPECT_EQ(box.selected, (std::set<int>{1, 2}));
    EXPECT_EQ(ui.status.selection, "2");
}

TEST(FindNumbers, ReadAsTheCLibraryReadsThemWithoutOverflow) {
    struct Case {
        const char* text;
        std::int32_t number;
    };
    const Case cases[] = {
        {"4", 4},
        {"  12", 12},
        {"+7", 7},
        {"-3", -3},
        {"12abc", 12},
        {"abc", 0},
        {"", 0},
        {"0004", 4},
        {"99999999999", std::numeric_limits<std::int32_t>::max()},
        {"-99999999999", std::numeric_limits<std::int32_t>::min()},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseSearchNumber(c.text), c.number) << c.text;
}

TEST_F(FindDialogTest, NumberSearchSelectsTheMovieWhenTheViewShowsIt) {
    List().SetSelectionCount("");
    EXPECT_EQ(FindTrack(c, List(), FindMode::Numbers, "4", 3), FindTrackOutcome::Close);
    EXPECT_EQ(box.selected, std::set<int>{2});
    EXPECT_EQ(ui.status.selection, "1");
    EXPECT_FALSE(W().state.currentMovie.title.has_value()) << "the current title is cleared again";
}

TEST_F(FindDialogTest, NumberSearchOfAMovieTheViewHidesSelectsNothing) {
    List().SetSelectionCount("");
    box.selected.clear();
    // Number 3 is the erotic movie, left out of the list while the lock is closed.
    EXPECT_EQ(FindTrack(c, List(), FindMode::Numbers, "3", 3), FindTrackOutcome::Close);
    EXPECT_TRUE(box.selected.empty());
    EXPECT_EQ(ui.status.selection, "");
    EXPECT_TRUE(Prompts().messages.empty());
    EXPECT_FALSE(W().state.currentMovie.title.has_value());
}

TEST_F(FindDialogTest, NumberSearchWithoutSuchAMovieKeepsTheDialogOpen) {
    for (const char* text : {"99", "0", "abc", ""}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(FindTrack(c, List(), FindMode::Numbers, text, 3), FindTrackOutcome::NoMatch);
    }
    EXPECT_EQ(kNoMatchMessage, "No Match Found.");
    EXPECT_EQ(kFindErrorCaption, "Error");
}

TEST_F(FindDialogTest, ActorAndDirectorSearchesHandTheQueryToTheResults) {
    struct Case {
        FindMode mode;
        std::string text;
        int level;
        std::int32_t kind;
        Lines keys;
    };
    const Case cases[] = {
        {FindMode::Actors, "robertdeniro", 5, ImdbQuery::kActorSearch, {"CineLedger: Heat", "CineLedger: Ronin"}},
        {FindMode::Actors, "De Niro", 2, ImdbQuery::kActorSearch, {}},
        {FindMode::Directors, "michael mann", 5, ImdbQuery::kDirectorSearch, {"CineLedger: Heat"}},
        {FindMode::Directors, "Robert De Niro", 1, ImdbQuery::kDirectorSearch, {}},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.text);
        EXPECT_EQ(FindTrack(c, List(), t.mode, t.text, t.level), FindTrackOutcome::ShowResults);
        const ImdbQuery& q = c.imdb.query;
        EXPECT_EQ(q.searchKind, t.kind);
        EXPECT_EQ(q.sensitivity, t.level);
        EXPECT_EQ(t.mode == FindMode::Actors ? q.actorText : q.directorText, t.text);
        EXPECT_EQ(c.imdb.RunQuery(), t.keys);
    }
    EXPECT_TRUE(dialogs.opened.empty()) << "the dialog opens the results once it is hidden";
}

TEST_F(FindDialogTest, SearchTextsAreCutAt99Characters) {
    const std::string longText(120, 'x');
    FindTrack(c, List(), FindMode::Actors, longText, 3);
    FindTrack(c, List(), FindMode::Directors, longText, 3);
    EXPECT_EQ(c.imdb.query.actorText, std::string(99, 'x'));
    EXPECT_EQ(c.imdb.query.directorText, std::string(99, 'x'));
}

TEST_F(FindDialogTest, TrackForTitlesOrWithoutOptionsOnlyCloses) {
    for (FindMode mode : {FindMode::Titles, FindMode::None}) {
        box.selected = {0};
        EXPECT_EQ(FindTrack(c, List(), mode, "4", 3), FindTrackOutcome::Close);
        EXPECT_EQ(box.selected, std::set<int>{0});
        EXPECT_TRUE(Prompts().messages.empty());
    }
}

TEST(FindResults, ALineNamesItsTitleAfterThePrefix) {
    EXPECT_EQ(ResultLineTitle("CineLedger: Heat"), "Heat");
    EXPECT_EQ(ResultLineTitle("CineLedger: CineLedger: Heat"), "CineLedger: Heat");
    EXPECT_EQ(ResultLineTitle("CineLedger: "), "");
    EXPECT_EQ(ResultLineTitle("Heat"), "");
}

TEST_F(FindDialogTest, DoubleClickedResultBecomesTheCurrentMovieWithItsDetails) {
    c.comments.Set("Heat", "Best shoot-out.");
    c.history.AddOrUpdate("Heat", "2003/1/5", "2");
    MediaFields media;
    media.format = "MPEG-4";
    media.width = "640";
    c.media.AddOrReplace("Heat", media);

    OpenResultMovieInfo(c, W().state, dialogs, "CineLedger: Heat");
    EXPECT_EQ(dialogs.opened, std::vector<int>{125});
    const CurrentMovie& m = W().state.currentMovie;
    EXPECT_EQ(m.title, "Heat");
    EXPECT_EQ(m.category, "Crime");
    EXPECT_EQ(m.presence, "Absent");
    EXPECT_EQ(m.location, "Mike");
    EXPECT_EQ(m.medium, "DVD");
    EXPECT_EQ(m.number, 4);
    EXPECT_EQ(m.comments, "Best shoot-out.");
    EXPECT_EQ(m.dateOfEntry, "2003/1/5");
    EXPECT_EQ(m.views, "2");
    EXPECT_EQ(W().state.currentMedia.fields.format, "MPEG-4");
    EXPECT_EQ(W().state.currentMedia.fields.width, "640");

    // The next movie has none of these: nothing of Heat stays behind.
    OpenResultMovieInfo(c, W().state, dialogs, "CineLedger: Alien");
    EXPECT_EQ(m.title, "Alien");
    EXPECT_EQ(m.location, "Indeterminate") << "an empty location is shown so";
    EXPECT_EQ(m.number, 1);
    EXPECT_FALSE(m.comments.has_value());
    EXPECT_FALSE(m.dateOfEntry.has_value());
    EXPECT_FALSE(W().state.currentMedia.fields.format.has_value());
}

TEST_F(FindDialogTest, ResultWhoseMovieIsGoneStillOpensWithItsTitleAndNoNumber) {
    OpenResultMovieInfo(c, W().state, dialogs, "CineLedger: Heat");
    OpenResultMovieInfo(c, W().state, dialogs, "CineLedger: Casablanca");
    EXPECT_EQ(W().state.currentMovie.title, "Casablanca");
    EXPECT_EQ(W().state.currentMovie.number, 0) << "not the number, and so not the cover, of the movie shown before";
    EXPECT_FALSE(W().state.currentMovie.category.has_value());
    EXPECT_EQ(dialogs.opened.size(), 2u);
}

}  // namespace
}  // namespace cl::test
