// The main window from outside: start-up with and without stores, the views and their captions and counts, the
// erotic lock, save, backup and restore, the shut-down questions, and the Gimme list commands.
#include <gtest/gtest.h>

#include "res/EditDialogIds.h"
#include "res/ListDialogIds.h"
#include "tests/e2e/ProgramTest.h"
#include "tests/e2e/Screenshot_win.h"

namespace cl::e2e {
namespace {

// Every store in the form the program writes it, so that a save must give the same bytes back.
constexpr char kMainList[] =
    "CineLedger v3.15\r\n"
    "Alien|Default|Horror|Present|DVD|1\r\n"
    "Emmanuelle|Default|Erotic|Present|VHS|2\r\n"
    "Heat|Mike|Crime|Absent|DVD|3\r\n"
    "end|secret\r\n"
    "Gladiator|@|Video Store\r\n"
    "end|\r\n"
    "5\r\n"
    "end";
constexpr char kQuarantine[] = "Howard the Duck\r\nend";
constexpr char kGimme[] = "Casablanca\r\nVertigo\r\nend";
constexpr char kImdb[] = "CineLedger: Heat\r\n7\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n";
constexpr char kComments[] = "Alien\r\nIn space no one can hear you scream.\r\n";
constexpr char kHistory[] = "Heat\r\n2003/1/5\r\n0\r\nend\r\n";
constexpr char kMedia[] = "Heat\r\nMPEG-1\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n";

struct Store {
    const char* name;
    const char* bytes;
};
constexpr Store kStores[] = {
    {"CineLedger.dat", kMainList}, {"Quarantine.dat", kQuarantine}, {"Gimme.dat", kGimme},
    {"IMDb.dat", kImdb},           {"Comments.dat", kComments},     {"History.dat", kHistory},
    {"Media.dat", kMedia},
};

// Settings lines: view mode, Format Conversion, Auto-Save, Auto-Backup, Auto-IMDb, Title Correction.
constexpr char kRatedX[] = "1\r\n1\r\n0\r\n0\r\n0\r\n0";
constexpr char kAutoSave[] = "0\r\n1\r\n1\r\n0\r\n0\r\n0";

class MainWindowTest : public ProgramTest {
  protected:
    void WriteStores() {
        for (const Store& store : kStores) data.WriteFile(store.name, store.bytes);
    }

    // Runs the command and answers the question it asks.
    void AnswerCommand(HWND main, int command, std::string_view question, int answer) {
        ASSERT_TRUE(PostCommand(main, command));
        auto box = WaitForMessageBox(program.Id());
        ASSERT_TRUE(box.has_value()) << "no question after command " << command;
        EXPECT_EQ(box->text, question);
        EXPECT_EQ(box->caption, "Confirmation");
        ASSERT_TRUE(AnswerMessageBox(*box, answer));
    }

    // Waits for a message box, checks text and caption, and presses OK.
    void ExpectMessage(std::string_view text, std::string_view caption) {
        auto box = WaitForMessageBox(program.Id());
        ASSERT_TRUE(box.has_value()) << "expected the message \"" << text << "\"";
        EXPECT_EQ(box->text, text);
        EXPECT_EQ(box->caption, caption);
        EXPECT_TRUE(AnswerMessageBox(*box, IDOK));
    }

    // Waits until every posted message so far has been handled.
    static void Sync(HWND main) {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, 15000, &ignored);
    }
};

TEST_F(MainWindowTest, StartsWithTheLogoAndAHiddenEmptyList) {
    HWND main = StartMain();
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(Caption(main), "CineLedger");
    EXPECT_TRUE(Dialogs(program.Id()).empty()) << "nothing asks anything at start-up";

    HWND logo = ChildById(main, IDC_LOGO, "Static");
    ASSERT_NE(logo, nullptr);
    EXPECT_TRUE(IsWindowVisible(logo));
    HWND list = MovieList(main);
    ASSERT_NE(list, nullptr);
    EXPECT_FALSE(IsWindowVisible(list));
    EXPECT_TRUE(ListBoxItems(list).empty());
    EXPECT_EQ(ViewCaption(main), "");
    EXPECT_EQ(MovieCount(main), "");
    EXPECT_EQ(SelectionCount(main), "");
    for (int id : {IDC_MENU_BUTTON, IDC_MINIMIZE_BUTTON, IDC_CLOSE_BUTTON, IDC_VIEW_BUTTON, IDC_ADD_BUTTON,
                   IDC_FIND_BUTTON, IDC_EXTERNALS_BUTTON})
        EXPECT_NE(ChildById(main, id, "Button"), nullptr) << "button " << id;

    // The children in the order they were made, with the styles they need: owner-drawn skinned buttons, the
    // sorting extended-selection list box, owner-drawn status fields and the clickable logo.
    struct Child {
        int id;
        const char* className;
        LONG_PTR style;
    };
    const LONG_PTR button = WS_CHILD | WS_CLIPSIBLINGS | BS_OWNERDRAW;
    const LONG_PTR field = WS_CHILD | WS_VISIBLE | SS_OWNERDRAW;
    const Child children[] = {
        {IDC_MENU_BUTTON, "Button", button},      {IDC_MINIMIZE_BUTTON, "Button", button},
        {IDC_CLOSE_BUTTON, "Button", button},     {IDC_VIEW_BUTTON, "Button", button},
        {IDC_ADD_BUTTON, "Button", button},       {IDC_FIND_BUTTON, "Button", button},
        {IDC_EXTERNALS_BUTTON, "Button", button},
        // (The scroll bar bits come and go with the scroll bars, which an empty list does not show.)
        {IDC_MOVIE_LIST, "ListBox", WS_CHILD | WS_BORDER | LBS_NOTIFY | LBS_SORT | LBS_EXTENDEDSEL},
        {IDC_STATUS_CAPTION, "Static", field},    {IDC_STATUS_COUNT, "Static", field},
        {IDC_STATUS_SELECTION, "Static", field},  {IDC_LOGO, "Static", field | SS_NOTIFY},
    };
    HWND child = GetWindow(main, GW_CHILD);
    for (const Child& expected : children) {
        ASSERT_NE(child, nullptr) << "missing child " << expected.id;
        EXPECT_EQ(GetDlgCtrlID(child), expected.id);
        EXPECT_EQ(ClassName(child), expected.className) << expected.id;
        const LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE);
        EXPECT_EQ(style & expected.style, expected.style) << "styles of child " << expected.id;
        child = GetWindow(child, GW_HWNDNEXT);
    }

    // No caption and no frame: the window is exactly the skin's size.
    RECT rect = {};
    GetWindowRect(main, &rect);
    EXPECT_EQ(rect.right - rect.left, 640);
    EXPECT_EQ(rect.bottom - rect.top, 480);
    EXPECT_EQ(GetWindowLongPtrA(main, GWL_STYLE) & WS_CAPTION, 0);

    // The Covers folder is made at start-up.
    EXPECT_TRUE(data.Exists("Covers"));
    EXPECT_EQ(SaveScreenshot(main, ScreenshotFolder() / "MainWindow-Midnight-Logo.png"), "");
}

TEST_F(MainWindowTest, ViewMoviesShowsTheMainListWithoutErotic) {
    WriteStores();
    HWND main = StartMain();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(RunCommandAndWaitForCaption(main, IDC_VIEW_BUTTON, "Main Movie List"));
    HWND list = MovieList(main);
    EXPECT_EQ(ListBoxItems(list), (std::vector<std::string>{"Alien", "Heat"}));
    EXPECT_EQ(MovieCount(main), "Number of Movies: 2");
    EXPECT_EQ(SelectionCount(main), "1");
    EXPECT_EQ(ListBoxSelection(list), (std::vector<int>{0}));
    EXPECT_TRUE(IsWindowVisible(list));
    EXPECT_EQ(ChildById(main, IDC_LOGO, "Static"), nullptr) << "the logo window is destroyed for good";
    EXPECT_EQ(SaveScreenshot(main, ScreenshotFolder() / "MainWindow-Midnight.png"), "");
}

TEST_F(MainWindowTest, EveryViewHasItsContentCaptionAndCount) {
    WriteStores();
    HWND main = StartMain();
    ASSERT_NE(main, nullptr);
    HWND list = MovieList(main);
    struct ViewCase {
        int command;
        const char* caption;
        std::vector<std::string> items;
    };
    const ViewCase cases[] = {
        {IDM_UPCOMING_LIST, "Upcoming Movie List", {"Gladiator"}},
        {IDM_INTERNAL_GIMME, "Gimme List", {"Casablanca", "Vertigo"}},
        {IDM_PRESENT, "Present", {"Alien"}},
        {IDM_ABSENT, "Absent", {"Heat"}},
        {IDM_IMPORTED_GIMME, "Gimme Import-> None", {}},
        {IDM_MAIN_LIST, "Main Movie List", {"Alien", "Heat"}},
    };
    for (const ViewCase& view : cases) {
        SCOPED_TRACE(view.caption);
        ASSERT_TRUE(RunCommandAndWaitForCaption(main, view.command, view.caption));
        EXPECT_EQ(ListBoxItems(list), view.items);
        EXPECT_EQ(MovieCount(main), "Number of Movies: " + std::to_string(view.items.size()));
        EXPECT_EQ(SelectionCount(main), view.items.empty() ? "" : "1");
    }

    // View Movies after a presence view has no mark to follow: it shows the Main Movie List.
    ASSERT_TRUE(RunCommandAndWaitForCaption(main, IDM_ABSENT, "Absent"));
    ASSERT_TRUE(RunCommandAndWaitForCaption(main, IDC_VIEW_BUTTON, "Main Movie List"));
    EXPECT_EQ(ListBoxItems(list), (std::vector<std::string>{"Alien", "Heat"}));
}

TEST_F(MainWindowTest, StartsWithEmptyStoresWhenNoneExist) {
    HWND main = StartMain();
    ASSERT_NE(main, nullptr);
    for (int command : {IDC_VIEW_BUTTON, IDM_UPCOMING_LIST, IDM_INTERNAL_GIMME}) {
        PostCommand(main, command);
        Sync(main);
        EXPECT_TRUE(ListBoxItems(MovieList(main)).empty());
        EXPECT_EQ(MovieCount(main), "Number of Movies: 0");
        EXPECT_EQ(SelectionCount(main), "");
    }
    // Nothing is written at start-up without a save.
    for (const Store& store : kStores) EXPECT_FALSE(data.Exists(store.name)) << store.name;
}

TEST_F(MainWindowTest, RatedXShowsEroticMoviesUntilCtrlG) {
    WriteStores();
    data.WriteFile("Settings.dat", kRatedX);
    HWND main = StartMain();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(RunCommandAndWaitForCaption(main, IDC_VIEW_BUTTON, "Main Movie List"));
    HWND list = MovieList(main);
    EXPECT_EQ(ListBoxItems(list), (std::vector<std::string>{"Alien", "Emmanuelle", "Heat"}));
    EXPECT_EQ(MovieCount(main), "Number of Movies: 3");

    // Ctrl+G through the accelerator table: hides them at once and keeps the view.
    ASSERT_TRUE(RunCommandAndWaitForCaption(main, IDM_PRESENT, "Present"));
    EXPECT_EQ(ListBoxItems(list), (std::vector<std::string>{"Alien", "Emmanuelle"}));
    SetForegroundWindow(main);
    INPUT keys[4] = {};
    for (INPUT& key : keys) key.type = INPUT_KEYBOARD;
    keys[0].ki.wVk = VK_CONTROL;
    keys[1].ki.wVk = 'G';
    keys[2].ki.wVk = 'G';
    keys[2].ki.dwFlags = KEYEVENTF_KEYUP;
    keys[3].ki.wVk = VK_CONTROL;
    keys[3].ki.dwFlags = KEYEVENTF_KEYUP;
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == main; }));
    SendInput(4, keys, sizeof(INPUT));
    ASSERT_TRUE(WaitUntil([&] { return ViewCaption(main) == "Main Movie List"; }))
        << "Ctrl+G refreshes the current view, which after a presence view is the Main Movie List";
    EXPECT_EQ(ListBoxItems(list), (std::vector<std::string>{"Alien", "Heat"}));
    EXPECT_EQ(MovieCount(main), "Number of Movies: 2");
    // In memory only: the settings file still says Rated-X.
    EXPECT_EQ(data.ReadFile("Settings.dat"), kRatedX);
}

TEST_F(MainWindowTest, SaveWritesEveryStoreByteForByte) {
    WriteStores();
    HWND main = StartMain();
    ASSERT_NE(main, nullptr);
    // Loaded; take the files away so that what appears is what the save wrote.
    for (const Store& store : kStores) data.RemoveFile(store.name);

    AnswerCommand(main, IDM_SAVE, "Save Changes, mmm?", IDNO);
    Sync(main);
    for (const Store& store : kStores) EXPECT_FALSE(data.Exists(store.name)) << "No saves nothing: " << store.name;

    AnswerCommand(main, IDM_SAVE, "Save Changes, mmm?", IDYES);
    ASSERT_TRUE(WaitUntil([&] { return data.Exists("Media.dat"); }));
    for (const Store& store : kStores) EXPECT_EQ(data.ReadFile(store.name), store.bytes) << store.name;
    EXPECT_FALSE(data.Exists("Settings.dat")) << "the save-all does not write the settings";
}

TEST_F(MainWindowTest, BackupAndLoadBackupRestoreTheLastSavedState) {
    WriteStores();
    HWND main = StartMain();
    ASSERT_NE(main, nullptr);

    // Load Backup without a backup changes nothing.
    AnswerCommand(main, IDM_LOAD_BACKUP, "Load Backup File(s)?", IDYES);
    ExpectMessage("Backup File Does Not Exist!", "Error");

    AnswerCommand(main, IDM_BACKUP, "Backup Movie Lists?", IDYES);
    Sync(main);
    for (const Store& store : kStores) {
        std::string backup = std::string(store.name).replace(std::string(store.name).size() - 3, 3, "bak");
        EXPECT_EQ(data.ReadFile(backup), store.bytes) << backup;
    }

    // Delete the Gimme list: the file goes at once, without a save.
    ASSERT_TRUE(PostCommand(main, IDM_DELETE_GIMME));
    auto box = WaitForMessageBox(program.Id());
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text, "Delete Internal Gimme List? (Changes Will NOT BE RECOVERABLE)");
    ASSERT_TRUE(AnswerMessageBox(*box, IDYES));
    ASSERT_TRUE(WaitUntil([&] { return ViewCaption(main) == "Gimme List"; }));
    EXPECT_FALSE(data.Exists("Gimme.dat"));
    EXPECT_TRUE(ListBoxItems(MovieList(main)).empty());
    EXPECT_EQ(MovieCount(main), "Number of Movies: 0");

    AnswerCommand(main, IDM_LOAD_BACKUP, "Load Backup File(s)?", IDYES);
    ASSERT_TRUE(WaitUntil([&] { return ViewCaption(main) == "Main Movie List"; }));
    EXPECT_EQ(ListBoxItems(MovieList(main)), (std::vector<std::string>{"Alien", "Heat"}));
    ASSERT_TRUE(RunCommandAndWaitForCaption(main, IDM_INTERNAL_GIMME, "Gimme List"));
    EXPECT_EQ(ListBoxItems(MovieList(main)), (std::vector<std::string>{"Casablanca", "Vertigo"}));
    EXPECT_FALSE(data.Exists("Gimme.dat")) << "a restore writes nothing until the next save";
}

TEST_F(MainWindowTest, LoadBackupKeepsTheUpcomingLocationsKnownOnlyInMemory) {
    WriteStores();
    HWND main = StartMain();
    ASSERT_NE(main, nullptr);
    AnswerCommand(main, IDM_BACKUP, "Backup Movie Lists?", IDYES);

    // A planned movie from a new place, not saved: the place is known in memory only.
    ASSERT_TRUE(RunCommandAndWaitForCaption(main, IDM_UPCOMING_LIST, "Upcoming Movie List"));
    ASSERT_TRUE(PostCommand(main, IDC_ADD_BUTTON));
    HWND add = WaitForDialog(program.Id(), "Movie Addition/Editing...");
    ASSERT_NE(add, nullptr);
    ASSERT_TRUE(SetControlText(add, IDC_ADDEDIT_TITLE, "Rashomon"));
    ASSERT_TRUE(SetControlText(add, IDC_ADDEDIT_LOCATION, "Garage Sale"));
    ASSERT_TRUE(PressButton(add, IDC_ADDEDIT_SAVE));
    ASSERT_TRUE(WaitForWindowGone(add));
    EXPECT_EQ(ListBoxItems(MovieList(main)), (std::vector<std::string>{"Gladiator", "Rashomon"}));

    AnswerCommand(main, IDM_LOAD_BACKUP, "Load Backup File(s)?", IDYES);
    ASSERT_TRUE(WaitUntil([&] { return ViewCaption(main) == "Main Movie List"; }));
    ASSERT_TRUE(RunCommandAndWaitForCaption(main, IDM_UPCOMING_LIST, "Upcoming Movie List"));
    EXPECT_EQ(ListBoxItems(MovieList(main)), (std::vector<std::string>{"Gladiator"})) << "the movie was not backed up";

    ASSERT_TRUE(PostCommand(main, IDM_UPCOMING_LOCATIONS));
    HWND locations = WaitForDialog(program.Id(), "Upcoming Locations...");
    ASSERT_NE(locations, nullptr);
    EXPECT_EQ(ComboBoxItems(Control(locations, IDC_UPCOMING_LOCATION)),
              (std::vector<std::string>{"Garage Sale", "Video Store"}))
        << "the known upcoming locations survive a restore";
    PressButton(locations, IDC_UPCOMING_EXIT);
    EXPECT_TRUE(WaitForWindowGone(locations));
}

TEST_F(MainWindowTest, AutoBackupAtStartCopiesEveryStore) {
    WriteStores();
    data.WriteFile("Settings.dat", "0\r\n1\r\n0\r\n1\r\n0\r\n0");
    ASSERT_NE(StartMain(), nullptr);
    for (const Store& store : kStores) {
        std::string backup = std::string(store.name).replace(std::string(store.name).size() - 3, 3, "bak");
        EXPECT_EQ(data.ReadFile(backup), store.bytes) << backup;
    }
}

TEST_F(MainWindowTest, ExitWithAutoSaveAsksNothingAndSaves) {
    WriteStores();
    data.WriteFile("Settings.dat", kAutoSave);
    HWND main = StartMain();
    ASSERT_NE(main, nullptr);
    data.RemoveFile("CineLedger.dat");
    ASSERT_TRUE(program.Close());
    auto code = program.WaitForExit();
    ASSERT_TRUE(code.has_value()) << "the program asked something or did not end";
    EXPECT_EQ(*code, 0u);
    EXPECT_EQ(data.ReadFile("CineLedger.dat"), kMainList);
}

TEST_F(MainWindowTest, ExitWithoutAutoSaveAsksTwiceAndNoKeepsRunning) {
    WriteStores();
    HWND main = StartMain();
    ASSERT_NE(main, nullptr);
    data.RemoveFile("CineLedger.dat");

    AnswerCommand(main, IDM_EXIT, "Exit, mmm?", IDNO);
    Sync(main);
    EXPECT_TRUE(program.Running());
    EXPECT_TRUE(IsWindowVisible(main));

    // The close button goes the same way; Yes, then No to saving: nothing is written.
    ASSERT_TRUE(PostCommand(main, IDC_CLOSE_BUTTON));
    auto exitBox = WaitForMessageBox(program.Id());
    ASSERT_TRUE(exitBox.has_value());
    EXPECT_EQ(exitBox->text, "Exit, mmm?");
    ASSERT_TRUE(AnswerMessageBox(*exitBox, IDYES));
    auto saveBox = WaitForMessageBox(program.Id());
    ASSERT_TRUE(saveBox.has_value());
    EXPECT_EQ(saveBox->text, "Save Changes, mmm?");
    EXPECT_EQ(saveBox->caption, "Confirmation");
    ASSERT_TRUE(AnswerMessageBox(*saveBox, IDNO));
    auto code = program.WaitForExit();
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 0u);
    EXPECT_FALSE(data.Exists("CineLedger.dat"));
}

TEST_F(MainWindowTest, ExitSavesWhenAskedTo) {
    WriteStores();
    HWND main = StartMain();
    ASSERT_NE(main, nullptr);
    data.RemoveFile("CineLedger.dat");
    ASSERT_TRUE(program.Close());
    auto exitBox = WaitForMessageBox(program.Id());
    ASSERT_TRUE(exitBox.has_value());
    ASSERT_TRUE(AnswerMessageBox(*exitBox, IDYES));
    auto saveBox = WaitForMessageBox(program.Id());
    ASSERT_TRUE(saveBox.has_value());
    ASSERT_TRUE(AnswerMessageBox(*saveBox, IDYES));
    ASSERT_TRUE(program.WaitForExit().has_value());
    EXPECT_EQ(data.ReadFile("CineLedger.dat"), kMainList);
}

TEST_F(MainWindowTest, GimmeCommandsRefuseWhatCannotBeDone) {
    HWND main = StartMain();
    ASSERT_NE(main, nullptr);

    PostCommand(main, IDM_SEND_MAIN_LIST);
    ExpectMessage("Your Movie List is Empty.  Unable to Send.", "Error");
    PostCommand(main, IDM_SEND_GIMME);
    ExpectMessage("Your Gimme List is Empty.  Unable to Send.", "Gimme Error");
    PostCommand(main, IDM_SAVE_IMPORTED_GIMME);
    ExpectMessage("There Is No Imported List to Save.", "Error");

    ASSERT_TRUE(RunCommandAndWaitForCaption(main, IDM_INTERNAL_GIMME, "Gimme List"));
    PostCommand(main, IDC_ADD_BUTTON);
    ExpectMessage("You Can Not Manually Add Movies to the Gimme List.", "Gimme Error");

    // Closing the imported list shows the Main Movie List.
    ASSERT_TRUE(RunCommandAndWaitForCaption(main, IDM_CLOSE_IMPORTED_GIMME, "Main Movie List"));
}

}  // namespace
}  // namespace cl::e2e
