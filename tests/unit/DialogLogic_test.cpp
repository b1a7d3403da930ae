// The smaller dialogs' decisions: Find and its results, the erotic-category lock's two dialogs, Settings, Main
// Locations, Category Search and Quarantine.
#include <gtest/gtest.h>

#include <limits>

#include "imdb/ImdbStore.h"
#include "tests/unit/ShellFakes.h"
#include "ui/FindDialog.h"
#include "ui/PasswordDialogs.h"
#include "ui/QuarantineDialog.h"
#include "ui/SettingsDialog.h"
#include "ui/ViewDialogs.h"

namespace cl::test {
namespace {

using Lines = std::vector<std::string>;

class DialogLogicTest : public ::testing::Test, public ShellFixture {
  protected:
    void SetUp() override {
        Add("Alien", "Horror", "Present", "", 1);
        Add("Aliens", "Horror", "Present", "Jim", 2);
        Add("Emmanuelle", "Erotic", "Present", "Mike", 3);
        Add("Heat", "Crime", "Absent", "MIKE", 4);
        Add("Ronin", "crime", "Present", "Jim", 5);
        AddUpcoming("Gladiator", "Mike");
        c.imdb.Put("CineLedger: Heat",
                   {.title = "Heat", .director = "Michael Mann", .actors = "Al Pacino, Robert De Niro, Val Kilmer"});
        c.imdb.Put("CineLedger: Ronin",
                   {.title = "Ronin", .director = "John Frankenheimer", .actors = "Robert De Niro, Jean Reno"});
        List().Show(View::Main());  // the erotic movie hidden
    }
};

// ---- Find ----

TEST_F(DialogLogicTest, FindTypingSelectsTheFirstLineBeginningWithTheText) {
    for (const auto& [typed, line] : {std::pair{"ro", 3}, {"HE", 2}, {"aliens", 1}}) {
        List().SetSelectionCount("");
        FindTypedText(List(), typed);
        EXPECT_EQ(box.selected, std::set<int>{line}) << typed;
        EXPECT_EQ(ui.status.selection, "1");
    }
    FindTypedText(List(), "xyz");
    EXPECT_EQ(box.selected, std::set<int>{1}) << "no line begins with it: nothing changes";
    EXPECT_TRUE(FindOptionsEnabled(ViewMark::None));
    EXPECT_FALSE(FindOptionsEnabled(ViewMark::Upcoming));
    EXPECT_FALSE(FindOptionsEnabled(ViewMark::ImportedGimme));
}

TEST_F(DialogLogicTest, FindNumberSelectsTheMovieWhenTheViewShowsIt) {
    const std::pair<const char*, std::int32_t> numbers[] = {{"  12", 12},
                                                            {"+7", 7},
                                                            {"-3", -3},
                                                            {"12abc", 12},
                                                            {"abc", 0},
                                                            {"99999999999", INT32_MAX},
                                                            {"-99999999999", INT32_MIN}};
    for (auto [text, number] : numbers) EXPECT_EQ(ParseSearchNumber(text), number) << text;

    EXPECT_EQ(FindTrack(c, List(), FindMode::Numbers, "4", 3), FindTrackOutcome::Close);
    EXPECT_EQ(box.selected, std::set<int>{2});
    box.selected.clear();
    EXPECT_EQ(FindTrack(c, List(), FindMode::Numbers, "3", 3), FindTrackOutcome::Close);
    EXPECT_TRUE(box.selected.empty()) << "the erotic movie is not shown while the lock is closed";
    EXPECT_EQ(FindTrack(c, List(), FindMode::Numbers, "99", 3), FindTrackOutcome::NoMatch);
    EXPECT_EQ(FindTrack(c, List(), FindMode::Titles, "4", 3), FindTrackOutcome::Close);
}

TEST_F(DialogLogicTest, FindActorsAndDirectorsHandsTheQueryToTheResults) {
    const struct {
        FindMode mode;
        std::string text;
        int level;
        Lines keys;
    } cases[] = {
        {FindMode::Actors, "robertdeniro", 5, {"CineLedger: Heat", "CineLedger: Ronin"}},
        {FindMode::Actors, "De Niro", 2, {}},
        {FindMode::Directors, "michael mann", 5, {"CineLedger: Heat"}},
        {FindMode::Directors, std::string(120, 'x'), 1, {}},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.text);
        EXPECT_EQ(FindTrack(c, List(), t.mode, t.text, t.level), FindTrackOutcome::ShowResults);
        const ImdbQuery& q = c.imdb.query;
        EXPECT_EQ(q.searchKind, t.mode == FindMode::Actors ? ImdbQuery::kActorSearch : ImdbQuery::kDirectorSearch);
        EXPECT_EQ(q.sensitivity, t.level);
        EXPECT_EQ(t.mode == FindMode::Actors ? q.actorText : q.directorText, t.text.substr(0, 99));
        EXPECT_EQ(c.imdb.RunQuery(), t.keys);
    }
}

TEST_F(DialogLogicTest, ADoubleClickedResultBecomesTheCurrentMovieWithItsDetails) {
    c.comments.Set("Heat", "Best shoot-out.");
    c.history.AddOrUpdate("Heat", "2003/1/5", "2");
    MediaFields media;
    media.format = "MPEG-4";
    c.media.AddOrReplace("Heat", media);
    const CurrentMovie& m = W().state.currentMovie;
    OpenResultMovieInfo(c, W().state, dialogs, "CineLedger: Heat");
    EXPECT_EQ(dialogs.opened, std::vector<int>{125});
    EXPECT_EQ(Lines({*m.title, *m.location, *m.comments, *m.dateOfEntry, *m.views}),
              Lines({"Heat", "MIKE", "Best shoot-out.", "2003/1/5", "2"}));
    EXPECT_EQ(m.number, 4);
    EXPECT_EQ(W().state.currentMedia.fields.format, "MPEG-4");
    // The next movie has none of these: nothing of Heat stays behind.
    OpenResultMovieInfo(c, W().state, dialogs, "CineLedger: Alien");
    EXPECT_EQ(m.location, "Indeterminate") << "an empty location is shown so";
    EXPECT_FALSE(m.comments || m.dateOfEntry || W().state.currentMedia.fields.format);
    // A result whose movie is gone keeps its title, with no number and so no other movie's cover.
    OpenResultMovieInfo(c, W().state, dialogs, "CineLedger: Casablanca");
    EXPECT_EQ(m.title, "Casablanca");
    EXPECT_EQ(m.number, 0);
    EXPECT_EQ(ResultLineTitle("CineLedger: CineLedger: Heat"), "CineLedger: Heat");
    EXPECT_EQ(ResultLineTitle("Heat"), "");
}

// ---- The lock ----

TEST_F(DialogLogicTest, TheRightPasswordOpensTheLockAndShowsTheCategoryErotic) {
    c.password = "Secret";
    List().Show(View::Upcoming());
    for (const char* wrong : {"secret", "", "Secret1"}) {
        c.eroticVisible = true;
        EXPECT_FALSE(EnterPassword(c, List(), wrong)) << wrong;
        EXPECT_FALSE(c.eroticVisible);
        EXPECT_EQ(c.settings.viewMode, 0);
        EXPECT_EQ(ui.mark, ViewMark::Upcoming) << "a wrong password leaves the list as it is";
    }
    EXPECT_TRUE(EnterPassword(c, List(), "Secret"));
    EXPECT_EQ(c.settings.viewMode, 1);
    EXPECT_EQ(ui.mark, ViewMark::None);
    EXPECT_EQ(box.lines, Lines{"Emmanuelle"});
    EXPECT_EQ(ui.status.caption, "Erotic");
}

TEST(PasswordChange, SetsThePasswordOnlyWhenTheRulesAreMet) {
    using O = PasswordChangeOutcome;
    const struct {
        const char *before, *current, *typed, *confirmation;
        O outcome;
        const char* after;
    } cases[] = {
        {"nolockx", "", "abc", "abc", O::FirstSet, "abc"},
        {"nolockx", "", "", "", O::FirstSet, ""},
        {"nolockx", "", "abc", "ABC", O::Mismatch, "nolockx"},
        {"secret", "secret", "newpw", "newpw", O::Changed, "newpw"},
        {"secret", "Secret", "newpw", "newpw", O::Mismatch, "secret"},
        {"secret", "secret", "newpw", "newpx", O::Mismatch, "secret"},
        {"secret", "secret", "", "", O::Mismatch, "secret"},
        {"NOLOCKX", "", "abc", "abc", O::Mismatch, "NOLOCKX"},
        {"nolockx", "nolockx", "abc", "abc", O::Changed, "abc"},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(std::string(t.before) + "/" + t.current + "/" + t.typed);
        Collection c;
        c.password = t.before;
        EXPECT_EQ(ChangePassword(c, t.current, t.typed, t.confirmation), t.outcome);
        EXPECT_EQ(c.password, t.after);
        EXPECT_FALSE(c.eroticVisible) << "a password never opens the lock by itself";
    }
    Collection c;
    for (const auto& [password, asks, focus] : {std::tuple{"nolockx", false, PasswordField::New},
                                                {"NoLockX", false, PasswordField::Current},
                                                {"secret", true, PasswordField::Current}}) {
        c.password = password;
        EXPECT_EQ(AsksCurrentPassword(c), asks) << password;
        EXPECT_EQ(MismatchFocus(c), focus) << password;
        EXPECT_EQ(RatedXPasswordDialog(c), asks ? SimpleDialog::PasswordEntry : SimpleDialog::PasswordChange);
    }
}

// ---- Settings ----

TEST_F(DialogLogicTest, SettingsShowEachSwitchThatIsOneAndApplyWritesThem) {
    AppSettings s;
    s.viewMode = 1;
    s.autoBackup = 1;
    s.autoImdb = 7;  // read from a file as it stood; only 1 ticks the box
    EXPECT_EQ(SettingsOnOpening(s), (SettingsChoice{true, false, false, true, false, false}));
    const std::pair<SettingsChoice, const char*> cases[] = {
        {{false, true, true, true, true, true}, "0\r\n1\r\n1\r\n1\r\n1\r\n1"},
        {{true, true, false, false, true, false}, "1\r\n1\r\n0\r\n0\r\n1\r\n0"},
    };
    for (const auto& [choice, file] : cases) {
        std::string error;
        EXPECT_TRUE(ApplySettings(c, List(), choice, writer, dir.string() + "/", error)) << error;
        EXPECT_EQ(writer.files["Settings.dat"], file);
        EXPECT_EQ(SettingsOnOpening(c.settings), choice);
    }
    writer.failing = {"Settings.dat"};
    std::string error;
    EXPECT_FALSE(ApplySettings(c, List(), SettingsChoice{false, false, true}, writer, dir.string() + "/", error));
    EXPECT_EQ(c.settings.autoSave, 1) << "the options apply for this run all the same";
}

TEST_F(DialogLogicTest, Pg13RefillsOnlyTheMainListAndItsFilteredViewsAndKeepsTheMarks) {
    const struct {
        View view;
        ViewMark mark;
        const char* caption;
    } cases[] = {
        {View::Main(), ViewMark::Main, "Main Movie List"},
        {View::ByPresence(false), ViewMark::None, "Main Movie List"},
        {View::Upcoming(), ViewMark::Upcoming, "Upcoming Movie List"},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.caption);
        c.eroticVisible = true;
        List().Show(t.view);
        std::string error;
        ASSERT_TRUE(ApplySettings(c, List(), SettingsChoice{}, writer, dir.string() + "/", error));
        EXPECT_FALSE(c.eroticVisible);
        EXPECT_EQ(ui.status.caption, t.caption);
        EXPECT_EQ(ui.mark, t.mark);
    }
    // Rated-X chosen while the lock is closed falls back the same way; while it is open it stays.
    List().Show(View::Upcoming());
    EXPECT_FALSE(RatedXAfterPassword(c, List()));
    EXPECT_EQ(box.lines, (Lines{"Alien", "Aliens", "Heat", "Ronin"}));
    c.eroticVisible = true;
    EXPECT_TRUE(RatedXAfterPassword(c, List()));
}

// ---- Main Locations, Category Search, Quarantine ----

TEST_F(DialogLogicTest, MainLocationsAndCategorySearchShowTheirViewsOfTheMainList) {
    List().Show(View::Upcoming());
    ShowMainByLocation(List(), "Mike");
    EXPECT_EQ(ui.mark, ViewMark::Main);
    EXPECT_EQ(box.lines, Lines{"Heat"});
    EXPECT_EQ(ui.status, (StatusTexts{"Mike", "Number of Movies: 1", "1"}));
    ShowMainByLocation(List(), std::string(40, 'L'));
    EXPECT_EQ(ui.status.caption, std::string(30, 'L'));

    ShowMainByCategory(List(), "Crime");
    EXPECT_EQ(ui.mark, ViewMark::None);
    EXPECT_EQ(box.lines, (Lines{"Heat", "Ronin"}));
    ShowMainByCategory(List(), "Erotic");
    EXPECT_TRUE(box.lines.empty());
    ShowMainByCategory(List(), std::string(29, 'C') + "rime");
    EXPECT_EQ(ui.status.caption, std::string(29, 'C'));

    QuarantineList quarantine;
    for (const char* title : {"Howard the Duck", "Gigli"}) quarantine.Add(title);
    EXPECT_EQ(QuarantineLines(quarantine), (Lines{"Gigli", "Howard the Duck"}));
    EXPECT_EQ(QuarantineRemoveQuestion("Gigli"), "Remove \"Gigli\" From Quarantine?");
}

}  // namespace
}  // namespace cl::test
