// The main window from outside: start-up with and without stores, the views, the save-all, backup and restore, the
// questions on leaving, and a skin that cannot be loaded.
#include <gtest/gtest.h>

#include "tests/e2e/ProgramTest.h"
#include "tests/e2e/Screenshot_win.h"

namespace cl::e2e {
namespace {

using MainWindowTest = ProgramTest;

TEST_F(MainWindowTest, StartsEmptyWithTheLogoAndWritesNothing) {
    ASSERT_NE(StartMain(), nullptr);
    EXPECT_EQ(WindowText(main), "CineLedger");
    EXPECT_TRUE(Dialogs(program.Id()).empty()) << "nothing asks anything at start-up";
    EXPECT_FALSE(IsWindowVisible(list)) << "the logo shows until a list is asked for";
    EXPECT_TRUE(data.Exists("Covers"));
    EXPECT_EQ(Screenshot(main, "MainWindow-Midnight-Logo"), "");

    for (auto [command, caption] : {std::pair{IDC_VIEW_BUTTON, "Main Movie List"},
                                    {IDM_UPCOMING_LIST, "Upcoming Movie List"},
                                    {IDM_INTERNAL_GIMME, "Gimme List"}}) {
        ASSERT_TRUE(ShowView(command, caption));
        EXPECT_TRUE(Listed().empty());
        EXPECT_EQ(MovieCount(), "Number of Movies: 0");
        EXPECT_EQ(SelectionCount(), "");
    }
    for (const char* store : kStores) EXPECT_FALSE(data.Exists(store)) << store << " written without a save";
}

TEST_F(MainWindowTest, EachViewShowsItsListCaptionAndCount) {
    UseSample("collection");
    ASSERT_TRUE(StartOn(IDC_VIEW_BUTTON, "Main Movie List"));
    EXPECT_TRUE(IsWindowVisible(list));
    EXPECT_EQ(Child(IDC_LOGO, "Static"), nullptr) << "the logo window is destroyed for good";
    EXPECT_EQ(ListBoxSelection(list), std::vector<int>{0});
    EXPECT_EQ(Screenshot(main, "MainWindow-Midnight"), "");
    const struct {
        int command;
        const char* caption;
        Lines lines;
    } views[] = {
        {IDM_UPCOMING_LIST, "Upcoming Movie List", {"Gladiator", "Memento"}},
        {IDM_INTERNAL_GIMME, "Gimme List", {"Casablanca", "Vertigo"}},
        {IDM_PRESENT, "Present", {"Alien", "Ronin"}},
        {IDM_ABSENT, "Absent", {"Heat"}},
        {IDM_IMPORTED_GIMME, "Gimme Import-> None", {}},
        {IDM_MAIN_LIST, "Main Movie List", {"Alien", "Heat", "Ronin"}},  // the erotic movie stays hidden
    };
    for (const auto& view : views) {
        SCOPED_TRACE(view.caption);
        ASSERT_TRUE(ShowView(view.command, view.caption));
        EXPECT_EQ(Listed(), view.lines);
        EXPECT_EQ(MovieCount(), "Number of Movies: " + std::to_string(view.lines.size()));
        EXPECT_EQ(SelectionCount(), view.lines.empty() ? "" : "1");
    }

    // The menu button opens the main menu at its top-left corner.
    ASSERT_TRUE(PostCommand(main, IDC_MENU_BUTTON));
    HWND menu = WaitForTopLevelWindow(program.Id(), "#32768");
    ASSERT_NE(menu, nullptr) << "no main menu";
    RECT button = {}, popup = {};
    GetWindowRect(Child(IDC_MENU_BUTTON, "Button"), &button);
    GetWindowRect(menu, &popup);
    EXPECT_NEAR(popup.left, button.left, 2);
    EXPECT_TRUE(CloseMenu(menu));
}

// The per-user installer puts the program under the profile folder, which bears the user's name: here
// "\x8Atefan-J\xFCrgen" in the ANSI code page of Western systems (S with caron, u with diaeresis).
class AccentedFolderTest : public ProgramTest {
  protected:
    AccentedFolderTest() : ProgramTest("\x8Atefan-J\xFCrgen") {}
};

TEST_F(AccentedFolderTest, SaveWritesEveryStoreByteForByteIntoTheProgramsFolder) {
    UseSample("collection");
    ASSERT_TRUE(StartOn(IDC_VIEW_BUTTON, "Main Movie List"));
    EXPECT_EQ(Listed(), (Lines{"Alien", "Heat", "Ronin"}));
    ASSERT_TRUE(SaveAll());
    for (const char* store : kStores) EXPECT_EQ(File(store), SampleFile("collection", store)) << store;
    EXPECT_FALSE(data.Exists("Settings.dat")) << "the save-all does not write the settings";
    // The folder's name spelled in another encoding would be a sibling ending in the same "-<process>-<serial>".
    const std::string leaf = data.Path().filename().string();
    const std::string tail = leaf.substr(leaf.rfind('-', leaf.rfind('-') - 1));
    for (const auto& entry : std::filesystem::directory_iterator(data.Path().parent_path()))
        EXPECT_TRUE(entry.path() == data.Path() || !entry.path().filename().string().ends_with(tail)) << entry.path();
}

TEST_F(MainWindowTest, LoadBackupBringsBackWhatBackupCopied) {
    UseSample("collection");
    ASSERT_NE(StartMain(), nullptr);
    PostCommand(main, IDM_BACKUP);
    ASSERT_TRUE(Answer("Backup Movie Lists?", "Confirmation", IDYES));
    Sync(main);
    for (const std::string store : kStores)
        EXPECT_EQ(File(store.substr(0, store.size() - 3) + "bak"), SampleFile("collection", store)) << store;

    // Deleting the Gimme list takes its file at once; the restore brings the list back, in memory only.
    PostCommand(main, IDM_DELETE_GIMME);
    ASSERT_TRUE(Answer("Delete Internal Gimme List? (Changes Will NOT BE RECOVERABLE)", "Confirmation", IDYES));
    ASSERT_TRUE(WaitUntil([&] { return ViewCaption() == "Gimme List" && Listed().empty(); }));
    EXPECT_FALSE(data.Exists("Gimme.dat"));
    PostCommand(main, IDM_LOAD_BACKUP);
    ASSERT_TRUE(Answer("Load Backup File(s)?", "Confirmation", IDYES));
    ASSERT_TRUE(WaitUntil([&] { return ViewCaption() == "Main Movie List"; }));
    ASSERT_TRUE(ShowView(IDM_INTERNAL_GIMME, "Gimme List"));
    EXPECT_EQ(Listed(), (Lines{"Casablanca", "Vertigo"}));
    EXPECT_FALSE(data.Exists("Gimme.dat")) << "a restore writes nothing until the next save";
}

TEST_F(MainWindowTest, LeavingAsksTwiceAndSavesOnYes) {
    UseSample("collection");
    ASSERT_NE(StartMain(), nullptr);
    PostCommand(main, IDM_EXIT);
    ASSERT_TRUE(Answer("Exit, mmm?", "Confirmation", IDNO));
    Sync(main);
    EXPECT_TRUE(program.Running());

    data.RemoveFile("CineLedger.dat");
    PostCommand(main, IDC_CLOSE_BUTTON);
    ASSERT_TRUE(Answer("Exit, mmm?", "Confirmation", IDYES));
    ASSERT_TRUE(Answer("Save Changes, mmm?", "Confirmation", IDYES));
    EXPECT_EQ(program.WaitForExit(), std::optional<DWORD>(0));
    EXPECT_EQ(File("CineLedger.dat"), SampleFile("collection", "CineLedger.dat"));
}

TEST_F(MainWindowTest, AMissingSkinBitmapIsReportedAndEndsTheProgram) {
    data.RemoveFile("Skins/Midnight/Logo.bmp");
    program = Program::Start(data);
    ASSERT_TRUE(Answer("Could Not Load Logo Bitmap.", "Error"));
    EXPECT_EQ(WaitForTopLevelWindow(program.Id(), "CineLedger", {}, Duration(0)), nullptr) << "no window is shown";
    ASSERT_TRUE(Answer("Could Not Load Skin Bitmaps.", "Skin Script Error"));
    EXPECT_EQ(program.WaitForExit(), std::optional<DWORD>(0));
}

}  // namespace
}  // namespace cl::e2e
