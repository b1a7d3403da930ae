// The main window's commands and views, driven through a recording stand-in for the window.
#include "app/MainShell.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>

#include "model/GimmeFile.h"
#include "res/ResourceIds.h"

namespace cl {
namespace {

namespace fs = std::filesystem;

// Records what the commands do to the window; questions are answered from a queue (an empty queue answers No).
class FakeUi : public ShellUi {
  public:
    struct Box {
        std::string text;
        std::string caption;
        MessageIcon icon;
        bool operator==(const Box&) const = default;
    };

    void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override {
        messages.push_back({std::string(text), std::string(caption), icon});
    }
    bool Ask(std::string_view text, std::string_view caption) override {
        questions.push_back({std::string(text), std::string(caption), MessageIcon::Question});
        if (answers.empty()) return false;
        bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void Beep() override { ++beeps; }
    int FillList(const ListBoxFill& fill) override {
        lines.assign(fill.titles.begin(), fill.titles.end());
        ++fills;
        return static_cast<int>(lines.size());
    }
    void ClearList() override { lines.clear(); }
    void SelectFirstLine() override { selected = lines.empty() ? 0 : 1; }
    int SelectedLineCount() override { return selected; }
    void FocusList() override { ++focus; }
    int LineCount() override { return static_cast<int>(lines.size()); }
    std::string LineText(int index) override { return lines.at(static_cast<std::size_t>(index)); }
    std::vector<int> SelectedLines() override { return selected ? std::vector<int>{0} : std::vector<int>{}; }
    int CurrentLine() override { return lines.empty() ? -1 : 0; }
    void SelectOnlyLine(int) override { selected = 1; }
    int FindLineExact(std::string_view) override { return -1; }
    int FindLineStartingWith(std::string_view) override { return -1; }
    void DeleteLine(int index) override { lines.erase(lines.begin() + index); }
    void ReplaceLine(int index, std::string_view text) override { lines.at(static_cast<std::size_t>(index)) = text; }
    void ShowStatus(const StatusTexts& s) override { status = s; }
    void ShowViewMark(ViewMark m) override { mark = m; }
    void CloseLogo() override { ++logoClosed; }
    void ShowMainMenu() override { ++menus; }
    void Minimize() override { ++minimized; }
    void RequestClose() override { ++closeRequests; }
    void OpenDialog(ShellDialog dialog) override { dialogs.push_back(dialog); }
    bool IsConnected() override { return connected; }
    bool AttemptConnect() override {
        ++connectAttempts;
        return connectWorks;
    }
    void OpenWithShell(std::string_view target) override { opened.emplace_back(target); }

    std::deque<bool> answers;
    std::vector<Box> messages;
    std::vector<Box> questions;
    std::vector<std::string> lines;
    std::vector<ShellDialog> dialogs;
    std::vector<std::string> opened;
    StatusTexts status;
    ViewMark mark = ViewMark::Main;
    int beeps = 0, fills = 0, selected = 0, focus = 0, logoClosed = 0, menus = 0, minimized = 0, closeRequests = 0;
    int connectAttempts = 0;
    bool connected = true;
    bool connectWorks = true;
};

class MainShellTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("cl-shell-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        shell_ = std::make_unique<MainShell>(c_, dir_.string() + "/", ui_, DefaultFileWriter());
    }
    void TearDown() override { fs::remove_all(dir_); }

    void Put(const std::string& name, const std::string& bytes) {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
    }
    void FillCollection() {
        InsertMainMovie(c_.main, "Alien", "Horror", "Present", "Default", "DVD", 1);
        InsertMainMovie(c_.main, "Emmanuelle", "EROTIC", "Present", "Default", "VHS", 2);
        InsertMainMovie(c_.main, "Heat", "Crime", "Absent", "Mike", "DVD", 3);
        InsertUpcomingMovie(c_.upcoming, "Gladiator", "@", "Video Store");
        AddGimmeTitleWithLocation(c_.internalGimme, "Vertigo", "Jim");
    }
    using Lines = std::vector<std::string>;

    fs::path dir_;
    Collection c_;
    FakeUi ui_;
    std::unique_ptr<MainShell> shell_;
};

TEST_F(MainShellTest, ViewCommandsFillTheListAndSetCaptionCountAndMark) {
    FillCollection();
    struct Case {
        int command;
        ViewMark mark;
        const char* caption;
        Lines lines;
    };
    const Case cases[] = {
        {IDM_UPCOMING_LIST, ViewMark::Upcoming, "Upcoming Movie List", {"Gladiator"}},
        {IDM_INTERNAL_GIMME, ViewMark::InternalGimme, "Gimme List", {"Vertigo"}},
        {IDM_IMPORTED_GIMME, ViewMark::ImportedGimme, "Gimme Import-> None", {}},
        {IDM_PRESENT, ViewMark::None, "Present", {"Alien"}},
        {IDM_ABSENT, ViewMark::None, "Absent", {"Heat"}},
        {IDM_MAIN_LIST, ViewMark::Main, "Main Movie List", {"Alien", "Heat"}},
    };
    for (const Case& view : cases) {
        SCOPED_TRACE(view.caption);
        ui_.lines = {"stale"};
        shell_->Execute(view.command);
        EXPECT_EQ(ui_.mark, view.mark);
        EXPECT_EQ(shell_->Mark(), view.mark);
        EXPECT_EQ(ui_.lines, view.lines);
        EXPECT_EQ(ui_.status.caption, view.caption);
        EXPECT_EQ(ui_.status.count, "Number of Movies: " + std::to_string(view.lines.size()));
        EXPECT_EQ(ui_.status.selection, view.lines.empty() ? "" : "1");
    }
}

TEST_F(MainShellTest, OnlyTheMarkedCommandsCloseTheLogo) {
    FillCollection();
    shell_->Execute(IDM_MAIN_LIST);  // no P: the menu button has closed it before any menu command
    EXPECT_TRUE(shell_->LogoOpen());
    EXPECT_EQ(ui_.logoClosed, 0);
    shell_->Execute(IDC_MENU_BUTTON);
    EXPECT_FALSE(shell_->LogoOpen());
    EXPECT_EQ(ui_.menus, 1);
    shell_->Execute(IDC_VIEW_BUTTON);
    EXPECT_EQ(ui_.logoClosed, 1) << "closed once, for good";
}

TEST_F(MainShellTest, ViewMoviesAfterAFilteredViewShowsTheMainList) {
    FillCollection();
    shell_->Execute(IDM_ABSENT);
    ASSERT_EQ(shell_->Mark(), ViewMark::None);
    shell_->Execute(IDC_VIEW_BUTTON);
    EXPECT_EQ(shell_->Mark(), ViewMark::Main);
    EXPECT_EQ(ui_.status.caption, "Main Movie List");
    EXPECT_EQ(ui_.lines, (Lines{"Alien", "Heat"}));
    EXPECT_GE(ui_.focus, 1);
}

TEST_F(MainShellTest, EroticMoviesFollowTheLockAndCtrlGClosesItInMemoryOnly) {
    FillCollection();
    c_.eroticVisible = true;
    c_.settings.viewMode = 1;
    shell_->Execute(IDM_PRESENT);
    EXPECT_EQ(ui_.lines, (Lines{"Alien", "Emmanuelle"}));
    shell_->Execute(IDM_HIDE_EROTIC);
    EXPECT_FALSE(c_.eroticVisible);
    EXPECT_EQ(c_.settings.viewMode, 0);
    EXPECT_EQ(ui_.lines, (Lines{"Alien", "Heat"}));
    EXPECT_FALSE(fs::exists(dir_ / "Settings.dat"));
}

TEST_F(MainShellTest, ByCategoryGuardsOnlyTheExactCategoryErotic) {
    FillCollection();
    InsertMainMovie(c_.main, "Caligula", "Erotic", "Present", "Default", "DVD", 4);
    shell_->ShowByCategory("Erotic");
    EXPECT_TRUE(ui_.lines.empty());
    EXPECT_EQ(ui_.status.caption, "Erotic");
    EXPECT_EQ(ui_.status.count, "Number of Movies: 0");
    EXPECT_EQ(shell_->Mark(), ViewMark::None);
    // Another spelling is not guarded: the by-category filling shows what it is asked for.
    shell_->ShowByCategory("EROTIC");
    EXPECT_EQ(ui_.lines, (Lines{"Caligula", "Emmanuelle"}));
    c_.eroticVisible = true;
    shell_->ShowByCategory("Erotic");
    EXPECT_EQ(ui_.lines, (Lines{"Caligula", "Emmanuelle"}));
}

TEST_F(MainShellTest, ImportedGimmeCaptionNamesTheSender) {
    AddGimmeTitleWithLocation(c_.importedGimme, "Rope", "Hitch");
    AddGimmeTitleWithLocation(c_.importedGimme, "Psycho", "Hitch");
    shell_->Execute(IDM_IMPORTED_GIMME);
    EXPECT_EQ(ui_.status.caption, "Gimme Import-> Hitch");
    EXPECT_EQ(ui_.lines.size(), 2u);
    // Find Movies in that view keeps it, with the same caption.
    shell_->Execute(IDC_FIND_BUTTON);
    EXPECT_EQ(ui_.status.caption, "Gimme Import-> Hitch");
    EXPECT_EQ(ui_.status.selection, "") << "Find clears the selection count before its dialog";
    EXPECT_EQ(ui_.dialogs.back(), ShellDialog::Find);
    // Closing it shows the Main Movie List.
    shell_->Execute(IDM_CLOSE_IMPORTED_GIMME);
    EXPECT_TRUE(c_.importedGimme.Empty());
    EXPECT_EQ(ui_.status.caption, "Main Movie List");
    EXPECT_EQ(shell_->Mark(), ViewMark::Main);
}

TEST_F(MainShellTest, FindGivesTheListTheFocusOnlyWhenSomethingIsSelected) {
    shell_->Execute(IDC_FIND_BUTTON);
    EXPECT_EQ(ui_.focus, 0) << "an empty list has nothing selected";
    // With movies the refresh before the dialog selects the first line, so the list gets the focus afterwards.
    FillCollection();
    shell_->Execute(IDC_FIND_BUTTON);
    EXPECT_EQ(ui_.focus, 1);
}

TEST_F(MainShellTest, AddMoviesRefusesGimmeViewsAndMarksMainAfterAFilteredView) {
    shell_->Execute(IDM_INTERNAL_GIMME);
    shell_->Execute(IDC_ADD_BUTTON);
    ASSERT_EQ(ui_.messages.size(), 1u);
    EXPECT_EQ(ui_.messages[0], (FakeUi::Box{"You Can Not Manually Add Movies to the Gimme List.", "Gimme Error",
                                            MessageIcon::Stop}));
    EXPECT_TRUE(ui_.dialogs.empty());

    shell_->Execute(IDM_PRESENT);
    shell_->editFlag = true;
    shell_->Execute(IDC_ADD_BUTTON);
    EXPECT_FALSE(shell_->editFlag);
    EXPECT_EQ(shell_->Mark(), ViewMark::Main);
    EXPECT_EQ(ui_.dialogs, (std::vector<ShellDialog>{ShellDialog::AddEdit}));

    shell_->Execute(IDM_UPCOMING_LIST);
    shell_->Execute(IDC_ADD_BUTTON);
    EXPECT_EQ(shell_->Mark(), ViewMark::Upcoming) << "adding from the Upcoming view keeps it";
}

TEST_F(MainShellTest, SaveAsksAndWritesEveryStoreOnlyOnYes) {
    FillCollection();
    shell_->Execute(IDM_SAVE);
    EXPECT_EQ(ui_.questions.back(), (FakeUi::Box{"Save Changes, mmm?", "Confirmation", MessageIcon::Question}));
    EXPECT_FALSE(fs::exists(dir_ / "CineLedger.dat"));
    ui_.answers = {true};
    shell_->Execute(IDM_SAVE);
    for (const char* name : {"CineLedger.dat", "Quarantine.dat", "Gimme.dat", "IMDb.dat", "Comments.dat",
                             "History.dat", "Media.dat"})
        EXPECT_TRUE(fs::exists(dir_ / name)) << name;
    EXPECT_TRUE(ui_.messages.empty()) << "a save reports nothing";
}

TEST_F(MainShellTest, ShutDownQuestions) {
    // Auto-Save: no question, saved.
    c_.settings.autoSave = 1;
    EXPECT_TRUE(shell_->ConfirmClose());
    EXPECT_TRUE(ui_.questions.empty());
    EXPECT_TRUE(fs::exists(dir_ / "CineLedger.dat"));
    fs::remove(dir_ / "CineLedger.dat");

    c_.settings.autoSave = 0;
    EXPECT_FALSE(shell_->ConfirmClose()) << "No to \"Exit, mmm?\" goes on";
    EXPECT_EQ(ui_.questions.size(), 1u);
    EXPECT_EQ(ui_.questions[0].text, "Exit, mmm?");
    EXPECT_EQ(ui_.focus, 1);

    ui_.answers = {true, false};
    EXPECT_TRUE(shell_->ConfirmClose());
    EXPECT_EQ(ui_.questions.back().text, "Save Changes, mmm?");
    EXPECT_FALSE(fs::exists(dir_ / "CineLedger.dat"));

    ui_.answers = {true, true};
    EXPECT_TRUE(shell_->ConfirmClose());
    EXPECT_TRUE(fs::exists(dir_ / "CineLedger.dat"));
}

TEST_F(MainShellTest, LoadBackupAsksChecksAndShowsTheMainList) {
    FillCollection();
    shell_->Execute(IDM_LOAD_BACKUP);  // No
    EXPECT_EQ(c_.main.Count(), 3u);

    ui_.answers = {true};
    shell_->Execute(IDM_LOAD_BACKUP);
    ASSERT_EQ(ui_.messages.size(), 1u);
    EXPECT_EQ(ui_.messages[0],
              (FakeUi::Box{"Backup File Does Not Exist!", "Error", MessageIcon::Exclamation}));
    EXPECT_EQ(c_.main.Count(), 3u) << "nothing freed without a backup";

    Put("CineLedger.bak", "CineLedger v3.15\r\nRope|Default|Thriller|Present|DVD|1\r\nend|nolockx\r\nend|\r\nend");
    shell_->Execute(IDM_INTERNAL_GIMME);
    ui_.answers = {true};
    shell_->Execute(IDM_LOAD_BACKUP);
    EXPECT_EQ(ui_.lines, (Lines{"Rope"}));
    EXPECT_EQ(ui_.status.caption, "Main Movie List");
    EXPECT_EQ(shell_->Mark(), ViewMark::Main);
    EXPECT_TRUE(c_.internalGimme.Empty()) << "a store without a backup file is left empty";
}

TEST_F(MainShellTest, BackupCopiesTheFilesOnDiskOnlyOnYes) {
    Put("CineLedger.dat", "saved state");
    FillCollection();  // unsaved changes are not what a backup copies
    shell_->Execute(IDM_BACKUP);
    EXPECT_FALSE(fs::exists(dir_ / "CineLedger.bak"));
    ui_.answers = {true};
    shell_->Execute(IDM_BACKUP);
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(dir_ / "CineLedger.bak", bytes));
    EXPECT_EQ(bytes, "saved state");
}

TEST_F(MainShellTest, DeleteGimmeListRemovesTheFileAtOnce) {
    FillCollection();
    Put("Gimme.dat", "Vertigo\r\nend");
    shell_->Execute(IDM_DELETE_GIMME);
    EXPECT_EQ(ui_.beeps, 1);
    EXPECT_TRUE(fs::exists(dir_ / "Gimme.dat")) << "No keeps it";
    ui_.answers = {true};
    shell_->Execute(IDM_DELETE_GIMME);
    EXPECT_FALSE(fs::exists(dir_ / "Gimme.dat"));
    EXPECT_TRUE(c_.internalGimme.Empty());
    EXPECT_EQ(shell_->Mark(), ViewMark::InternalGimme);
    EXPECT_EQ(ui_.status.caption, "Gimme List");
    EXPECT_EQ(ui_.status.count, "Number of Movies: 0");
}

TEST_F(MainShellTest, SendCommandsNeedAListAndSetTheirPendingFlag) {
    shell_->Execute(IDM_SEND_MAIN_LIST);
    shell_->Execute(IDM_SEND_GIMME);
    ASSERT_EQ(ui_.messages.size(), 2u);
    EXPECT_EQ(ui_.messages[0], (FakeUi::Box{"Your Movie List is Empty.  Unable to Send.", "", MessageIcon::Stop}));
    EXPECT_EQ(ui_.messages[1],
              (FakeUi::Box{"Your Gimme List is Empty.  Unable to Send.", "Gimme Error", MessageIcon::Stop}));
    EXPECT_FALSE(shell_->movieListSendPending || shell_->gimmeSendPending);

    FillCollection();
    shell_->Execute(IDM_SEND_MAIN_LIST);
    EXPECT_TRUE(shell_->movieListSendPending);
    shell_->Execute(IDM_SEND_GIMME);
    EXPECT_TRUE(shell_->gimmeSendPending);
    EXPECT_EQ(ui_.dialogs, (std::vector<ShellDialog>{ShellDialog::ExportSource, ShellDialog::ExportSource}));
}

TEST_F(MainShellTest, ImportedGimmeCommandsRefuseWhatCannotBeDone) {
    shell_->Execute(IDM_SAVE_IMPORTED_GIMME);
    AddGimmeTitleWithLocation(c_.importedGimme, "Rope", "Hitch");
    shell_->Execute(IDM_IMPORT_GIMME);
    ASSERT_EQ(ui_.messages.size(), 2u);
    EXPECT_EQ(ui_.messages[0].text, "There Is No Imported List to Save.");
    EXPECT_EQ(ui_.messages[1].text,
              "Only One Gimme List At a Time! To Open a New Gimme List Close Existing One First.");
    EXPECT_EQ(ui_.messages[1].icon, MessageIcon::Exclamation);
}

TEST_F(MainShellTest, InternetCheckBeforeTheLogoPageAndTheServer) {
    shell_->SetHomePage("http://skins.example/");
    ui_.connected = false;
    shell_->Execute(IDC_LOGO);  // No: the logo click ends
    EXPECT_EQ(ui_.beeps, 1);
    EXPECT_EQ(ui_.questions.back(), (FakeUi::Box{"Connect to the Internet?", "CineLedger", MessageIcon::Question}));
    EXPECT_TRUE(ui_.opened.empty());

    shell_->Execute(IDM_START_SERVER);  // No: the server dialog opens all the same
    EXPECT_EQ(ui_.dialogs, (std::vector<ShellDialog>{ShellDialog::ServerStatus}));

    ui_.connectWorks = false;
    ui_.answers = {true};
    shell_->Execute(IDC_LOGO);
    EXPECT_EQ(ui_.messages.back(), (FakeUi::Box{"Unable to Connect.", "CineLedger", MessageIcon::Stop}));
    EXPECT_TRUE(ui_.opened.empty());

    ui_.connected = true;
    shell_->Execute(IDC_LOGO);
    EXPECT_EQ(ui_.opened, (Lines{"http://skins.example/"}));
}

TEST_F(MainShellTest, DialogCommandsOpenTheirDialogs) {
    struct Case {
        int command;
        ShellDialog dialog;
    };
    const Case cases[] = {
        {IDC_EXTERNALS_BUTTON, ShellDialog::Externals}, {IDM_MAIN_LOCATIONS, ShellDialog::MainLocations},
        {IDM_ABOUT, ShellDialog::About},                {IDM_QUARANTINE, ShellDialog::Quarantine},
        {IDM_SHOW_EROTIC, ShellDialog::PasswordChange}, {IDM_CHANGE_PASSWORD, ShellDialog::PasswordChange},
        {IDM_UPCOMING_LOCATIONS, ShellDialog::UpcomingLocations},
        {IDM_READ_HELP, ShellDialog::ReadHelp},         {IDM_SETTINGS, ShellDialog::Settings},
        {IDM_PRINT, ShellDialog::Print},                {IDM_SKINS, ShellDialog::Skins},
        {IDM_BY_CATEGORY, ShellDialog::CategorySearch},
    };
    for (const Case& each : cases) {
        shell_->Execute(each.command);
        ASSERT_FALSE(ui_.dialogs.empty());
        EXPECT_EQ(ui_.dialogs.back(), each.dialog) << each.command;
    }
    // Once a password is set, Ctrl+X asks for it instead of for a first one.
    c_.password = "secret";
    shell_->Execute(IDM_SHOW_EROTIC);
    EXPECT_EQ(ui_.dialogs.back(), ShellDialog::PasswordEntry);
    c_.password = "NOLOCKX";
    shell_->Execute(IDM_SHOW_EROTIC);
    EXPECT_EQ(ui_.dialogs.back(), ShellDialog::PasswordChange);
}

TEST_F(MainShellTest, WindowCommandsAndTheTutorial) {
    shell_->Execute(IDC_CLOSE_BUTTON);
    shell_->Execute(IDM_EXIT);
    EXPECT_EQ(ui_.closeRequests, 2);
    shell_->Execute(IDC_MINIMIZE_BUTTON);
    EXPECT_EQ(ui_.minimized, 1);
    shell_->Execute(IDM_SKIN_TUTORIAL);
    EXPECT_EQ(ui_.opened, (Lines{dir_.string() + "/Skin Tutorial.html"}));
    for (int nothing : {5, 6, 7, 8, 9, 40000}) shell_->Execute(nothing);
    EXPECT_TRUE(ui_.messages.empty());
    EXPECT_EQ(ui_.fills, 0);
}

TEST_F(MainShellTest, StartUpLoadsStoresSettingsAndMakesTheCoversFolder) {
    Put("CineLedger.dat", "CineLedger v3.15\r\nAlien|Default|Horror|Present|DVD|1\r\nend|pw\r\nend|\r\nend");
    Put("Settings.dat", "1\r\n1\r\n0\r\n1\r\n0\r\n0");
    shell_->LoadAtStart("2026/12/5");
    EXPECT_EQ(c_.main.Count(), 1u);
    EXPECT_EQ(c_.password, "pw");
    EXPECT_TRUE(c_.eroticVisible);
    EXPECT_TRUE(fs::is_directory(dir_ / "Covers"));
    EXPECT_TRUE(fs::exists(dir_ / "CineLedger.bak")) << "Auto-Backup at start";
    EXPECT_EQ(ui_.mark, ViewMark::Main);
}

TEST_F(MainShellTest, StartUpWithoutSettingsUsesTheBuiltInValues) {
    shell_->LoadAtStart("2026/12/5");
    EXPECT_EQ(c_.settings, DefaultSettings());
    EXPECT_FALSE(c_.eroticVisible);
    EXPECT_FALSE(fs::exists(dir_ / "CineLedger.bak"));
}

}  // namespace
}  // namespace cl
