// The add/edit movie dialog's decisions, through a recording stand-in for the main window: the mode each
// opening gets, the starting controls, every message, and what Save leaves in every list and store.
#include "ui/AddEdit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>

#include "model/MainListFile.h"
#include "model/base/Title.h"
#include "res/ResourceIds.h"

namespace cl {
namespace {

constexpr char kToday[] = "2024/3/9";

// The main window as the dialog sees it, and the dialog's prompts. The list box sorts its lines as LBS_SORT does
// (letter case ignored); questions are answered from a queue (an empty queue answers No).
class RecordingUi : public ShellUi, public Prompts {
  public:
    struct Box {
        std::string text;
        std::string caption;
        MessageIcon icon;
        bool operator==(const Box&) const = default;
    };

    void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override {
        messages.push_back({std::string(text), std::string(caption), icon});
    }
    bool Ask(std::string_view text, std::string_view caption, MessageIcon, bool) override { return Ask(text, caption); }
    bool Ask(std::string_view text, std::string_view caption) override {
        questions.push_back({std::string(text), std::string(caption), MessageIcon::Question});
        if (answers.empty()) return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void Beep() override {}
    int FillList(const ListBoxFill& fill) override {
        lines.assign(fill.titles.begin(), fill.titles.end());
        std::sort(lines.begin(), lines.end(), [](const auto& a, const auto& b) { return TitleOrder(a, b) < 0; });
        selected.clear();
        return static_cast<int>(lines.size());
    }
    void ClearList() override {
        lines.clear();
        selected.clear();
    }
    void SelectFirstLine() override { selected = {0}; }
    int SelectedLineCount() override { return static_cast<int>(selected.size()); }
    void FocusList() override { ++focus; }
    int LineCount() override { return static_cast<int>(lines.size()); }
    std::string LineText(int index) override { return lines.at(static_cast<std::size_t>(index)); }
    std::vector<int> SelectedLines() override { return selected; }
    int CurrentLine() override { return selected.empty() ? -1 : selected.front(); }
    void SelectOnlyLine(int index) override { selected = {index}; }
    int FindLineExact(std::string_view text) override {
        for (std::size_t i = 0; i < lines.size(); ++i)
            if (TitleOrder(lines[i], text) == 0) return static_cast<int>(i);
        return -1;
    }
    int FindLineStartingWith(std::string_view) override { return -1; }
    void DeleteLine(int index) override { lines.erase(lines.begin() + index); }
    void ReplaceLine(int index, std::string_view text) override {
        lines.at(static_cast<std::size_t>(index)) = std::string(text);
        replaced.emplace_back(text);
    }
    void ShowStatus(const StatusTexts& s) override { status = s; }
    void ShowViewMark(ViewMark m) override { mark = m; }
    void CloseLogo() override {}
    void ShowMainMenu() override {}
    void Minimize() override {}
    void RequestClose() override {}
    void OpenDialog(ShellDialog dialog) override {
        dialogs.push_back(dialog);
        if (onOpen) onOpen();
    }
    bool IsConnected() override { return true; }
    bool AttemptConnect() override { return true; }
    void OpenWithShell(std::string_view) override {}

    std::string SelectedText() {
        return selected.size() == 1 ? lines.at(static_cast<std::size_t>(selected.front())) : std::string("<none>");
    }

    std::deque<bool> answers;
    std::vector<Box> messages;
    std::vector<Box> questions;
    std::vector<std::string> lines;
    std::vector<int> selected;
    std::vector<std::string> replaced;
    std::vector<ShellDialog> dialogs;
    std::function<void()> onOpen;
    StatusTexts status;
    ViewMark mark = ViewMark::Main;
    int focus = 0;
};

using Lines = std::vector<std::string>;

// Everything Save may touch, as bytes: the stores as their files would hold them and the known values.
std::string Snapshot(const Collection& c) {
    std::string s = SerializeMainList(c.main, c.upcoming, c.freeNumbers, c.password);
    s += "\n--\n" + SerializeComments(c.comments) + "\n--\n" + SerializeHistory(c.history);
    s += "\n--\n" + SerializeMedia(c.media) + "\n--\n" + SerializeImdb(c.imdb);
    for (const KnownValueList* known :
         {&c.knownCategories, &c.knownLocations, &c.knownUpcomingLocations, &c.knownMedia}) {
        s += "\n--";
        for (const std::string& v : known->Values()) s += "\n" + v;
    }
    return s;
}

class AddEditTest : public ::testing::Test {
  protected:
    void SetUp() override {
        c.settings.formatConversion = 1;
        InsertMainMovie(c.main, "Alien", "Horror", "Present", "Default", "DVD", 1);
        InsertMainMovie(c.main, "Heat", "Crime", "Absent", "Mike", "DivX", 2);
        InsertMainMovie(c.main, "Ronin", "Crime", "Present", "Mike", "DVD", 4);
        c.freeNumbers.Add(3);
        InsertUpcomingMovie(c.upcoming, "Gladiator", "@", "Video Store");
        InsertUpcomingMovie(c.upcoming, "Memento", "@", "Jim");
        for (const char* v : {"Horror", "Crime"}) c.knownCategories.Append(v);
        for (const char* v : {"Default", "Mike"}) c.knownLocations.Append(v);
        for (const char* v : {"DVD", "DivX"}) c.knownMedia.Append(v);
        for (const char* v : {"Video Store", "Jim"}) c.knownUpcomingLocations.Append(v);
        c.comments.Set("Heat", "Best shoot-out.");
        c.history.AddOrUpdate("Heat", "2003/1/5", "2");
        c.history.AddLoanLine("Heat", "2003/2/1: loaned to Mike.");
        MediaFields media;
        media.format = "MPEG-4";
        c.media.AddOrReplace("Heat", media);
        c.imdb.Put(ImdbKey("Heat"), "7", "Heat", "1995", {}, {}, {}, {}, {}, {}, {});
    }

    // Fresh stores and a quiet window, for tables of cases that each start from the fixture.
    void Reset() {
        c = Collection{};
        SetUp();
        ui.messages.clear();
        ui.questions.clear();
        ui.answers.clear();
    }

    // The main window showing a view, as its command left it.
    void ShowView(int command) { shell.Execute(command); }

    // What an Edit command leaves before it opens the dialog: the flag and the current movie with its comments.
    void LoadForEdit(std::string_view title, bool upcoming = false) {
        shell.editFlag = true;
        c.current.Clear();
        if (upcoming) {
            LoadUpcoming(c.upcoming, title, c.current);
        } else {
            LoadMainForEditing(c.main, title, c.current);
            c.comments.LoadIntoCurrent(title, c.current.comments);
        }
        if (int line = ui.FindLineExact(title); line >= 0) ui.SelectOnlyLine(line);
    }

    AddEditOutcome Save(const AddEditInput& input) {
        return SaveAddEdit(shell, ui, ui, AddEditModeFor(shell), input, kToday);
    }

    const MovieRecord& MainRecord(std::string_view title) {
        const MovieRecord* r = c.main.FindExact(title);
        EXPECT_NE(r, nullptr) << title;
        static const MovieRecord none;
        return r ? *r : none;
    }

    Collection c;
    RecordingUi ui;
    MainShell shell{c, "unused/", ui, DefaultFileWriter()};
};

// ---- Which situation the dialog serves ----

TEST_F(AddEditTest, ModeFollowsTheFlagsAndTheView) {
    struct Case {
        const char* name;
        int viewCommand;  // the command that showed the view (0: the view is set by hand below)
        bool edit, locationsEdit, mainShift;
        AddEditMode mode;
    };
    const Case cases[] = {
        {"add in Main", IDM_MAIN_LIST, false, false, false, AddEditMode::AddMain},
        {"add in Upcoming", IDM_UPCOMING_LIST, false, false, false, AddEditMode::AddUpcoming},
        {"add in Gimme", IDM_INTERNAL_GIMME, false, false, false, AddEditMode::NothingToStore},
        {"add in imported Gimme", IDM_IMPORTED_GIMME, false, false, false, AddEditMode::NothingToStore},
        {"add in presence view", IDM_PRESENT, false, false, false, AddEditMode::NothingToStore},
        {"edit in Main", IDM_MAIN_LIST, true, false, false, AddEditMode::EditMain},
        {"edit in Upcoming", IDM_UPCOMING_LIST, true, false, false, AddEditMode::EditUpcoming},
        {"edit in Present view", IDM_PRESENT, true, false, false, AddEditMode::EditPresenceView},
        {"edit in Absent view", IDM_ABSENT, true, false, false, AddEditMode::EditPresenceView},
        {"edit in Gimme", IDM_INTERNAL_GIMME, true, false, false, AddEditMode::NothingToStore},
        {"main shift", IDM_MAIN_LIST, false, false, true, AddEditMode::MainShift},
        {"main shift after an edit", IDM_MAIN_LIST, true, false, true, AddEditMode::MainShift},
        {"locations edit over Main", IDM_MAIN_LIST, true, true, false, AddEditMode::EditUpcomingLocations},
        {"locations edit over Gimme", IDM_INTERNAL_GIMME, false, true, false, AddEditMode::EditUpcomingLocations},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        ShowView(k.viewCommand);
        shell.editFlag = k.edit;
        shell.locationsEditFlag = k.locationsEdit;
        shell.mainShiftFlag = k.mainShift;
        EXPECT_EQ(AddEditModeFor(shell), k.mode);
    }
    // A category view and a location view of the Main list are told apart by the mark.
    shell.editFlag = true;
    shell.locationsEditFlag = shell.mainShiftFlag = false;
    shell.ShowByCategory("Crime");
    EXPECT_EQ(AddEditModeFor(shell), AddEditMode::EditCategoryView);
    shell.SetViewMark(ViewMark::Main);
    shell.SetCaptionAndCount(2, "Mike");
    EXPECT_EQ(AddEditModeFor(shell), AddEditMode::EditMain);
}

TEST_F(AddEditTest, ControlsStartAsEachModeAsks) {
    c.current.title = "Heat";
    c.current.category = "Crime";
    c.current.presence = "Absent";
    c.current.location = "Mike";
    c.current.medium = "DivX";
    c.current.comments = "Best shoot-out.";
    const ComboSetup first{ComboStart::First, "", true};
    const ComboSetup off{ComboStart::Nothing, "", false};
    const ComboSetup blank{ComboStart::Nothing, "", true};
    auto text = [](const char* t) { return ComboSetup{ComboStart::Text, t, true}; };
    struct Case {
        AddEditMode mode;
        const char* title;
        const char* location;
        const char* comments;
        ComboSetup category, presence, medium;
        bool commentsEnabled;
    };
    const Case cases[] = {
        {AddEditMode::AddMain, "", "", "", first, first, first, true},
        {AddEditMode::NothingToStore, "", "", "", first, first, first, true},
        {AddEditMode::MainShift, "Heat", "", "", first, first, first, true},
        {AddEditMode::AddUpcoming, "", "", "", off, off, off, false},
        {AddEditMode::EditMain, "Heat", "Mike", "Best shoot-out.", text("Crime"), text("Absent"), text("DivX"), true},
        {AddEditMode::EditCategoryView, "Heat", "Mike", "Best shoot-out.", text("Crime"), text("Absent"), text("DivX"),
         true},
        {AddEditMode::EditPresenceView, "Heat", "Mike", "Best shoot-out.", text("Crime"), text("Absent"), text("DivX"),
         true},
        {AddEditMode::EditUpcoming, "Heat", "Mike", "", off, off, off, false},
        {AddEditMode::EditUpcomingLocations, "Heat", "Mike", "", off, off, blank, false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(static_cast<int>(k.mode));
        AddEditSetup s = PrepareAddEdit(c, k.mode);
        EXPECT_EQ(s.title, k.title);
        EXPECT_EQ(s.location, k.location);
        EXPECT_EQ(s.comments, k.comments);
        for (auto [got, want] : {std::pair{&s.category, &k.category}, std::pair{&s.presence, &k.presence},
                                 std::pair{&s.medium, &k.medium}}) {
            EXPECT_EQ(got->start, want->start);
            EXPECT_EQ(got->text, want->text);
            EXPECT_EQ(got->enabled, want->enabled);
        }
        EXPECT_EQ(s.commentsEnabled, k.commentsEnabled);
        // The lists are filled in every mode.
        EXPECT_EQ(s.categories, (Lines{"Horror", "Crime"}));
        EXPECT_EQ(s.presences, (Lines{"Present", "Absent"}));
        EXPECT_EQ(s.media, (Lines{"DVD", "DivX"}));
    }
}

// ---- Messages that keep the dialog open and change nothing ----

struct RefusalCase {
    const char* name;
    AddEditInput input;
    const char* message;
    const char* caption;
};

// Every mode refuses the same way: the message, the dialog stays open, and not one byte of any store changes.
TEST_F(AddEditTest, RefusalsChangeNothingInEveryMode) {
    const RefusalCase refusals[] = {
        {"empty title",
         {"", "Horror", "Present", "Here", "DVD", "c"},
         "You Must Supply a Movie Name to Save.",
         "Field Error"},
        {"bar in title",
         {"Alien|Resurrection", "Horror", "Present", "", "", ""},
         "The Movie Name May Not Contain \"|\" or a Line Break.",
         "Field Error"},
        {"line feed in title",
         {"Alien\nResurrection", "", "Present", "", "", ""},
         "The Movie Name May Not Contain \"|\" or a Line Break.",
         "Field Error"},
        {"carriage return in title",
         {"Alien\rResurrection", "", "Present", "", "", ""},
         "The Movie Name May Not Contain \"|\" or a Line Break.",
         "Field Error"},
        {"bar in location",
         {"Brazil", "", "Present", "Mike|Jim", "", ""},
         "The Location May Not Contain \"|\" or a Line Break.",
         "Field Error"},
        {"line break in location",
         {"Brazil", "", "Present", "Mike\r\nJim", "", ""},
         "The Location May Not Contain \"|\" or a Line Break.",
         "Field Error"},
        {"duplicate of another movie", {"ALIEN", "Horror", "Present", "", "", ""}, "Movie Already Exists.", "Error"},
    };
    struct ModeCase {
        const char* name;
        int view;
        bool edit;
        const char* editTitle;
        bool upcoming;
    };
    const ModeCase modes[] = {
        {"add in Main", IDM_MAIN_LIST, false, nullptr, false},
        {"edit in Main", IDM_MAIN_LIST, true, "Heat", false},
        {"edit in category view", 0, true, "Heat", false},
        {"edit in presence view", IDM_ABSENT, true, "Heat", false},
    };
    for (const ModeCase& m : modes) {
        for (const RefusalCase& r : refusals) {
            SCOPED_TRACE(std::string(m.name) + ": " + r.name);
            if (m.view) {
                ShowView(m.view);
            } else {
                shell.ShowByCategory("Crime");
            }
            shell.editFlag = m.edit;
            if (m.edit) LoadForEdit(m.editTitle, m.upcoming);
            const std::string before = Snapshot(c);
            const Lines linesBefore = ui.lines;
            ui.messages.clear();
            EXPECT_EQ(Save(r.input), AddEditOutcome::StayOpen);
            ASSERT_EQ(ui.messages.size(), 1u);
            EXPECT_EQ(ui.messages[0], (RecordingUi::Box{r.message, r.caption, MessageIcon::Stop}));
            EXPECT_TRUE(ui.questions.empty());
            EXPECT_EQ(Snapshot(c), before);
            EXPECT_EQ(ui.lines, linesBefore);
        }
    }
}

TEST_F(AddEditTest, MainEntriesRefuseBarsAndBreaksInCategoryAndMedium) {
    const RefusalCase refusals[] = {
        {"bar in category",
         {"Brazil", "Sci|Fi", "Present", "", "", ""},
         "The Category May Not Contain \"|\" or a Line Break.",
         "Field Error"},
        {"line feed in category",
         {"Brazil", "Sci\nFi", "Present", "", "", ""},
         "The Category May Not Contain \"|\" or a Line Break.",
         "Field Error"},
        {"bar in medium",
         {"Brazil", "", "Present", "", "DVD|R", ""},
         "The Medium May Not Contain \"|\" or a Line Break.",
         "Field Error"},
        {"carriage return in medium",
         {"Brazil", "", "Present", "", "DVD\r", ""},
         "The Medium May Not Contain \"|\" or a Line Break.",
         "Field Error"},
    };
    for (int view : {IDM_MAIN_LIST}) {
        ShowView(view);
        for (const RefusalCase& r : refusals) {
            SCOPED_TRACE(r.name);
            const std::string before = Snapshot(c);
            ui.messages.clear();
            EXPECT_EQ(Save(r.input), AddEditOutcome::StayOpen);
            ASSERT_EQ(ui.messages.size(), 1u);
            EXPECT_EQ(ui.messages[0].text, r.message);
            EXPECT_EQ(ui.messages[0].caption, r.caption);
            EXPECT_EQ(Snapshot(c), before);
        }
    }
}

// With Format Conversion off a title typed "end" stays "end", and the main list file would read it as the end of
// its list; formatted it is "End", which is harmless.
TEST_F(AddEditTest, TitleEndIsRefusedOnlyWhenItWouldBeStoredAsEnd) {
    for (int view : {IDM_MAIN_LIST, IDM_UPCOMING_LIST}) {
        SCOPED_TRACE(view);
        ShowView(view);
        c.settings.formatConversion = 0;
        const std::string before = Snapshot(c);
        EXPECT_EQ(Save({"end", "", "Present", "", "", ""}), AddEditOutcome::StayOpen);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0],
                  (RecordingUi::Box{"\"end\" Can Not Be Used as a Movie Name.", "Field Error", MessageIcon::Stop}));
        EXPECT_EQ(Snapshot(c), before);
        ui.messages.clear();
        c.settings.formatConversion = 1;
        EXPECT_EQ(Save({"end", "", "Present", "", "", ""}), AddEditOutcome::Close);
        EXPECT_TRUE(ui.messages.empty());
    }
    EXPECT_TRUE(c.main.FindExact("End"));
    EXPECT_TRUE(c.upcoming.FindExact("End"));
}

// Upcoming entries store only title and location: whatever the other controls hold cannot reach the file.
TEST_F(AddEditTest, UpcomingEntriesIgnoreTheControlsTheyDoNotStore) {
    ShowView(IDM_UPCOMING_LIST);
    EXPECT_EQ(Save({"Brazil", "Sci|Fi", "Present", "Jim", "DVD\nR", "two\nlines"}), AddEditOutcome::Close);
    EXPECT_TRUE(ui.messages.empty());
    const MovieRecord* r = c.upcoming.FindExact("Brazil");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->category, "@");
    EXPECT_EQ(r->location, "Jim");
    EXPECT_EQ(c.comments.Find("Brazil"), nullptr);
    EXPECT_EQ(c.history.Find("Brazil"), nullptr);
}

// ---- Adding ----

TEST_F(AddEditTest, AddInMainNumbersFormatsFillsInAndRecordsTheDayOfEntry) {
    ShowView(IDM_MAIN_LIST);
    EXPECT_EQ(Save({"the legend of bagger vance", "Drama", "Absent", "", "", "Line one\r\nline two"}),
              AddEditOutcome::Close);
    const MovieRecord& r = MainRecord("Legend of Bagger Vance, The");
    EXPECT_EQ(r.number, 3) << "the smallest free number first";
    EXPECT_TRUE(c.freeNumbers.Empty());
    EXPECT_EQ(r.category, "Drama");
    EXPECT_EQ(r.presence, "Absent");
    EXPECT_EQ(r.location, "Default");
    EXPECT_EQ(r.medium, "Unknown");
    ASSERT_NE(c.history.Find(r.title), nullptr);
    EXPECT_EQ(c.history.Find(r.title)->date, kToday);
    EXPECT_EQ(c.history.Find(r.title)->views, "0");
    EXPECT_TRUE(c.history.Find(r.title)->loanLines.empty());
    // The comment keeps its words apart on one line, so "Comments.dat" stays two lines per record.
    EXPECT_EQ(c.comments.CommentFor(r.title), "Line one line two");

    EXPECT_EQ(Save({"tom and jerry", "Cartoon", "Present", "the shelf", "VHS", ""}), AddEditOutcome::Close);
    const MovieRecord& next = MainRecord("Tom and Jerry");
    EXPECT_EQ(next.number, 5) << "no free number: the count plus one";
    EXPECT_EQ(next.location, "Shelf, The") << "locations are formatted too";
    EXPECT_EQ(next.medium, "VHS");
    EXPECT_EQ(c.comments.Find("Tom and Jerry"), nullptr) << "no comment record without a comment";

    EXPECT_EQ(c.knownCategories.Values(), (Lines{"Horror", "Crime", "Drama", "Cartoon"}));
    EXPECT_EQ(c.knownLocations.Values(), (Lines{"Default", "Mike", "Shelf, The"}));
    EXPECT_EQ(c.knownMedia.Values(), (Lines{"DVD", "DivX", "Unknown", "VHS"}));
    EXPECT_EQ(c.knownUpcomingLocations.Values(), (Lines{"Video Store", "Jim"}));

    EXPECT_EQ(shell.Mark(), ViewMark::Main);
    EXPECT_EQ(ui.status.caption, "Main Movie List");
    EXPECT_EQ(ui.status.count, "Number of Movies: 5");
    EXPECT_EQ(ui.status.selection, "1");
    EXPECT_EQ(ui.lines, (Lines{"Alien", "Heat", "Legend of Bagger Vance, The", "Ronin", "Tom and Jerry"}));
    EXPECT_EQ(ui.SelectedText(), "Tom and Jerry");
    EXPECT_TRUE(ui.dialogs.empty()) << "no Movie Info without Auto-IMDb";
}

TEST_F(AddEditTest, FormatConversionOffStoresTitleAndLocationAsTyped) {
    c.settings.formatConversion = 0;
    ShowView(IDM_MAIN_LIST);
    EXPECT_EQ(Save({"the matrix", "", "Present", "the shelf", "", ""}), AddEditOutcome::Close);
    EXPECT_EQ(MainRecord("the matrix").location, "the shelf");
}

TEST_F(AddEditTest, DuplicateAddGivesTheNumberBackAndChangesNothing) {
    ShowView(IDM_MAIN_LIST);
    const std::string before = Snapshot(c);
    EXPECT_EQ(Save({"heat", "Crime", "Present", "Jim", "VHS", "again"}), AddEditOutcome::StayOpen);
    EXPECT_EQ(ui.messages, (std::vector<RecordingUi::Box>{{"Movie Already Exists.", "Error", MessageIcon::Stop}}));
    EXPECT_EQ(Snapshot(c), before) << "number 3 is free again, no known value, history or comment was added";
}

TEST_F(AddEditTest, AddingATitleOnTheUpcomingListAsksOnceWhetherToRemoveIt) {
    for (bool yes : {false, true}) {
        SCOPED_TRACE(yes);
        ShowView(IDM_MAIN_LIST);
        ui.questions.clear();
        ui.answers = {yes};
        const char* title = yes ? "gladiator" : "memento";
        EXPECT_EQ(Save({title, "", "Present", "", "", ""}), AddEditOutcome::Close);
        const std::string formatted = yes ? "Gladiator" : "Memento";
        EXPECT_EQ(ui.questions, (std::vector<RecordingUi::Box>{{"Remove \"" + formatted + "\" From Upcoming List?",
                                                                "Confirmation", MessageIcon::Question}}));
        EXPECT_TRUE(c.main.Contains(formatted));
        EXPECT_EQ(c.upcoming.Contains(formatted), !yes);
    }
    ui.questions.clear();
    EXPECT_EQ(Save({"Brazil", "", "Present", "", "", ""}), AddEditOutcome::Close);
    EXPECT_TRUE(ui.questions.empty()) << "no question for a title that is not upcoming";
}

TEST_F(AddEditTest, AddInUpcomingStoresTheAtCategoryAndShowsTheUpcomingList) {
    ShowView(IDM_UPCOMING_LIST);
    EXPECT_EQ(Save({"the prestige", "Drama", "Absent", "", "DVD", "ignored"}), AddEditOutcome::Close);
    const MovieRecord* r = c.upcoming.FindExact("Prestige, The");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->category, "@");
    EXPECT_EQ(r->location, "Default");
    EXPECT_FALSE(r->presence);
    EXPECT_FALSE(r->medium);
    EXPECT_EQ(c.main.Count(), 3u);
    EXPECT_EQ(c.knownUpcomingLocations.Values(), (Lines{"Video Store", "Jim", "Default"}));
    EXPECT_EQ(c.knownCategories.Count(), 2u);
    EXPECT_EQ(c.knownLocations.Count(), 2u);
    EXPECT_EQ(c.history.Find("Prestige, The"), nullptr);
    EXPECT_EQ(c.comments.Find("Prestige, The"), nullptr);
    EXPECT_EQ(ui.status.caption, "Upcoming Movie List");
    EXPECT_EQ(ui.status.count, "Number of Movies: 3");
    EXPECT_EQ(ui.lines, (Lines{"Gladiator", "Memento", "Prestige, The"}));
    EXPECT_EQ(ui.SelectedText(), "Prestige, The");

    const std::string before = Snapshot(c);
    EXPECT_EQ(Save({"MEMENTO", "", "", "Jim", "", ""}), AddEditOutcome::StayOpen);
    EXPECT_EQ(ui.messages.back().text, "Movie Already Exists.");
    EXPECT_EQ(Snapshot(c), before);
}

TEST_F(AddEditTest, AddInAFilteredOrGimmeViewClosesWithoutStoringAnything) {
    for (int view : {IDM_PRESENT, IDM_INTERNAL_GIMME, IDM_IMPORTED_GIMME}) {
        SCOPED_TRACE(view);
        ShowView(view);
        const std::string before = Snapshot(c);
        const StatusTexts status = ui.status;
        EXPECT_EQ(Save({"Brazil", "Sci-Fi", "Present", "Jim", "DVD", "c"}), AddEditOutcome::Close);
        EXPECT_EQ(Snapshot(c), before);
        EXPECT_EQ(ui.status, status);
        EXPECT_TRUE(ui.messages.empty());
    }
}

TEST_F(AddEditTest, MainShiftAddsToMainAndReturnsToTheUpcomingView) {
    ShowView(IDM_UPCOMING_LIST);
    // What the Main Shift command does before it opens the dialog.
    shell.editFlag = false;
    shell.mainShiftFlag = true;
    shell.SetViewMark(ViewMark::Main);
    c.current.title = "Gladiator";
    ASSERT_EQ(AddEditModeFor(shell), AddEditMode::MainShift);
    EXPECT_EQ(PrepareAddEdit(c, AddEditMode::MainShift).title, "Gladiator");

    ui.answers = {true};
    EXPECT_EQ(Save({"Gladiator", "Action", "Present", "", "DVD", ""}), AddEditOutcome::Close);
    EXPECT_EQ(MainRecord("Gladiator").number, 3);
    EXPECT_EQ(ui.questions.size(), 1u);
    EXPECT_FALSE(c.upcoming.Contains("Gladiator"));
    EXPECT_EQ(c.history.Find("Gladiator")->date, kToday);
    EXPECT_EQ(shell.Mark(), ViewMark::Upcoming);
    EXPECT_EQ(ui.mark, ViewMark::Upcoming);
    EXPECT_EQ(ui.status.caption, "Upcoming Movie List");
    EXPECT_EQ(ui.status.count, "Number of Movies: 1");
    EXPECT_EQ(ui.lines, (Lines{"Memento"}));
}

TEST_F(AddEditTest, CancelledMainShiftPutsTheMarkBackAndChangesNothing) {
    ShowView(IDM_UPCOMING_LIST);
    shell.mainShiftFlag = true;
    shell.SetViewMark(ViewMark::Main);
    const std::string before = Snapshot(c);
    CancelAddEdit(shell, AddEditModeFor(shell));
    FinishAddEdit(shell, ui, AddEditMode::MainShift, AddEditOutcome::Close);
    EXPECT_EQ(shell.Mark(), ViewMark::Upcoming);
    EXPECT_EQ(Snapshot(c), before);
    EXPECT_EQ(ui.focus, 2) << "the view command and the cancel both focus the list";

    // Cancel in any other mode leaves the mark alone.
    ShowView(IDM_MAIN_LIST);
    CancelAddEdit(shell, AddEditMode::AddMain);
    EXPECT_EQ(shell.Mark(), ViewMark::Main);
}

TEST_F(AddEditTest, AutoImdbOpensMovieInfoOnTheNewMovieWithAutoRetrieveSet) {
    c.settings.autoImdb = 1;
    ShowView(IDM_MAIN_LIST);
    EXPECT_EQ(Save({"brazil", "Sci-Fi", "Present", "", "", "Gilliam"}), AddEditOutcome::CloseForMovieInfo);
    EXPECT_TRUE(ui.dialogs.empty()) << "Movie Info opens only once this dialog has closed";
    EXPECT_EQ(c.current.title, "Brazil");
    EXPECT_EQ(c.current.category, "Sci-Fi");
    EXPECT_EQ(c.current.number, 3);
    EXPECT_EQ(c.current.comments, "Gilliam");
    EXPECT_EQ(c.current.dateOfEntry, kToday);
    EXPECT_EQ(c.current.views, "0");

    bool retrieveWhileOpen = false;
    std::optional<std::string> titleWhileOpen;
    ui.onOpen = [&] {
        retrieveWhileOpen = shell.autoRetrieve;
        titleWhileOpen = c.current.title;
    };
    const int focusBefore = ui.focus;
    FinishAddEdit(shell, ui, AddEditMode::AddMain, AddEditOutcome::CloseForMovieInfo);
    EXPECT_EQ(ui.dialogs, (std::vector<ShellDialog>{ShellDialog::MovieInfo}));
    EXPECT_TRUE(retrieveWhileOpen);
    EXPECT_EQ(titleWhileOpen, "Brazil");
    EXPECT_FALSE(shell.autoRetrieve);
    EXPECT_FALSE(c.current.title);
    EXPECT_EQ(ui.focus, focusBefore + 1);

    // Upcoming entries have no database page: no Movie Info for them.
    ShowView(IDM_UPCOMING_LIST);
    EXPECT_EQ(Save({"Solaris", "", "", "", "", ""}), AddEditOutcome::Close);
}

// ---- Editing ----

TEST_F(AddEditTest, EditInMainCarriesEveryRelatedStoreToTheNewTitle) {
    ShowView(IDM_MAIN_LIST);
    LoadForEdit("Heat");
    ui.answers = {true};
    EXPECT_EQ(Save({"memento", "Thriller", "Present", "the shelf", "", "Backwards."}), AddEditOutcome::Close);
    EXPECT_EQ(ui.questions.size(), 1u) << "the new title is upcoming";
    EXPECT_FALSE(c.upcoming.Contains("Memento"));

    EXPECT_FALSE(c.main.Contains("Heat"));
    const MovieRecord& r = MainRecord("Memento");
    EXPECT_EQ(r.number, 2) << "the number stays, and so does the cover named by it";
    EXPECT_EQ(r.category, "Thriller");
    EXPECT_EQ(r.presence, "Present");
    EXPECT_EQ(r.location, "Shelf, The");
    EXPECT_EQ(r.medium, "Unknown");
    EXPECT_EQ(c.freeNumbers.Count(), 1u);

    EXPECT_EQ(c.comments.Find("Heat"), nullptr);
    EXPECT_EQ(c.comments.CommentFor("Memento"), "Backwards.");
    ASSERT_NE(c.history.Find("Memento"), nullptr);
    EXPECT_EQ(c.history.Find("Memento")->date, "2003/1/5") << "the date of entry stays";
    EXPECT_EQ(c.history.Find("Memento")->loanLines, (Lines{"2003/2/1: loaned to Mike."}));
    EXPECT_EQ(c.history.Find("Heat"), nullptr);
    EXPECT_NE(c.media.Find("Memento"), nullptr);
    EXPECT_EQ(c.media.Find("Heat"), nullptr);
    EXPECT_NE(c.imdb.Find("CineLedger: Memento"), nullptr);
    EXPECT_EQ(c.imdb.Find("CineLedger: Heat"), nullptr);

    EXPECT_EQ(c.knownCategories.Values().back(), "Thriller");
    EXPECT_EQ(c.knownLocations.Values().back(), "Shelf, The");
    EXPECT_EQ(c.knownMedia.Values().back(), "Unknown");
    EXPECT_EQ(ui.replaced, (Lines{"Memento"}));
    EXPECT_FALSE(c.current.title) << "the current movie is cleared";
    EXPECT_EQ(ui.status.caption, "Main Movie List");
    EXPECT_EQ(ui.status.count, "Number of Movies: 3");
    EXPECT_EQ(ui.lines, (Lines{"Alien", "Memento", "Ronin"}));
    EXPECT_EQ(ui.SelectedText(), "Memento");
}

TEST_F(AddEditTest, EditInALocationViewRefillsThatLocation) {
    // The Main Locations dialog leaves the mark on Main and shows the location as the caption.
    shell.SetViewMark(ViewMark::Main);
    shell.SetCaptionAndCount(ui.FillList(FillListBox(c.main, FillVariant::ByLocation, "Mike", false)), "Mike");
    LoadForEdit("Ronin");
    EXPECT_EQ(Save({"ronin", "Crime", "Present", "Mike", "DVD", "Car chase."}), AddEditOutcome::Close);
    EXPECT_EQ(ui.status.caption, "Mike");
    EXPECT_EQ(ui.lines, (Lines{"Heat", "Ronin"}));
    EXPECT_EQ(ui.SelectedText(), "Ronin");
    EXPECT_EQ(c.comments.CommentFor("Ronin"), "Car chase.");

    LoadForEdit("Heat");
    EXPECT_EQ(Save({"Heat", "Crime", "Absent", "Jim", "DivX", "Best shoot-out."}), AddEditOutcome::Close);
    EXPECT_EQ(ui.lines, (Lines{"Ronin"})) << "moved to another location, so gone from this view";
    EXPECT_EQ(ui.status.count, "Number of Movies: 1");
}

TEST_F(AddEditTest, EditingALetterCaseOnlyIsNoDuplicateAndRekeysTheStores) {
    ShowView(IDM_MAIN_LIST);
    c.settings.formatConversion = 0;
    LoadForEdit("Heat");
    EXPECT_EQ(Save({"HEAT", "Crime", "Absent", "Mike", "DivX", "Best shoot-out."}), AddEditOutcome::Close);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(MainRecord("HEAT").number, 2);
    EXPECT_NE(c.history.Find("HEAT"), nullptr);
    EXPECT_NE(c.comments.Find("HEAT"), nullptr);
    EXPECT_NE(c.imdb.Find("CineLedger: HEAT"), nullptr);
}

TEST_F(AddEditTest, ClearingTheCommentsDeletesThem) {
    ShowView(IDM_MAIN_LIST);
    LoadForEdit("Heat");
    EXPECT_EQ(Save({"Heat", "Crime", "Absent", "Mike", "DivX", ""}), AddEditOutcome::Close);
    EXPECT_EQ(c.comments.Find("Heat"), nullptr);
    EXPECT_EQ(c.comments.Count(), 0u);
}

// Every edit mode keeps both movies as they were when the new title belongs to another one.
TEST_F(AddEditTest, EditOntoAnotherMoviesTitleLeavesBothAsTheyWere) {
    struct Case {
        const char* name;
        int view;
        const char* edited;
        const char* other;
        bool upcoming;
        bool fromLocations;
    };
    const Case cases[] = {
        {"Main", IDM_MAIN_LIST, "Heat", "alien", false, false},
        {"category view", 0, "Heat", "RONIN", false, false},
        {"presence view", IDM_ABSENT, "Heat", "Ronin", false, false},
        {"Upcoming", IDM_UPCOMING_LIST, "Memento", "gladiator", true, false},
        {"Upcoming Locations", IDM_MAIN_LIST, "Memento", "Gladiator", true, true},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        if (k.view) {
            ShowView(k.view);
        } else {
            shell.ShowByCategory("Crime");
        }
        LoadForEdit(k.edited, k.upcoming);
        shell.locationsEditFlag = k.fromLocations;
        const std::string before = Snapshot(c);
        const Lines lines = ui.lines;
        ui.messages.clear();
        EXPECT_EQ(Save({k.other, "Crime", "Present", "Jim", "VHS", "changed"}), AddEditOutcome::StayOpen);
        EXPECT_EQ(ui.messages, (std::vector<RecordingUi::Box>{{"Movie Already Exists.", "Error", MessageIcon::Stop}}));
        EXPECT_EQ(Snapshot(c), before);
        EXPECT_EQ(ui.lines, lines);
        EXPECT_EQ(c.current.title, k.edited) << "the dialog stays open on the same movie";
        shell.locationsEditFlag = false;
    }
}

TEST_F(AddEditTest, EditInUpcomingKeepsTheAtCategory) {
    ShowView(IDM_UPCOMING_LIST);
    LoadForEdit("Memento", true);
    EXPECT_EQ(Save({"memento", "Drama", "Absent", "Bob", "DVD", "x"}), AddEditOutcome::Close);
    const MovieRecord* r = c.upcoming.FindExact("Memento");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->category, "@");
    EXPECT_EQ(r->location, "Bob");
    EXPECT_EQ(c.knownUpcomingLocations.Values().back(), "Bob");
    EXPECT_EQ(c.knownLocations.Count(), 2u);
    EXPECT_EQ(c.comments.Find("Memento"), nullptr);
    EXPECT_FALSE(c.current.title);
    EXPECT_EQ(ui.status.caption, "Upcoming Movie List");
    EXPECT_EQ(ui.status.count, "Number of Movies: 2");
    EXPECT_EQ(ui.SelectedText(), "Memento");

    LoadForEdit("Memento", true);
    EXPECT_EQ(Save({"the memento", "", "", "", "", ""}), AddEditOutcome::Close);
    EXPECT_FALSE(c.upcoming.Contains("Memento"));
    EXPECT_EQ(c.upcoming.FindExact("Memento, The")->location, "Default");
    EXPECT_EQ(ui.lines, (Lines{"Gladiator", "Memento, The"}));
}

// A rename in a filtered view carries every record of the movie, as in the Main view: nothing is left behind under
// the old title.
TEST_F(AddEditTest, FilteredViewEditsCarryEveryRecordToTheNewTitle) {
    struct Case {
        const char* name;
        int view;  // 0: the category view of "Crime"
        const char* caption;
        Lines lines;
    };
    const Case cases[] = {
        {"category view", 0, "Crime", {"Heat 2", "Ronin"}},
        {"presence view", IDM_ABSENT, "Absent", {"Heat 2"}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Reset();
        if (k.view) {
            ShowView(k.view);
        } else {
            shell.ShowByCategory("Crime");
        }
        LoadForEdit("Heat");
        EXPECT_EQ(Save({"heat 2", "Crime", "Absent", "", "DivX", "Sequel."}), AddEditOutcome::Close);
        EXPECT_EQ(MainRecord("Heat 2").number, 2);
        EXPECT_EQ(MainRecord("Heat 2").location, "Default");
        EXPECT_NE(c.history.Find("Heat 2"), nullptr);
        EXPECT_EQ(c.history.Find("Heat"), nullptr);
        EXPECT_EQ(c.comments.CommentFor("Heat 2"), std::optional<std::string>("Sequel."));
        EXPECT_EQ(c.comments.CommentFor("Heat"), std::nullopt);
        EXPECT_NE(c.media.Find("Heat 2"), nullptr);
        EXPECT_EQ(c.media.Find("Heat"), nullptr);
        EXPECT_NE(c.imdb.Find("CineLedger: Heat 2"), nullptr);
        EXPECT_EQ(c.imdb.Find("CineLedger: Heat"), nullptr);
        EXPECT_EQ(c.knownLocations.Values(), (Lines{"Default", "Mike"}));
        EXPECT_EQ(shell.Mark(), ViewMark::None);
        EXPECT_EQ(ui.status.caption, k.caption);
        EXPECT_EQ(ui.lines, k.lines);
        EXPECT_EQ(ui.SelectedText(), "Heat 2");
        EXPECT_FALSE(c.current.title);
        EXPECT_TRUE(ui.questions.empty()) << "no Upcoming question in filtered views";
    }
}

TEST_F(AddEditTest, CategoryViewEditClearingTheCommentsDeletesThem) {
    shell.ShowByCategory("Crime");
    LoadForEdit("Heat");
    EXPECT_EQ(Save({"Heat", "Crime", "Absent", "Mike", "DivX", ""}), AddEditOutcome::Close);
    EXPECT_EQ(c.comments.Find("Heat"), nullptr);
}

TEST_F(AddEditTest, EditFromUpcomingLocationsRefreshesThatDialogAndAnUpcomingMainView) {
    for (int view : {IDM_MAIN_LIST, IDM_UPCOMING_LIST}) {
        SCOPED_TRACE(view);
        Reset();
        ShowView(view);
        const Lines mainLines = ui.lines;
        int refreshes = 0;
        std::vector<std::string> knownAtRefresh;
        shell.refreshUpcomingLocations = [&] {
            ++refreshes;
            knownAtRefresh = c.knownUpcomingLocations.Values();
        };
        shell.locationsEditFlag = true;
        c.current.Clear();
        LoadUpcoming(c.upcoming, "Memento", c.current);
        ASSERT_EQ(AddEditModeFor(shell), AddEditMode::EditUpcomingLocations);
        EXPECT_EQ(Save({"memento", "Drama", "Absent", "bob", "DVD", ""}), AddEditOutcome::Close);
        EXPECT_EQ(c.upcoming.FindExact("Memento")->location, "Bob");
        EXPECT_EQ(c.upcoming.FindExact("Memento")->category, "@");
        EXPECT_EQ(refreshes, 1);
        EXPECT_EQ(knownAtRefresh, (Lines{"Video Store", "Jim", "Bob"})) << "the combo is refilled with the new one";
        EXPECT_FALSE(c.current.title);
        if (view == IDM_UPCOMING_LIST) {
            EXPECT_EQ(ui.status.caption, "Upcoming Movie List");
            EXPECT_EQ(ui.lines, (Lines{"Gladiator", "Memento"}));
        } else {
            EXPECT_EQ(ui.status.caption, "Main Movie List");
            EXPECT_EQ(ui.lines, mainLines);
        }
        const int focus = ui.focus;
        FinishAddEdit(shell, ui, AddEditMode::EditUpcomingLocations, AddEditOutcome::Close);
        EXPECT_EQ(ui.focus, focus) << "the Upcoming Locations dialog keeps the focus";
        shell.refreshUpcomingLocations = nullptr;
        shell.locationsEditFlag = false;
    }
}

TEST_F(AddEditTest, EditInAGimmeViewClosesWithoutStoringAnything) {
    ShowView(IDM_INTERNAL_GIMME);
    shell.editFlag = true;
    c.current.title = "Heat";
    const std::string before = Snapshot(c);
    EXPECT_EQ(Save({"Heat 2", "", "Present", "", "", ""}), AddEditOutcome::Close);
    EXPECT_EQ(Snapshot(c), before);
}

// ---- The files stay readable ----

// Whatever Save accepted, the main list file reads back to the same lists: no field can slip into another.
TEST_F(AddEditTest, EverythingSaveAcceptsReadsBackFromTheMainListFile) {
    c.settings.formatConversion = 0;
    ShowView(IDM_MAIN_LIST);
    const AddEditInput inputs[] = {
        {"No Category", "", "Present", "", "", ""},
        {std::string(100, 'x'), std::string(20, 'c'), "Absent", std::string(20, 'l'), std::string(20, 'm'), ""},
        {"Tab\tand \"quotes\" and @", "a:b", "Present", "end", "end", ""},
        {"End", "", "Present", "", "", ""},
        // Past the controls' limits (a program setting the text): cut at what the file's reader takes.
        {std::string(140, 'y'), std::string(40, 'c'), "Present", std::string(40, 'l'), std::string(40, 'm'), ""},
    };
    for (const AddEditInput& in : inputs) {
        SCOPED_TRACE(in.title);
        EXPECT_EQ(Save(in), AddEditOutcome::Close);
    }
    ShowView(IDM_UPCOMING_LIST);
    EXPECT_EQ(Save({"Upcoming " + std::string(100, 'u'), "", "", std::string(40, 'l'), "", ""}), AddEditOutcome::Close);
    EXPECT_TRUE(ui.messages.empty());

    const std::string bytes = SerializeMainList(c.main, c.upcoming, c.freeNumbers, c.password);
    Collection back;
    TextReader reader(bytes);
    LoadReport report =
        ReadMainList(reader,
                     {back.main, back.upcoming, back.knownCategories, back.knownLocations, back.knownUpcomingLocations,
                      back.knownMedia, back.freeNumbers, back.password, back.version},
                     {});
    EXPECT_FALSE(report.damage) << report.damage->what;
    EXPECT_EQ(SerializeMainList(back.main, back.upcoming, back.freeNumbers, back.password), bytes);
    EXPECT_EQ(back.main.Count(), c.main.Count());
    EXPECT_EQ(back.upcoming.Count(), c.upcoming.Count());
}

}  // namespace
}  // namespace cl
