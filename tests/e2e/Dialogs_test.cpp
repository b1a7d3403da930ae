// The dialogs of the main window's commands, from outside: Find and its results, the erotic-category lock, the
// Settings dialog, the Quarantine, Main Locations and Category Search. Each is opened by its command, its controls
// are read and written, and what it decides reaches the list, the view or the files.
#include <windows.h>
// The common controls header needs windows.h before it.
#include <commctrl.h>
#include <gtest/gtest.h>

#include "res/FindDialogIds.h"
#include "tests/e2e/ProgramTest.h"
#include "tests/e2e/Screenshot_win.h"

namespace cl::e2e {
namespace {

using DialogTest = ProgramTest;

TEST_F(DialogTest, FindSelectsWhileTypingAndListsAnActorsMovies) {
    UseSample("collection");
    ASSERT_TRUE(StartOn(IDC_VIEW_BUTTON, "Main Movie List"));
    HWND find = OpenDialog(IDC_FIND_BUTTON, "CineLedger...");
    ASSERT_NE(find, nullptr);
    RECT dialogRect = {}, listRect = {};
    GetWindowRect(find, &dialogRect);
    GetWindowRect(list, &listRect);
    EXPECT_EQ(dialogRect.left, listRect.left) << "the dialog opens below the list";
    EXPECT_EQ(dialogRect.top, listRect.bottom);
    EXPECT_TRUE(IsChecked(find, IDC_FIND_TITLES));
    EXPECT_EQ(Screenshot(find, "Find"), "");
    ASSERT_TRUE(Type(find, {{IDC_FIND_TEXT, "ro"}}));
    EXPECT_TRUE(WaitUntil([&] { return ListBoxSelection(list) == std::vector<int>{2}; })) << "Ronin";
    EXPECT_EQ(SelectionCount(), "1");
    ASSERT_TRUE(PressButton(find, IDC_FIND_CANCEL));
    ASSERT_TRUE(WaitForWindowGone(find));

    // An actor at the strictest sensitivity: the results list the records that name him, not the one with a
    // similar name.
    find = OpenDialog(IDC_FIND_BUTTON, "CineLedger...");
    ASSERT_NE(find, nullptr);
    ASSERT_TRUE(Type(find, {{IDC_FIND_TEXT, "Robert De Niro"}}));
    ASSERT_TRUE(ClickRadio(find, IDC_FIND_ACTORS));
    SendMessageA(Control(find, IDC_FIND_SENSITIVITY), TBM_SETPOS, TRUE, 5);
    ASSERT_TRUE(PressButton(find, IDC_FIND_TRACK));
    HWND results = WaitForDialog(program.Id(), "Search Results...");
    ASSERT_NE(results, nullptr);
    EXPECT_FALSE(IsWindowVisible(find)) << "the Find dialog hides behind the results";
    HWND found = Control(results, IDC_RESULTS_LIST);
    EXPECT_EQ(ListBoxItems(found), (Lines{"CineLedger: Heat", "CineLedger: Ronin"}));
    EXPECT_EQ(Screenshot(results, "SearchResults"), "");
    // A double-click on a line opens that movie's details (owned by the main window) over the results, which stay.
    SendMessageA(found, LB_SETCURSEL, 0, 0);
    PostMessageA(found, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 5));
    HWND info = WaitForDialog(program.Id(), "Movie Info...");
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(GetWindow(info, GW_OWNER), main);
    EXPECT_FALSE(IsWindowEnabled(results));
    PostMessageA(info, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitForWindowGone(info));
    EXPECT_TRUE(IsWindowVisible(results));
    // Given back once the dialog's call has returned, a moment after its window went.
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(results) != FALSE; }));
    PostMessageA(results, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitForWindowGone(results));
    EXPECT_TRUE(WaitForWindowGone(find)) << "the Find dialog closes with the results";
}

TEST_F(DialogTest, TheLockTakesAFirstPasswordAChangeAndTheRightEntry) {
    UseSample("unlocked");
    ASSERT_TRUE(StartOn(IDC_VIEW_BUTTON, "Main Movie List"));
    HWND change = OpenDialog(IDM_SHOW_EROTIC, "Password Change...");
    ASSERT_NE(change, nullptr) << "without a password Ctrl+X asks for a first one";
    EXPECT_FALSE(IsControlEnabled(change, IDC_PASSWORD_CURRENT));
    EXPECT_EQ(Screenshot(change, "PasswordChange-First"), "");
    ASSERT_TRUE(Type(change, {{IDC_PASSWORD_NEW, "abc"}, {IDC_PASSWORD_CONFIRM, "abd"}}));
    ASSERT_TRUE(PressButton(change, IDC_PASSWORD_CHANGE_OK));
    ASSERT_TRUE(Answer("Password Mismatch.", "Error", IDOK, change));
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(change) == Control(change, IDC_PASSWORD_NEW); }));
    ASSERT_TRUE(Type(change, {{IDC_PASSWORD_NEW, "Secret"}, {IDC_PASSWORD_CONFIRM, "Secret"}}));
    ASSERT_TRUE(PressButton(change, IDC_PASSWORD_CHANGE_OK));
    ASSERT_TRUE(WaitForWindowGone(change));

    change = OpenDialog(IDM_CHANGE_PASSWORD, "Password Change...");
    ASSERT_NE(change, nullptr);
    ASSERT_TRUE(
        Type(change, {{IDC_PASSWORD_CURRENT, "Secret"}, {IDC_PASSWORD_NEW, "Other"}, {IDC_PASSWORD_CONFIRM, "Other"}}));
    ASSERT_TRUE(PressButton(change, IDC_PASSWORD_CHANGE_OK));
    ASSERT_TRUE(WaitForWindowGone(change));
    EXPECT_EQ(Listed(), Lines{"Alien"}) << "setting a password does not open the lock";

    for (const char* typed : {"Secret", "Other"}) {
        HWND entry = OpenDialog(IDM_SHOW_EROTIC, "Password Entry...");
        ASSERT_NE(entry, nullptr);
        ASSERT_TRUE(Type(entry, {{IDC_PASSWORD_EDIT, typed}}));
        ASSERT_TRUE(PressButton(entry, IDC_PASSWORD_OK));
        if (typed == std::string_view("Secret")) {
            ASSERT_TRUE(Answer("Invalid Password.", "Error", IDOK, entry));
        }
        ASSERT_TRUE(WaitForWindowGone(entry));
    }
    ASSERT_TRUE(WaitUntil([&] { return ViewCaption() == "Erotic"; }));
    EXPECT_EQ(Listed(), Lines{"Emmanuelle"});
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(main) == list; }));
    // Ctrl+G, through the accelerator table, closes the lock again.
    ASSERT_TRUE(PressKeys(main, {VK_CONTROL, 'G'}));
    EXPECT_TRUE(WaitUntil([&] { return ViewCaption() == "Main Movie List" && Listed() == Lines{"Alien"}; }));

    ASSERT_TRUE(SaveAll());
    EXPECT_TRUE(FileHas("CineLedger.dat", "\r\nend|Other\r\n"));
}

TEST_F(DialogTest, SettingsShowsTheSwitchesAndApplyWritesWhatIsTicked) {
    UseSample("collection");
    // View mode, Format Conversion, Auto-Save, Auto-Backup, Auto-IMDb, Title Correction.
    data.WriteFile("Settings.dat", "0\r\n1\r\n1\r\n0\r\n0\r\n1");
    ASSERT_TRUE(StartOn(IDC_VIEW_BUTTON, "Main Movie List"));
    HWND settings = OpenDialog(IDM_SETTINGS, "Settings...");
    ASSERT_NE(settings, nullptr);
    ASSERT_TRUE(PressButton(settings, IDC_SETTINGS_CANCEL));
    ASSERT_TRUE(WaitForWindowGone(settings));

    settings = OpenDialog(IDM_SETTINGS, "Settings...");
    ASSERT_NE(settings, nullptr);
    const int boxes[] = {IDC_SETTINGS_RATED_X,     IDC_SETTINGS_FORMAT,    IDC_SETTINGS_AUTO_SAVE,
                         IDC_SETTINGS_AUTO_BACKUP, IDC_SETTINGS_AUTO_IMDB, IDC_SETTINGS_TITLE_CORRECTION};
    std::string shown;
    for (int id : boxes) shown += IsChecked(settings, id) ? '1' : '0';
    EXPECT_EQ(shown, "011001");
    EXPECT_TRUE(IsChecked(settings, IDC_SETTINGS_PG13));
    EXPECT_EQ(Screenshot(settings, "Settings"), "");

    // Rated-X asks for the password over this dialog and opens the lock.
    PostMessageA(Control(settings, IDC_SETTINGS_RATED_X), BM_CLICK, 0, 0);
    HWND entry = WaitForDialog(program.Id(), "Password Entry...");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(GetWindow(entry, GW_OWNER), settings);
    ASSERT_TRUE(Type(entry, {{IDC_PASSWORD_EDIT, "secret"}}));
    ASSERT_TRUE(PressButton(entry, IDC_PASSWORD_OK));
    ASSERT_TRUE(WaitForWindowGone(entry));
    EXPECT_TRUE(WaitUntil([&] { return ViewCaption() == "Erotic"; }));

    for (auto [id, ticked] : {std::pair{IDC_SETTINGS_FORMAT, true},
                              {IDC_SETTINGS_AUTO_SAVE, false},
                              {IDC_SETTINGS_AUTO_BACKUP, true},
                              {IDC_SETTINGS_TITLE_CORRECTION, false}})
        ASSERT_TRUE(SetCheck(settings, id, ticked));
    ASSERT_TRUE(PressButton(settings, IDC_SETTINGS_APPLY));
    ASSERT_TRUE(WaitForWindowGone(settings));
    EXPECT_EQ(File("Settings.dat"), "1\r\n1\r\n0\r\n1\r\n0\r\n0");
}

TEST_F(DialogTest, QuarantineTakesATitleOutAfterAsking) {
    UseSample("collection");
    ASSERT_NE(StartMain(), nullptr);
    HWND quarantine = OpenDialog(IDM_QUARANTINE, "Quarantine...");
    ASSERT_NE(quarantine, nullptr);
    HWND titles = Control(quarantine, IDC_QUARANTINE_LIST);
    EXPECT_EQ(ListBoxItems(titles), (Lines{"Battlefield Earth", "Gigli", "Howard the Duck"}));
    EXPECT_EQ(Screenshot(quarantine, "Quarantine"), "");
    SendMessageA(titles, LB_SETCURSEL, 1, 0);
    ASSERT_TRUE(PressButton(quarantine, IDC_QUARANTINE_REMOVE));
    ASSERT_TRUE(Answer("Remove \"Gigli\" From Quarantine?", "Confirmation", IDYES, quarantine));
    EXPECT_TRUE(WaitUntil([&] { return ListBoxItems(titles) == Lines{"Battlefield Earth", "Howard the Duck"}; }));
    ASSERT_TRUE(PressButton(quarantine, IDC_QUARANTINE_EXIT));
    ASSERT_TRUE(WaitForWindowGone(quarantine));
    ASSERT_TRUE(SaveAll());
    EXPECT_EQ(File("Quarantine.dat"), "Battlefield Earth\r\nHoward the Duck\r\nend");
}

TEST_F(DialogTest, MainLocationsAndCategorySearchShowTheChosenValue) {
    UseSample("collection");
    ASSERT_TRUE(StartOn(IDM_UPCOMING_LIST, "Upcoming Movie List"));
    const struct {
        int command;
        const char* caption;
        int combo, take, cancel;
        Lines values;
        int chosen;
        const char* view;
        Lines lines;
    } picks[] = {
        {IDM_MAIN_LOCATIONS,
         "CineLedger...",
         IDC_LOCATIONS_COMBO,
         IDC_LOCATIONS_TRACK,
         IDC_LOCATIONS_CANCEL,
         {"Default", "jim", "Mike"},
         2,
         "Mike",
         {"Heat"}},  // the erotic movie there stays hidden
        {IDM_BY_CATEGORY,
         "Category Search",
         IDC_CATEGORY_COMBO,
         IDOK,
         IDCANCEL,
         {"Crime", "Erotic", "Horror"},
         0,
         "Crime",
         {"Heat", "Ronin"}},
    };
    for (const auto& pick : picks) {
        SCOPED_TRACE(pick.caption);
        HWND dialog = OpenDialog(pick.command, pick.caption);
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(PressButton(dialog, pick.cancel));
        ASSERT_TRUE(WaitForWindowGone(dialog));
        EXPECT_EQ(ViewCaption(), "Upcoming Movie List") << "Cancel changes nothing";

        dialog = OpenDialog(pick.command, pick.caption);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(ComboBoxItems(Control(dialog, pick.combo)), pick.values);
        EXPECT_EQ(ComboBoxSelection(Control(dialog, pick.combo)), 0);
        EXPECT_EQ(Screenshot(dialog, pick.combo == IDC_LOCATIONS_COMBO ? "MainLocations" : "CategorySearch"), "");
        ASSERT_TRUE(SelectComboEntry(dialog, pick.combo, pick.chosen));
        ASSERT_TRUE(PressButton(dialog, pick.take));
        ASSERT_TRUE(WaitForWindowGone(dialog));
        EXPECT_EQ(ViewCaption(), pick.view);
        EXPECT_EQ(Listed(), pick.lines);
        ASSERT_TRUE(ShowView(IDM_UPCOMING_LIST, "Upcoming Movie List"));
    }
}

}  // namespace
}  // namespace cl::e2e
