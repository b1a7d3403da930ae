// The main window's commands and views, driven through the shell stand-in.
#include "app/MainShell.h"

#include <gtest/gtest.h>

#include <fstream>

#include "model/GimmeFile.h"
#include "res/ResourceIds.h"
#include "tests/unit/ShellFakes.h"

namespace cl::test {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

class MainShellTest : public ::testing::Test, public ShellFixture {
  protected:
    void Put(const std::string& name, const std::string& bytes) {
        std::ofstream(dir / name, std::ios::binary) << bytes;
    }
    void FillCollection() {
        Add("Alien", "Horror", "Present", "Default", 1);
        Add("Emmanuelle", "EROTIC", "Present", "Default", 2);
        Add("Heat", "Crime", "Absent", "Mike", 3);
        AddUpcoming("Gladiator", "Video Store");
        AddGimmeTitleWithLocation(c.internalGimme, "Vertigo", "Jim");
    }
    void Run(int command) { shell.Execute(command); }
    std::vector<int> Opened() const { return dialogs.opened; }
};

TEST_F(MainShellTest, ViewCommandsFillTheListAndSetCaptionCountAndMark) {
    FillCollection();
    const struct {
        int command;
        ViewMark mark;
        const char* caption;
        Lines lines;
    } cases[] = {
        {IDM_UPCOMING_LIST, ViewMark::Upcoming, "Upcoming Movie List", {"Gladiator"}},
        {IDM_INTERNAL_GIMME, ViewMark::InternalGimme, "Gimme List", {"Vertigo"}},
        {IDM_IMPORTED_GIMME, ViewMark::ImportedGimme, "Gimme Import-> None", {}},
        {IDM_PRESENT, ViewMark::None, "Present", {"Alien"}},
        {IDM_ABSENT, ViewMark::None, "Absent", {"Heat"}},
        {IDM_MAIN_LIST, ViewMark::Main, "Main Movie List", {"Alien", "Heat"}},
    };
    for (const auto& view : cases) {
        SCOPED_TRACE(view.caption);
        Run(view.command);
        EXPECT_EQ(ui.mark, view.mark);
        EXPECT_EQ(box.lines, view.lines);
        EXPECT_EQ(ui.status, (StatusTexts{view.caption, "Number of Movies: " + std::to_string(view.lines.size()),
                                          view.lines.empty() ? "" : "1"}));
    }
}

TEST_F(MainShellTest, OnlyTheMarkedCommandsCloseTheLogo) {
    Run(IDM_MAIN_LIST);
    EXPECT_TRUE(shell.LogoOpen());
    Run(IDC_MENU_BUTTON);
    EXPECT_FALSE(shell.LogoOpen());
    EXPECT_EQ(ui.menus, 1);
    Run(IDC_VIEW_BUTTON);
    EXPECT_EQ(ui.logoCloses, 1) << "closed once, for good";
}

TEST_F(MainShellTest, EroticMoviesFollowTheLockAndCtrlGClosesItInMemoryOnly) {
    FillCollection();
    c.eroticVisible = true;
    c.settings.viewMode = 1;
    Run(IDM_PRESENT);
    EXPECT_EQ(box.lines, (Lines{"Alien", "Emmanuelle"}));
    Run(IDM_HIDE_EROTIC);
    EXPECT_FALSE(c.eroticVisible);
    EXPECT_EQ(c.settings.viewMode, 0);
    EXPECT_EQ(box.lines, (Lines{"Alien", "Heat"})) << "the View button's refill: the whole Main Movie List";
    EXPECT_TRUE(writer.files.empty()) << "\"Settings.dat\" keeps its view mode";
}

TEST_F(MainShellTest, OnlyTheMarkChangingKeepsTheMeaningOfTheLines) {
    EXPECT_EQ(WithMark(View::OfCategory("Crime"), ViewMark::Main), View::AtLocation("Crime"));
    EXPECT_EQ(WithMark(View::ByPresence(true), ViewMark::Main), View::AtLocation("Present"));
    EXPECT_EQ(WithMark(View::Main(), ViewMark::None), View::OfCategory("Main Movie List"));
    EXPECT_EQ(WithMark(View::Main(), ViewMark::Upcoming), View::Upcoming());
    EXPECT_EQ(WithMark(View::AtLocation("Mike"), ViewMark::Main), View::AtLocation("Mike"));
}

TEST_F(MainShellTest, ImportedGimmeCaptionNamesTheSenderAndClosingShowsTheMainList) {
    AddGimmeTitleWithLocation(c.importedGimme, "Rope", "Hitch");
    AddGimmeTitleWithLocation(c.importedGimme, "Psycho", "Hitch");
    Run(IDM_IMPORTED_GIMME);
    EXPECT_EQ(ui.status.caption, "Gimme Import-> Hitch");
    Run(IDC_FIND_BUTTON);
    EXPECT_EQ(ui.status.caption, "Gimme Import-> Hitch");
    EXPECT_EQ(ui.status.selection, "") << "Find clears the selection count before its dialog";
    EXPECT_EQ(Opened(), std::vector<int>{110});
    EXPECT_EQ(box.focus, 2) << "the view, then the list after Find, as something is selected";
    Run(IDM_CLOSE_IMPORTED_GIMME);
    EXPECT_TRUE(c.importedGimme.Empty());
    EXPECT_EQ(ui.status.caption, "Main Movie List");
}

TEST_F(MainShellTest, AddMoviesRefusesGimmeViewsAndAddsToMainAfterAFilteredView) {
    Run(IDM_INTERNAL_GIMME);
    Run(IDC_ADD_BUTTON);
    EXPECT_EQ(
        Prompts().messages,
        (std::vector<Box>{{"You Can Not Manually Add Movies to the Gimme List.", "Gimme Error", MessageIcon::Stop}}));
    EXPECT_TRUE(dialogs.addEdits.empty());
    Run(IDM_PRESENT);
    Run(IDC_ADD_BUTTON);
    EXPECT_EQ(ui.mark, ViewMark::Main);
    EXPECT_EQ(dialogs.addEdits.back().mode, AddEditMode::AddMain);
    Run(IDM_UPCOMING_LIST);
    Run(IDC_ADD_BUTTON);
    EXPECT_EQ(dialogs.addEdits.back().mode, AddEditMode::AddUpcoming);
    EXPECT_EQ(ui.mark, ViewMark::Upcoming);
}

TEST_F(MainShellTest, SaveAsksAndWritesEveryStoreInOrderOnlyOnYes) {
    FillCollection();
    Run(IDM_SAVE);
    EXPECT_EQ(Prompts().questions.back(), (Box{"Save Changes, mmm?", "Confirmation", MessageIcon::Question}));
    EXPECT_TRUE(writer.order.empty());
    Prompts().answers = {true};
    Run(IDM_SAVE);
    EXPECT_EQ(writer.order, (Lines{"CineLedger.dat", "Quarantine.dat", "Gimme.dat", "IMDb.dat", "Comments.dat",
                                   "History.dat", "Media.dat"}));
}

TEST_F(MainShellTest, ShutDownQuestions) {
    c.settings.autoSave = 1;
    EXPECT_TRUE(shell.ConfirmClose());
    EXPECT_TRUE(Prompts().questions.empty());
    EXPECT_EQ(writer.order.size(), 7u) << "Auto-Save saves without asking";
    writer.order.clear();

    c.settings.autoSave = 0;
    EXPECT_FALSE(shell.ConfirmClose()) << "No to \"Exit, mmm?\" goes on";
    EXPECT_EQ(Prompts().questions.back().text, "Exit, mmm?");
    Prompts().answers = {true, false};
    EXPECT_TRUE(shell.ConfirmClose());
    EXPECT_EQ(Prompts().questions.back().text, "Save Changes, mmm?");
    EXPECT_TRUE(writer.order.empty());
    Prompts().answers = {true, true};
    EXPECT_TRUE(shell.ConfirmClose());
    EXPECT_EQ(writer.order.size(), 7u);
}

TEST_F(MainShellTest, BackupAndLoadBackup) {
    Put("CineLedger.dat", "saved state");
    FillCollection();
    Prompts().answers = {true};
    Run(IDM_BACKUP);
    EXPECT_EQ(writer.files["CineLedger.bak"], "saved state") << "the files on disk, not the unsaved changes";

    Prompts().answers = {true};
    Run(IDM_LOAD_BACKUP);
    EXPECT_EQ(Prompts().messages.back(), (Box{"Backup File Does Not Exist!", "Error", MessageIcon::Exclamation}));
    EXPECT_EQ(c.main.Count(), 3u) << "nothing freed without a backup";

    Put("CineLedger.bak", "CineLedger v3.15\r\nRope|Default|Thriller|Present|DVD|1\r\nend|nolockx\r\nend|\r\nend");
    Run(IDM_INTERNAL_GIMME);
    Prompts().answers = {true};
    Run(IDM_LOAD_BACKUP);
    EXPECT_EQ(box.lines, Lines{"Rope"});
    EXPECT_EQ(ui.mark, ViewMark::Main);
    EXPECT_TRUE(c.internalGimme.Empty()) << "a store without a backup file is left empty";
}

TEST_F(MainShellTest, DeleteGimmeListRemovesTheFileAtOnce) {
    FillCollection();
    Put("Gimme.dat", "Vertigo\r\nend");
    Run(IDM_DELETE_GIMME);
    EXPECT_TRUE(fs::exists(dir / "Gimme.dat")) << "No keeps it";
    Prompts().answers = {true};
    Run(IDM_DELETE_GIMME);
    EXPECT_EQ(desktop.beeps, 2);
    EXPECT_FALSE(fs::exists(dir / "Gimme.dat"));
    EXPECT_TRUE(c.internalGimme.Empty());
    EXPECT_EQ(ui.status, (StatusTexts{"Gimme List", "Number of Movies: 0", ""}));
}

TEST_F(MainShellTest, SendAndImportCommandsRefuseWhatCannotBeDone) {
    Run(IDM_SEND_MAIN_LIST);
    Run(IDM_SEND_GIMME);
    Run(IDM_SAVE_IMPORTED_GIMME);
    AddGimmeTitleWithLocation(c.importedGimme, "Rope", "Hitch");
    Run(IDM_IMPORT_GIMME);
    EXPECT_EQ(Prompts().messages,
              (std::vector<Box>{{"Your Movie List is Empty.  Unable to Send.", "", MessageIcon::Stop},
                                {"Your Gimme List is Empty.  Unable to Send.", "Gimme Error", MessageIcon::Stop},
                                {"There Is No Imported List to Save.", "Error", MessageIcon::Exclamation},
                                {"Only One Gimme List At a Time! To Open a New Gimme List Close Existing One First.",
                                 "Error", MessageIcon::Exclamation}}));
    EXPECT_FALSE(W().state.movieListSendPending || W().state.gimmeSendPending);
    FillCollection();
    Run(IDM_SEND_MAIN_LIST);
    Run(IDM_SEND_GIMME);
    EXPECT_TRUE(W().state.movieListSendPending && W().state.gimmeSendPending);
    EXPECT_EQ(Opened(), (std::vector<int>{123, 123}));
}

TEST_F(MainShellTest, InternetCheckBeforeTheLogoPageAndTheServer) {
    shell.SetHomePage("http://skins.example/");
    desktop.connected = false;
    Run(IDC_LOGO);  // No: the logo click ends
    EXPECT_EQ(Prompts().questions.back(), (Box{"Connect to the Internet?", "CineLedger", MessageIcon::Question}));
    Run(IDM_START_SERVER);  // No: the server dialog opens all the same
    EXPECT_EQ(Opened(), std::vector<int>{121});
    desktop.connected = true;
    Run(IDC_LOGO);
    EXPECT_EQ(desktop.opened, Lines{"http://skins.example/"});
}

TEST_F(MainShellTest, StartUpLoadsStoresSettingsAndMakesTheCoversFolder) {
    Put("CineLedger.dat", "CineLedger v3.15\r\nAlien|Default|Horror|Present|DVD|1\r\nend|pw\r\nend|\r\nend");
    Put("Settings.dat", "1\r\n1\r\n0\r\n1\r\n0\r\n0");
    shell.LoadAtStart();
    EXPECT_EQ(c.main.Count(), 1u);
    EXPECT_EQ(c.password, "pw");
    EXPECT_TRUE(c.eroticVisible);
    EXPECT_TRUE(fs::is_directory(dir / "Covers"));
    EXPECT_EQ(writer.files.count("CineLedger.bak"), 1u) << "Auto-Backup at start";
    EXPECT_EQ(ui.mark, ViewMark::Main);
}

}  // namespace
}  // namespace cl::test
