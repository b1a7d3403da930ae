// The small dialogs of the View menu from outside: Quarantine (taking titles out, saved with the next save), Main
// Locations and Category Search (the views of the Main Movie List they end in).
#include <gtest/gtest.h>

#include "res/FindDialogIds.h"
#include "tests/e2e/ProgramTest.h"
#include "tests/e2e/Screenshot_win.h"

namespace cl::e2e {
namespace {

constexpr char kMainList[] =
    "CineLedger v3.15\r\n"
    "Alien|Default|Horror|Present|DVD|1\r\n"
    "Emmanuelle|Mike|Erotic|Present|VHS|2\r\n"
    "Heat|Mike|Crime|Absent|DVD|3\r\n"
    "Ronin|jim|Crime|Present|DVD|4\r\n"
    "end|secret\r\n"
    "Gladiator|@|Video Store\r\n"
    "end|\r\n"
    "end";
constexpr char kQuarantine[] = "Battlefield Earth\r\nGigli\r\nHoward the Duck\r\nend";
constexpr char kRatedX[] = "1\r\n1\r\n0\r\n0\r\n0\r\n0";

using Lines = std::vector<std::string>;

class ViewDialogsTest : public ProgramTest {
  protected:
    void Start(const char* settings = nullptr) {
        data.WriteFile("CineLedger.dat", kMainList);
        data.WriteFile("Quarantine.dat", kQuarantine);
        if (settings != nullptr) data.WriteFile("Settings.dat", settings);
        main = StartMain();
        ASSERT_NE(main, nullptr);
        list = MovieList(main);
    }

    HWND OpenByCommand(int command, std::string_view caption) {
        if (!PostCommand(main, command)) return nullptr;
        return WaitForDialog(program.Id(), caption);
    }

    // Waits until every message posted to the window so far has been handled.
    static void Sync(HWND window) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 15000, &ignored);
    }

    // The control of the program's window that has the keyboard focus.
    static HWND FocusOf(HWND window) {
        GUITHREADINFO info = {};
        info.cbSize = sizeof(info);
        if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
        return info.hwndFocus;
    }

    HWND main = nullptr;
    HWND list = nullptr;
};

TEST_F(ViewDialogsTest, QuarantineRemovesATitleAfterAskingAndTheSaveWritesIt) {
    Start();
    HWND quarantine = OpenByCommand(IDM_QUARANTINE, "Quarantine...");
    ASSERT_NE(quarantine, nullptr);
    HWND titles = Control(quarantine, IDC_QUARANTINE_LIST);
    EXPECT_EQ(ListBoxItems(titles), (Lines{"Battlefield Earth", "Gigli", "Howard the Duck"}));
    EXPECT_EQ(SendMessageA(titles, LB_GETHORIZONTALEXTENT, 0, 0), 445);
    EXPECT_EQ(SaveScreenshot(quarantine, ScreenshotFolder() / "Quarantine.png"), "");

    // Nothing selected: Remove does nothing.
    SendMessageA(titles, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    ASSERT_TRUE(PressButton(quarantine, IDC_QUARANTINE_REMOVE));
    Sync(quarantine);
    EXPECT_EQ(Dialogs(program.Id()), std::vector<HWND>{quarantine});

    // The question has the focus on No; No keeps the title.
    for (int answer : {IDNO, IDYES}) {
        SendMessageA(titles, LB_SETCURSEL, 1, 0);
        ASSERT_TRUE(PressButton(quarantine, IDC_QUARANTINE_REMOVE));
        auto box = WaitForMessageBox(program.Id());
        ASSERT_TRUE(box.has_value());
        EXPECT_EQ(box->text, "Remove \"Gigli\" From Quarantine?");
        EXPECT_EQ(box->caption, "Confirmation");
        EXPECT_TRUE(WaitUntil([&] { return FocusOf(box->window) == Control(box->window, IDNO); }));
        EXPECT_EQ(GetWindow(box->window, GW_OWNER), quarantine);
        ASSERT_TRUE(AnswerMessageBox(*box, answer));
    }
    EXPECT_TRUE(WaitUntil([&] { return ListBoxItems(titles) == Lines{"Battlefield Earth", "Howard the Duck"}; }));

    ASSERT_TRUE(PressButton(quarantine, IDC_QUARANTINE_EXIT));
    ASSERT_TRUE(WaitForWindowGone(quarantine));
    EXPECT_EQ(data.ReadFile("Quarantine.dat"), kQuarantine) << "nothing is written before a save";

    quarantine = OpenByCommand(IDM_QUARANTINE, "Quarantine...");
    ASSERT_NE(quarantine, nullptr);
    EXPECT_EQ(ListBoxItems(Control(quarantine, IDC_QUARANTINE_LIST)), (Lines{"Battlefield Earth", "Howard the Duck"}));
    PostMessageA(quarantine, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitForWindowGone(quarantine));

    PostCommand(main, IDM_SAVE);
    auto save = WaitForMessageBox(program.Id());
    ASSERT_TRUE(save.has_value());
    data.RemoveFile("Quarantine.dat");
    ASSERT_TRUE(AnswerMessageBox(*save, IDYES));
    ASSERT_TRUE(WaitUntil([&] { return data.Exists("Media.dat"); }));
    EXPECT_EQ(data.ReadFile("Quarantine.dat"), "Battlefield Earth\r\nHoward the Duck\r\nend");
}

TEST_F(ViewDialogsTest, MainLocationsShowsTheMoviesAtTheChosenPlace) {
    Start();
    ASSERT_TRUE(RunCommandAndWaitForCaption(main, IDM_UPCOMING_LIST, "Upcoming Movie List"));
    HWND locations = OpenByCommand(IDM_MAIN_LOCATIONS, "CineLedger...");
    ASSERT_NE(locations, nullptr);
    HWND combo = Control(locations, IDC_LOCATIONS_COMBO);
    EXPECT_EQ(ComboBoxItems(combo), (Lines{"Default", "jim", "Mike"}));
    EXPECT_EQ(ComboBoxSelection(combo), 0);
    EXPECT_EQ(SaveScreenshot(locations, ScreenshotFolder() / "MainLocations.png"), "");

    // Cancel changes nothing.
    ASSERT_TRUE(PressButton(locations, IDC_LOCATIONS_CANCEL));
    ASSERT_TRUE(WaitForWindowGone(locations));
    EXPECT_EQ(ViewCaption(main), "Upcoming Movie List");

    // The erotic movie at Mike's stays hidden while the lock is closed.
    locations = OpenByCommand(IDM_MAIN_LOCATIONS, "CineLedger...");
    ASSERT_NE(locations, nullptr);
    SendMessageA(Control(locations, IDC_LOCATIONS_COMBO), CB_SETCURSEL, 2, 0);
    ASSERT_TRUE(PressButton(locations, IDC_LOCATIONS_TRACK));
    ASSERT_TRUE(WaitForWindowGone(locations));
    EXPECT_EQ(ViewCaption(main), "Mike");
    EXPECT_EQ(ListBoxItems(list), Lines{"Heat"});
    EXPECT_EQ(MovieCount(main), "Number of Movies: 1");
    EXPECT_EQ(SelectionCount(main), "1");

    // The mark went to the Main Movie List, which View Movies now shows instead of the Upcoming list.
    ASSERT_TRUE(RunCommandAndWaitForCaption(main, IDC_VIEW_BUTTON, "Main Movie List"));
}

TEST_F(ViewDialogsTest, MainLocationsShowsEroticMoviesWhileTheLockIsOpen) {
    Start(kRatedX);
    HWND locations = OpenByCommand(IDM_MAIN_LOCATIONS, "CineLedger...");
    ASSERT_NE(locations, nullptr);
    SendMessageA(Control(locations, IDC_LOCATIONS_COMBO), CB_SETCURSEL, 2, 0);
    ASSERT_TRUE(PressButton(locations, IDC_LOCATIONS_TRACK));
    ASSERT_TRUE(WaitForWindowGone(locations));
    EXPECT_EQ(ViewCaption(main), "Mike");
    EXPECT_EQ(ListBoxItems(list), (Lines{"Emmanuelle", "Heat"}));
    EXPECT_EQ(MovieCount(main), "Number of Movies: 2");
}

TEST_F(ViewDialogsTest, CategorySearchShowsTheChosenCategory) {
    Start();
    ASSERT_TRUE(RunCommandAndWaitForCaption(main, IDM_UPCOMING_LIST, "Upcoming Movie List"));
    HWND search = OpenByCommand(IDM_BY_CATEGORY, "Category Search");
    ASSERT_NE(search, nullptr);
    HWND combo = Control(search, IDC_CATEGORY_COMBO);
    EXPECT_EQ(ComboBoxItems(combo), (Lines{"Crime", "Erotic", "Horror"}));
    EXPECT_EQ(ComboBoxSelection(combo), 0);
    EXPECT_EQ(SaveScreenshot(search, ScreenshotFolder() / "CategorySearch.png"), "");

    ASSERT_TRUE(PressButton(search, IDCANCEL));
    ASSERT_TRUE(WaitForWindowGone(search));
    EXPECT_EQ(ViewCaption(main), "Upcoming Movie List");

    struct Case {
        int index;
        const char* caption;
        Lines lines;
    };
    const Case cases[] = {
        {0, "Crime", {"Heat", "Ronin"}},
        {1, "Erotic", {}},  // the lock is closed: empty, with the count 0
        {2, "Horror", {"Alien"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        search = OpenByCommand(IDM_BY_CATEGORY, "Category Search");
        ASSERT_NE(search, nullptr);
        SendMessageA(Control(search, IDC_CATEGORY_COMBO), CB_SETCURSEL, c.index, 0);
        ASSERT_TRUE(PressButton(search, IDOK));
        ASSERT_TRUE(WaitForWindowGone(search));
        EXPECT_EQ(ViewCaption(main), c.caption);
        EXPECT_EQ(ListBoxItems(list), c.lines);
        EXPECT_EQ(MovieCount(main), "Number of Movies: " + std::to_string(c.lines.size()));
        EXPECT_EQ(SelectionCount(main), c.lines.empty() ? "" : "1");
    }
    // No list is marked after a category view: View Movies falls back to the Main Movie List.
    ASSERT_TRUE(RunCommandAndWaitForCaption(main, IDC_VIEW_BUTTON, "Main Movie List"));
    EXPECT_EQ(ListBoxItems(list), (Lines{"Alien", "Heat", "Ronin"}));
}

}  // namespace
}  // namespace cl::e2e
