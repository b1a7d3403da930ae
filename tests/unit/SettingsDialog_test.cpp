// The Settings dialog's decisions: what it shows, where choosing Rated-X leads, and what Apply changes and writes.
#include "ui/SettingsDialog.h"

#include <gtest/gtest.h>

#include <map>

#include "model/ListOperations.h"
#include "res/ResourceIds.h"
#include "tests/unit/ShellFakes.h"

namespace cl::test {
namespace {

using Lines = std::vector<std::string>;

class SettingsDialogTest : public ::testing::Test, public ShellFixture {
  protected:
    void SetUp() override {
        InsertMainMovie(c.main, {"Alien", "Horror", "Present", "Default", "DVD"}, 1);
        InsertMainMovie(c.main, {"Emmanuelle", "Erotic", "Present", "Default", "VHS"}, 2);
        InsertMainMovie(c.main, {"Heat", "Crime", "Absent", "Mike", "DVD"}, 3);
        InsertUpcomingMovie(c.upcoming, "Gladiator", "@", "Video Store");
        c.settings = DefaultSettings();
    }

    std::string Written() {
        auto it = writer.files.find("Settings.dat");
        return it == writer.files.end() ? "(not written)" : it->second;
    }
};

TEST(SettingsOpening, ShowsEachSwitchThatIsOne) {
    AppSettings s;
    s.viewMode = 1;
    s.formatConversion = 1;
    s.autoSave = 0;
    s.autoBackup = 1;
    s.autoImdb = 7;  // read from a file as it stood; only 1 ticks the box
    s.titleCorrection = 1;
    EXPECT_EQ(SettingsOnOpening(s), (SettingsChoice{true, true, false, true, false, true}));
    EXPECT_EQ(SettingsOnOpening(AppSettings{}), SettingsChoice{});
}

TEST(SettingsRatedX, AsksForAFirstPasswordWhileThereIsNone) {
    Collection c;
    const std::pair<const char*, SimpleDialog> cases[] = {{"nolockx", SimpleDialog::PasswordChange},
                                                         {"NOLOCKX", SimpleDialog::PasswordChange},
                                                         {"secret", SimpleDialog::PasswordEntry},
                                                         {"", SimpleDialog::PasswordEntry}};
    for (const auto& [password, dialog] : cases) {
        c.password = password;
        EXPECT_EQ(RatedXPasswordDialog(c), dialog) << password;
    }
}

TEST_F(SettingsDialogTest, RatedXStaysWhileTheLockIsOpen) {
    c.eroticVisible = true;
    c.settings.viewMode = 1;
    List().Show(View::OfCategory("Erotic"));
    EXPECT_TRUE(RatedXAfterPassword(c, List()));
    EXPECT_EQ(ui.status.caption, "Erotic") << "the main window keeps the erotic movies";
    EXPECT_EQ(c.settings.viewMode, 1);
}

TEST_F(SettingsDialogTest, RatedXFallsBackToTheWholeMainListWhileTheLockIsClosed) {
    shell.Execute(IDM_UPCOMING_LIST);
    c.settings.viewMode = 1;
    EXPECT_FALSE(RatedXAfterPassword(c, List()));
    EXPECT_EQ(c.settings.viewMode, 0);
    EXPECT_EQ(box.lines, (Lines{"Alien", "Heat"}));
    EXPECT_EQ(ui.status.caption, "Main Movie List");
    EXPECT_EQ(ui.status.count, "Number of Movies: 2");
    EXPECT_TRUE(writer.files.empty()) << "nothing is written before Apply";
}

TEST_F(SettingsDialogTest, ApplyWritesTheViewModeAndTheFiveSwitches) {
    struct Case {
        SettingsChoice choice;
        const char* file;
    };
    const Case cases[] = {
        {{false, false, false, false, false, false}, "0\r\n0\r\n0\r\n0\r\n0\r\n0"},
        {{false, true, true, true, true, true}, "0\r\n1\r\n1\r\n1\r\n1\r\n1"},
        {{true, true, false, false, true, false}, "1\r\n1\r\n0\r\n0\r\n1\r\n0"},
        {{false, false, true, false, false, true}, "0\r\n0\r\n1\r\n0\r\n0\r\n1"},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.file);
        std::string error;
        EXPECT_TRUE(ApplySettings(c, List(), t.choice, writer, dir.string() + "/", error)) << error;
        EXPECT_EQ(Written(), t.file);
        EXPECT_EQ(SettingsOnOpening(c.settings), t.choice) << "the options in memory are the ones written";
    }
}

TEST_F(SettingsDialogTest, ApplyingPg13ClosesTheLockAndRefillsOnlyTheMainListAndItsFilteredViews) {
    struct Case {
        const char* name;
        int command;
        ViewMark mark;
        const char* caption;
        Lines lines;
    };
    const Case cases[] = {
        {"Main view", IDM_MAIN_LIST, ViewMark::Main, "Main Movie List", {"Alien", "Heat"}},
        {"presence view", IDM_ABSENT, ViewMark::None, "Main Movie List", {"Alien", "Heat"}},
        {"Upcoming view", IDM_UPCOMING_LIST, ViewMark::Upcoming, "Upcoming Movie List", {"Gladiator"}},
        {"Gimme view", IDM_INTERNAL_GIMME, ViewMark::InternalGimme, "Gimme List", {}},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.name);
        c.eroticVisible = true;
        c.settings.viewMode = 1;
        shell.Execute(t.command);
        std::string error;
        ASSERT_TRUE(ApplySettings(c, List(), SettingsChoice{}, writer, dir.string() + "/", error));
        EXPECT_FALSE(c.eroticVisible);
        EXPECT_EQ(c.settings.viewMode, 0);
        EXPECT_EQ(ui.status.caption, t.caption);
        EXPECT_EQ(box.lines, t.lines);
        EXPECT_EQ(ui.mark, t.mark) << "the View menu marks stay as they are";
    }
}

TEST_F(SettingsDialogTest, ApplyingRatedXKeepsTheViewShown) {
    c.eroticVisible = true;
    List().Show(View::OfCategory("Erotic"));
    const int fills = box.fills;
    std::string error;
    ASSERT_TRUE(ApplySettings(c, List(), SettingsChoice{true}, writer, dir.string() + "/", error));
    EXPECT_EQ(box.fills, fills);
    EXPECT_TRUE(c.eroticVisible);
    EXPECT_EQ(c.settings.viewMode, 1);
}

TEST_F(SettingsDialogTest, AFailedWriteStillAppliesTheOptionsForThisRun) {
    writer.failing = {"Settings.dat"};
    std::string error;
    EXPECT_FALSE(ApplySettings(c, List(), SettingsChoice{false, false, true}, writer, dir.string() + "/", error));
    EXPECT_EQ(error, "disk full");
    EXPECT_EQ(c.settings.autoSave, 1);
    EXPECT_EQ(c.settings.formatConversion, 0);
}

}  // namespace
}  // namespace cl::test
