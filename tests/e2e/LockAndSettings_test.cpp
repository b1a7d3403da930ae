// The erotic-category lock (Password Entry and Password Change) and the Settings dialog from outside: first
// password, wrong and right passwords, changing the password, the Rated-X choice with its password, Apply and
// Cancel, and what reaches "CineLedger.dat" and "Settings.dat".
#include <gtest/gtest.h>

#include "res/FindDialogIds.h"
#include "tests/e2e/ProgramTest.h"
#include "tests/e2e/Screenshot_win.h"

namespace cl::e2e {
namespace {

// The main list file with a given password line.
std::string MainList(std::string_view password) {
    return "CineLedger v3.15\r\n"
           "Alien|Default|Horror|Present|DVD|1\r\n"
           "Emmanuelle|Default|Erotic|Present|VHS|2\r\n"
           "Heat|Mike|Crime|Absent|DVD|3\r\n"
           "end|" +
           std::string(password) +
           "\r\n"
           "Gladiator|@|Video Store\r\n"
           "end|\r\n"
           "end";
}

using Lines = std::vector<std::string>;
const Lines kWithoutErotic = {"Alien", "Heat"};
const Lines kWithErotic = {"Alien", "Emmanuelle", "Heat"};

// Settings lines: view mode, Format Conversion, Auto-Save, Auto-Backup, Auto-IMDb, Title Correction.
constexpr char kRatedX[] = "1\r\n1\r\n0\r\n0\r\n0\r\n0";

class LockTest : public ProgramTest {
  protected:
    // Writes the stores, starts the program and shows the Main Movie List.
    void Start(std::string_view password, const char* settings = nullptr) {
        data.WriteFile("CineLedger.dat", MainList(password));
        if (settings != nullptr) data.WriteFile("Settings.dat", settings);
        main = StartMain();
        ASSERT_NE(main, nullptr);
        list = MovieList(main);
        ASSERT_TRUE(RunCommandAndWaitForCaption(main, IDC_VIEW_BUTTON, "Main Movie List"));
    }

    HWND OpenByCommand(int command, std::string_view caption) {
        if (!PostCommand(main, command)) return nullptr;
        return WaitForDialog(program.Id(), caption);
    }

    // Waits for a message box, checks it and presses OK.
    void ExpectMessage(std::string_view text, HWND owner) {
        auto box = WaitForMessageBox(program.Id());
        ASSERT_TRUE(box.has_value()) << "expected \"" << text << "\"";
        EXPECT_EQ(box->text, text);
        EXPECT_EQ(box->caption, "Error");
        EXPECT_EQ(GetWindow(box->window, GW_OWNER), owner);
        ASSERT_TRUE(AnswerMessageBox(*box, IDOK));
    }

    // Types into Password Entry and presses OK.
    void EnterPassword(HWND entry, std::string_view password) {
        ASSERT_TRUE(SetControlText(entry, IDC_PASSWORD_EDIT, password));
        ASSERT_TRUE(PressButton(entry, IDC_PASSWORD_OK));
    }

    void FillChange(HWND change, std::string_view current, std::string_view typed, std::string_view confirmation) {
        if (IsControlEnabled(change, IDC_PASSWORD_CURRENT)) {
            ASSERT_TRUE(SetControlText(change, IDC_PASSWORD_CURRENT, current));
        }
        ASSERT_TRUE(SetControlText(change, IDC_PASSWORD_NEW, typed));
        ASSERT_TRUE(SetControlText(change, IDC_PASSWORD_CONFIRM, confirmation));
        ASSERT_TRUE(PressButton(change, IDC_PASSWORD_CHANGE_OK));
    }

    // The control of the program's window that has the keyboard focus.
    static HWND FocusOf(HWND window) {
        GUITHREADINFO info = {};
        info.cbSize = sizeof(info);
        if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
        return info.hwndFocus;
    }

    // Saves all stores and returns the password line of "CineLedger.dat".
    std::string SavedPasswordLine() {
        data.RemoveFile("CineLedger.dat");
        PostCommand(main, IDM_SAVE);
        auto box = WaitForMessageBox(program.Id());
        if (!box || !AnswerMessageBox(*box, IDYES)) return "no save question";
        if (!WaitUntil([&] { return data.Exists("Media.dat"); })) return "nothing saved";
        std::string file = *data.ReadFile("CineLedger.dat");
        std::size_t start = file.find("\r\nend|");
        if (start == std::string::npos) return "no password line";
        start += 2;
        return file.substr(start, file.find("\r\n", start) - start);
    }

    HWND main = nullptr;
    HWND list = nullptr;
};

TEST_F(LockTest, FirstPasswordIsSetTwiceAlikeThenOpensTheLock) {
    Start("nolockx");
    HWND change = OpenByCommand(IDM_SHOW_EROTIC, "Password Change...");
    ASSERT_NE(change, nullptr) << "without a password Ctrl+X asks for a first one";
    EXPECT_FALSE(IsControlEnabled(change, IDC_PASSWORD_CURRENT));
    for (int id : {IDC_PASSWORD_CURRENT, IDC_PASSWORD_NEW, IDC_PASSWORD_CONFIRM})
        EXPECT_EQ(SendMessageA(Control(change, id), EM_GETLIMITTEXT, 0, 0), 8) << id;
    EXPECT_EQ(SaveScreenshot(change, ScreenshotFolder() / "PasswordChange-First.png"), "");

    // Two different texts: refused, all emptied, the focus on the new password.
    FillChange(change, "", "abc", "abd");
    ExpectMessage("Password Mismatch.", change);
    EXPECT_TRUE(IsWindowVisible(change));
    for (int id : {IDC_PASSWORD_NEW, IDC_PASSWORD_CONFIRM}) EXPECT_EQ(ControlText(change, id), "") << id;
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(change) == Control(change, IDC_PASSWORD_NEW); }));

    FillChange(change, "", "Secret", "Secret");
    ASSERT_TRUE(WaitForWindowGone(change));
    EXPECT_EQ(ListBoxItems(list), kWithoutErotic) << "setting a password does not open the lock";

    // Now Ctrl+X asks for it; another letter case is wrong.
    HWND entry = OpenByCommand(IDM_SHOW_EROTIC, "Password Entry...");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(SendMessageA(Control(entry, IDC_PASSWORD_EDIT), EM_GETLIMITTEXT, 0, 0), 8);
    EXPECT_EQ(SaveScreenshot(entry, ScreenshotFolder() / "PasswordEntry.png"), "");
    EnterPassword(entry, "secret");
    ExpectMessage("Invalid Password.", entry);
    ASSERT_TRUE(WaitForWindowGone(entry));
    EXPECT_EQ(ViewCaption(main), "Main Movie List");
    EXPECT_EQ(ListBoxItems(list), kWithoutErotic);

    entry = OpenByCommand(IDM_SHOW_EROTIC, "Password Entry...");
    ASSERT_NE(entry, nullptr);
    EnterPassword(entry, "Secret");
    ASSERT_TRUE(WaitForWindowGone(entry));
    ASSERT_TRUE(WaitUntil([&] { return ViewCaption(main) == "Erotic"; }));
    EXPECT_EQ(ListBoxItems(list), Lines{"Emmanuelle"});
    EXPECT_EQ(MovieCount(main), "Number of Movies: 1");
    EXPECT_EQ(SelectionCount(main), "1");
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(main) == list; }));

    // View Movies after the by-category view shows the whole Main Movie List, erotic movies included now.
    ASSERT_TRUE(RunCommandAndWaitForCaption(main, IDC_VIEW_BUTTON, "Main Movie List"));
    EXPECT_EQ(ListBoxItems(list), kWithErotic);

    // The password reaches the file with the next save; the settings file is not written.
    EXPECT_EQ(SavedPasswordLine(), "end|Secret");
    EXPECT_FALSE(data.Exists("Settings.dat"));
}

TEST_F(LockTest, AnEmptyFirstPasswordOpensWithAnEmptyEntry) {
    Start("nolockx");
    HWND change = OpenByCommand(IDM_CHANGE_PASSWORD, "Password Change...");
    ASSERT_NE(change, nullptr);
    FillChange(change, "", "", "");
    ASSERT_TRUE(WaitForWindowGone(change));

    HWND entry = OpenByCommand(IDM_SHOW_EROTIC, "Password Entry...");
    ASSERT_NE(entry, nullptr) << "an empty password is a password";
    EnterPassword(entry, "");
    ASSERT_TRUE(WaitUntil([&] { return ViewCaption(main) == "Erotic"; }));
    EXPECT_EQ(ListBoxItems(list), Lines{"Emmanuelle"});
    EXPECT_EQ(SavedPasswordLine(), "end|");
}

TEST_F(LockTest, ChangingAPasswordNeedsTheCurrentOneAndANewOne) {
    Start("secret");
    HWND change = OpenByCommand(IDM_CHANGE_PASSWORD, "Password Change...");
    ASSERT_NE(change, nullptr);
    EXPECT_TRUE(IsControlEnabled(change, IDC_PASSWORD_CURRENT));
    EXPECT_EQ(ControlText(change, IDC_PASSWORD_CURRENT), "");
    EXPECT_EQ(SaveScreenshot(change, ScreenshotFolder() / "PasswordChange.png"), "");

    struct Refused {
        const char* why;
        const char* current;
        const char* typed;
        const char* confirmation;
    };
    const Refused refusals[] = {
        {"wrong current password", "Secret", "newpw", "newpw"},
        {"new and confirmation differ", "secret", "newpw", "newpx"},
        {"new password empty", "secret", "", ""},
    };
    for (const Refused& r : refusals) {
        SCOPED_TRACE(r.why);
        FillChange(change, r.current, r.typed, r.confirmation);
        ExpectMessage("Password Mismatch.", change);
        for (int id : {IDC_PASSWORD_CURRENT, IDC_PASSWORD_NEW, IDC_PASSWORD_CONFIRM})
            EXPECT_EQ(ControlText(change, id), "") << id;
        EXPECT_TRUE(WaitUntil([&] { return FocusOf(change) == Control(change, IDC_PASSWORD_CURRENT); }));
    }

    // Cancel changes nothing.
    FillChange(change, "secret", "other", "other");
    ASSERT_TRUE(WaitForWindowGone(change));
    change = OpenByCommand(IDM_CHANGE_PASSWORD, "Password Change...");
    ASSERT_NE(change, nullptr);
    ASSERT_TRUE(SetControlText(change, IDC_PASSWORD_CURRENT, "other"));
    ASSERT_TRUE(SetControlText(change, IDC_PASSWORD_NEW, "third"));
    ASSERT_TRUE(PressButton(change, IDC_PASSWORD_CHANGE_CANCEL));
    ASSERT_TRUE(WaitForWindowGone(change));
    EXPECT_EQ(ListBoxItems(list), kWithoutErotic) << "changing the password does not open the lock";
    EXPECT_EQ(SavedPasswordLine(), "end|other");
}

TEST_F(LockTest, AWrongPasswordClosesAnOpenLockAndCancelChangesNothing) {
    Start("secret", kRatedX);
    EXPECT_EQ(ListBoxItems(list), kWithErotic) << "Rated-X opens the lock at start-up";

    HWND entry = OpenByCommand(IDM_SHOW_EROTIC, "Password Entry...");
    ASSERT_NE(entry, nullptr);
    ASSERT_TRUE(SetControlText(entry, IDC_PASSWORD_EDIT, "secret"));
    ASSERT_TRUE(PressButton(entry, IDC_PASSWORD_CANCEL));
    ASSERT_TRUE(WaitForWindowGone(entry));
    ASSERT_TRUE(RunCommandAndWaitForCaption(main, IDC_VIEW_BUTTON, "Main Movie List"));
    EXPECT_EQ(ListBoxItems(list), kWithErotic) << "Cancel leaves the lock as it was";

    entry = OpenByCommand(IDM_SHOW_EROTIC, "Password Entry...");
    ASSERT_NE(entry, nullptr);
    EnterPassword(entry, "wrong");
    ExpectMessage("Invalid Password.", entry);
    ASSERT_TRUE(WaitForWindowGone(entry));
    ASSERT_TRUE(RunCommandAndWaitForCaption(main, IDC_VIEW_BUTTON, "Main Movie List"));
    EXPECT_EQ(ListBoxItems(list), kWithoutErotic) << "the wrong password closed the lock";
    EXPECT_EQ(data.ReadFile("Settings.dat"), kRatedX) << "in memory only";
}

class SettingsTest : public LockTest {
  protected:
    HWND OpenSettings() { return OpenByCommand(IDM_SETTINGS, "Settings..."); }

    // A click on Rated-X as the mouse gives it; the password dialog it opens is returned.
    HWND ChooseRatedX(HWND settings, std::string_view passwordCaption) {
        PostMessageA(Control(settings, IDC_SETTINGS_RATED_X), BM_CLICK, 0, 0);
        HWND dialog = WaitForDialog(program.Id(), passwordCaption);
        if (dialog != nullptr) {
            EXPECT_EQ(GetWindow(dialog, GW_OWNER), settings) << "owned by the Settings dialog";
        }
        return dialog;
    }

    static void ExpectViewMode(HWND settings, bool ratedX) {
        EXPECT_TRUE(WaitUntil([&] { return IsChecked(settings, IDC_SETTINGS_RATED_X) == ratedX; }));
        EXPECT_EQ(IsChecked(settings, IDC_SETTINGS_PG13), !ratedX);
    }
};

TEST_F(SettingsTest, OpensWithTheSettingsAndApplyWritesTheBoxes) {
    Start("secret", "0\r\n1\r\n1\r\n0\r\n1\r\n0");
    HWND settings = OpenSettings();
    ASSERT_NE(settings, nullptr);
    ExpectViewMode(settings, false);
    struct Box {
        int id;
        bool ticked;
    };
    const Box boxes[] = {{IDC_SETTINGS_FORMAT, true},
                         {IDC_SETTINGS_AUTO_SAVE, true},
                         {IDC_SETTINGS_AUTO_BACKUP, false},
                         {IDC_SETTINGS_AUTO_IMDB, true},
                         {IDC_SETTINGS_TITLE_CORRECTION, false}};
    for (const Box& box : boxes) EXPECT_EQ(IsChecked(settings, box.id), box.ticked) << box.id;
    EXPECT_EQ(SaveScreenshot(settings, ScreenshotFolder() / "Settings.png"), "");

    // Cancel writes nothing, even after the boxes were changed.
    SendMessageA(Control(settings, IDC_SETTINGS_AUTO_BACKUP), BM_SETCHECK, BST_CHECKED, 0);
    ASSERT_TRUE(PressButton(settings, IDC_SETTINGS_CANCEL));
    ASSERT_TRUE(WaitForWindowGone(settings));
    EXPECT_EQ(data.ReadFile("Settings.dat"), "0\r\n1\r\n1\r\n0\r\n1\r\n0");

    // Every box cleared and applied: all five switches 0.
    settings = OpenSettings();
    ASSERT_NE(settings, nullptr);
    EXPECT_FALSE(IsChecked(settings, IDC_SETTINGS_AUTO_BACKUP)) << "the dialog shows the settings, not the last look";
    for (const Box& box : boxes) SendMessageA(Control(settings, box.id), BM_SETCHECK, BST_UNCHECKED, 0);
    ASSERT_TRUE(PressButton(settings, IDC_SETTINGS_APPLY));
    ASSERT_TRUE(WaitForWindowGone(settings));
    EXPECT_EQ(data.ReadFile("Settings.dat"), "0\r\n0\r\n0\r\n0\r\n0\r\n0");

    // And every box ticked.
    settings = OpenSettings();
    ASSERT_NE(settings, nullptr);
    for (const Box& box : boxes) EXPECT_FALSE(IsChecked(settings, box.id)) << box.id;
    for (const Box& box : boxes) SendMessageA(Control(settings, box.id), BM_SETCHECK, BST_CHECKED, 0);
    ASSERT_TRUE(PressButton(settings, IDC_SETTINGS_APPLY));
    ASSERT_TRUE(WaitForWindowGone(settings));
    EXPECT_EQ(data.ReadFile("Settings.dat"), "0\r\n1\r\n1\r\n1\r\n1\r\n1");
}

TEST_F(SettingsTest, RatedXWithAWrongPasswordFallsBackToPg13) {
    Start("secret");
    ASSERT_TRUE(RunCommandAndWaitForCaption(main, IDM_UPCOMING_LIST, "Upcoming Movie List"));
    HWND settings = OpenSettings();
    ASSERT_NE(settings, nullptr);
    HWND entry = ChooseRatedX(settings, "Password Entry...");
    ASSERT_NE(entry, nullptr);
    EnterPassword(entry, "Secret");
    ExpectMessage("Invalid Password.", entry);
    ASSERT_TRUE(WaitForWindowGone(entry));
    ExpectViewMode(settings, false);
    // The main window falls back to the whole Main Movie List.
    EXPECT_TRUE(WaitUntil([&] { return ViewCaption(main) == "Main Movie List"; }));
    EXPECT_EQ(ListBoxItems(list), kWithoutErotic);
    EXPECT_EQ(MovieCount(main), "Number of Movies: 2");

    ASSERT_TRUE(PressButton(settings, IDC_SETTINGS_CANCEL));
    ASSERT_TRUE(WaitForWindowGone(settings));
    EXPECT_FALSE(data.Exists("Settings.dat"));
}

TEST_F(SettingsTest, RatedXWithTheRightPasswordThenCancelKeepsTheLockOpenWithoutWriting) {
    Start("secret");
    HWND settings = OpenSettings();
    ASSERT_NE(settings, nullptr);
    HWND entry = ChooseRatedX(settings, "Password Entry...");
    ASSERT_NE(entry, nullptr);
    EnterPassword(entry, "secret");
    ASSERT_TRUE(WaitForWindowGone(entry));
    ExpectViewMode(settings, true);
    EXPECT_TRUE(WaitUntil([&] { return ViewCaption(main) == "Erotic"; }));
    EXPECT_EQ(ListBoxItems(list), Lines{"Emmanuelle"});

    // A second click on the chosen Rated-X asks nothing.
    PostMessageA(Control(settings, IDC_SETTINGS_RATED_X), BM_CLICK, 0, 0);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(settings, WM_NULL, 0, 0, SMTO_NORMAL, 15000, &ignored);
    EXPECT_EQ(Dialogs(program.Id()), std::vector<HWND>{settings});

    ASSERT_TRUE(PressButton(settings, IDC_SETTINGS_CANCEL));
    ASSERT_TRUE(WaitForWindowGone(settings));
    EXPECT_FALSE(data.Exists("Settings.dat"));
    ASSERT_TRUE(RunCommandAndWaitForCaption(main, IDC_VIEW_BUTTON, "Main Movie List"));
    EXPECT_EQ(ListBoxItems(list), kWithErotic);
}

TEST_F(SettingsTest, RatedXWithTheRightPasswordThenApplyWritesViewMode1) {
    Start("secret");
    HWND settings = OpenSettings();
    ASSERT_NE(settings, nullptr);
    HWND entry = ChooseRatedX(settings, "Password Entry...");
    ASSERT_NE(entry, nullptr);
    EnterPassword(entry, "secret");
    ASSERT_TRUE(WaitForWindowGone(entry));
    ASSERT_TRUE(PressButton(settings, IDC_SETTINGS_APPLY));
    ASSERT_TRUE(WaitForWindowGone(settings));
    // No settings file before: Format Conversion was on, everything else off.
    EXPECT_EQ(data.ReadFile("Settings.dat"), "1\r\n1\r\n0\r\n0\r\n0\r\n0");
    EXPECT_EQ(ViewCaption(main), "Erotic");
}

TEST_F(SettingsTest, ApplyingPg13ClosesTheLockAndRefillsOnlyMainViews) {
    struct Case {
        const char* name;
        int command;         // the view shown before the Settings dialog
        const char* before;  // its caption
        const char* after;   // the caption after Apply
        Lines lines;         // the list after Apply
    };
    const Case cases[] = {
        {"Upcoming view stays", IDM_UPCOMING_LIST, "Upcoming Movie List", "Upcoming Movie List", {"Gladiator"}},
        {"filtered view refilled", IDM_PRESENT, "Present", "Main Movie List", kWithoutErotic},
        {"Main view refilled", IDM_MAIN_LIST, "Main Movie List", "Main Movie List", kWithoutErotic},
    };
    Start("secret", kRatedX);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Open the lock again for each case.
        HWND entry = OpenByCommand(IDM_SHOW_EROTIC, "Password Entry...");
        ASSERT_NE(entry, nullptr);
        EnterPassword(entry, "secret");
        ASSERT_TRUE(WaitUntil([&] { return ViewCaption(main) == "Erotic"; }));
        ASSERT_TRUE(RunCommandAndWaitForCaption(main, c.command, c.before));

        HWND settings = OpenSettings();
        ASSERT_NE(settings, nullptr);
        ExpectViewMode(settings, true);
        PostMessageA(Control(settings, IDC_SETTINGS_PG13), BM_CLICK, 0, 0);
        ExpectViewMode(settings, false);
        ASSERT_TRUE(PressButton(settings, IDC_SETTINGS_APPLY));
        ASSERT_TRUE(WaitForWindowGone(settings));
        EXPECT_EQ(ViewCaption(main), c.after);
        EXPECT_EQ(ListBoxItems(list), c.lines);
        EXPECT_EQ(data.ReadFile("Settings.dat"), "0\r\n1\r\n0\r\n0\r\n0\r\n0");
        ASSERT_TRUE(RunCommandAndWaitForCaption(main, IDM_MAIN_LIST, "Main Movie List"));
        EXPECT_EQ(ListBoxItems(list), kWithoutErotic) << "the lock is closed";
    }
}

TEST_F(SettingsTest, RatedXWithoutAPasswordAsksForAFirstOne) {
    Start("nolockx");
    HWND settings = OpenSettings();
    ASSERT_NE(settings, nullptr);
    HWND change = ChooseRatedX(settings, "Password Change...");
    ASSERT_NE(change, nullptr);
    EXPECT_FALSE(IsControlEnabled(change, IDC_PASSWORD_CURRENT));
    FillChange(change, "", "mine", "mine");
    ASSERT_TRUE(WaitForWindowGone(change));
    // Setting the password does not open the lock: the choice falls back to PG-13 ...
    ExpectViewMode(settings, false);
    EXPECT_TRUE(WaitUntil([&] { return ViewCaption(main) == "Main Movie List"; }));
    EXPECT_EQ(ListBoxItems(list), kWithoutErotic);

    // ... and the next choice of Rated-X asks for the new password.
    HWND entry = ChooseRatedX(settings, "Password Entry...");
    ASSERT_NE(entry, nullptr);
    EnterPassword(entry, "mine");
    ASSERT_TRUE(WaitForWindowGone(entry));
    ExpectViewMode(settings, true);
    ASSERT_TRUE(PressButton(settings, IDC_SETTINGS_APPLY));
    ASSERT_TRUE(WaitForWindowGone(settings));
    EXPECT_EQ(data.ReadFile("Settings.dat"), "1\r\n1\r\n0\r\n0\r\n0\r\n0");
    EXPECT_EQ(SavedPasswordLine(), "end|mine");
}

}  // namespace
}  // namespace cl::e2e
