// The main movie list box from outside: the ten-line selection limit, the arrow keys and typing, Enter on an
// empty list, the context menu and its commands (delete in every kind of view, Add to Gimme List, Change
// Presense All) with the files they leave after a save.
#include <gtest/gtest.h>

#include "model/base/Date.h"
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
    "Brazil|Default|Comedy|Present|DVD|2\r\n"
    "Casablanca|Default|Drama|Present|VHS|3\r\n"
    "Heat|Mike|Crime|Absent|DVD|4\r\n"
    "end|nolockx\r\n"
    "Gladiator|@|Video Store\r\n"
    "Memento|@|Jim\r\n"
    "end|\r\n"
    "end";
constexpr char kGimme[] = "Brazil\r\nend";
constexpr char kImdb[] =
    "CineLedger: Alien\r\n1\r\nAlien\r\n1979\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n"
    "CineLedger: Heat\r\n4\r\nHeat\r\n1995\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n";
constexpr char kComments[] = "Alien\r\nIn space no one can hear you scream.\r\nHeat\r\nLong.\r\n";
constexpr char kHistory[] = "Alien\r\n2003/1/5\r\n2\r\nend\r\nHeat\r\n2003/1/6\r\n0\r\nend\r\n";
constexpr char kMedia[] =
    "Alien\r\nMPEG-1\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n"
    "Heat\r\nMPEG-4\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n";

class ListMenusTest : public ProgramTest {
  protected:
    void WriteStores() {
        data.WriteFile("CineLedger.dat", kMainList);
        data.WriteFile("Gimme.dat", kGimme);
        data.WriteFile("IMDb.dat", kImdb);
        data.WriteFile("Comments.dat", kComments);
        data.WriteFile("History.dat", kHistory);
        data.WriteFile("Media.dat", kMedia);
        std::filesystem::create_directories(data / "Covers");
        data.WriteFile("Covers/1.jpg", "cover of Alien");
        data.WriteFile("Covers/4.jpg", "cover of Heat");
    }
    // Twelve movies, "Film 01" to "Film 12".
    void WriteTwelveMovies() {
        std::string file = "CineLedger v3.15\r\n";
        for (int i = 1; i <= 12; ++i) {
            char line[64];
            std::snprintf(line, sizeof line, "Film %02d|Default|Drama|Present|DVD|%d\r\n", i, i);
            file += line;
        }
        data.WriteFile("CineLedger.dat", file + "end|nolockx\r\nend|\r\nend");
    }
    HWND StartOnView(int command, std::string_view caption) {
        HWND main = StartMain();
        if (main == nullptr) return nullptr;
        EXPECT_TRUE(RunCommandAndWaitForCaption(main, command, caption));
        return main;
    }
    void Save(HWND main) {
        data.RemoveFile("Media.dat");  // written last by the save
        ASSERT_TRUE(PostCommand(main, IDM_SAVE));
        ASSERT_TRUE(Answer(program.Id(), "Save Changes, mmm?", "Confirmation", IDYES));
        ASSERT_TRUE(WaitUntil([&] { return data.Exists("Media.dat"); }));
    }
};

TEST_F(ListMenusTest, AtMostTenLinesCanBeSelected) {
    WriteTwelveMovies();
    HWND main = StartOnView(IDC_VIEW_BUTTON, "Main Movie List");
    ASSERT_NE(main, nullptr);
    HWND list = MovieList(main);
    ASSERT_EQ(ListBoxItems(list).size(), 12u);

    ASSERT_TRUE(SelectLines(list, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(SelectionCount(main), "10");
    ASSERT_TRUE(ClickLine(list, 10, MK_CONTROL, false));
    ASSERT_TRUE(Answer(program.Id(), "Too Many Selections; Maximum Is 10.", "Error", IDOK));
    EXPECT_TRUE(WaitUntil([&] { return ListBoxSelection(list).size() == 10u; }));
    EXPECT_EQ(ListBoxSelection(list), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9})) << "the eleventh is undone";
    EXPECT_EQ(SelectionCount(main), "10");

    // Shift-click selects no range, and a plain click starts again with one line.
    ASSERT_TRUE(ClickLine(list, 11, MK_SHIFT));
    EXPECT_EQ(ListBoxSelection(list).size(), 10u);
    ASSERT_TRUE(ClickLine(list, 11));
    EXPECT_EQ(ListBoxSelection(list), std::vector<int>{11});
    EXPECT_EQ(SelectionCount(main), "1");
    ASSERT_TRUE(ClickLine(list, 11, MK_CONTROL));
    EXPECT_TRUE(ListBoxSelection(list).empty());
    EXPECT_EQ(SelectionCount(main), "");
}

TEST_F(ListMenusTest, ArrowsMoveOneSelectionAndTypingSearchesNothing) {
    WriteTwelveMovies();
    HWND main = StartOnView(IDC_VIEW_BUTTON, "Main Movie List");
    ASSERT_NE(main, nullptr);
    HWND list = MovieList(main);
    ASSERT_TRUE(SelectLines(list, {3, 5, 7}));
    EXPECT_EQ(SelectionCount(main), "3");

    ASSERT_TRUE(SendKey(list, VK_DOWN));  // from the caret, line 7
    EXPECT_EQ(ListBoxSelection(list), std::vector<int>{8});
    EXPECT_EQ(SelectionCount(main), "1");
    ASSERT_TRUE(SendKey(list, VK_UP));
    ASSERT_TRUE(SendKey(list, VK_UP));
    EXPECT_EQ(ListBoxSelection(list), std::vector<int>{6});

    ASSERT_TRUE(ClickLine(list, 0));
    ASSERT_TRUE(SendKey(list, VK_UP));
    EXPECT_EQ(ListBoxSelection(list), std::vector<int>{0}) << "Up on the first line";
    ASSERT_TRUE(ClickLine(list, 11));
    ASSERT_TRUE(SendKey(list, VK_DOWN));
    EXPECT_EQ(ListBoxSelection(list), std::vector<int>{11}) << "Down on the last line";
    for (WPARAM key : {VK_HOME, VK_PRIOR, VK_SPACE}) ASSERT_TRUE(SendKey(list, key));
    ASSERT_TRUE(SendCharacter(list, 'F'));
    EXPECT_EQ(ListBoxSelection(list), std::vector<int>{11}) << "other keys and typing change nothing";
}

TEST_F(ListMenusTest, EnterOrDoubleClickOnAnEmptyListIsRefused) {
    HWND main = StartOnView(IDM_UPCOMING_LIST, "Upcoming Movie List");
    ASSERT_NE(main, nullptr);
    HWND list = MovieList(main);
    ASSERT_TRUE(PostKey(list, VK_RETURN));
    ASSERT_TRUE(Answer(program.Id(), "There Are No Movies In This List.", "Error", IDOK));
    ASSERT_TRUE(PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10)));
    PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    ASSERT_TRUE(Answer(program.Id(), "There Are No Movies In This List.", "Error", IDOK));
}

TEST_F(ListMenusTest, DeleteFromTheMenuRemovesAMainMovieWithEverythingItHas) {
    WriteStores();
    HWND main = StartOnView(IDC_VIEW_BUTTON, "Main Movie List");
    ASSERT_NE(main, nullptr);
    HWND list = MovieList(main);
    ASSERT_TRUE(ClickLine(list, 0));  // Alien

    HWND menu = OpenContextMenu(list, 0, program.Id());
    ASSERT_NE(menu, nullptr) << "no context menu";
    EXPECT_EQ(SaveScreenshot(menu, ScreenshotFolder() / "ListMenu-Main.png"), "");
    // Down to "Change Presense", "Edit...", over the separator to "Delete", and choose it.
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}) ASSERT_TRUE(PostKey(menu, key));
    auto box = WaitForMessageBox(program.Id());
    ASSERT_TRUE(box.has_value()) << "no question after Delete";
    EXPECT_EQ(box->text, "Delete \"Alien\"?");
    EXPECT_EQ(box->caption, "Confirmation");
    EXPECT_NE(GetWindowLongA(Control(box->window, IDNO), GWL_STYLE) & BS_DEFPUSHBUTTON, 0) << "No is the default";
    ASSERT_TRUE(AnswerMessageBox(*box, IDYES));

    ASSERT_TRUE(WaitUntil([&] { return MovieCount(main) == "Number of Movies: 3"; }));
    EXPECT_EQ(ListBoxItems(list), (Lines{"Brazil", "Casablanca", "Heat"}));
    EXPECT_EQ(ViewCaption(main), "Main Movie List");
    EXPECT_FALSE(data.Exists("Covers/1.jpg")) << "the cover goes at once";
    EXPECT_TRUE(data.Exists("Covers/4.jpg"));

    Save(main);
    EXPECT_EQ(data.ReadFile("CineLedger.dat"),
              "CineLedger v3.15\r\n"
              "Brazil|Default|Comedy|Present|DVD|2\r\n"
              "Casablanca|Default|Drama|Present|VHS|3\r\n"
              "Heat|Mike|Crime|Absent|DVD|4\r\n"
              "end|nolockx\r\n"
              "Gladiator|@|Video Store\r\n"
              "Memento|@|Jim\r\n"
              "end|\r\n"
              "1\r\n"  // the number waits for the next new movie
              "end");
    EXPECT_EQ(data.ReadFile("IMDb.dat"), "CineLedger: Heat\r\n4\r\nHeat\r\n1995\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
    EXPECT_EQ(data.ReadFile("Comments.dat"), "Heat\r\nLong.\r\n");
    EXPECT_EQ(data.ReadFile("History.dat"), "Heat\r\n2003/1/6\r\n0\r\nend\r\n");
    EXPECT_EQ(data.ReadFile("Media.dat"), "Heat\r\nMPEG-4\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
}

TEST_F(ListMenusTest, DeleteInTheUpcomingAndGimmeViewsTouchesNothingElse) {
    WriteStores();
    HWND main = StartOnView(IDM_UPCOMING_LIST, "Upcoming Movie List");
    ASSERT_NE(main, nullptr);
    HWND list = MovieList(main);
    ASSERT_TRUE(ClickLine(list, 1));  // Memento
    ASSERT_TRUE(RunListCommand(list, 1, program.Id(), IDM_LIST_DELETE));
    ASSERT_TRUE(Answer(program.Id(), "Delete \"Memento\"?", "Confirmation", IDYES));
    ASSERT_TRUE(WaitUntil([&] { return MovieCount(main) == "Number of Movies: 1"; }));
    EXPECT_EQ(ListBoxItems(list), Lines{"Gladiator"});

    // No keeps the line.
    ASSERT_TRUE(RunCommandAndWaitForCaption(main, IDM_INTERNAL_GIMME, "Gimme List"));
    ASSERT_TRUE(RunListCommand(list, 0, program.Id(), IDM_LIST_DELETE));
    ASSERT_TRUE(Answer(program.Id(), "Delete \"Brazil\"?", "Confirmation", IDNO));
    ASSERT_TRUE(RunListCommand(list, 0, program.Id(), IDM_LIST_DELETE));
    ASSERT_TRUE(Answer(program.Id(), "Delete \"Brazil\"?", "Confirmation", IDYES));
    ASSERT_TRUE(WaitUntil([&] { return MovieCount(main) == "Number of Movies: 0"; }));

    Save(main);
    EXPECT_EQ(data.ReadFile("CineLedger.dat"),
              "CineLedger v3.15\r\n"
              "Alien|Default|Horror|Present|DVD|1\r\n"
              "Brazil|Default|Comedy|Present|DVD|2\r\n"
              "Casablanca|Default|Drama|Present|VHS|3\r\n"
              "Heat|Mike|Crime|Absent|DVD|4\r\n"
              "end|nolockx\r\n"
              "Gladiator|@|Video Store\r\n"
              "end|\r\n"
              "end");
    EXPECT_EQ(data.ReadFile("Gimme.dat"), "end");
    EXPECT_EQ(data.ReadFile("IMDb.dat"), kImdb);
    EXPECT_EQ(data.ReadFile("Comments.dat"), kComments);
    EXPECT_EQ(data.ReadFile("History.dat"), kHistory);
    EXPECT_EQ(data.ReadFile("Media.dat"), kMedia);
    EXPECT_TRUE(data.Exists("Covers/1.jpg"));
}

TEST_F(ListMenusTest, AddToGimmeListRefusesATitleAlreadyThere) {
    WriteStores();
    HWND main = StartOnView(IDC_VIEW_BUTTON, "Main Movie List");
    ASSERT_NE(main, nullptr);
    HWND list = MovieList(main);
    ASSERT_TRUE(SelectLines(list, {0, 1, 3}));  // Alien, Brazil (already wanted), Heat
    ASSERT_TRUE(RunListCommand(list, 3, program.Id(), IDM_LIST_ADD_TO_GIMME));
    ASSERT_TRUE(Answer(program.Id(), "Add Movie(s) to Gimme List?", "Confirmation", IDYES));
    ASSERT_TRUE(Answer(program.Id(), "\"Brazil\" Is Already On the Gimme List; Skipping to Next...", "Error", IDOK));
    ASSERT_TRUE(WaitUntil([&] { return ViewCaption(main) == "Gimme List"; }));
    EXPECT_EQ(ListBoxItems(list), (Lines{"Alien", "Brazil", "Heat"}));
    EXPECT_EQ(MovieCount(main), "Number of Movies: 3");

    Save(main);
    EXPECT_EQ(data.ReadFile("Gimme.dat"), "Heat\r\nAlien\r\nBrazil\r\nend") << "new titles go to the front";
}

TEST_F(ListMenusTest, ChangePresenseAllWritesALoanLineForEveryListedMovie) {
    WriteStores();
    HWND main = StartOnView(IDM_PRESENT, "Present");
    ASSERT_NE(main, nullptr);
    HWND list = MovieList(main);
    ASSERT_TRUE(RunListCommand(list, 0, program.Id(), IDM_LIST_ALL_ABSENT));
    ASSERT_TRUE(Answer(program.Id(), "Are You Sure You Want to Make These 3 Movie(s) Absent?", "Confirmation", IDYES));
    HWND dialog = WaitForDialog(program.Id(), "Presense Change...");
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(SetControlText(dialog, IDC_PRESENCE_LOCATION, "film club"));
    ASSERT_TRUE(PressButton(dialog, IDC_PRESENCE_SAVE));
    ASSERT_TRUE(WaitUntil([&] { return ViewCaption(main) == "Absent"; }));
    EXPECT_EQ(ListBoxItems(list), (Lines{"Alien", "Brazil", "Casablanca", "Heat"}));
    EXPECT_EQ(MovieCount(main), "Number of Movies: 4");

    Save(main);
    const std::string loan = TodayUtc() + ": loaned to Film Club.";
    EXPECT_EQ(data.ReadFile("History.dat"),
              "Alien\r\n2003/1/5\r\n2\r\n" + loan + "\r\nend\r\nHeat\r\n2003/1/6\r\n0\r\nend\r\n")
        << "Brazil and Casablanca have no history record to take the line";
    std::string file = *data.ReadFile("CineLedger.dat");
    EXPECT_NE(file.find("Alien|Film Club|Horror|Absent|DVD|1\r\n"), std::string::npos) << file;
    EXPECT_NE(file.find("Casablanca|Film Club|Drama|Absent|VHS|3\r\n"), std::string::npos) << file;
    EXPECT_NE(file.find("Heat|Mike|Crime|Absent|DVD|4\r\n"), std::string::npos) << "Heat was not listed";
}

}  // namespace
}  // namespace cl::e2e
