// The presence dialog (108) and its summary (102) from outside: three selected movies lent out, the summary
// listing them, the records and loan lines after a save; Cancel changing nothing.
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
    "Lock, Stock & Two Smoking Barrels|Default|Crime|Present|DVD|5\r\n"
    "end|nolockx\r\n"
    "end|\r\n"
    "end";
constexpr char kHistory[] =
    "Alien\r\n2003/1/5\r\n0\r\nend\r\n"
    "Brazil\r\n2003/1/5\r\n0\r\nend\r\n"
    "Lock, Stock & Two Smoking Barrels\r\n2003/1/5\r\n0\r\nend\r\n";

class PresenceTest : public ProgramTest {
  protected:
    HWND Start() {
        data.WriteFile("CineLedger.dat", kMainList);
        data.WriteFile("History.dat", kHistory);
        HWND main = StartMain();
        if (main != nullptr) {
            EXPECT_TRUE(RunCommandAndWaitForCaption(main, IDC_VIEW_BUTTON, "Main Movie List"));
        }
        return main;
    }
    void Save(HWND main) {
        data.RemoveFile("Media.dat");  // written last by the save
        ASSERT_TRUE(PostCommand(main, IDM_SAVE));
        ASSERT_TRUE(Answer(program.Id(), "Save Changes, mmm?", "Confirmation", IDYES));
        ASSERT_TRUE(WaitUntil([&] { return data.Exists("Media.dat"); }));
    }
};

TEST_F(PresenceTest, ThreeSelectedMoviesAreLentOutAndListedInTheSummary) {
    HWND main = Start();
    ASSERT_NE(main, nullptr);
    HWND list = MovieList(main);
    ASSERT_TRUE(SelectLines(list, {0, 1, 4}));  // Alien, Brazil, Lock, Stock ...
    ASSERT_TRUE(RunListCommand(list, 4, program.Id(), IDM_LIST_ABSENT));

    HWND dialog = WaitForDialog(program.Id(), "Presense Change...");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ComboBoxItems(Control(dialog, IDC_PRESENCE_LOCATION)), (Lines{"Default", "Mike"}))
        << "the known locations";
    ASSERT_TRUE(SetControlText(dialog, IDC_PRESENCE_LOCATION, "uncle bob"));
    EXPECT_EQ(SaveScreenshot(dialog, ScreenshotFolder() / "PresenceChange.png"), "");
    ASSERT_TRUE(PressButton(dialog, IDC_PRESENCE_SAVE));

    HWND summary = WaitForDialogWithControl(program.Id(), IDC_RELOCATED_STATUS);
    ASSERT_NE(summary, nullptr) << "no summary";
    EXPECT_EQ(Caption(summary), "");
    const Lines slots = {"Alien", "Brazil", "Lock, Stock & Two Smoking Barrels", "", "", "", "", "", "", ""};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(ControlText(summary, IDC_RELOCATED_FIRST_SLOT + i), slots[i]) << i;
    EXPECT_EQ(ControlText(summary, IDC_RELOCATED_LOCATION), "Uncle Bob");
    EXPECT_EQ(ControlText(summary, IDC_RELOCATED_STATUS), "Absent");
    EXPECT_EQ(SaveScreenshot(summary, ScreenshotFolder() / "Relocated.png"), "");
    ASSERT_TRUE(PressButton(summary, IDC_RELOCATED_OK));
    ASSERT_TRUE(WaitForWindowGone(dialog));

    EXPECT_EQ(ListBoxItems(list).size(), 5u);
    EXPECT_TRUE(WaitUntil([&] { return SelectionCount(main) == "1"; })) << "the count is refreshed";
    EXPECT_EQ(MovieCount(main), "Number of Movies: 5");

    Save(main);
    EXPECT_EQ(data.ReadFile("CineLedger.dat"),
              "CineLedger v3.15\r\n"
              "Alien|Uncle Bob|Horror|Absent|DVD|1\r\n"
              "Brazil|Uncle Bob|Comedy|Absent|DVD|2\r\n"
              "Casablanca|Default|Drama|Present|VHS|3\r\n"
              "Heat|Mike|Crime|Absent|DVD|4\r\n"
              "Lock, Stock & Two Smoking Barrels|Uncle Bob|Crime|Absent|DVD|5\r\n"
              "end|nolockx\r\n"
              "end|\r\n"
              "end");
    const std::string loan = TodayUtc() + ": loaned to Uncle Bob.\r\n";
    EXPECT_EQ(data.ReadFile("History.dat"), "Alien\r\n2003/1/5\r\n0\r\n" + loan + "end\r\nBrazil\r\n2003/1/5\r\n0\r\n" +
                                                loan + "end\r\nLock, Stock & Two Smoking Barrels\r\n2003/1/5\r\n0\r\n" +
                                                loan + "end\r\n");

    // The new location is offered next time; returning Heat with no location takes it to "Default".
    ASSERT_TRUE(ClickLine(list, 3));
    ASSERT_TRUE(RunListCommand(list, 3, program.Id(), IDM_LIST_PRESENT));
    dialog = WaitForDialog(program.Id(), "Presense Change...");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ComboBoxItems(Control(dialog, IDC_PRESENCE_LOCATION)), (Lines{"Default", "Mike", "Uncle Bob"}));
    ASSERT_TRUE(PressButton(dialog, IDC_PRESENCE_SAVE));
    summary = WaitForDialogWithControl(program.Id(), IDC_RELOCATED_STATUS);
    ASSERT_NE(summary, nullptr);
    EXPECT_EQ(ControlText(summary, IDC_RELOCATED_LOCATION), "Default");
    EXPECT_EQ(ControlText(summary, IDC_RELOCATED_STATUS), "Present");
    ASSERT_TRUE(PressButton(summary, IDC_RELOCATED_OK));
    ASSERT_TRUE(WaitForWindowGone(dialog));
    Save(main);
    std::string file = *data.ReadFile("CineLedger.dat");
    EXPECT_NE(file.find("Heat|Default|Crime|Present|DVD|4\r\n"), std::string::npos) << file;
}

TEST_F(PresenceTest, CancelChangesNothing) {
    HWND main = Start();
    ASSERT_NE(main, nullptr);
    HWND list = MovieList(main);
    ASSERT_TRUE(SelectLines(list, {0, 1}));
    ASSERT_TRUE(RunListCommand(list, 1, program.Id(), IDM_LIST_ABSENT));
    HWND dialog = WaitForDialog(program.Id(), "Presense Change...");
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(SetControlText(dialog, IDC_PRESENCE_LOCATION, "Bob"));
    ASSERT_TRUE(PressButton(dialog, IDC_PRESENCE_CANCEL));
    ASSERT_TRUE(WaitForWindowGone(dialog));
    EXPECT_EQ(SelectionCount(main), "2") << "a cancelled change leaves the count alone";

    // Change Presense All, cancelled in the dialog, changes nothing either.
    ASSERT_TRUE(RunListCommand(list, 0, program.Id(), IDM_LIST_ALL_PRESENT));
    ASSERT_TRUE(Answer(program.Id(), "Are You Sure You Want to Make These 5 Movie(s) Present?", "Confirmation", IDYES));
    dialog = WaitForDialog(program.Id(), "Presense Change...");
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0));  // Escape
    ASSERT_TRUE(WaitForWindowGone(dialog));
    EXPECT_EQ(ViewCaption(main), "Main Movie List");

    Save(main);
    EXPECT_EQ(data.ReadFile("CineLedger.dat"), kMainList);
    EXPECT_EQ(data.ReadFile("History.dat"), kHistory);
}

}  // namespace
}  // namespace cl::e2e
