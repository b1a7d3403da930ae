// The commands of the main list's menu 107 and of the Upcoming Locations dialog's menu 201, through recording
// stand-ins for the main window and the dialog.
#include "ui/ListCommands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "model/GimmeFile.h"
#include "res/ListDialogIds.h"
#include "res/ResourceIds.h"
#include "tests/unit/ListTestSupport.h"
#include "ui/ListMenus.h"
#include "ui/Presence.h"

namespace cl {
namespace {

namespace fs = std::filesystem;
using testing_support::Box;
using testing_support::FakeShellUi;
using testing_support::FakeUpcomingUi;
using testing_support::RecordingPrompts;
using Lines = std::vector<std::string>;

constexpr char kDate[] = "2004/3/7";

class ListCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("cl-lists-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "Covers");
        shell_ = std::make_unique<MainShell>(c_, dir_.string() + "/", ui_, DefaultFileWriter());
        commands_ = std::make_unique<MainListCommands>(*shell_, ui_, prompts_, "http://search.test");
        commands_->today = [] { return std::string(kDate); };
        c_.settings.formatConversion = 1;

        InsertMainMovie(c_.main, "Alien", "Horror", "Present", "Default", "DVD", 1);
        InsertMainMovie(c_.main, "Heat", "Crime", "Absent", "Mike", "DivX", 2);
        InsertMainMovie(c_.main, "Vertigo", "Thriller", "Present", "Default", "VHS", 3);
        for (const char* title : {"Alien", "Heat", "Vertigo"}) c_.history.AddOrUpdate(title, "2003/1/5", "2");
        c_.comments.Set("Heat", "Long.");
        c_.comments.Set("Alien", "Scary.");
        MediaFields media;
        media.format = "MPEG-4";
        c_.media.AddOrReplace("Heat", media);
        c_.media.AddOrReplace("Alien", media);
        c_.imdb.Put(ImdbKey("Heat"), "2", "Heat", "1995", {}, {}, {}, {}, {}, {}, {});
        c_.imdb.Put(ImdbKey("Alien"), "1", "Alien", "1979", {}, {}, {}, {}, {}, {}, {});
        for (int number : {1, 2}) std::ofstream(Cover(number)) << "jpeg";
        InsertUpcomingMovie(c_.upcoming, "Gladiator", "@", "Video Store");
        InsertUpcomingMovie(c_.upcoming, "Memento", "@", "Jim");
        InsertUpcomingMovie(c_.upcoming, "Ran", "@", "video store");
        for (const char* location : {"Video Store", "Jim"}) c_.knownUpcomingLocations.Append(location);
        AddGimmeTitles(c_.internalGimme, {"Casablanca"});
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path Cover(int number) const { return dir_ / "Covers" / (std::to_string(number) + ".jpg"); }

    // Shows a view as the main window's commands do, and makes a line current.
    void Show(int command, int currentLine = 0) {
        shell_->Execute(command);
        ui_.list.current = ui_.list.lines.empty() ? -1 : currentLine;
    }
    void Select(const Lines& titles) { shell_->selection.mainCount = CaptureSelection(shell_->selection, titles); }

    fs::path dir_;
    Collection c_;
    FakeShellUi ui_;
    RecordingPrompts prompts_;
    std::unique_ptr<MainShell> shell_;
    std::unique_ptr<MainListCommands> commands_;
};

TEST_F(ListCommandsTest, DeletingAMainMovieRemovesEverythingThatBelongsToIt) {
    for (int command : {IDM_MAIN_LIST, IDM_ABSENT}) {  // the Main view and a filtered view
        SCOPED_TRACE(command);
        const char* title = command == IDM_MAIN_LIST ? "Alien" : "Heat";
        const int number = command == IDM_MAIN_LIST ? 1 : 2;
        Show(command);
        ui_.list.current = ui_.list.lines.empty()
                               ? -1
                               : static_cast<int>(std::find(ui_.list.lines.begin(), ui_.list.lines.end(), title) -
                                                  ui_.list.lines.begin());
        const std::string caption = shell_->Status().caption;
        prompts_.answers = {true};
        commands_->Execute(IDM_LIST_DELETE);

        ASSERT_FALSE(prompts_.questions.empty());
        EXPECT_EQ(prompts_.questions.back(),
                  (Box{"Delete \"" + std::string(title) + "\"?", "Confirmation", MessageIcon::Question, true}));
        EXPECT_FALSE(c_.main.Contains(title));
        EXPECT_EQ(c_.imdb.Find(ImdbKey(title)), nullptr);
        EXPECT_EQ(c_.comments.Find(title), nullptr);
        EXPECT_EQ(c_.history.Find(title), nullptr);
        EXPECT_EQ(c_.media.Find(title), nullptr);
        EXPECT_FALSE(fs::exists(Cover(number)));
        EXPECT_TRUE(std::find(ui_.list.lines.begin(), ui_.list.lines.end(), title) == ui_.list.lines.end());
        EXPECT_EQ(shell_->Status().caption, caption);
        EXPECT_EQ(shell_->Status().count, "Number of Movies: " + std::to_string(ui_.list.lines.size()));
        EXPECT_FALSE(c_.current.title.has_value());
    }
    EXPECT_TRUE(c_.main.Contains("Vertigo"));
    EXPECT_EQ(c_.history.Count(), 1u);
    // Both numbers wait for reuse, smallest first.
    EXPECT_EQ(AssignMainNumber(c_.freeNumbers, c_.main), 1);
    EXPECT_EQ(AssignMainNumber(c_.freeNumbers, c_.main), 2);
}

TEST_F(ListCommandsTest, DeletingFromTheOtherListsTouchesNoOtherStore) {
    MovieRecord imported;
    imported.title = "Heat";
    imported.location = "Jim";
    c_.importedGimme.PushFront(std::move(imported));
    struct Case {
        int view;
        const char* title;
        const MovieList* list;
    };
    const Case cases[] = {
        {IDM_UPCOMING_LIST, "Gladiator", &c_.upcoming},
        {IDM_INTERNAL_GIMME, "Casablanca", &c_.internalGimme},
        {IDM_IMPORTED_GIMME, "Heat", &c_.importedGimme},
    };
    for (const Case& view : cases) {
        SCOPED_TRACE(view.title);
        Show(view.view);
        ASSERT_EQ(ui_.list.lines.at(0), view.title);
        const std::size_t before = view.list->Count();
        prompts_.answers = {true};
        commands_->Execute(IDM_LIST_DELETE);
        EXPECT_EQ(view.list->Count(), before - 1);
        EXPECT_FALSE(view.list->Contains(view.title));
    }
    EXPECT_EQ(c_.main.Count(), 3u);
    EXPECT_EQ(c_.comments.Count(), 2u);
    EXPECT_EQ(c_.history.Count(), 3u);
    EXPECT_EQ(c_.media.Count(), 2u);
    EXPECT_EQ(c_.imdb.Count(), 2u);
    EXPECT_TRUE(c_.freeNumbers.Empty());
    EXPECT_TRUE(fs::exists(Cover(2)));
}

TEST_F(ListCommandsTest, DeleteAnsweredNoOrWithoutALineChangesNothing) {
    Show(IDM_MAIN_LIST);
    commands_->Execute(IDM_LIST_DELETE);  // the empty answer queue says No
    EXPECT_EQ(prompts_.questions.size(), 1u);
    EXPECT_EQ(ui_.list.lines.size(), 3u);
    EXPECT_TRUE(c_.main.Contains("Alien"));
    EXPECT_TRUE(fs::exists(Cover(1)));

    ui_.list.current = -1;
    commands_->Execute(IDM_LIST_DELETE);
    EXPECT_EQ(prompts_.questions.size(), 1u) << "no current line, no question";
}

TEST_F(ListCommandsTest, EditLoadsTheMovieForTheAddEditDialogAndClearsItAfterwards) {
    struct Seen {
        bool editFlag;
        CurrentMovie current;
        std::optional<std::string> mediaFormat;
    };
    std::vector<Seen> seen;
    ui_.onDialog = [&](ShellDialog dialog) {
        ASSERT_EQ(dialog, ShellDialog::AddEdit);
        seen.push_back({shell_->editFlag, c_.current, shell_->mediaScratch.fields.format});
    };
    shell_->mediaScratch.fields.format = "stale";
    Show(IDM_MAIN_LIST, 1);  // Heat
    commands_->Execute(IDM_LIST_EDIT);
    Show(IDM_UPCOMING_LIST, 0);  // Gladiator
    commands_->Execute(IDM_LIST_EDIT);

    ASSERT_EQ(seen.size(), 2u);
    EXPECT_TRUE(seen[0].editFlag);
    EXPECT_EQ(seen[0].current.title, "Heat");
    EXPECT_EQ(seen[0].current.location, "Mike");
    EXPECT_EQ(seen[0].current.medium, "DivX");
    EXPECT_EQ(seen[0].current.number, 2);
    EXPECT_EQ(seen[0].current.comments, "Long.");
    EXPECT_EQ(seen[0].current.dateOfEntry, "2003/1/5");
    EXPECT_EQ(seen[0].current.views, "2");
    EXPECT_EQ(seen[0].mediaFormat, "MPEG-4");

    EXPECT_EQ(seen[1].current.title, "Gladiator");
    EXPECT_EQ(seen[1].current.category, "@");
    EXPECT_EQ(seen[1].current.location, "Video Store");
    EXPECT_FALSE(seen[1].current.comments.has_value());
    EXPECT_FALSE(c_.current.title.has_value()) << "cleared when the dialog returns";
}

TEST_F(ListCommandsTest, MovieInfoLoadsTheEntryOfTheViewsList) {
    MovieRecord imported;
    imported.title = "Heat";
    imported.category = "*";
    imported.location = "Jim";
    c_.importedGimme.PushFront(std::move(imported));
    c_.main.FindMutable("Vertigo")->location = "";
    struct Case {
        int view;
        int line;
        const char* title;
        std::optional<std::string> location;
        std::optional<std::string> comments;
        std::optional<std::string> mediaFormat;
    };
    const Case cases[] = {
        {IDM_MAIN_LIST, 1, "Heat", "Mike", "Long.", "MPEG-4"},
        {IDM_MAIN_LIST, 2, "Vertigo", "Indeterminate", std::nullopt, std::nullopt},  // shown, not stored
        {IDM_UPCOMING_LIST, 1, "Memento", "Jim", std::nullopt, std::nullopt},
        {IDM_INTERNAL_GIMME, 0, "Casablanca", std::nullopt, std::nullopt, std::nullopt},
        {IDM_IMPORTED_GIMME, 0, "Heat", "Jim", std::nullopt, std::nullopt},
    };
    for (const Case& view : cases) {
        SCOPED_TRACE(view.title);
        CurrentMovie seen;
        std::optional<std::string> format;
        ui_.onDialog = [&](ShellDialog dialog) {
            EXPECT_EQ(dialog, ShellDialog::MovieInfo);
            seen = c_.current;
            format = shell_->mediaScratch.fields.format;
        };
        Show(view.view, view.line);
        const int focus = ui_.focus;
        commands_->Execute(IDM_LIST_MOVIE_INFO);
        EXPECT_EQ(seen.title, view.title);
        EXPECT_EQ(seen.location, view.location);
        EXPECT_EQ(seen.comments, view.comments);
        EXPECT_EQ(format, view.mediaFormat);
        EXPECT_EQ(ui_.focus, focus + 1);
    }
}

TEST_F(ListCommandsTest, EnterOnAnEmptyListIsRefused) {
    Show(IDM_IMPORTED_GIMME);
    commands_->OpenOrRefuse();
    EXPECT_EQ(prompts_.messages, (std::vector<Box>{{"There Are No Movies In This List.", "Error", MessageIcon::Stop}}));
    EXPECT_TRUE(ui_.dialogs.empty());
    Show(IDM_MAIN_LIST);
    commands_->OpenOrRefuse();
    EXPECT_EQ(ui_.dialogs, std::vector<ShellDialog>{ShellDialog::MovieInfo});
}

TEST_F(ListCommandsTest, SearchTheImdbAsksToConnectWhenOffline) {
    const std::string address = "http://search.test/M/Tsearch?Heat";
    const Box question{"You Must Be Connected To The Internet To Access the IMDb; Connect?", "CineLedger",
                       MessageIcon::Exclamation};
    struct Case {
        const char* name;
        bool connected;
        std::deque<bool> answers;
        bool connectWorks;
        int attempts;
        bool opened;
        std::vector<Box> messages;
    };
    const Case cases[] = {
        {"online", true, {}, true, 0, true, {}},
        {"offline, No", false, {false}, true, 0, false, {}},
        {"offline, Yes, connected", false, {true}, true, 1, true, {}},
        {"offline, Yes, failed",
         false,
         {true},
         false,
         1,
         false,
         {{"Unable to Connect.", "CineLedger", MessageIcon::Stop}}},
    };
    Show(IDM_MAIN_LIST, 1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui_.connected = c.connected;
        ui_.connectWorks = c.connectWorks;
        ui_.connectAttempts = 0;
        ui_.opened.clear();
        prompts_.questions.clear();
        prompts_.messages.clear();
        prompts_.answers = c.answers;
        commands_->Execute(IDM_LIST_SEARCH_IMDB);
        EXPECT_EQ(prompts_.questions, c.connected ? std::vector<Box>{} : std::vector<Box>{question});
        EXPECT_EQ(ui_.connectAttempts, c.attempts);
        EXPECT_EQ(ui_.opened, c.opened ? Lines{address} : Lines{});
        EXPECT_EQ(prompts_.messages, c.messages);
    }
}

TEST_F(ListCommandsTest, MainShiftOpensTheAddEditDialogUnderTheMainMark) {
    Show(IDM_UPCOMING_LIST, 1);  // Memento
    ui_.list.selected = 1;
    shell_->editFlag = true;
    commands_->Execute(IDM_LIST_MAIN_SHIFT);  // answered No
    EXPECT_EQ(prompts_.questions.back().text, "Shift \"Memento\" to Main List?");
    EXPECT_TRUE(ui_.dialogs.empty());
    EXPECT_EQ(shell_->Mark(), ViewMark::Upcoming);

    bool checked = false;
    ui_.onDialog = [&](ShellDialog dialog) {
        EXPECT_EQ(dialog, ShellDialog::AddEdit);
        EXPECT_FALSE(shell_->editFlag);
        EXPECT_TRUE(shell_->mainShiftFlag);
        EXPECT_EQ(shell_->Mark(), ViewMark::Main);
        EXPECT_EQ(ui_.mark, ViewMark::Main);
        EXPECT_EQ(c_.current.title, "Memento");
        checked = true;
    };
    prompts_.answers = {true};
    commands_->Execute(IDM_LIST_MAIN_SHIFT);
    EXPECT_TRUE(checked);
    EXPECT_FALSE(shell_->mainShiftFlag);
    EXPECT_FALSE(c_.current.title.has_value());
}

TEST_F(ListCommandsTest, AddToGimmeRefusesTitlesAlreadyThereAndShowsTheGimmeList) {
    Show(IDM_MAIN_LIST);
    Select({"Alien", "Casablanca", "Heat"});
    prompts_.answers = {true};
    commands_->Execute(IDM_LIST_ADD_TO_GIMME);
    EXPECT_EQ(prompts_.questions,
              (std::vector<Box>{{"Add Movie(s) to Gimme List?", "Confirmation", MessageIcon::Question}}));
    EXPECT_EQ(prompts_.messages, (std::vector<Box>{{"\"Casablanca\" Is Already On the Gimme List; Skipping to Next...",
                                                    "Error", MessageIcon::Exclamation}}));
    EXPECT_EQ(c_.internalGimme.Count(), 3u);
    EXPECT_EQ(shell_->Mark(), ViewMark::InternalGimme);
    EXPECT_EQ(ui_.list.lines, (Lines{"Alien", "Casablanca", "Heat"}));
    EXPECT_EQ(shell_->Status().caption, "Gimme List");
    EXPECT_EQ(shell_->Status().count, "Number of Movies: 3");

    // Answered No: nothing is added.
    Show(IDM_MAIN_LIST);
    Select({"Vertigo"});
    commands_->Execute(IDM_LIST_ADD_TO_GIMME);
    EXPECT_EQ(c_.internalGimme.Count(), 3u);
    EXPECT_EQ(shell_->Mark(), ViewMark::Main);
}

TEST_F(ListCommandsTest, SelectionPresenceRefreshesTheCountUnlessCancelled) {
    Show(IDM_MAIN_LIST, 2);
    Select({"Alien", "Heat"});
    PresenceRequest seenMode = PresenceRequest::Cancelled;
    ui_.onDialog = [&](ShellDialog dialog) {
        ASSERT_EQ(dialog, ShellDialog::PresenceChange);
        seenMode = shell_->presenceMode;
        shell_->presenceMode = PresenceRequest::Cancelled;
    };
    shell_->SetSelectionCount("2");
    commands_->Execute(IDM_LIST_ABSENT);
    EXPECT_EQ(seenMode, PresenceRequest::SelectionAbsent);
    EXPECT_EQ(shell_->Status().selection, "2") << "cancelled: the count is left alone";

    ui_.onDialog = [&](ShellDialog) {
        seenMode = shell_->presenceMode;
        SaveSelectionPresence(*shell_, "bob", kDate);
        RefillAfterPresence(*shell_, ui_);
    };
    commands_->Execute(IDM_LIST_PRESENT);
    EXPECT_EQ(seenMode, PresenceRequest::SelectionPresent);
    EXPECT_EQ(shell_->Status().selection, "1");
    EXPECT_EQ(shell_->Status().caption, "Main Movie List");
    EXPECT_EQ(*c_.main.Find("Heat")->location, "Bob");
    EXPECT_EQ(c_.history.LoanLines("Alien"), Lines{"2004/3/7: returned to Bob."});
}

TEST_F(ListCommandsTest, ChangePresenceAllWritesOneLoanLinePerListedMovie) {
    for (int i = 0; i < 25; ++i) {
        std::string title = "Film " + std::to_string(100 + i);
        InsertMainMovie(c_.main, title, "Drama", "Present", "Default", "DVD", 10 + i);
        c_.history.AddOrUpdate(title, "2003/1/5", "0");
    }
    ui_.onDialog = [&](ShellDialog dialog) {
        ASSERT_EQ(dialog, ShellDialog::PresenceChange);
        EXPECT_EQ(shell_->presenceMode, PresenceRequest::AllAbsent);
        SaveAllPresenceLocation(*shell_, "film club");
    };
    Show(IDM_PRESENT);  // Alien, Vertigo and the 25 films
    ASSERT_EQ(ui_.list.lines.size(), 27u);
    prompts_.answers = {true};
    commands_->Execute(IDM_LIST_ALL_ABSENT);
    EXPECT_EQ(ui_.beeps, 1);
    EXPECT_EQ(prompts_.questions.back(),
              (Box{"Are You Sure You Want to Make These 27 Movie(s) Absent?", "Confirmation", MessageIcon::Question}));
    for (const MovieRecord& movie : c_.main) {
        SCOPED_TRACE(movie.title);
        EXPECT_EQ(movie.presence, "Absent");
        if (movie.title == "Heat") continue;
        EXPECT_EQ(movie.location, "Film Club");
        EXPECT_EQ(c_.history.LoanLines(movie.title), Lines{"2004/3/7: loaned to Film Club."});
    }
    EXPECT_TRUE(c_.history.LoanLines("Heat").empty()) << "Heat was not listed";
    EXPECT_EQ(ui_.list.lines.size(), 28u);
    EXPECT_EQ(shell_->Status().caption, "Absent");
    EXPECT_EQ(shell_->Status().count, "Number of Movies: 28");
    EXPECT_TRUE(prompts_.messages.empty());
}

TEST_F(ListCommandsTest, ChangePresenceAllReportsTitlesTheMainListLacks) {
    MovieRecord imported;
    imported.title = "Ghost";
    imported.location = "Jim";
    c_.importedGimme.PushFront(std::move(imported));
    imported.title = "Heat";
    c_.importedGimme.PushFront(std::move(imported));
    c_.history.AddOrUpdate("Ghost", "2003/1/5", "0");
    ui_.onDialog = [&](ShellDialog) { SaveAllPresenceLocation(*shell_, ""); };
    Show(IDM_IMPORTED_GIMME);
    prompts_.answers = {true};
    commands_->Execute(IDM_LIST_ALL_PRESENT);
    EXPECT_EQ(prompts_.questions.back().text, "Are You Sure You Want to Make These 2 Movie(s) Present?");
    EXPECT_EQ(prompts_.messages, (std::vector<Box>{{"\"Ghost\" Does Not Exist In Your Movie List; Skipping To Next.",
                                                    "CineLedger", MessageIcon::Exclamation}}));
    EXPECT_EQ(c_.history.LoanLines("Ghost"), Lines{"2004/3/7: returned to Default."}) << "added all the same";
    EXPECT_EQ(*c_.main.Find("Heat")->presence, "Present");
    EXPECT_EQ(shell_->Mark(), ViewMark::None) << "the Imported Gimme mark is removed";
    EXPECT_EQ(shell_->Status().caption, "Present");
    EXPECT_EQ(ui_.list.lines, (Lines{"Alien", "Heat", "Vertigo"}));
}

TEST_F(ListCommandsTest, ChangePresenceAllStopsOnAnEmptyListNoOrCancel) {
    Show(IDM_IMPORTED_GIMME);
    commands_->Execute(IDM_LIST_ALL_ABSENT);
    EXPECT_EQ(prompts_.messages, (std::vector<Box>{{"There Are No Movies Here!", "Error", MessageIcon::Stop}}));
    EXPECT_EQ(ui_.beeps, 0);

    Show(IDM_MAIN_LIST);
    commands_->Execute(IDM_LIST_ALL_ABSENT);  // No
    EXPECT_TRUE(ui_.dialogs.empty());
    ui_.onDialog = [&](ShellDialog) { shell_->presenceMode = PresenceRequest::Cancelled; };
    prompts_.answers = {true};
    commands_->Execute(IDM_LIST_ALL_ABSENT);
    EXPECT_EQ(ui_.dialogs.size(), 1u);
    EXPECT_EQ(*c_.main.Find("Alien")->presence, "Present");
    EXPECT_TRUE(c_.history.LoanLines("Alien").empty());
    EXPECT_EQ(shell_->Mark(), ViewMark::Main);
}

// ---- Dialog 117 ----

class UpcomingLocationsTest : public ListCommandsTest {
  protected:
    void SetUp() override {
        ListCommandsTest::SetUp();
        upcoming_ = std::make_unique<UpcomingLocationsCommands>(*shell_, ui_, dialog_);
        upcoming_->Open();
    }
    void Track(std::string_view location) {
        dialog_.SelectLocation(location);
        upcoming_->Track();
    }
    void SelectUpcoming(const Lines& titles) {
        shell_->selection.upcomingCount = CaptureSelection(shell_->selection, titles);
    }

    FakeUpcomingUi dialog_;
    std::unique_ptr<UpcomingLocationsCommands> upcoming_;
};

TEST_F(UpcomingLocationsTest, TrackListsTheUpcomingMoviesOfALocation) {
    EXPECT_EQ(dialog_.locations, (Lines{"Jim", "Video Store"}));
    EXPECT_EQ(dialog_.LocationText(), "Jim") << "the first entry is chosen";
    EXPECT_TRUE(dialog_.list.lines.empty()) << "the list starts empty";

    Track("Video Store");
    EXPECT_EQ(dialog_.list.lines, (Lines{"Gladiator", "Ran"})) << "\"video store\" is the same location";
    EXPECT_EQ(shell_->upcomingLocation, "Video Store");
    EXPECT_EQ(dialog_.countText, "");

    c_.knownUpcomingLocations.Append("Nobody");
    upcoming_->Open();
    Track("Nobody");
    EXPECT_TRUE(dialog_.list.lines.empty());
}

TEST_F(UpcomingLocationsTest, DeleteRemovesTheTitleAndRefreshesTheUpcomingView) {
    Show(IDM_UPCOMING_LIST);
    Track("Video Store");
    dialog_.list.current = 1;  // Ran
    dialog_.prompts.answers = {true};
    upcoming_->Execute(IDM_UPCOMING_DELETE);
    EXPECT_EQ(dialog_.prompts.questions,
              (std::vector<Box>{{"Delete Ran?", "Confirmation", MessageIcon::Question, true}}));
    EXPECT_EQ(dialog_.list.lines, Lines{"Gladiator"});
    EXPECT_FALSE(c_.upcoming.Contains("Ran"));
    EXPECT_EQ(ui_.list.lines, (Lines{"Gladiator", "Memento"}));
    EXPECT_EQ(shell_->Status().count, "Number of Movies: 2");

    // From another view the main list is left alone.
    Show(IDM_MAIN_LIST);
    dialog_.list.current = 0;
    dialog_.prompts.answers = {true};
    upcoming_->Execute(IDM_UPCOMING_DELETE);
    EXPECT_FALSE(c_.upcoming.Contains("Gladiator"));
    EXPECT_EQ(ui_.list.lines, (Lines{"Alien", "Heat", "Vertigo"}));
}

TEST_F(UpcomingLocationsTest, EditRunsTheAddEditDialogWithTheLocationsFlag) {
    Track("Jim");
    dialog_.countText = "1";
    dialog_.list.current = 0;
    dialog_.onAddEdit = [&] {
        EXPECT_TRUE(shell_->locationsEditFlag);
        EXPECT_EQ(c_.current.title, "Memento");
        EXPECT_EQ(c_.current.location, "Jim");
        // What the add/edit dialog does after such an edit.
        RemoveUpcomingMovie(c_.upcoming, "Memento");
        InsertUpcomingMovie(c_.upcoming, "Memento", "@", "Ann");
        c_.knownUpcomingLocations.Append("Ann");
        upcoming_->Refresh();
    };
    upcoming_->Execute(IDM_UPCOMING_EDIT);
    EXPECT_EQ(dialog_.addEditOpened, 1);
    EXPECT_FALSE(shell_->locationsEditFlag);
    EXPECT_FALSE(c_.current.title.has_value());
    EXPECT_EQ(dialog_.countText, "");
    EXPECT_EQ(dialog_.locations, (Lines{"Ann", "Jim", "Video Store"})) << "the combo refilled";
    EXPECT_EQ(dialog_.LocationText(), "Jim") << "the filter chosen again";
    EXPECT_TRUE(dialog_.list.lines.empty()) << "Memento has moved to Ann";
}

TEST_F(UpcomingLocationsTest, AddToGimmeUsesThisListsSelection) {
    Show(IDM_MAIN_LIST);
    Select({"Alien", "Heat", "Vertigo"});
    SelectUpcoming({"Gladiator"});
    dialog_.prompts.answers = {true};
    upcoming_->Execute(IDM_UPCOMING_ADD_TO_GIMME);
    EXPECT_EQ(dialog_.prompts.questions.at(0).text, "Add Movie(s) to Gimme List?");
    EXPECT_EQ(ui_.list.lines, (Lines{"Casablanca", "Gladiator"}));
    EXPECT_EQ(shell_->Mark(), ViewMark::InternalGimme);
    EXPECT_EQ(shell_->Status().caption, "Gimme List");
}

TEST_F(UpcomingLocationsTest, AddAllPutsEveryLineOnTheGimmeListWithTheLocation) {
    upcoming_->Execute(IDM_UPCOMING_ADD_ALL_TO_GIMME);
    EXPECT_EQ(dialog_.prompts.messages,
              (std::vector<Box>{{"There Are No Movies In This List!", "Error", MessageIcon::Stop}}));

    AddGimmeTitles(c_.internalGimme, {"Ran"});
    Track("Video Store");
    dialog_.prompts.messages.clear();
    dialog_.prompts.answers = {true};
    upcoming_->Execute(IDM_UPCOMING_ADD_ALL_TO_GIMME);
    EXPECT_EQ(ui_.beeps, 1);
    EXPECT_EQ(dialog_.prompts.questions.back(),
              (Box{"Add These 2 Movie(s) to Gimme List?", "Confirmation", MessageIcon::Question}));
    EXPECT_EQ(dialog_.prompts.messages, (std::vector<Box>{{"\"Ran\" Is Already On the Gimme List; Skipping to Next...",
                                                           "Error", MessageIcon::Exclamation}}));
    ASSERT_NE(c_.internalGimme.Find("Gladiator"), nullptr);
    EXPECT_EQ(c_.internalGimme.Find("Gladiator")->location, "Video Store");
    EXPECT_EQ(ui_.list.lines, (Lines{"Casablanca", "Gladiator", "Ran"}));
    EXPECT_EQ(shell_->Status().caption, "Gimme List");
    EXPECT_EQ(shell_->Status().count, "Number of Movies: 3");
    EXPECT_EQ(shell_->Status().selection, "") << "the main selection count is emptied";
}

}  // namespace
}  // namespace cl
