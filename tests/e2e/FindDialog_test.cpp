// The Find dialog and its search results from outside: where it opens, the selection that follows the typing, the
// number search, the actor and director searches at several sensitivities, and the results dialog.
#include <windows.h>
// The common controls header needs windows.h before it.
#include <commctrl.h>
#include <gtest/gtest.h>

#include "res/FindDialogIds.h"
#include "tests/e2e/ProgramTest.h"
#include "tests/e2e/Screenshot_win.h"

namespace cl::e2e {
namespace {

constexpr char kMainList[] =
    "CineLedger v3.15\r\n"
    "Alien|Default|Horror|Present|DVD|1\r\n"
    "Aliens|Default|Horror|Present|DVD|2\r\n"
    "Emmanuelle|Default|Erotic|Present|VHS|3\r\n"
    "Heat|Mike|Crime|Absent|DVD|4\r\n"
    "Ronin|Default|Crime|Present|DVD|5\r\n"
    "end|nolockx\r\n"
    "Gladiator|@|Video Store\r\n"
    "Hero|@|Video Store\r\n"
    "end|\r\n"
    "end";

// Database records: key, number, title, year, director, tagline, plot, genre, actors, language, runtime.
std::string ImdbRecord(std::string_view title, std::string_view director, std::string_view actors) {
    std::string r = "CineLedger: " + std::string(title) + "\r\n7\r\n" + std::string(title) + "\r\n1995\r\n";
    r += std::string(director) + "\r\n\r\n\r\n\r\n" + std::string(actors) + "\r\n\r\n\r\n";
    return r;
}

class FindDialogTest : public ProgramTest {
  protected:
    void SetUp() override {
        ProgramTest::SetUp();
        data.WriteFile("CineLedger.dat", kMainList);
        data.WriteFile("IMDb.dat", ImdbRecord("Ronin", "John Frankenheimer", "Robert De Niro, Jean Reno") +
                                       ImdbRecord("Heat", "Michael Mann", "Al Pacino, Robert De Niro, Val Kilmer") +
                                       ImdbRecord("Alien", "Ridley Scott", "Sigourney Weaver, Tom Skerritt"));
        main = StartMain();
        ASSERT_NE(main, nullptr);
        list = MovieList(main);
    }

    // Runs the Find command and waits for dialog 110.
    HWND OpenFind() {
        if (!PostCommand(main, IDC_FIND_BUTTON)) return nullptr;
        return WaitForDialog(program.Id(), "CineLedger...");
    }

    // A click on a radio button as the mouse gives it: checked, and the others of its group cleared.
    static bool ClickRadio(HWND dialog, int id) {
        PostMessageA(Control(dialog, id), BM_CLICK, 0, 0);
        return WaitUntil([&] { return IsChecked(dialog, id); });
    }

    static int SliderPosition(HWND dialog) {
        return static_cast<int>(SendMessageA(Control(dialog, IDC_FIND_SENSITIVITY), TBM_GETPOS, 0, 0));
    }

    // Runs an actor or director search and returns the results dialog, with the Find dialog hidden behind it.
    HWND Search(int option, std::string_view text, int level) {
        HWND find = OpenFind();
        if (find == nullptr) return nullptr;
        EXPECT_TRUE(SetControlText(find, IDC_FIND_TEXT, text));
        EXPECT_TRUE(ClickRadio(find, option));
        SendMessageA(Control(find, IDC_FIND_SENSITIVITY), TBM_SETPOS, TRUE, level);
        EXPECT_TRUE(PressButton(find, IDC_FIND_TRACK));
        HWND results = WaitForDialog(program.Id(), "Search Results...");
        EXPECT_FALSE(IsWindowVisible(find)) << "the Find dialog hides while the results show";
        findDialog = find;
        return results;
    }

    HWND main = nullptr;
    HWND list = nullptr;
    HWND findDialog = nullptr;
};

TEST_F(FindDialogTest, OpensBelowTheListWithTitlesCheckedAndTheSliderInTheMiddle) {
    HWND find = OpenFind();
    ASSERT_NE(find, nullptr);
    EXPECT_EQ(ViewCaption(main), "Main Movie List") << "Find shows the current view first";
    EXPECT_EQ(SelectionCount(main), "") << "and clears the selection count";

    RECT dialogRect = {}, listRect = {};
    GetWindowRect(find, &dialogRect);
    GetWindowRect(list, &listRect);
    EXPECT_EQ(dialogRect.left, listRect.left);
    EXPECT_EQ(dialogRect.top, listRect.bottom);

    EXPECT_TRUE(IsChecked(find, IDC_FIND_TITLES));
    for (int id : {IDC_FIND_TITLES, IDC_FIND_NUMBERS, IDC_FIND_ACTORS, IDC_FIND_DIRECTORS})
        EXPECT_TRUE(IsControlEnabled(find, id)) << id;
    HWND slider = Control(find, IDC_FIND_SENSITIVITY);
    EXPECT_EQ(SendMessageA(slider, TBM_GETRANGEMIN, 0, 0), 1);
    EXPECT_EQ(SendMessageA(slider, TBM_GETRANGEMAX, 0, 0), 5);
    EXPECT_EQ(SliderPosition(find), 3);
    EXPECT_EQ(SendMessageA(Control(find, IDC_FIND_TEXT), EM_GETLIMITTEXT, 0, 0), 40);
    EXPECT_EQ(SaveScreenshot(find, ScreenshotFolder() / "Find.png"), "");

    // Cancel closes; the next opening starts at 3 again.
    SendMessageA(slider, TBM_SETPOS, TRUE, 5);
    ASSERT_TRUE(PressButton(find, IDC_FIND_CANCEL));
    ASSERT_TRUE(WaitForWindowGone(find));
    find = OpenFind();
    ASSERT_NE(find, nullptr);
    EXPECT_EQ(SliderPosition(find), 3);
    ASSERT_TRUE(PressButton(find, IDC_FIND_CANCEL));
    ASSERT_TRUE(WaitForWindowGone(find));
}

TEST_F(FindDialogTest, TypingSelectsTheFirstLineBeginningWithTheText) {
    HWND find = OpenFind();
    ASSERT_NE(find, nullptr);
    // The erotic movie stays hidden while the lock is closed.
    ASSERT_EQ(ListBoxItems(list), (std::vector<std::string>{"Alien", "Aliens", "Heat", "Ronin"}));
    struct Case {
        const char* typed;
        int line;  // the only line selected afterwards
    };
    const Case cases[] = {
        {"ro", 3},                    // letter case does not matter
        {"HE", 2},     {"Alien", 0},  // the first of the lines that begin with it
        {"Aliens", 1}, {"xyz", 1},    // no line begins with it: the selection stays as it was
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        ASSERT_TRUE(SetControlText(find, IDC_FIND_TEXT, c.typed));
        EXPECT_TRUE(WaitUntil([&] { return ListBoxSelection(list) == std::vector<int>{c.line}; }));
        EXPECT_EQ(SelectionCount(main), "1");
    }
    // TRACK with "Search Titles" only closes: its work was done while typing.
    ASSERT_TRUE(PressButton(find, IDC_FIND_TRACK));
    ASSERT_TRUE(WaitForWindowGone(find));
    EXPECT_EQ(ListBoxSelection(list), (std::vector<int>{1}));
    EXPECT_EQ(ViewCaption(main), "Main Movie List");
}

TEST_F(FindDialogTest, NumberSearchSelectsTheMovieOrSaysNoMatch) {
    // A number nobody has: the message, and the dialog stays for another try.
    HWND find = OpenFind();
    ASSERT_NE(find, nullptr);
    ASSERT_TRUE(ClickRadio(find, IDC_FIND_NUMBERS));
    ASSERT_TRUE(SetControlText(find, IDC_FIND_TEXT, "99"));
    ASSERT_TRUE(PressButton(find, IDC_FIND_TRACK));
    auto box = WaitForMessageBox(program.Id());
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text, "No Match Found.");
    EXPECT_EQ(box->caption, "Error");
    EXPECT_EQ(GetWindow(box->window, GW_OWNER), find) << "the message belongs to the Find dialog";
    ASSERT_TRUE(AnswerMessageBox(*box, IDOK));
    EXPECT_TRUE(IsWindowVisible(find));

    // Number 4 is Heat: selected, count "1", dialog closed.
    ASSERT_TRUE(SetControlText(find, IDC_FIND_TEXT, "4"));
    // Typing "4" matched no title, so the selection is still the first line.
    ASSERT_TRUE(PressButton(find, IDC_FIND_TRACK));
    ASSERT_TRUE(WaitForWindowGone(find));
    EXPECT_EQ(ListBoxSelection(list), (std::vector<int>{2}));
    EXPECT_EQ(SelectionCount(main), "1");

    // Number 3 is the erotic movie, which the view hides: nothing to select, and no message either.
    find = OpenFind();
    ASSERT_NE(find, nullptr);
    ASSERT_TRUE(ClickRadio(find, IDC_FIND_NUMBERS));
    ASSERT_TRUE(SetControlText(find, IDC_FIND_TEXT, "3"));
    ASSERT_TRUE(PressButton(find, IDC_FIND_TRACK));
    ASSERT_TRUE(WaitForWindowGone(find));
    EXPECT_EQ(SelectionCount(main), "");
    EXPECT_TRUE(Dialogs(program.Id()).empty());
}

TEST_F(FindDialogTest, OptionsAreDisabledInTheUpcomingView) {
    ASSERT_TRUE(RunCommandAndWaitForCaption(main, IDM_UPCOMING_LIST, "Upcoming Movie List"));
    HWND find = OpenFind();
    ASSERT_NE(find, nullptr);
    EXPECT_EQ(ViewCaption(main), "Upcoming Movie List");
    for (int id : {IDC_FIND_TITLES, IDC_FIND_NUMBERS, IDC_FIND_ACTORS, IDC_FIND_DIRECTORS}) {
        EXPECT_FALSE(IsControlEnabled(find, id)) << id;
        EXPECT_FALSE(IsChecked(find, id)) << id;
    }
    // Typing still works on the list shown.
    ASSERT_TRUE(SetControlText(find, IDC_FIND_TEXT, "her"));
    EXPECT_TRUE(WaitUntil([&] { return ListBoxSelection(list) == std::vector<int>{1}; }));
    EXPECT_EQ(SelectionCount(main), "1");
    // TRACK only closes.
    ASSERT_TRUE(PressButton(find, IDC_FIND_TRACK));
    ASSERT_TRUE(WaitForWindowGone(find));
    EXPECT_TRUE(Dialogs(program.Id()).empty());
}

TEST_F(FindDialogTest, ActorAndDirectorSearchesListTheMatchingRecords) {
    struct Case {
        const char* name;
        int option;
        const char* text;
        int level;
        std::vector<std::string> results;
    };
    const Case cases[] = {
        {"full name", IDC_FIND_ACTORS, "Robert De Niro", 5, {"CineLedger: Heat", "CineLedger: Ronin"}},
        {"small letters, no blank", IDC_FIND_ACTORS, "robertdeniro", 5, {"CineLedger: Heat", "CineLedger: Ronin"}},
        {"last name alone", IDC_FIND_ACTORS, "De Niro", 2, {}},
        {"another Robert, middle", IDC_FIND_ACTORS, "Robert Redford", 3, {"CineLedger: Heat", "CineLedger: Ronin"}},
        {"another Robert, strict", IDC_FIND_ACTORS, "Robert Redford", 4, {}},
        {"another Robert, loose",
         IDC_FIND_ACTORS,
         "Robert Redford",
         1,
         {"CineLedger: Alien", "CineLedger: Heat", "CineLedger: Ronin"}},
        {"director", IDC_FIND_DIRECTORS, "michael mann", 5, {"CineLedger: Heat"}},
        {"director misspelt", IDC_FIND_DIRECTORS, "Ridley Scot", 4, {"CineLedger: Alien"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND results = Search(c.option, c.text, c.level);
        ASSERT_NE(results, nullptr);
        EXPECT_EQ(GetWindow(results, GW_OWNER), main) << "the results belong to the main window";
        EXPECT_EQ(ListBoxItems(Control(results, IDC_RESULTS_LIST)), c.results);
        PostMessageA(results, WM_CLOSE, 0, 0);
        ASSERT_TRUE(WaitForWindowGone(results));
        ASSERT_TRUE(WaitForWindowGone(findDialog)) << "the Find dialog closes with the results";
    }
}

TEST_F(FindDialogTest, ResultsDialogLooksRightAndTakesADoubleClick) {
    HWND results = Search(IDC_FIND_ACTORS, "Robert De Niro", 3);
    ASSERT_NE(results, nullptr);
    HWND resultList = Control(results, IDC_RESULTS_LIST);
    EXPECT_EQ(SaveScreenshot(results, ScreenshotFolder() / "SearchResults.png"), "");

    // A double-click on a line opens that movie's Movie Info dialog (owned by the main window); the results stay.
    SendMessageA(resultList, LB_SETCURSEL, 1, 0);
    PostMessageA(resultList, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 20));
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(resultList, WM_NULL, 0, 0, SMTO_NORMAL, 15000, &ignored);
    EXPECT_TRUE(IsWindowVisible(results));
    EXPECT_EQ(ListBoxItems(resultList), (std::vector<std::string>{"CineLedger: Heat", "CineLedger: Ronin"}));

    // Escape closes it as the close box does.
    PostMessageA(results, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitForWindowGone(results));
    ASSERT_TRUE(WaitForWindowGone(findDialog));
    EXPECT_TRUE(program.Running());
}

}  // namespace
}  // namespace cl::e2e
