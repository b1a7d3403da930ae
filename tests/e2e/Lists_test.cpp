// The movie list boxes and the dialogs their commands open, from outside: the ten-line limit and the arrows, the
// context menu, the add/edit dialog (106) in its modes, the presence dialog (108) with its summary (102), and the
// Upcoming Locations dialog (117) with its own list and menu (201). Each ends in the files a save writes.
#include <gtest/gtest.h>

#include "model/base/Date.h"
#include "res/EditDialogIds.h"
#include "res/ListDialogIds.h"
#include "tests/e2e/ProgramTest.h"
#include "tests/e2e/Screenshot_win.h"

namespace cl::e2e {
namespace {

using ListTest = ProgramTest;

constexpr char kAddEdit[] = "Movie Addition/Editing...";

TEST_F(ListTest, AtMostTenLinesAreSelectedTheArrowsLeaveOneAndEnterNeedsALine) {
    UseSample("twelve");
    ASSERT_TRUE(StartOn(IDC_VIEW_BUTTON, "Main Movie List"));
    ASSERT_TRUE(SelectLines(list, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(SelectionCount(), "10");
    ASSERT_TRUE(ClickLine(list, 10, MK_CONTROL, false));
    ASSERT_TRUE(Answer("Too Many Selections; Maximum Is 10.", "Error", IDOK, main));
    EXPECT_TRUE(WaitUntil([&] { return ListBoxSelection(list).size() == 10u; })) << "the eleventh is undone";
    EXPECT_EQ(SelectionCount(), "10");

    ASSERT_TRUE(SelectLines(list, {3, 5, 7}));
    EXPECT_EQ(SelectionCount(), "3");
    ASSERT_TRUE(SendKey(list, VK_DOWN));
    EXPECT_EQ(ListBoxSelection(list), std::vector<int>{8});
    EXPECT_EQ(SelectionCount(), "1");
    // Enter opens the line's movie, which an empty list does not have.
    ASSERT_TRUE(ShowView(IDM_UPCOMING_LIST, "Upcoming Movie List"));
    ASSERT_TRUE(PostKey(list, VK_RETURN));
    EXPECT_TRUE(Answer("There Are No Movies In This List.", "Error", IDOK, main));
}

TEST_F(ListTest, TheContextMenuDeletesAndAddsToTheGimmeList) {
    UseSample("collection");
    ASSERT_TRUE(StartOn(IDC_VIEW_BUTTON, "Main Movie List"));
    ASSERT_TRUE(ClickLine(list, 0));  // Alien
    HWND menu = OpenContextMenu(list, 0, program.Id());
    ASSERT_NE(menu, nullptr) << "no context menu";
    EXPECT_EQ(Screenshot(menu, "ListMenu-Main"), "");
    // Down to "Change Presense", "Edit...", over the separator to "Delete", and choose it: the menu's entries
    // carry the commands the list expects.
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}) ASSERT_TRUE(PostKey(menu, key));
    ASSERT_TRUE(Answer("Delete \"Alien\"?", "Confirmation", IDYES, main));
    ASSERT_TRUE(WaitUntil([&] { return Listed() == Lines{"Heat", "Ronin"}; }));
    EXPECT_EQ(MovieCount(), "Number of Movies: 2");

    ASSERT_TRUE(SelectLines(list, {0, 1}));
    ASSERT_TRUE(RunListCommand(list, 1, program.Id(), IDM_LIST_ADD_TO_GIMME));
    ASSERT_TRUE(Answer("Add Movie(s) to Gimme List?", "Confirmation", IDYES));
    ASSERT_TRUE(WaitUntil([&] { return ViewCaption() == "Gimme List"; }));
    EXPECT_EQ(Listed(), (Lines{"Casablanca", "Heat", "Ronin", "Vertigo"}));

    ASSERT_TRUE(SaveAll());
    EXPECT_FALSE(FileHas("CineLedger.dat", "Alien"));
    EXPECT_EQ(File("Gimme.dat"), "Ronin\r\nHeat\r\nCasablanca\r\nVertigo\r\nend") << "new titles go to the front";
}

TEST_F(ListTest, AddStoresEveryFieldInMainAndNameAndLocationInUpcoming) {
    UseSample("collection");
    ASSERT_TRUE(StartOn(IDC_VIEW_BUTTON, "Main Movie List"));
    HWND dialog = OpenDialog(IDC_ADD_BUTTON, kAddEdit);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ComboBoxItems(Control(dialog, IDC_ADDEDIT_MEDIUM)), (Lines{"DivX", "DVD", "VHS"}));
    ASSERT_TRUE(PressButton(dialog, IDC_ADDEDIT_SAVE));
    ASSERT_TRUE(Answer("You Must Supply a Movie Name to Save.", "Field Error", IDOK, dialog));

    // A title of the Upcoming list, every field filled in: Save asks whether it leaves that list.
    ASSERT_TRUE(Type(dialog, {{IDC_ADDEDIT_TITLE, "gladiator"},
                              {IDC_ADDEDIT_CATEGORY, "Drama"},
                              {IDC_ADDEDIT_LOCATION, "the shelf"},
                              {IDC_ADDEDIT_MEDIUM, "VHS-C"},
                              {IDC_ADDEDIT_COMMENTS, "A keeper."}}));
    ASSERT_TRUE(SelectComboEntry(dialog, IDC_ADDEDIT_PRESENCE, 1));  // Absent
    EXPECT_EQ(Screenshot(dialog, "AddEditDialog-Add"), "");
    ASSERT_TRUE(PressButton(dialog, IDC_ADDEDIT_SAVE));
    ASSERT_TRUE(Answer("Remove \"Gladiator\" From Upcoming List?", "Confirmation", IDYES, dialog));
    ASSERT_TRUE(WaitForWindowGone(dialog));
    EXPECT_EQ(Listed(), (Lines{"Alien", "Gladiator", "Heat", "Ronin"}));
    EXPECT_EQ(ListBoxSelection(list), std::vector<int>{1}) << "the new movie is selected";

    // In the Upcoming view only the name and the location are offered.
    ASSERT_TRUE(ShowView(IDM_UPCOMING_LIST, "Upcoming Movie List"));
    dialog = OpenDialog(IDC_ADD_BUTTON, kAddEdit);
    ASSERT_NE(dialog, nullptr);
    for (int id : {IDC_ADDEDIT_CATEGORY, IDC_ADDEDIT_PRESENCE, IDC_ADDEDIT_MEDIUM, IDC_ADDEDIT_COMMENTS})
        EXPECT_FALSE(IsControlEnabled(dialog, id)) << id;
    ASSERT_TRUE(Type(dialog, {{IDC_ADDEDIT_TITLE, "the prestige"}, {IDC_ADDEDIT_LOCATION, "video store"}}));
    ASSERT_TRUE(PressButton(dialog, IDC_ADDEDIT_SAVE));
    ASSERT_TRUE(WaitForWindowGone(dialog));
    EXPECT_EQ(Listed(), (Lines{"Memento", "Prestige, The"}));
    // Cancel stores nothing.
    dialog = OpenDialog(IDC_ADD_BUTTON, kAddEdit);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(Type(dialog, {{IDC_ADDEDIT_TITLE, "Ran"}}));
    ASSERT_TRUE(PressButton(dialog, IDC_ADDEDIT_CANCEL));
    ASSERT_TRUE(WaitForWindowGone(dialog));

    ASSERT_TRUE(SaveAll());
    EXPECT_TRUE(FileHas("CineLedger.dat", "\r\nGladiator|Shelf, The|Drama|Absent|VHS-C|4\r\n"));
    EXPECT_TRUE(FileHas("CineLedger.dat", "end|secret\r\nMemento|@|Jim\r\nPrestige, The|@|Video Store\r\nend|\r\nend"));
    EXPECT_TRUE(FileHas("Comments.dat", "Gladiator\r\nA keeper.\r\n"));
    EXPECT_TRUE(FileHas("History.dat", "Gladiator\r\n" + TodayUtc() + "\r\n0\r\nend\r\n"));
}

TEST_F(ListTest, EditAndMainShiftOpenTheDialogOnTheMovie) {
    UseSample("collection");
    ASSERT_TRUE(StartOn(IDC_VIEW_BUTTON, "Main Movie List"));
    ASSERT_TRUE(ClickLine(list, 1));  // Heat
    ASSERT_TRUE(RunListCommand(list, 1, program.Id(), IDM_LIST_EDIT));
    HWND dialog = WaitForDialog(program.Id(), kAddEdit);
    ASSERT_NE(dialog, nullptr);
    const std::pair<int, const char*> shown[] = {
        {IDC_ADDEDIT_TITLE, "Heat"},    {IDC_ADDEDIT_CATEGORY, "Crime"}, {IDC_ADDEDIT_PRESENCE, "Absent"},
        {IDC_ADDEDIT_LOCATION, "Mike"}, {IDC_ADDEDIT_MEDIUM, "DivX"},    {IDC_ADDEDIT_COMMENTS, "Best shoot-out."},
    };
    for (auto [id, text] : shown) EXPECT_EQ(ControlText(dialog, id), text) << id;
    EXPECT_EQ(Screenshot(dialog, "AddEditDialog-Edit"), "");
    ASSERT_TRUE(Type(dialog, {{IDC_ADDEDIT_TITLE, "heat 2"}}));
    ASSERT_TRUE(PressButton(dialog, IDC_ADDEDIT_SAVE));
    ASSERT_TRUE(WaitForWindowGone(dialog));
    EXPECT_EQ(Listed(), (Lines{"Alien", "Heat 2", "Ronin"}));

    // Main Shift asks, then adds the planned movie to the Main list through the same dialog.
    ASSERT_TRUE(ShowView(IDM_UPCOMING_LIST, "Upcoming Movie List"));
    ASSERT_TRUE(ClickLine(list, 1));  // Memento
    ASSERT_TRUE(RunListCommand(list, 1, program.Id(), IDM_LIST_MAIN_SHIFT));
    ASSERT_TRUE(Answer("Shift \"Memento\" to Main List?", "Confirmation", IDYES));
    dialog = WaitForDialog(program.Id(), kAddEdit);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ControlText(dialog, IDC_ADDEDIT_TITLE), "Memento");
    ASSERT_TRUE(PressButton(dialog, IDC_ADDEDIT_SAVE));
    ASSERT_TRUE(Answer("Remove \"Memento\" From Upcoming List?", "Confirmation", IDYES, dialog));
    ASSERT_TRUE(WaitForWindowGone(dialog));
    EXPECT_EQ(ViewCaption(), "Upcoming Movie List");
    EXPECT_EQ(Listed(), Lines{"Gladiator"});

    ASSERT_TRUE(SaveAll());
    EXPECT_TRUE(
        FileHas("CineLedger.dat", "\r\nHeat 2|Mike|Crime|Absent|DivX|3\r\nMemento|Default|Crime|Present|DivX|4\r\n"));
    EXPECT_EQ(File("Comments.dat"), "Heat 2\r\nBest shoot-out.\r\n");
}

TEST_F(ListTest, ThePresenceDialogRelocatesTheSelectionAndSumsItUp) {
    UseSample("collection");
    ASSERT_TRUE(StartOn(IDC_VIEW_BUTTON, "Main Movie List"));
    ASSERT_TRUE(SelectLines(list, {0, 2}));  // Alien, Ronin
    ASSERT_TRUE(RunListCommand(list, 2, program.Id(), IDM_LIST_ABSENT));
    HWND dialog = WaitForDialog(program.Id(), "Presense Change...");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ComboBoxItems(Control(dialog, IDC_PRESENCE_LOCATION)), (Lines{"Default", "jim", "Mike"}));
    ASSERT_TRUE(Type(dialog, {{IDC_PRESENCE_LOCATION, "uncle bob"}}));
    EXPECT_EQ(Screenshot(dialog, "PresenceChange"), "");
    ASSERT_TRUE(PressButton(dialog, IDC_PRESENCE_SAVE));

    HWND summary = WaitForDialogWithControl(program.Id(), IDC_RELOCATED_STATUS);
    ASSERT_NE(summary, nullptr) << "no summary";
    const Lines slots = {"Alien", "Ronin", "", "", "", "", "", "", "", ""};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(ControlText(summary, IDC_RELOCATED_FIRST_SLOT + i), slots[i]) << i;
    EXPECT_EQ(ControlText(summary, IDC_RELOCATED_LOCATION), "Uncle Bob");
    EXPECT_EQ(ControlText(summary, IDC_RELOCATED_STATUS), "Absent");
    EXPECT_EQ(Screenshot(summary, "Relocated"), "");
    ASSERT_TRUE(PressButton(summary, IDC_RELOCATED_OK));
    ASSERT_TRUE(WaitForWindowGone(dialog));
    EXPECT_TRUE(WaitUntil([&] { return SelectionCount() == "1"; })) << "the count is refreshed";

    // Change Presense All asks first; Cancel in the dialog changes nothing.
    ASSERT_TRUE(RunListCommand(list, 0, program.Id(), IDM_LIST_ALL_PRESENT));
    ASSERT_TRUE(Answer("Are You Sure You Want to Make These 3 Movie(s) Present?", "Confirmation", IDYES));
    dialog = WaitForDialog(program.Id(), "Presense Change...");
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(PressButton(dialog, IDC_PRESENCE_CANCEL));
    ASSERT_TRUE(WaitForWindowGone(dialog));

    ASSERT_TRUE(SaveAll());
    EXPECT_TRUE(FileHas("CineLedger.dat", "\r\nAlien|Uncle Bob|Horror|Absent|DVD|1\r\n"));
    EXPECT_TRUE(
        FileHas("CineLedger.dat", "\r\nHeat|Mike|Crime|Absent|DivX|3\r\nRonin|Uncle Bob|Crime|Absent|DVD|5\r\n"));
}

TEST_F(ListTest, UpcomingLocationsListsEditsAndDeletesTheMoviesOfAPlace) {
    UseSample("collection");
    ASSERT_TRUE(StartOn(IDM_UPCOMING_LIST, "Upcoming Movie List"));
    HWND dialog = OpenDialog(IDM_UPCOMING_LOCATIONS, "Upcoming Locations...");
    ASSERT_NE(dialog, nullptr);
    HWND movies = Control(dialog, IDC_UPCOMING_LIST);
    auto track = [&](int location, const Lines& expected) {
        return SelectComboEntry(dialog, IDC_UPCOMING_LOCATION, location) && PressButton(dialog, IDC_UPCOMING_TRACK) &&
               WaitUntil([&] { return ListBoxItems(movies) == expected; });
    };
    EXPECT_EQ(ComboBoxItems(Control(dialog, IDC_UPCOMING_LOCATION)), (Lines{"Jim", "Video Store"}));
    ASSERT_TRUE(track(1, {"Gladiator"}));
    ASSERT_TRUE(ClickLine(movies, 0));
    EXPECT_EQ(ControlText(dialog, IDC_UPCOMING_COUNT), "1") << "the dialog counts its own selection";
    EXPECT_EQ(Screenshot(dialog, "UpcomingLocations"), "");

    // Edit runs the add/edit dialog over this one, which then offers the locations anew.
    ASSERT_TRUE(RunListCommand(movies, 0, program.Id(), IDM_UPCOMING_EDIT));
    HWND edit = WaitForDialog(program.Id(), kAddEdit);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(GetWindow(edit, GW_OWNER), dialog);
    EXPECT_EQ(ControlText(edit, IDC_ADDEDIT_LOCATION), "Video Store");
    ASSERT_TRUE(Type(edit, {{IDC_ADDEDIT_LOCATION, "bob"}}));
    ASSERT_TRUE(PressButton(edit, IDC_ADDEDIT_SAVE));
    ASSERT_TRUE(WaitForWindowGone(edit));
    EXPECT_TRUE(WaitUntil([&] {
        return ComboBoxItems(Control(dialog, IDC_UPCOMING_LOCATION)) == Lines{"Bob", "Jim", "Video Store"};
    }));

    ASSERT_TRUE(track(1, {"Memento"}));
    ASSERT_TRUE(ClickLine(movies, 0));
    ASSERT_TRUE(RunListCommand(movies, 0, program.Id(), IDM_UPCOMING_DELETE));
    ASSERT_TRUE(Answer("Delete Memento?", "Confirmation", IDYES, dialog));
    EXPECT_TRUE(WaitUntil([&] { return ListBoxItems(movies).empty(); }));
    EXPECT_TRUE(WaitUntil([&] { return Listed() == Lines{"Gladiator"}; })) << "the Upcoming view follows";
    ASSERT_TRUE(PressButton(dialog, IDC_UPCOMING_EXIT));
    ASSERT_TRUE(WaitForWindowGone(dialog));

    ASSERT_TRUE(SaveAll());
    EXPECT_TRUE(FileHas("CineLedger.dat", "end|secret\r\nGladiator|@|Bob\r\nend|\r\n"));
}

}  // namespace
}  // namespace cl::e2e
