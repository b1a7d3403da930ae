// The add/edit movie dialog's decisions: the mode each command gives it, the starting controls, every refusal, and
// what Save leaves in the lists, the side stores and the main list.
#include "ui/AddEdit.h"

#include <gtest/gtest.h>

#include "imdb/ImdbStore.h"
#include "model/MainListFile.h"
#include "tests/unit/ShellFakes.h"

namespace cl::test {
namespace {

using Lines = std::vector<std::string>;

// Everything Save may touch, as bytes.
std::string Snapshot(const Collection& c) {
    std::string s = SerializeMainList(c.main, c.upcoming, c.freeNumbers, c.password) + "\n--\n" +
                    SerializeComments(c.comments) + "\n--\n" + SerializeHistory(c.history) + "\n--\n" +
                    SerializeMedia(c.media) + "\n--\n" + SerializeImdb(c.imdb);
    for (const KnownValueList* known :
         {&c.knownCategories, &c.knownLocations, &c.knownUpcomingLocations, &c.knownMedia})
        for (const std::string& v : known->Values()) s += "\n" + v;
    return s;
}

class AddEditTest : public ::testing::Test, public ShellFixture {
  protected:
    void SetUp() override {
        c.settings.formatConversion = 1;
        Add("Alien", "Horror", "Present", "Default", 1);
        Add("Heat", "Crime", "Absent", "Mike", 2);
        Add("Ronin", "Crime", "Present", "Mike", 4);
        c.freeNumbers.Add(3);
        AddUpcoming("Gladiator", "Video Store");
        AddUpcoming("Memento", "Jim");
        for (const char* v : {"Horror", "Crime"}) c.knownCategories.Append(v);
        for (const char* v : {"DVD", "DivX"}) c.knownMedia.Append(v);
        c.comments.Set("Heat", "Best shoot-out.");
        c.history.AddOrUpdate("Heat", "2003/1/5", "2");
        c.history.AddLoanLine("Heat", "2003/2/1: loaned to Mike.");
        MediaFields media;
        media.format = "MPEG-4";
        c.media.AddOrReplace("Heat", media);
        c.imdb.Put(ImdbKey("Heat"), {.number = "7", .title = "Heat"});
        List().Show(View::Main());
    }

    // What an Edit command hands the dialog for a view: its mode and the movie with its comments.
    AddEditRequest EditOf(std::string_view title) {
        AddEditRequest request{EditModeFor(List().CurrentView()), {}};
        if (List().CurrentMark() == ViewMark::Upcoming) {
            LoadUpcoming(c.upcoming, title, request.movie);
        } else {
            MediaScratch unused;
            LoadMovieWithDetails(c, title, true, request.movie, unused);
        }
        box.Click(title);
        return request;
    }

    std::optional<AddEditOutcome> Save(const AddEditRequest& request, const AddEditInput& input) {
        return SaveAddEdit(W(), dialogPrompts, request, input);
    }
    std::optional<AddEditOutcome> Add(const AddEditInput& input) {
        return Save({AddModeFor(List().CurrentView()), {}}, input);
    }
    using ShellFixture::Add;

    const MovieRecord& Main(std::string_view title) {
        static const MovieRecord none;
        const MovieRecord* r = c.main.FindExact(title);
        EXPECT_NE(r, nullptr) << title;
        return r ? *r : none;
    }
    std::string Selected() { return box.selected.size() == 1 ? box.lines.at(*box.selected.begin()) : "<none>"; }

    RecordingPrompts dialogPrompts;  // the dialog's own message boxes
};

TEST_F(AddEditTest, ControlsStartAsEachModeAsks) {
    CurrentMovie heat;
    heat.title = "Heat";
    heat.category = "Crime";
    heat.presence = "Absent";
    heat.location = "Mike";
    heat.medium = "DivX";
    heat.comments = "Best shoot-out.";
    const ComboSetup first{ComboStart::First, "", true}, off{ComboStart::Nothing, "", false},
        blank{ComboStart::Nothing, "", true};
    auto text = [](const char* t) { return ComboSetup{ComboStart::Text, t, true}; };
    const struct {
        AddEditMode mode;
        const char *title, *location, *comments;
        ComboSetup category, presence, medium;
        bool commentsEnabled;
    } cases[] = {
        {AddEditMode::AddMain, "", "", "", first, first, first, true},
        {AddEditMode::MainShift, "Heat", "", "", first, first, first, true},
        {AddEditMode::AddUpcoming, "", "", "", off, off, off, false},
        {AddEditMode::EditCategoryView, "Heat", "Mike", "Best shoot-out.", text("Crime"), text("Absent"), text("DivX"),
         true},
        {AddEditMode::EditUpcoming, "Heat", "Mike", "", off, off, off, false},
        {AddEditMode::EditUpcomingLocations, "Heat", "Mike", "", off, off, blank, false},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(static_cast<int>(k.mode));
        const AddEditSetup s = PrepareAddEdit(c, {k.mode, heat});
        EXPECT_EQ(Lines({s.title, s.location, s.comments}), Lines({k.title, k.location, k.comments}));
        for (auto [got, want] : {std::pair{&s.category, &k.category}, std::pair{&s.presence, &k.presence},
                                 std::pair{&s.medium, &k.medium}}) {
            EXPECT_EQ(got->start, want->start);
            EXPECT_EQ(got->text, want->text);
            EXPECT_EQ(got->enabled, want->enabled);
        }
        EXPECT_EQ(s.commentsEnabled, k.commentsEnabled);
        EXPECT_EQ(s.categories, (Lines{"Horror", "Crime"}));
        EXPECT_EQ(s.presences, (Lines{"Present", "Absent"}));
    }
}

// Every storing mode refuses the same way: the message, the dialog stays open, nothing changes.
TEST_F(AddEditTest, RefusalsChangeNothingInEveryMode) {
    const struct {
        AddEditInput input;
        const char* message;
    } refusals[] = {
        {{"", "Horror", "Present", "Here", "DVD", "c"}, "You Must Supply a Movie Name to Save."},
        {{"Alien|Resurrection", "", "Present", "", "", ""}, "The Movie Name May Not Contain \"|\" or a Line Break."},
        {{"Alien\rResurrection", "", "Present", "", "", ""}, "The Movie Name May Not Contain \"|\" or a Line Break."},
        {{"Brazil", "", "Present", "Mike\nJim", "", ""}, "The Location May Not Contain \"|\" or a Line Break."},
        {{"Brazil", "Sci|Fi", "Present", "", "", ""}, "The Category May Not Contain \"|\" or a Line Break."},
        {{"Brazil", "", "Present", "", "V|HS", ""}, "The Medium May Not Contain \"|\" or a Line Break."},
        {{"end", "", "Present", "", "", ""}, "\"end\" Can Not Be Used as a Movie Name."},
        {{"ALIEN", "Horror", "Present", "", "", ""}, "Movie Already Exists."},
    };
    c.settings.formatConversion = 0;  // "end" stays "end"
    const View views[] = {View::Main(), View::OfCategory("Crime"), View::ByPresence(false)};
    for (const View& view : views) {
        for (bool edit : {false, true}) {
            if (!edit && view.kind != ViewKind::Main) continue;
            for (const auto& r : refusals) {
                SCOPED_TRACE(std::string(r.message) + (edit ? " edit " : " add ") + view.filter);
                List().Show(view);
                const AddEditRequest request = edit ? EditOf("Heat") : AddEditRequest{AddEditMode::AddMain, {}};
                const std::string before = Snapshot(c);
                const Lines lines = box.lines;
                dialogPrompts.messages.clear();
                EXPECT_EQ(Save(request, r.input), std::nullopt);
                ASSERT_EQ(dialogPrompts.MessageTexts(), Lines{r.message});
                EXPECT_EQ(Snapshot(c), before);
                EXPECT_EQ(box.lines, lines);
            }
        }
    }
    // An upcoming entry stores no category or medium, so what those controls hold is never refused.
    List().Show(View::Upcoming());
    EXPECT_EQ(Add({"Solaris", "Sci|Fi", "", "", "V|HS", ""}), AddEditOutcome::Saved);
}

TEST_F(AddEditTest, AddInMainNumbersFormatsFillsInAndRecordsTheDayOfEntry) {
    EXPECT_EQ(Add({"the thing", "Horror", "Present", "", "", "Snow."}), AddEditOutcome::Saved);
    const MovieRecord& r = Main("Thing, The");
    EXPECT_EQ(r.number, 3) << "the free number first";
    EXPECT_EQ(r.location, "Default");
    EXPECT_EQ(r.medium, "Unknown");
    EXPECT_EQ(c.history.Find("Thing, The")->date, "2026/12/6");
    EXPECT_EQ(c.comments.CommentFor("Thing, The"), "Snow.");
    EXPECT_EQ(Add({"Brazil", "", "Present", "", "", ""}), AddEditOutcome::Saved);
    EXPECT_EQ(Main("Brazil").number, 5) << "then the count plus one";
    EXPECT_EQ(c.comments.Find("Brazil"), nullptr) << "no comment record for no comments";
    EXPECT_EQ(ui.status, (StatusTexts{"Main Movie List", "Number of Movies: 5", "1"}));
    EXPECT_EQ(Selected(), "Brazil");

    c.settings.formatConversion = 0;
    EXPECT_EQ(Add({"the fly", "", "Present", "the lab", "", ""}), AddEditOutcome::Saved);
    EXPECT_EQ(Main("the fly").location, "the lab");
}

TEST_F(AddEditTest, AddingAnUpcomingTitleAsksWhetherToRemoveItFromThatList) {
    dialogPrompts.answers = {true};
    EXPECT_EQ(Add({"memento", "Thriller", "Present", "", "", ""}), AddEditOutcome::Saved);
    ASSERT_EQ(dialogPrompts.questions.size(), 1u);
    EXPECT_EQ(dialogPrompts.questions[0].text, "Remove \"Memento\" From Upcoming List?");
    EXPECT_FALSE(c.upcoming.Contains("Memento"));
    dialogPrompts.answers = {false};
    EXPECT_EQ(Add({"Gladiator", "", "Present", "", "", ""}), AddEditOutcome::Saved);
    EXPECT_TRUE(c.upcoming.Contains("Gladiator"));
}

TEST_F(AddEditTest, AddInUpcomingStoresTheAtCategoryAndShowsTheUpcomingList) {
    List().Show(View::Upcoming());
    EXPECT_EQ(Add({"solaris", "Horror", "Present", "the shop", "DVD", "ignored"}), AddEditOutcome::Saved);
    const MovieRecord* r = c.upcoming.FindExact("Solaris");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->category, "@");
    EXPECT_EQ(r->location, "Shop, The");
    EXPECT_EQ(c.knownUpcomingLocations.Values().back(), "Shop, The");
    EXPECT_EQ(c.comments.Find("Solaris"), nullptr);
    EXPECT_EQ(ui.status.caption, "Upcoming Movie List");
    EXPECT_EQ(Selected(), "Solaris");
}

TEST_F(AddEditTest, MainShiftAddsToMainAndShowsTheUpcomingListAgain) {
    List().Show(View::Upcoming());
    dialogPrompts.answers = {true};
    const AddEditRequest shift{AddEditMode::MainShift, {}};
    EXPECT_EQ(Save(shift, {"Gladiator", "Epic", "Present", "", "", ""}), AddEditOutcome::Saved);
    EXPECT_TRUE(c.main.Contains("Gladiator"));
    EXPECT_FALSE(c.upcoming.Contains("Gladiator"));
    EXPECT_EQ(ui.mark, ViewMark::Upcoming);
    EXPECT_EQ(box.lines, Lines{"Memento"});
}

TEST_F(AddEditTest, AutoImdbMakesTheNewMovieCurrentAndOpensMovieInfoWithAutoRetrieve) {
    c.settings.autoImdb = 1;
    bool retrieving = false;
    std::string title = "Brazil";
    dialogs.onAddEdit = [&](const AddEditRequest& request) {
        return SaveAddEdit(W(), dialogPrompts, request, {title, "", "Present", "", "", "Ducts."}).value();
    };
    dialogs.onMovieInfo = [&] {
        retrieving = W().state.autoRetrieve;
        EXPECT_EQ(W().state.currentMovie.title, "Brazil");
        EXPECT_EQ(W().state.currentMovie.comments, "Ducts.");
    };
    RunAddEdit(W(), {AddEditMode::AddMain, {}});
    EXPECT_TRUE(retrieving);
    EXPECT_FALSE(W().state.autoRetrieve);
    EXPECT_FALSE(W().state.currentMovie.title) << "cleared once Movie Info has closed";
    EXPECT_EQ(dialogs.opened, std::vector<int>{125});
    // Without the option, or for an upcoming entry, no Movie Info.
    c.settings.autoImdb = 0;
    title = "Solaris";
    RunAddEdit(W(), {AddEditMode::AddMain, {}});
    EXPECT_EQ(dialogs.opened.size(), 1u);
}

TEST_F(AddEditTest, EditInMainCarriesEveryRelatedStoreToTheNewTitle) {
    dialogPrompts.answers = {true};
    EXPECT_EQ(Save(EditOf("Heat"), {"memento", "Thriller", "Present", "the shelf", "", "Backwards."}),
              AddEditOutcome::Saved);
    EXPECT_FALSE(c.upcoming.Contains("Memento")) << "the upcoming question, answered Yes";
    EXPECT_FALSE(c.main.Contains("Heat"));
    const MovieRecord& r = Main("Memento");
    EXPECT_EQ(r.number, 2) << "the number stays, and so does the cover named by it";
    EXPECT_EQ(r.location, "Shelf, The");
    EXPECT_EQ(c.comments.CommentFor("Memento"), "Backwards.");
    ASSERT_NE(c.history.Find("Memento"), nullptr);
    EXPECT_EQ(c.history.Find("Memento")->date, "2003/1/5");
    EXPECT_EQ(c.history.Find("Memento")->loanLines, Lines{"2003/2/1: loaned to Mike."});
    EXPECT_NE(c.media.Find("Memento"), nullptr);
    EXPECT_NE(c.imdb.Find("CineLedger: Memento"), nullptr);
    for (const char* gone : {"Heat"}) {
        EXPECT_EQ(c.comments.Find(gone), nullptr);
        EXPECT_EQ(c.history.Find(gone), nullptr);
        EXPECT_EQ(c.media.Find(gone), nullptr);
        EXPECT_EQ(c.imdb.Find("CineLedger: Heat"), nullptr);
    }
    EXPECT_EQ(box.lines, (Lines{"Alien", "Memento", "Ronin"}));
    EXPECT_EQ(Selected(), "Memento");
}

TEST_F(AddEditTest, EditInALocationViewRefillsThatLocation) {
    List().Show(View::AtLocation("Mike"));
    EXPECT_EQ(Save(EditOf("Heat"), {"Heat", "Crime", "Absent", "Jim", "DivX", "x"}), AddEditOutcome::Saved);
    EXPECT_EQ(box.lines, Lines{"Ronin"}) << "moved to another location, so gone from this view";
    EXPECT_EQ(ui.status.caption, "Mike");
}

TEST_F(AddEditTest, EmptyCommentsDeleteTheRecordInMainButNotInAFilteredView) {
    List().Show(View::OfCategory("Crime"));
    EXPECT_EQ(Save(EditOf("Heat"), {"Heat", "Crime", "Absent", "Mike", "DivX", ""}), AddEditOutcome::Saved);
    EXPECT_EQ(c.comments.CommentFor("Heat"), "Best shoot-out.");
    List().Show(View::Main());
    EXPECT_EQ(Save(EditOf("Heat"), {"Heat", "Crime", "Absent", "Mike", "DivX", ""}), AddEditOutcome::Saved);
    EXPECT_EQ(c.comments.Find("Heat"), nullptr);
}

TEST_F(AddEditTest, FilteredViewEditsCarryTheRecordsAndRefillTheirView) {
    List().Show(View::ByPresence(false));
    EXPECT_EQ(Save(EditOf("Heat"), {"Heat 2", "Crime", "Present", "Mike", "DivX", "x"}), AddEditOutcome::Saved);
    EXPECT_TRUE(box.lines.empty()) << "now present, so gone from the absent movies";
    EXPECT_EQ(ui.status.caption, "Absent");
    EXPECT_NE(c.history.Find("Heat 2"), nullptr);
    EXPECT_NE(c.media.Find("Heat 2"), nullptr);
    EXPECT_NE(c.imdb.Find("CineLedger: Heat 2"), nullptr);
    EXPECT_TRUE(dialogPrompts.questions.empty()) << "no upcoming question outside the Main view";
}

TEST_F(AddEditTest, EditFromUpcomingLocationsRefillsAnUpcomingMainView) {
    List().Show(View::Upcoming());
    AddEditRequest request{AddEditMode::EditUpcomingLocations, {}};
    LoadUpcoming(c.upcoming, "Memento", request.movie);
    EXPECT_EQ(Save(request, {"Memento", "", "", "Bob", "", ""}), AddEditOutcome::Saved);
    EXPECT_EQ(c.upcoming.FindExact("Memento")->location, "Bob");
    EXPECT_EQ(c.knownUpcomingLocations.Values().back(), "Bob");
    EXPECT_EQ(ui.status.caption, "Upcoming Movie List");
}

// Whatever Save accepted, the main list file reads back to the same lists: no field can slip into another.
TEST_F(AddEditTest, EverythingSaveAcceptsReadsBackFromTheMainListFile) {
    c.settings.formatConversion = 0;
    const AddEditInput inputs[] = {
        {"No Category", "", "Present", "", "", ""},
        {"Tab\tand \"quotes\" and @", "a:b", "Present", "end", "end", ""},
        // Past the controls' limits (a program setting the text): cut at what the file's reader takes.
        {std::string(140, 'y'), std::string(40, 'c'), "Present", std::string(40, 'l'), std::string(40, 'm'), ""},
    };
    for (const AddEditInput& in : inputs) EXPECT_EQ(Add(in), AddEditOutcome::Saved) << in.title;
    List().Show(View::Upcoming());
    EXPECT_EQ(Add({std::string(120, 'u'), "", "", std::string(40, 'l'), "", ""}), AddEditOutcome::Saved);

    const std::string bytes = SerializeMainList(c.main, c.upcoming, c.freeNumbers, c.password);
    Collection back;
    TextReader reader(bytes);
    const LoadReport report =
        ReadMainList(reader,
                     {back.main, back.upcoming, back.knownCategories, back.knownLocations, back.knownUpcomingLocations,
                      back.knownMedia, back.freeNumbers, back.password, back.version},
                     {});
    EXPECT_FALSE(report.damage);
    EXPECT_EQ(SerializeMainList(back.main, back.upcoming, back.freeNumbers, back.password), bytes);
}

}  // namespace
}  // namespace cl::test
