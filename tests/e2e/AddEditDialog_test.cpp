// The add/edit movie dialog (106) from outside: adding in the Main and Upcoming views, the refusals and the
// Upcoming question, Cancel, editing from the list and from the Upcoming Locations dialog, Main Shift, and the
// files after a save, byte for byte.
#include <gtest/gtest.h>

#include <optional>

#include "res/EditDialogIds.h"
#include "res/ListDialogIds.h"
#include "tests/e2e/ListHelpers.h"
#include "tests/e2e/ProgramTest.h"
#include "tests/e2e/Screenshot_win.h"

namespace cl::e2e {
namespace {

using Lines = std::vector<std::string>;

constexpr char kCaption[] = "Movie Addition/Editing...";

constexpr char kMainList[] =
    "CineLedger v3.15\r\n"
    "Alien|Default|Horror|Present|DVD|1\r\n"
    "Heat|Mike|Crime|Absent|DivX|3\r\n"
    "end|nolockx\r\n"
    "Gladiator|@|Video Store\r\n"
    "Memento|@|Jim\r\n"
    "end|\r\n"
    "2\r\n"
    "end";
constexpr char kComments[] = "Heat\r\nBest shoot-out.\r\n";
constexpr char kHistory[] = "Heat\r\n2003/1/5\r\n2\r\n2003/2/1: loaned to Mike.\r\nend\r\n";
constexpr char kImdb[] = "CineLedger: Heat\r\n7\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n";
constexpr char kMedia[] = "Heat\r\nMPEG-1\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n";

// What to type into the dialog; fields left out are not touched.
struct Typed {
    std::optional<std::string> title{};
    std::optional<std::string> category{};
    std::optional<std::string> location{};
    std::optional<std::string> medium{};
    std::optional<std::string> comments{};
    int presence = -1;  // the entry to choose, -1 to leave it
};

// Today's date as the program stores it: "%i/%i/%i", UTC.
std::string Today() {
    SYSTEMTIME now = {};
    GetSystemTime(&now);
    return std::to_string(now.wYear) + "/" + std::to_string(now.wMonth) + "/" + std::to_string(now.wDay);
}

class AddEditDialogTest : public ProgramTest {
  protected:
    void WriteStores() {
        data.WriteFile("CineLedger.dat", kMainList);
        data.WriteFile("Comments.dat", kComments);
        data.WriteFile("History.dat", kHistory);
        data.WriteFile("IMDb.dat", kImdb);
        data.WriteFile("Media.dat", kMedia);
    }

    // Starts the program on a view.
    HWND StartIn(int command, std::string_view caption) {
        WriteStores();
        HWND main = StartMain();
        if (main != nullptr) {
            EXPECT_TRUE(RunCommandAndWaitForCaption(main, command, caption));
        }
        return main;
    }

    HWND OpenAdd(HWND main) {
        PostCommand(main, IDC_ADD_BUTTON);
        return WaitForDialog(program.Id(), kCaption);
    }

    static void Type(HWND dialog, const Typed& t) {
        const std::pair<const std::optional<std::string>*, int> fields[] = {
            {&t.title, IDC_ADDEDIT_TITLE},   {&t.category, IDC_ADDEDIT_CATEGORY}, {&t.location, IDC_ADDEDIT_LOCATION},
            {&t.medium, IDC_ADDEDIT_MEDIUM}, {&t.comments, IDC_ADDEDIT_COMMENTS},
        };
        for (auto [text, id] : fields)
            if (*text) {
                EXPECT_TRUE(SetControlText(dialog, id, **text)) << id;
            }
        if (t.presence >= 0) {
            DWORD_PTR ignored = 0;
            SendMessageTimeoutA(Control(dialog, IDC_ADDEDIT_PRESENCE), CB_SETCURSEL, static_cast<WPARAM>(t.presence), 0,
                                SMTO_NORMAL, 15000, &ignored);
        }
    }

    // Save, and the dialog closes.
    static ::testing::AssertionResult SaveAndClose(HWND dialog) {
        if (!PressButton(dialog, IDC_ADDEDIT_SAVE)) return ::testing::AssertionFailure() << "Save not pressed";
        if (!WaitForWindowGone(dialog)) return ::testing::AssertionFailure() << "the dialog stayed open";
        return ::testing::AssertionSuccess();
    }

    // Save shows a message owned by the dialog, which stays open.
    ::testing::AssertionResult SaveIsRefused(HWND dialog, std::string_view text, std::string_view caption) {
        if (!PressButton(dialog, IDC_ADDEDIT_SAVE)) return ::testing::AssertionFailure() << "Save not pressed";
        auto box = WaitForMessageBox(program.Id());
        if (!box) return ::testing::AssertionFailure() << "no message \"" << text << "\"";
        const HWND owner = GetWindow(box->window, GW_OWNER);
        AnswerMessageBox(*box, IDOK);
        if (box->text != text || box->caption != caption)
            return ::testing::AssertionFailure() << "\"" << box->text << "\" (" << box->caption << ")";
        if (owner != dialog) return ::testing::AssertionFailure() << "the message is not owned by the dialog";
        if (!IsWindowVisible(dialog)) return ::testing::AssertionFailure() << "the dialog closed";
        return ::testing::AssertionSuccess();
    }

    // The save-all, then the file holds exactly these bytes.
    ::testing::AssertionResult SaveAllAndExpect(HWND main, std::string_view file, std::string_view bytes) {
        PostCommand(main, IDM_SAVE);
        ::testing::AssertionResult answered = Answer(program.Id(), "Save Changes, mmm?", "Confirmation", IDYES);
        if (!answered) return answered;
        // The save runs inside the Save command's handler: a message sent afterwards returns once every store has
        // been written, so the other files can be read at once too.
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, 15000, &ignored);
        if (WaitUntil([&] { return data.ReadFile(file) == bytes; })) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << file << " holds:\n" << data.ReadFile(file).value_or("<none>");
    }

    std::string SelectedLine(HWND main) {
        HWND list = MovieList(main);
        const std::vector<int> selected = ListBoxSelection(list);
        if (selected.size() != 1) return "<" + std::to_string(selected.size()) + " lines selected>";
        return ListBoxItems(list).at(static_cast<std::size_t>(selected.front()));
    }
};

TEST_F(AddEditDialogTest, AddInMainNumbersFormatsFillsInAndWritesEveryStore) {
    HWND main = StartIn(IDM_MAIN_LIST, "Main Movie List");
    ASSERT_NE(main, nullptr);
    HWND dialog = OpenAdd(main);
    ASSERT_NE(dialog, nullptr);

    // The lists come from the known values, sorted, with the first entry chosen; name, location and comments empty.
    EXPECT_EQ(ComboBoxItems(Control(dialog, IDC_ADDEDIT_CATEGORY)), (Lines{"Crime", "Horror"}));
    EXPECT_EQ(ComboBoxItems(Control(dialog, IDC_ADDEDIT_PRESENCE)), (Lines{"Present", "Absent"}));
    EXPECT_EQ(ComboBoxItems(Control(dialog, IDC_ADDEDIT_MEDIUM)), (Lines{"DivX", "DVD"}));
    for (int id : {IDC_ADDEDIT_CATEGORY, IDC_ADDEDIT_PRESENCE, IDC_ADDEDIT_MEDIUM})
        EXPECT_EQ(ComboBoxSelection(Control(dialog, id)), 0) << id;
    for (int id : {IDC_ADDEDIT_TITLE, IDC_ADDEDIT_LOCATION, IDC_ADDEDIT_COMMENTS})
        EXPECT_EQ(ControlText(dialog, id), "") << id;
    for (int id : {IDC_ADDEDIT_TITLE, IDC_ADDEDIT_CATEGORY, IDC_ADDEDIT_PRESENCE, IDC_ADDEDIT_LOCATION,
                   IDC_ADDEDIT_MEDIUM, IDC_ADDEDIT_COMMENTS})
        EXPECT_TRUE(IsControlEnabled(dialog, id)) << id;

    Type(dialog, {"the legend of bagger vance", "Drama", "", "", "Line one\r\nline two, with a | in it"});
    EXPECT_EQ(SaveScreenshot(dialog, ScreenshotFolder() / "AddEditDialog-Add.png"), "");
    ASSERT_TRUE(SaveAndClose(dialog));
    EXPECT_EQ(ListBoxItems(MovieList(main)), (Lines{"Alien", "Heat", "Legend of Bagger Vance, The"}));
    EXPECT_EQ(ViewCaption(main), "Main Movie List");
    EXPECT_EQ(MovieCount(main), "Number of Movies: 3");
    EXPECT_EQ(SelectionCount(main), "1");
    EXPECT_EQ(SelectedLine(main), "Legend of Bagger Vance, The");

    // The second one keeps the first entries the lists offered.
    dialog = OpenAdd(main);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ComboBoxItems(Control(dialog, IDC_ADDEDIT_CATEGORY)), (Lines{"Crime", "Drama", "Horror"}));
    EXPECT_EQ(ComboBoxItems(Control(dialog, IDC_ADDEDIT_MEDIUM)), (Lines{"DivX", "DVD", "Unknown"}));
    Type(dialog, {"tom and jerry", std::nullopt, "the shelf", std::nullopt, std::nullopt, 1});
    ASSERT_TRUE(SaveAndClose(dialog));
    EXPECT_EQ(SelectedLine(main), "Tom and Jerry");

    ASSERT_TRUE(SaveAllAndExpect(main, "CineLedger.dat",
                                 "CineLedger v3.15\r\n"
                                 "Alien|Default|Horror|Present|DVD|1\r\n"
                                 "Heat|Mike|Crime|Absent|DivX|3\r\n"
                                 "Legend of Bagger Vance, The|Default|Drama|Present|Unknown|2\r\n"
                                 "Tom and Jerry|Shelf, The|Crime|Absent|DivX|4\r\n"
                                 "end|nolockx\r\n"
                                 "Gladiator|@|Video Store\r\n"
                                 "Memento|@|Jim\r\n"
                                 "end|\r\n"
                                 "end"));
    const std::string today = Today();
    EXPECT_EQ(data.ReadFile("History.dat"), std::string(kHistory) + "Legend of Bagger Vance, The\r\n" + today +
                                                "\r\n0\r\nend\r\nTom and Jerry\r\n" + today + "\r\n0\r\nend\r\n");
    EXPECT_EQ(data.ReadFile("Comments.dat"),
              std::string(kComments) + "Legend of Bagger Vance, The\r\nLine one line two, with a | in it\r\n");
}

TEST_F(AddEditDialogTest, EmptyNameAndDuplicateKeepTheDialogOpenAndChangeNothing) {
    HWND main = StartIn(IDM_MAIN_LIST, "Main Movie List");
    ASSERT_NE(main, nullptr);
    HWND dialog = OpenAdd(main);
    ASSERT_NE(dialog, nullptr);
    struct Case {
        const char* title;
        const char* message;
        const char* caption;
    };
    const Case cases[] = {
        {"", "You Must Supply a Movie Name to Save.", "Field Error"},
        {"heat", "Movie Already Exists.", "Error"},
        {"Alien|Resurrection", "The Movie Name May Not Contain \"|\" or a Line Break.", "Field Error"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.title);
        Type(dialog, {k.title, "Drama", "Jim", "VHS", "typed"});
        EXPECT_TRUE(SaveIsRefused(dialog, k.message, k.caption));
        EXPECT_EQ(ListBoxItems(MovieList(main)), (Lines{"Alien", "Heat"}));
    }
    PressButton(dialog, IDC_ADDEDIT_CANCEL);
    ASSERT_TRUE(WaitForWindowGone(dialog));
    // Number 2 is still free, and no known value, history or comment was added.
    EXPECT_TRUE(SaveAllAndExpect(main, "CineLedger.dat", kMainList));
    EXPECT_EQ(data.ReadFile("History.dat"), kHistory);
    EXPECT_EQ(data.ReadFile("Comments.dat"), kComments);
    dialog = OpenAdd(main);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ComboBoxItems(Control(dialog, IDC_ADDEDIT_CATEGORY)), (Lines{"Crime", "Horror"}));
    PressButton(dialog, IDC_ADDEDIT_CANCEL);
    ASSERT_TRUE(WaitForWindowGone(dialog));
}

// A "|" typed into the name would split the movie's line in "CineLedger.dat": Save refuses it, and after the name is
// put right the file is written byte for byte and a new start reads every movie back.
TEST_F(AddEditDialogTest, BarInANameIsRefusedAndTheMainListFileStaysReadable) {
    HWND main = StartIn(IDM_MAIN_LIST, "Main Movie List");
    ASSERT_NE(main, nullptr);
    HWND dialog = OpenAdd(main);
    ASSERT_NE(dialog, nullptr);
    Type(dialog, {"Alien|Resurrection", "Sci-Fi", "", "", ""});
    ASSERT_TRUE(SaveIsRefused(dialog, "The Movie Name May Not Contain \"|\" or a Line Break.", "Field Error"));
    Type(dialog, {"alien resurrection", "Sci|Fi"});
    ASSERT_TRUE(SaveIsRefused(dialog, "The Category May Not Contain \"|\" or a Line Break.", "Field Error"));
    Type(dialog, {std::nullopt, "Sci-Fi", "Mike|Jim"});
    ASSERT_TRUE(SaveIsRefused(dialog, "The Location May Not Contain \"|\" or a Line Break.", "Field Error"));
    Type(dialog, {std::nullopt, std::nullopt, "Mike", "DVD|R"});
    ASSERT_TRUE(SaveIsRefused(dialog, "The Medium May Not Contain \"|\" or a Line Break.", "Field Error"));
    Type(dialog, {std::nullopt, std::nullopt, std::nullopt, "DVD-R"});
    ASSERT_TRUE(SaveAndClose(dialog));

    const std::string expected =
        "CineLedger v3.15\r\n"
        "Alien|Default|Horror|Present|DVD|1\r\n"
        "Alien Resurrection|Mike|Sci-Fi|Present|DVD-R|2\r\n"
        "Heat|Mike|Crime|Absent|DivX|3\r\n"
        "end|nolockx\r\n"
        "Gladiator|@|Video Store\r\n"
        "Memento|@|Jim\r\n"
        "end|\r\n"
        "end";
    ASSERT_TRUE(SaveAllAndExpect(main, "CineLedger.dat", expected));

    program.Kill();
    main = StartMain();
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(RunCommandAndWaitForCaption(main, IDM_MAIN_LIST, "Main Movie List"));
    EXPECT_EQ(ListBoxItems(MovieList(main)), (Lines{"Alien", "Alien Resurrection", "Heat"}));
    ASSERT_TRUE(RunCommandAndWaitForCaption(main, IDM_UPCOMING_LIST, "Upcoming Movie List"));
    EXPECT_EQ(ListBoxItems(MovieList(main)), (Lines{"Gladiator", "Memento"}));
}

TEST_F(AddEditDialogTest, AddInUpcomingStoresOnlyNameAndLocationWithTheAtCategory) {
    HWND main = StartIn(IDM_UPCOMING_LIST, "Upcoming Movie List");
    ASSERT_NE(main, nullptr);
    HWND dialog = OpenAdd(main);
    ASSERT_NE(dialog, nullptr);
    for (int id : {IDC_ADDEDIT_CATEGORY, IDC_ADDEDIT_PRESENCE, IDC_ADDEDIT_MEDIUM, IDC_ADDEDIT_COMMENTS})
        EXPECT_FALSE(IsControlEnabled(dialog, id)) << id;
    for (int id : {IDC_ADDEDIT_TITLE, IDC_ADDEDIT_LOCATION}) EXPECT_TRUE(IsControlEnabled(dialog, id)) << id;
    EXPECT_EQ(ComboBoxSelection(Control(dialog, IDC_ADDEDIT_CATEGORY)), -1);

    Type(dialog, {"the prestige", std::nullopt, "video store"});
    EXPECT_EQ(SaveScreenshot(dialog, ScreenshotFolder() / "AddEditDialog-Upcoming.png"), "");
    ASSERT_TRUE(SaveAndClose(dialog));
    EXPECT_EQ(ListBoxItems(MovieList(main)), (Lines{"Gladiator", "Memento", "Prestige, The"}));
    EXPECT_EQ(ViewCaption(main), "Upcoming Movie List");
    EXPECT_EQ(MovieCount(main), "Number of Movies: 3");
    EXPECT_EQ(SelectedLine(main), "Prestige, The");

    dialog = OpenAdd(main);
    ASSERT_NE(dialog, nullptr);
    Type(dialog, {"MEMENTO"});
    EXPECT_TRUE(SaveIsRefused(dialog, "Movie Already Exists.", "Error"));
    PressButton(dialog, IDC_ADDEDIT_CANCEL);
    ASSERT_TRUE(WaitForWindowGone(dialog));

    EXPECT_TRUE(SaveAllAndExpect(main, "CineLedger.dat",
                                 "CineLedger v3.15\r\n"
                                 "Alien|Default|Horror|Present|DVD|1\r\n"
                                 "Heat|Mike|Crime|Absent|DivX|3\r\n"
                                 "end|nolockx\r\n"
                                 "Gladiator|@|Video Store\r\n"
                                 "Memento|@|Jim\r\n"
                                 "Prestige, The|@|Video Store\r\n"
                                 "end|\r\n"
                                 "2\r\n"
                                 "end"));
    EXPECT_EQ(data.ReadFile("History.dat"), kHistory) << "upcoming movies have no history";
}

TEST_F(AddEditDialogTest, AddingAnUpcomingTitleAsksWhetherToRemoveItThere) {
    HWND main = StartIn(IDM_MAIN_LIST, "Main Movie List");
    ASSERT_NE(main, nullptr);
    for (auto [title, answer] : {std::pair{"gladiator", IDYES}, std::pair{"memento", IDNO}}) {
        SCOPED_TRACE(title);
        HWND dialog = OpenAdd(main);
        ASSERT_NE(dialog, nullptr);
        Type(dialog, {title});
        PressButton(dialog, IDC_ADDEDIT_SAVE);
        const std::string formatted = answer == IDYES ? "Gladiator" : "Memento";
        ASSERT_TRUE(Answer(program.Id(), "Remove \"" + formatted + "\" From Upcoming List?", "Confirmation", answer));
        ASSERT_TRUE(WaitForWindowGone(dialog));
    }
    EXPECT_EQ(ListBoxItems(MovieList(main)), (Lines{"Alien", "Gladiator", "Heat", "Memento"}));
    EXPECT_TRUE(SaveAllAndExpect(main, "CineLedger.dat",
                                 "CineLedger v3.15\r\n"
                                 "Alien|Default|Horror|Present|DVD|1\r\n"
                                 "Gladiator|Default|Crime|Present|DivX|2\r\n"
                                 "Heat|Mike|Crime|Absent|DivX|3\r\n"
                                 "Memento|Default|Crime|Present|DivX|4\r\n"
                                 "end|nolockx\r\n"
                                 "Memento|@|Jim\r\n"
                                 "end|\r\n"
                                 "end"));
}

TEST_F(AddEditDialogTest, AddFromAPresenceViewAddsToTheMainListAndCancelAddsNothing) {
    HWND main = StartIn(IDM_ABSENT, "Absent");
    ASSERT_NE(main, nullptr);
    // Cancel first: nothing stored, the list as it was.
    HWND dialog = OpenAdd(main);
    ASSERT_NE(dialog, nullptr);
    Type(dialog, {"Brazil"});
    PressButton(dialog, IDC_ADDEDIT_CANCEL);
    ASSERT_TRUE(WaitForWindowGone(dialog));
    EXPECT_EQ(ListBoxItems(MovieList(main)), (Lines{"Heat"}));

    // The Add command marked the Main view, so Save adds to the Main list and shows it.
    dialog = OpenAdd(main);
    ASSERT_NE(dialog, nullptr);
    Type(dialog, {"Brazil"});
    ASSERT_TRUE(SaveAndClose(dialog));
    EXPECT_EQ(ViewCaption(main), "Main Movie List");
    EXPECT_EQ(ListBoxItems(MovieList(main)), (Lines{"Alien", "Brazil", "Heat"}));
}

// ---- Editing ----

TEST_F(AddEditDialogTest, EditInMainCarriesCommentsHistoryMediaAndDatabaseToTheNewName) {
    HWND main = StartIn(IDM_MAIN_LIST, "Main Movie List");
    ASSERT_NE(main, nullptr);
    HWND list = MovieList(main);
    ASSERT_TRUE(ClickLine(list, 1));
    ASSERT_TRUE(RunListCommand(list, 1, program.Id(), IDM_LIST_EDIT));
    HWND dialog = WaitForDialog(program.Id(), kCaption);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ControlText(dialog, IDC_ADDEDIT_TITLE), "Heat");
    EXPECT_EQ(ControlText(dialog, IDC_ADDEDIT_CATEGORY), "Crime");
    EXPECT_EQ(ControlText(dialog, IDC_ADDEDIT_PRESENCE), "Absent");
    EXPECT_EQ(ControlText(dialog, IDC_ADDEDIT_LOCATION), "Mike");
    EXPECT_EQ(ControlText(dialog, IDC_ADDEDIT_MEDIUM), "DivX");
    EXPECT_EQ(ControlText(dialog, IDC_ADDEDIT_COMMENTS), "Best shoot-out.");
    EXPECT_EQ(SaveScreenshot(dialog, ScreenshotFolder() / "AddEditDialog-Edit.png"), "");

    // Onto another movie's name: refused, both stay.
    Type(dialog, {"ALIEN"});
    ASSERT_TRUE(SaveIsRefused(dialog, "Movie Already Exists.", "Error"));
    EXPECT_EQ(ListBoxItems(list), (Lines{"Alien", "Heat"}));

    Type(dialog, {"heat 2", std::nullopt, std::nullopt, std::nullopt, "Sequel."});
    ASSERT_TRUE(SaveAndClose(dialog));
    EXPECT_EQ(ListBoxItems(list), (Lines{"Alien", "Heat 2"}));
    EXPECT_EQ(ViewCaption(main), "Main Movie List");
    EXPECT_EQ(SelectedLine(main), "Heat 2");

    ASSERT_TRUE(SaveAllAndExpect(main, "CineLedger.dat",
                                 "CineLedger v3.15\r\n"
                                 "Alien|Default|Horror|Present|DVD|1\r\n"
                                 "Heat 2|Mike|Crime|Absent|DivX|3\r\n"
                                 "end|nolockx\r\n"
                                 "Gladiator|@|Video Store\r\n"
                                 "Memento|@|Jim\r\n"
                                 "end|\r\n"
                                 "2\r\n"
                                 "end"));
    EXPECT_EQ(data.ReadFile("Comments.dat"), "Heat 2\r\nSequel.\r\n");
    EXPECT_EQ(data.ReadFile("History.dat"), "Heat 2\r\n2003/1/5\r\n2\r\n2003/2/1: loaned to Mike.\r\nend\r\n");
    EXPECT_EQ(data.ReadFile("IMDb.dat"), "CineLedger: Heat 2\r\n7\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
    EXPECT_EQ(data.ReadFile("Media.dat"), "Heat 2\r\nMPEG-1\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
}

TEST_F(AddEditDialogTest, EditInUpcomingOffersOnlyNameAndLocation) {
    HWND main = StartIn(IDM_UPCOMING_LIST, "Upcoming Movie List");
    ASSERT_NE(main, nullptr);
    ASSERT_TRUE(ClickLine(MovieList(main), 1));
    ASSERT_TRUE(RunListCommand(MovieList(main), 1, program.Id(), IDM_LIST_EDIT));
    HWND dialog = WaitForDialog(program.Id(), kCaption);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ControlText(dialog, IDC_ADDEDIT_TITLE), "Memento");
    EXPECT_EQ(ControlText(dialog, IDC_ADDEDIT_LOCATION), "Jim");
    for (int id : {IDC_ADDEDIT_CATEGORY, IDC_ADDEDIT_PRESENCE, IDC_ADDEDIT_MEDIUM, IDC_ADDEDIT_COMMENTS})
        EXPECT_FALSE(IsControlEnabled(dialog, id)) << id;
    Type(dialog, {"the memento", std::nullopt, ""});
    ASSERT_TRUE(SaveAndClose(dialog));
    EXPECT_EQ(ListBoxItems(MovieList(main)), (Lines{"Gladiator", "Memento, The"}));
    EXPECT_EQ(SelectedLine(main), "Memento, The");
    EXPECT_TRUE(SaveAllAndExpect(main, "CineLedger.dat",
                                 "CineLedger v3.15\r\n"
                                 "Alien|Default|Horror|Present|DVD|1\r\n"
                                 "Heat|Mike|Crime|Absent|DivX|3\r\n"
                                 "end|nolockx\r\n"
                                 "Gladiator|@|Video Store\r\n"
                                 "Memento, The|@|Default\r\n"
                                 "end|\r\n"
                                 "2\r\n"
                                 "end"));
}

// A presence view is the Main list through a filter: the rename carries every record, and the view is refilled.
TEST_F(AddEditDialogTest, EditInAPresenceViewRefillsThatPresence) {
    HWND main = StartIn(IDM_ABSENT, "Absent");
    ASSERT_NE(main, nullptr);
    HWND list = MovieList(main);
    ASSERT_TRUE(ClickLine(list, 0));
    ASSERT_TRUE(RunListCommand(list, 0, program.Id(), IDM_LIST_EDIT));
    HWND dialog = WaitForDialog(program.Id(), kCaption);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ControlText(dialog, IDC_ADDEDIT_TITLE), "Heat");
    Type(dialog, {"heat 2"});
    ASSERT_TRUE(SaveAndClose(dialog));
    EXPECT_EQ(ViewCaption(main), "Absent");
    EXPECT_EQ(ListBoxItems(list), (Lines{"Heat 2"}));
    EXPECT_EQ(SelectedLine(main), "Heat 2");

    // Made present, it leaves this view.
    ASSERT_TRUE(RunListCommand(list, 0, program.Id(), IDM_LIST_EDIT));
    dialog = WaitForDialog(program.Id(), kCaption);
    ASSERT_NE(dialog, nullptr);
    Type(dialog, {std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt, 0});
    ASSERT_TRUE(SaveAndClose(dialog));
    EXPECT_EQ(ViewCaption(main), "Absent");
    EXPECT_TRUE(ListBoxItems(list).empty());
    EXPECT_EQ(MovieCount(main), "Number of Movies: 0");

    EXPECT_TRUE(SaveAllAndExpect(main, "CineLedger.dat",
                                 "CineLedger v3.15\r\n"
                                 "Alien|Default|Horror|Present|DVD|1\r\n"
                                 "Heat 2|Mike|Crime|Present|DivX|3\r\n"
                                 "end|nolockx\r\n"
                                 "Gladiator|@|Video Store\r\n"
                                 "Memento|@|Jim\r\n"
                                 "end|\r\n"
                                 "2\r\n"
                                 "end"));
    EXPECT_EQ(data.ReadFile("Comments.dat"), "Heat 2\r\nBest shoot-out.\r\n");
    EXPECT_EQ(data.ReadFile("History.dat"), "Heat 2\r\n2003/1/5\r\n2\r\n2003/2/1: loaned to Mike.\r\nend\r\n");
    EXPECT_EQ(data.ReadFile("IMDb.dat"), "CineLedger: Heat 2\r\n7\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
    EXPECT_EQ(data.ReadFile("Media.dat"), "Heat 2\r\nMPEG-1\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
}

TEST_F(AddEditDialogTest, EditFromUpcomingLocationsRefreshesThatDialogAndTheUpcomingView) {
    HWND main = StartIn(IDM_UPCOMING_LIST, "Upcoming Movie List");
    ASSERT_NE(main, nullptr);
    PostCommand(main, IDM_UPCOMING_LOCATIONS);
    HWND locations = WaitForDialog(program.Id(), "Upcoming Locations...");
    ASSERT_NE(locations, nullptr);
    HWND combo = Control(locations, IDC_UPCOMING_LOCATION);
    HWND list = Control(locations, IDC_UPCOMING_LIST);
    ASSERT_EQ(ComboBoxItems(combo), (Lines{"Jim", "Video Store"}));
    PressButton(locations, IDC_UPCOMING_TRACK);  // the first location, Jim
    ASSERT_TRUE(WaitUntil([&] { return ListBoxItems(list) == Lines{"Memento"}; }));

    ASSERT_TRUE(RunListCommand(list, 0, program.Id(), IDM_UPCOMING_EDIT));
    HWND dialog = WaitForDialog(program.Id(), kCaption);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), locations);
    EXPECT_EQ(ControlText(dialog, IDC_ADDEDIT_TITLE), "Memento");
    EXPECT_EQ(ControlText(dialog, IDC_ADDEDIT_LOCATION), "Jim");
    for (int id : {IDC_ADDEDIT_CATEGORY, IDC_ADDEDIT_PRESENCE, IDC_ADDEDIT_COMMENTS})
        EXPECT_FALSE(IsControlEnabled(dialog, id)) << id;
    Type(dialog, {std::nullopt, std::nullopt, "bob"});
    ASSERT_TRUE(SaveAndClose(dialog));

    // The dialog below lists Jim's movies again (none now) and offers the new location.
    EXPECT_TRUE(WaitUntil([&] { return ComboBoxItems(combo) == Lines{"Bob", "Jim", "Video Store"}; }));
    EXPECT_EQ(ControlText(locations, IDC_UPCOMING_LOCATION), "Jim");
    EXPECT_TRUE(ListBoxItems(list).empty());
    EXPECT_EQ(ListBoxItems(MovieList(main)), (Lines{"Gladiator", "Memento"}));
    EXPECT_EQ(ViewCaption(main), "Upcoming Movie List");
    PressButton(locations, IDC_UPCOMING_EXIT);
    ASSERT_TRUE(WaitForWindowGone(locations));
    EXPECT_TRUE(SaveAllAndExpect(main, "CineLedger.dat",
                                 "CineLedger v3.15\r\n"
                                 "Alien|Default|Horror|Present|DVD|1\r\n"
                                 "Heat|Mike|Crime|Absent|DivX|3\r\n"
                                 "end|nolockx\r\n"
                                 "Gladiator|@|Video Store\r\n"
                                 "Memento|@|Bob\r\n"
                                 "end|\r\n"
                                 "2\r\n"
                                 "end"));
}

TEST_F(AddEditDialogTest, MainShiftCancelledStaysUpcomingAndSavedMovesTheMovie) {
    HWND main = StartIn(IDM_UPCOMING_LIST, "Upcoming Movie List");
    ASSERT_NE(main, nullptr);
    HWND list = MovieList(main);
    for (bool save : {false, true}) {
        SCOPED_TRACE(save);
        ASSERT_TRUE(RunListCommand(list, 0, program.Id(), IDM_LIST_MAIN_SHIFT));
        ASSERT_TRUE(Answer(program.Id(), "Shift \"Gladiator\" to Main List?", "Confirmation", IDYES));
        HWND dialog = WaitForDialog(program.Id(), kCaption);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(ControlText(dialog, IDC_ADDEDIT_TITLE), "Gladiator");
        EXPECT_TRUE(IsControlEnabled(dialog, IDC_ADDEDIT_CATEGORY));
        if (!save) {
            PressButton(dialog, IDC_ADDEDIT_CANCEL);
            ASSERT_TRUE(WaitForWindowGone(dialog));
            // View Movies shows the marked view: still the Upcoming one.
            ASSERT_TRUE(RunCommandAndWaitForCaption(main, IDC_VIEW_BUTTON, "Upcoming Movie List"));
            EXPECT_EQ(ListBoxItems(list), (Lines{"Gladiator", "Memento"}));
            continue;
        }
        PressButton(dialog, IDC_ADDEDIT_SAVE);
        ASSERT_TRUE(Answer(program.Id(), "Remove \"Gladiator\" From Upcoming List?", "Confirmation", IDYES));
        ASSERT_TRUE(WaitForWindowGone(dialog));
    }
    EXPECT_EQ(ViewCaption(main), "Upcoming Movie List");
    EXPECT_EQ(ListBoxItems(list), (Lines{"Memento"}));
    EXPECT_EQ(MovieCount(main), "Number of Movies: 1");
    EXPECT_TRUE(SaveAllAndExpect(main, "CineLedger.dat",
                                 "CineLedger v3.15\r\n"
                                 "Alien|Default|Horror|Present|DVD|1\r\n"
                                 "Gladiator|Default|Crime|Present|DivX|2\r\n"
                                 "Heat|Mike|Crime|Absent|DivX|3\r\n"
                                 "end|nolockx\r\n"
                                 "Memento|@|Jim\r\n"
                                 "end|\r\n"
                                 "end"));
    EXPECT_EQ(data.ReadFile("History.dat"), std::string(kHistory) + "Gladiator\r\n" + Today() + "\r\n0\r\nend\r\n");
}

}  // namespace
}  // namespace cl::e2e
