// The Upcoming Locations dialog (117) from outside: TRACK by location, its list's keys and selection count, and
// the four commands of its context menu (201) with what the main window shows and the files after a save.
#include <gtest/gtest.h>

#include "res/ListDialogIds.h"
#include "tests/e2e/ListHelpers.h"
#include "tests/e2e/ProgramTest.h"
#include "tests/e2e/Screenshot_win.h"

namespace cl::e2e {
namespace {

using Lines = std::vector<std::string>;

constexpr char kMainList[] =
    "CineLedger v3.15\r\n"
    "Alien|Default|Horror|Present|DVD|1\r\n"
    "end|nolockx\r\n"
    "Gladiator|@|Video Store\r\n"
    "Memento|@|Jim\r\n"
    "Ran|@|video store\r\n"
    "Seven Samurai|@|Video Store\r\n"
    "end|\r\n"
    "end";

class UpcomingLocationsTest : public ProgramTest {
  protected:
    // Starts on the Upcoming view and opens the dialog.
    HWND Open(HWND& main) {
        data.WriteFile("CineLedger.dat", kMainList);
        data.WriteFile("Gimme.dat", "Ran\r\nend");
        main = StartMain();
        if (main == nullptr) return nullptr;
        EXPECT_TRUE(RunCommandAndWaitForCaption(main, IDM_UPCOMING_LIST, "Upcoming Movie List"));
        PostCommand(main, IDM_UPCOMING_LOCATIONS);
        return WaitForDialog(program.Id(), "Upcoming Locations...");
    }
    static void Choose(HWND dialog, int entry) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(Control(dialog, IDC_UPCOMING_LOCATION), CB_SETCURSEL, static_cast<WPARAM>(entry), 0,
                            SMTO_NORMAL, 15000, &ignored);
    }
    // TRACK, then wait for the list to show the lines.
    static bool Track(HWND dialog, const Lines& expected) {
        return PressButton(dialog, IDC_UPCOMING_TRACK) &&
               WaitUntil([&] { return ListBoxItems(Control(dialog, IDC_UPCOMING_LIST)) == expected; });
    }
};

TEST_F(UpcomingLocationsTest, TrackListsTheMoviesExpectedFromALocation) {
    HWND main = nullptr;
    HWND dialog = Open(main);
    ASSERT_NE(dialog, nullptr);
    HWND combo = Control(dialog, IDC_UPCOMING_LOCATION);
    HWND list = Control(dialog, IDC_UPCOMING_LIST);
    EXPECT_EQ(ComboBoxItems(combo), (Lines{"Jim", "Video Store"})) << "\"video store\" is the same location";
    EXPECT_EQ(ComboBoxSelection(combo), 0);
    EXPECT_TRUE(ListBoxItems(list).empty()) << "the list starts empty";

    ASSERT_TRUE(Track(dialog, Lines{"Memento"}));
    Choose(dialog, 1);
    ASSERT_TRUE(Track(dialog, (Lines{"Gladiator", "Ran", "Seven Samurai"})));
    EXPECT_EQ(ControlText(dialog, IDC_UPCOMING_COUNT), "");

    // Ctrl-clicks count in the dialog's own field; the arrows move one selection; typing finds a line.
    ASSERT_TRUE(SelectLines(list, {0, 2}));
    EXPECT_EQ(ControlText(dialog, IDC_UPCOMING_COUNT), "2");
    EXPECT_EQ(ControlText(main, IDC_STATUS_SELECTION), "1") << "the main count is not this list's";
    ASSERT_TRUE(SendKey(list, VK_UP));
    EXPECT_EQ(ListBoxSelection(list), std::vector<int>{1});
    EXPECT_EQ(ControlText(dialog, IDC_UPCOMING_COUNT), "1");
    ASSERT_TRUE(SendCharacter(list, 'S'));
    ASSERT_FALSE(ListBoxSelection(list).empty());
    EXPECT_EQ(ListBoxSelection(list).back(), 2) << "characters go to the list box, which finds the line";
    EXPECT_EQ(ControlText(dialog, IDC_UPCOMING_COUNT), std::to_string(ListBoxSelection(list).size()));
    EXPECT_EQ(SaveScreenshot(dialog, ScreenshotFolder() / "UpcomingLocations.png"), "");

    HWND menu = OpenContextMenu(list, 2, program.Id());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(SaveScreenshot(menu, ScreenshotFolder() / "ListMenu-Upcoming.png"), "");
    ASSERT_TRUE(CloseMenu(menu));

    ASSERT_TRUE(PressButton(dialog, IDC_UPCOMING_EXIT));
    EXPECT_TRUE(WaitForWindowGone(dialog));
}

TEST_F(UpcomingLocationsTest, DeleteAndAddToGimmeWorkOnThisList) {
    HWND main = nullptr;
    HWND dialog = Open(main);
    ASSERT_NE(dialog, nullptr);
    HWND list = Control(dialog, IDC_UPCOMING_LIST);
    Choose(dialog, 1);
    ASSERT_TRUE(Track(dialog, (Lines{"Gladiator", "Ran", "Seven Samurai"})));

    ASSERT_TRUE(ClickLine(list, 0));
    ASSERT_TRUE(RunListCommand(list, 0, program.Id(), IDM_UPCOMING_DELETE));
    ASSERT_TRUE(Answer(program.Id(), "Delete Gladiator?", "Confirmation", IDYES));
    ASSERT_TRUE(WaitUntil([&] { return ListBoxItems(list) == Lines{"Ran", "Seven Samurai"}; }));
    EXPECT_EQ(ControlText(dialog, IDC_UPCOMING_COUNT), "");
    EXPECT_TRUE(WaitUntil([&] { return MovieCount(main) == "Number of Movies: 3"; }))
        << "the main window shows the Upcoming Movie List and follows";
    EXPECT_EQ(ListBoxItems(MovieList(main)), (Lines{"Memento", "Ran", "Seven Samurai"}));

    ASSERT_TRUE(SelectLines(list, {0, 1}));
    ASSERT_TRUE(RunListCommand(list, 1, program.Id(), IDM_UPCOMING_ADD_TO_GIMME));
    ASSERT_TRUE(Answer(program.Id(), "Add Movie(s) to Gimme List?", "Confirmation", IDYES));
    ASSERT_TRUE(Answer(program.Id(), "\"Ran\" Is Already On the Gimme List; Skipping to Next...", "Error", IDOK));
    ASSERT_TRUE(WaitUntil([&] { return ViewCaption(main) == "Gimme List"; }));
    EXPECT_EQ(ListBoxItems(MovieList(main)), (Lines{"Ran", "Seven Samurai"}));
    EXPECT_TRUE(IsWindowVisible(dialog)) << "the dialog stays open";

    ASSERT_TRUE(PressButton(dialog, IDC_UPCOMING_EXIT));
    ASSERT_TRUE(WaitForWindowGone(dialog));
    data.RemoveFile("Media.dat");
    ASSERT_TRUE(PostCommand(main, IDM_SAVE));
    ASSERT_TRUE(Answer(program.Id(), "Save Changes, mmm?", "Confirmation", IDYES));
    ASSERT_TRUE(WaitUntil([&] { return data.Exists("Media.dat"); }));
    EXPECT_EQ(data.ReadFile("Gimme.dat"), "Seven Samurai\r\nRan\r\nend");
    std::string file = *data.ReadFile("CineLedger.dat");
    EXPECT_EQ(file.find("Gladiator"), std::string::npos) << file;
}

TEST_F(UpcomingLocationsTest, AddAllPutsEveryLineOnTheGimmeListWithItsLocation) {
    HWND main = nullptr;
    HWND dialog = Open(main);
    ASSERT_NE(dialog, nullptr);
    HWND list = Control(dialog, IDC_UPCOMING_LIST);

    // With the list still empty: nothing to add.
    ASSERT_TRUE(RunListCommand(list, 0, program.Id(), IDM_UPCOMING_ADD_ALL_TO_GIMME));
    ASSERT_TRUE(Answer(program.Id(), "There Are No Movies In This List!", "Error", IDOK));

    Choose(dialog, 1);
    ASSERT_TRUE(Track(dialog, (Lines{"Gladiator", "Ran", "Seven Samurai"})));
    ASSERT_TRUE(RunListCommand(list, 0, program.Id(), IDM_UPCOMING_ADD_ALL_TO_GIMME));
    ASSERT_TRUE(Answer(program.Id(), "Add These 3 Movie(s) to Gimme List?", "Confirmation", IDYES));
    ASSERT_TRUE(Answer(program.Id(), "\"Ran\" Is Already On the Gimme List; Skipping to Next...", "Error", IDOK));
    ASSERT_TRUE(WaitUntil([&] { return ViewCaption(main) == "Gimme List"; }));
    EXPECT_EQ(ListBoxItems(MovieList(main)), (Lines{"Gladiator", "Ran", "Seven Samurai"}));
    EXPECT_EQ(MovieCount(main), "Number of Movies: 3");
    EXPECT_EQ(SelectionCount(main), "") << "the main selection count is emptied";

    // Edit runs the add/edit dialog over this one and clears the count field when it returns.
    ASSERT_TRUE(ClickLine(list, 2));
    EXPECT_EQ(ControlText(dialog, IDC_UPCOMING_COUNT), "1");
    ASSERT_TRUE(RunListCommand(list, 2, program.Id(), IDM_UPCOMING_EDIT));
    HWND edit = WaitForDialog(program.Id(), "Movie Addition/Editing...", std::chrono::seconds(3));
    if (edit != nullptr) PostMessageA(edit, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntil([&] { return ControlText(dialog, IDC_UPCOMING_COUNT).empty(); }));
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitForWindowGone(dialog));
}

}  // namespace
}  // namespace cl::e2e
