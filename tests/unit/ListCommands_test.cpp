// The list commands of menus 107 and 201, the presence dialog's logic and the Upcoming Locations dialog, through the
// shell stand-in: which stores change, what is asked and shown, and how the lists are refilled.
#include "ui/ListCommands.h"

#include <gtest/gtest.h>

#include <fstream>

#include "imdb/ImdbStore.h"
#include "model/GimmeFile.h"
#include "res/ListDialogIds.h"
#include "tests/unit/ShellFakes.h"

namespace cl::test {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

class ListCommandsTest : public ::testing::Test, public ShellFixture {
  protected:
    void SetUp() override {
        c.settings.formatConversion = 1;
        Add("Alien", "Horror", "Present", "Default", 1);
        Add("Heat", "Crime", "Absent", "Mike", 2);
        Add("Vertigo", "Thriller", "Present", "Default", 3);
        AddUpcoming("Gladiator", "Video Store");
        AddUpcoming("Memento", "Jim");
        c.internalGimme.PushFront(MovieRecord{"Casablanca", "G", {}, "G", {}, 0});
        for (const char* title : {"Alien", "Heat"}) {
            c.comments.Set(title, "c");
            c.history.AddOrUpdate(title, "2003/1/5", "0");
            c.media.AddOrReplace(title, MediaFields{});
            c.imdb.Put(ImdbKey(title), {.title = title});
        }
        fs::create_directories(dir / "Covers");
        W().state.hosts.titleSearch = "http://search.test";
        for (int n : {1, 2}) std::ofstream(Cover(n)) << "jpeg";
    }
    fs::path Cover(int number) const { return dir / "Covers" / (std::to_string(number) + ".jpg"); }
    void Run(int command, const Lines& selection = {}) {
        commands.SetSelection(selection);
        commands.Execute(command);
    }

    MainListCommands commands{W()};
};

TEST_F(ListCommandsTest, DeletingAMainMovieRemovesEverythingThatBelongsToIt) {
    for (const View& view : {View::Main(), View::ByPresence(false)}) {
        const char* title = view.kind == ViewKind::Main ? "Alien" : "Heat";
        const int number = view.kind == ViewKind::Main ? 1 : 2;
        SCOPED_TRACE(title);
        List().Show(view);
        box.Click(title);
        Prompts().answers = {true};
        Run(IDM_LIST_DELETE);
        EXPECT_EQ(Prompts().questions.back(),
                  (Box{"Delete \"" + std::string(title) + "\"?", "Confirmation", MessageIcon::Question, true}));
        EXPECT_FALSE(c.main.Contains(title));
        EXPECT_EQ(c.imdb.Find(ImdbKey(title)), nullptr);
        EXPECT_EQ(c.comments.Find(title), nullptr);
        EXPECT_EQ(c.history.Find(title), nullptr);
        EXPECT_EQ(c.media.Find(title), nullptr);
        EXPECT_FALSE(fs::exists(Cover(number)));
        EXPECT_EQ(ui.status.count, "Number of Movies: " + std::to_string(box.lines.size()));
    }
    EXPECT_EQ(std::vector<std::int32_t>(c.freeNumbers.begin(), c.freeNumbers.end()), (std::vector<std::int32_t>{1, 2}));
}

TEST_F(ListCommandsTest, DeletingFromTheOtherListsTouchesNoOtherStore) {
    const struct {
        View view;
        const char* title;
        const MovieList* list;
    } cases[] = {{View::Upcoming(), "Gladiator", &c.upcoming}, {View::InternalGimme(), "Casablanca", &c.internalGimme}};
    for (const auto& k : cases) {
        List().Show(k.view);
        box.Click(k.title);
        Prompts().answers = {true};
        Run(IDM_LIST_DELETE);
        EXPECT_FALSE(k.list->Contains(k.title));
    }
    EXPECT_EQ(c.main.Count(), 3u);
    EXPECT_EQ(c.history.Count(), 2u);
    EXPECT_TRUE(fs::exists(Cover(1)));
    // No: nothing happens.
    List().Show(View::Main());
    Run(IDM_LIST_DELETE);
    EXPECT_TRUE(c.main.Contains("Alien"));
}

TEST_F(ListCommandsTest, EditAndMainShiftHandTheMovieToTheAddEditDialog) {
    List().Show(View::Main());
    box.Click("Heat");
    Run(IDM_LIST_EDIT);
    ASSERT_EQ(dialogs.addEdits.size(), 1u);
    EXPECT_EQ(dialogs.addEdits[0].mode, AddEditMode::EditMain);
    EXPECT_EQ(dialogs.addEdits[0].movie.location, "Mike");
    EXPECT_EQ(dialogs.addEdits[0].movie.comments, "c");

    List().Show(View::Upcoming());
    box.Click("Memento");
    Prompts().answers = {true};
    Run(IDM_LIST_MAIN_SHIFT);
    ASSERT_EQ(dialogs.addEdits.size(), 2u);
    EXPECT_EQ(dialogs.addEdits[1].mode, AddEditMode::MainShift);
    EXPECT_EQ(dialogs.addEdits[1].movie.title, "Memento");
    EXPECT_EQ(Prompts().questions.back().text, "Shift \"Memento\" to Main List?");
    EXPECT_EQ(ui.mark, ViewMark::Upcoming) << "a cancelled shift leaves the Upcoming view as it was";
}

TEST_F(ListCommandsTest, SearchTheImdbOpensTheTitleSearchAndAsksToConnectWhenOffline) {
    List().Show(View::Main());
    box.Click("Heat");
    Run(IDM_LIST_SEARCH_IMDB);
    EXPECT_EQ(desktop.opened, Lines{"http://search.test/M/Tsearch?Heat"});
    desktop.connected = false;
    Run(IDM_LIST_SEARCH_IMDB);  // No
    EXPECT_EQ(Prompts().questions.back().icon, MessageIcon::Exclamation);
    EXPECT_EQ(desktop.opened.size(), 1u);
}

TEST_F(ListCommandsTest, AddToGimmeRefusesTitlesAlreadyThereWithoutAnOwnerAndShowsTheGimmeList) {
    List().Show(View::Main());
    Prompts().answers = {true};
    Run(IDM_LIST_ADD_TO_GIMME, {"Casablanca", "Heat"});
    EXPECT_EQ(desktop.ownerless.MessageTexts(),
              Lines{"\"Casablanca\" Is Already On the Gimme List; Skipping to Next..."});
    EXPECT_TRUE(Prompts().messages.empty());
    EXPECT_EQ(box.lines, (Lines{"Casablanca", "Heat"}));
    EXPECT_EQ(ui.status.caption, "Gimme List");
    EXPECT_EQ(ui.mark, ViewMark::InternalGimme);
}

TEST_F(ListCommandsTest, SelectionPresenceChangesTheMoviesAndRefillsTheView) {
    List().Show(View::ByPresence(true));
    dialogs.onPresence = [&](PresenceChange& change) {
        const std::optional<RelocationSummary> summary = change.Save("the club");
        EXPECT_EQ(summary->titles[1], "Vertigo");
        EXPECT_EQ(summary->status, "Absent");
        change.RefillAfterSummary();
        return std::optional<std::string>(change.Location());
    };
    Run(IDM_LIST_ABSENT, {"Alien", "Vertigo"});
    EXPECT_EQ(c.main.Find("Alien")->presence, "Absent");
    EXPECT_EQ(c.main.Find("Vertigo")->location, "Club, The");
    EXPECT_EQ(c.history.LoanLines("Alien"), Lines{"2026/12/6: loaned to Club, The."});
    EXPECT_TRUE(box.lines.empty()) << "nothing is present any more";
    EXPECT_EQ(ui.status, (StatusTexts{"Present", "Number of Movies: 0", ""}));
    EXPECT_EQ(c.knownLocations.Values().back(), "Club, The");
}

TEST_F(ListCommandsTest, MoviesMadePresentFromTheImportedGimmeViewLeaveThatList) {
    c.importedGimme.PushFront(MovieRecord{"Heat", "G", {}, "Bob", {}, 0});
    c.importedGimme.PushFront(MovieRecord{"Alien", "G", {}, "Bob", {}, 0});
    List().Show(View::ImportedGimme());
    dialogs.onPresence = [&](PresenceChange& change) {
        change.Save("");
        change.RefillAfterSummary();
        return std::optional<std::string>(change.Location());
    };
    Run(IDM_LIST_PRESENT, {"Heat"});
    EXPECT_EQ(c.main.Find("Heat")->location, "Default");
    EXPECT_EQ(box.lines, Lines{"Alien"});
    EXPECT_EQ(ui.status.caption, "Gimme Import-> Bob") << "the caption stays";
}

TEST_F(ListCommandsTest, ChangePresenceAllWritesOneLoanLinePerListedMovie) {
    c.importedGimme.PushFront(MovieRecord{"Ghost", "G", {}, "Jim", {}, 0});
    c.importedGimme.PushFront(MovieRecord{"Heat", "G", {}, "Jim", {}, 0});
    c.history.AddOrUpdate("Ghost", "2003/1/5", "0");
    List().Show(View::ImportedGimme());
    dialogs.onPresence = [&](PresenceChange& change) {
        EXPECT_EQ(change.Save("film club"), std::nullopt) << "the movies are the command's to change";
        return std::optional<std::string>(change.Location());
    };
    Prompts().answers = {true};
    Run(IDM_LIST_ALL_PRESENT);
    EXPECT_EQ(desktop.beeps, 1);
    EXPECT_EQ(Prompts().questions.back().text, "Are You Sure You Want to Make These 2 Movie(s) Present?");
    EXPECT_EQ(Prompts().MessageTexts(), Lines{"\"Ghost\" Does Not Exist In Your Movie List; Skipping To Next."});
    EXPECT_EQ(c.history.LoanLines("Ghost"), Lines{"2026/12/6: returned to Film Club."}) << "added all the same";
    EXPECT_EQ(c.main.Find("Heat")->presence, "Present");
    EXPECT_EQ(ui.mark, ViewMark::None);
    EXPECT_EQ(ui.status.caption, "Present");
    EXPECT_EQ(box.lines, (Lines{"Alien", "Heat", "Vertigo"}));
    // Cancelled: nothing changes.
    dialogs.onPresence = nullptr;
    Prompts().answers = {true};
    Run(IDM_LIST_ALL_ABSENT);
    EXPECT_EQ(c.main.Find("Alien")->presence, "Present");
    // An empty list: nothing to ask.
    c.importedGimme.Clear();
    List().Show(View::ImportedGimme());
    Run(IDM_LIST_ALL_ABSENT);
    EXPECT_EQ(Prompts().messages.back(), (Box{"There Are No Movies Here!", "Error", MessageIcon::Stop}));
}

// ---- Dialog 117 ----

class FakeUpcomingUi : public UpcomingLocationsUi {
  public:
    void SetCountText(std::string_view text) override { countText = text; }
    std::string LocationText() override { return chosen < 0 ? std::string() : locations.at(chosen); }
    void FillLocations(const std::vector<std::string>& values) override {
        locations = values;
        std::sort(locations.begin(), locations.end());
        chosen = -1;
    }
    void SelectLocation(std::string_view location) override {
        auto at = std::find(locations.begin(), locations.end(), location);
        chosen = at == locations.end() ? -1 : static_cast<int>(at - locations.begin());
    }
    void SelectFirstLocation() override { chosen = locations.empty() ? -1 : 0; }
    AddEditOutcome OpenAddEdit(const AddEditRequest& request) override {
        requests.push_back(request);
        return onAddEdit ? onAddEdit(request) : AddEditOutcome::Cancelled;
    }

    std::string countText = "stale";
    std::vector<std::string> locations;
    int chosen = -1;
    std::vector<AddEditRequest> requests;
    std::function<AddEditOutcome(const AddEditRequest&)> onAddEdit;
};

class UpcomingLocationsTest : public ListCommandsTest {
  protected:
    void SetUp() override {
        ListCommandsTest::SetUp();
        c.knownUpcomingLocations.Append("Video Store");
        c.knownUpcomingLocations.Append("Jim");
        upcoming.Open();
    }
    void Track(std::string_view location) {
        dialog.SelectLocation(location);
        upcoming.Track();
    }

    FakeListBox list;
    FakeUpcomingUi dialog;
    RecordingPrompts dialogPrompts;
    UpcomingLocationsCommands upcoming{W(), list, dialog, dialogPrompts};
};

TEST_F(UpcomingLocationsTest, TrackListsTheUpcomingMoviesOfALocationAndDeleteRemovesOne) {
    EXPECT_EQ(dialog.LocationText(), "Jim") << "the first entry of the sorted combo";
    Track("Video Store");
    EXPECT_EQ(list.lines, Lines{"Gladiator"});
    EXPECT_EQ(dialog.countText, "");
    List().Show(View::Upcoming());
    list.Click("Gladiator");
    dialogPrompts.answers = {true};
    upcoming.Execute(IDM_UPCOMING_DELETE);
    EXPECT_EQ(dialogPrompts.questions.back().text, "Delete Gladiator?");
    EXPECT_FALSE(c.upcoming.Contains("Gladiator"));
    EXPECT_EQ(box.lines, Lines{"Memento"}) << "the main window's Upcoming view follows";
}

TEST_F(UpcomingLocationsTest, EditRunsTheAddEditDialogAndRefreshesAfterASave) {
    Track("Jim");
    list.Click("Memento");
    dialog.onAddEdit = [&](const AddEditRequest& request) {
        EXPECT_EQ(request.mode, AddEditMode::EditUpcomingLocations);
        EXPECT_EQ(request.movie.location, "Jim");
        RemoveUpcomingMovie(c.upcoming, "Memento");
        InsertUpcomingMovie(c.upcoming, "Memento", "@", "Zoe");
        c.knownUpcomingLocations.Append("Zoe");
        return AddEditOutcome::Saved;
    };
    upcoming.Execute(IDM_UPCOMING_EDIT);
    EXPECT_TRUE(list.lines.empty()) << "Memento is no longer expected from Jim";
    EXPECT_EQ(dialog.locations, (Lines{"Jim", "Video Store", "Zoe"}));
    EXPECT_EQ(dialog.LocationText(), "Jim");
}

TEST_F(UpcomingLocationsTest, AddAllPutsEveryLineOnTheGimmeListWithTheLocation) {
    Track("Jim");
    dialogPrompts.answers = {true};
    upcoming.Execute(IDM_UPCOMING_ADD_ALL_TO_GIMME);
    EXPECT_EQ(dialogPrompts.questions.back().text, "Add These 1 Movie(s) to Gimme List?");
    EXPECT_EQ(c.internalGimme.Find("Memento")->location, "Jim");
    EXPECT_EQ(ui.status, (StatusTexts{"Gimme List", "Number of Movies: 2", ""}));
    dialogPrompts.answers = {true};
    upcoming.Execute(IDM_UPCOMING_ADD_ALL_TO_GIMME);
    EXPECT_EQ(desktop.ownerless.MessageTexts(), Lines{"\"Memento\" Is Already On the Gimme List; Skipping to Next..."});
    Track("Nobody");
    upcoming.Execute(IDM_UPCOMING_ADD_ALL_TO_GIMME);
    EXPECT_EQ(dialogPrompts.MessageTexts(), Lines{"There Are No Movies In This List!"});
}

}  // namespace
}  // namespace cl::test
