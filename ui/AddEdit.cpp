// The add/edit movie dialog's decisions: its mode, its starting controls, and what Save changes.
#include "ui/AddEdit.h"

#include <utility>

#include "imdb/ImdbStore.h"
#include "model/CommentStore.h"
#include "model/ListOperations.h"
#include "model/MainListFile.h"
#include "model/base/EntryFormat.h"

namespace cl {
namespace {

constexpr std::string_view kFieldErrorCaption = "Field Error";
constexpr std::string_view kUpcomingCategory = "@";

bool HasBreakOrBar(std::string_view text) {
    return text.find_first_of("|\r\n") != std::string_view::npos;
}

std::string BadCharacterMessage(std::string_view field) {
    return "The " + std::string(field) + " May Not Contain \"|\" or a Line Break.";
}

// The values as they are stored: fill-ins, then the house style for title and location, then cut at the limits
// of the file's reader. The cut only matters for text that went past the controls' own limits (a program setting
// the text, not a user typing it): a formatted 100-character title has 101.
AddEditInput Prepared(const AddEditInput& input, bool formatConversion) {
    AddEditInput out = input;
    if (out.location.empty()) out.location = "Default";
    if (out.medium.empty()) out.medium = "Unknown";
    FormatEntry(out.title, formatConversion);
    FormatEntry(out.location, formatConversion);
    if (out.title.size() > kMainTitleMax) out.title.resize(kMainTitleMax);
    if (out.location.size() > kMainLocationMax) out.location.resize(kMainLocationMax);
    if (out.category.size() > kMainCategoryMax) out.category.resize(kMainCategoryMax);
    if (out.medium.size() > kMainMediumMax) out.medium.resize(kMainMediumMax);
    return out;
}

bool IsUpcomingEntry(AddEditMode mode) {
    return mode == AddEditMode::AddUpcoming || mode == AddEditMode::EditUpcoming ||
           mode == AddEditMode::EditUpcomingLocations;
}

MainMovieValues MainValues(const AddEditInput& v) {
    return {v.title, v.category, v.presence, v.location, v.medium};
}

void SelectTitle(MainList& list, std::string_view title) {
    const int line = list.Box().FindExact(title);
    if (line >= 0) list.Box().SelectOnly(line);
}

void ShowAlreadyExists(Prompts& prompts) {
    prompts.ShowMessage("Movie Already Exists.", kErrorCaption, MessageIcon::Stop);
}

void AskUpcomingRemoval(Collection& c, Prompts& prompts, const std::string& title) {
    if (!c.upcoming.Contains(title)) return;
    if (prompts.AskQuestion("Remove \"" + title + "\" From Upcoming List?", kConfirmationCaption))
        RemoveUpcomingMovie(c.upcoming, title);
}

void AppendKnownMainValues(Collection& c, const AddEditInput& v) {
    c.knownLocations.Append(v.location);
    c.knownCategories.Append(v.category);
    c.knownMedia.Append(v.medium);
}

// The edit of a Main movie: the old record goes, the new values come with its number. A refused duplicate puts
// the old record back where it was (the list is in title order), so nothing has changed.
bool ReplaceMainMovie(Collection& c, const CurrentMovie& edited, const AddEditInput& v) {
    std::optional<MovieRecord> old = c.main.Remove(edited.title.value_or(""));
    const std::int32_t number = old ? old->number : edited.number;
    if (InsertMainMovie(c.main, MainValues(v), number)) return true;
    if (old) c.main.InsertOrdered(std::move(*old));
    return false;
}

bool ReplaceUpcomingMovie(Collection& c, const CurrentMovie& edited, const AddEditInput& v) {
    std::optional<MovieRecord> old = c.upcoming.Remove(edited.title.value_or(""));
    if (InsertUpcomingMovie(c.upcoming, v.title, kUpcomingCategory, v.location)) return true;
    if (old) c.upcoming.InsertOrdered(std::move(*old));
    return false;
}

// What follows a movie to its new title: the comment record (the comments as saved replace it; in the Main view
// saving none deletes it, in a filtered view it is kept), the history, the media record (keyed by the title) and
// the database record ("CineLedger: " and the title). The cover file is named by the number, which an edit keeps.
void CarryRecords(Collection& c, const std::string& oldTitle, const AddEditInput& v, bool emptyCommentsDelete) {
    if (oldTitle != v.title) {
        c.comments.Rename(oldTitle, v.title);
        c.history.Rename(oldTitle, v.title);
        c.media.Rename(oldTitle, v.title);
        c.imdb.Rekey(ImdbKey(oldTitle), ImdbKey(v.title));
    }
    if (!v.comments.empty()) {
        c.comments.Set(v.title, v.comments);
    } else if (emptyCommentsDelete) {
        c.comments.Remove(v.title);
    }
}

std::optional<AddEditOutcome> AddToMain(Workbench& w, Prompts& prompts, AddEditMode mode, const AddEditInput& v) {
    Collection& c = w.collection;
    std::int32_t number = 0;
    if (!InsertNewMainMovie(c.main, c.freeNumbers, MainValues(v), number)) {
        ShowAlreadyExists(prompts);
        return std::nullopt;
    }
    AskUpcomingRemoval(c, prompts, v.title);
    AppendKnownMainValues(c, v);
    c.history.AddOrUpdate(v.title, w.clock.Today(), "0");
    if (!v.comments.empty()) c.comments.Set(v.title, v.comments);

    if (mode == AddEditMode::MainShift) {
        w.list.Show(View::Upcoming());
    } else {
        w.list.Show(View::Main());
        SelectTitle(w.list, v.title);
    }

    if (c.settings.autoImdb == 1) {
        LoadMovieWithDetails(c, v.title, false, w.state.currentMovie, w.state.currentMedia);
        return AddEditOutcome::SavedForMovieInfo;
    }
    return AddEditOutcome::Saved;
}

std::optional<AddEditOutcome> AddToUpcoming(Workbench& w, Prompts& prompts, const AddEditInput& v) {
    Collection& c = w.collection;
    if (!InsertUpcomingMovie(c.upcoming, v.title, kUpcomingCategory, v.location)) {
        ShowAlreadyExists(prompts);
        return std::nullopt;
    }
    c.knownUpcomingLocations.Append(v.location);
    w.list.Show(View::Upcoming());
    SelectTitle(w.list, v.title);
    return AddEditOutcome::Saved;
}

// The Main view, or a location view of it: the edited line is replaced, then the view refilled.
std::optional<AddEditOutcome> EditInMain(Workbench& w, Prompts& prompts, const CurrentMovie& edited,
                                         const AddEditInput& v) {
    Collection& c = w.collection;
    if (!ReplaceMainMovie(c, edited, v)) {
        ShowAlreadyExists(prompts);
        return std::nullopt;
    }
    AskUpcomingRemoval(c, prompts, v.title);
    const int line = w.list.Box().CurrentLine();
    if (line >= 0) w.list.Box().ReplaceLine(line, v.title);
    AppendKnownMainValues(c, v);
    CarryRecords(c, edited.title.value_or(""), v, true);
    w.list.Refill();
    SelectTitle(w.list, v.title);
    return AddEditOutcome::Saved;
}

std::optional<AddEditOutcome> EditInUpcoming(Workbench& w, Prompts& prompts, const CurrentMovie& edited,
                                             const AddEditInput& v) {
    Collection& c = w.collection;
    if (!ReplaceUpcomingMovie(c, edited, v)) {
        ShowAlreadyExists(prompts);
        return std::nullopt;
    }
    const int line = w.list.Box().CurrentLine();
    if (line >= 0) w.list.Box().ReplaceLine(line, v.title);
    c.knownUpcomingLocations.Append(v.location);
    w.list.Show(View::Upcoming());
    SelectTitle(w.list, v.title);
    return AddEditOutcome::Saved;
}

// A category or presence view is the same Main Movie List seen through a filter, so an edit there carries the
// comments, the history, the media and the database records to the new title exactly as in the Main view: a rename
// must never leave a movie's records behind under its old title. Comments are only stored there, never deleted.
std::optional<AddEditOutcome> EditInFilteredView(Workbench& w, Prompts& prompts, const CurrentMovie& edited,
                                                 const AddEditInput& v) {
    Collection& c = w.collection;
    if (!ReplaceMainMovie(c, edited, v)) {
        ShowAlreadyExists(prompts);
        return std::nullopt;
    }
    AppendKnownMainValues(c, v);
    CarryRecords(c, edited.title.value_or(""), v, false);
    w.list.Refill();
    SelectTitle(w.list, v.title);
    return AddEditOutcome::Saved;
}

std::optional<AddEditOutcome> EditFromUpcomingLocations(Workbench& w, Prompts& prompts, const CurrentMovie& edited,
                                                        const AddEditInput& v) {
    Collection& c = w.collection;
    if (!ReplaceUpcomingMovie(c, edited, v)) {
        ShowAlreadyExists(prompts);
        return std::nullopt;
    }
    if (w.list.CurrentView().kind == ViewKind::Upcoming) w.list.Refill();
    c.knownUpcomingLocations.Append(v.location);
    return AddEditOutcome::Saved;  // the Upcoming Locations dialog refreshes itself
}

}  // namespace

AddEditMode AddModeFor(const View& view) {
    switch (MarkOf(view)) {
        case ViewMark::Main:
            return AddEditMode::AddMain;
        case ViewMark::Upcoming:
            return AddEditMode::AddUpcoming;
        case ViewMark::None:
        case ViewMark::InternalGimme:
        case ViewMark::ImportedGimme:
            break;
    }
    return AddEditMode::NothingToStore;
}

AddEditMode EditModeFor(const View& view) {
    switch (view.kind) {
        case ViewKind::Main:
        case ViewKind::MainLocation:
            return AddEditMode::EditMain;
        case ViewKind::Upcoming:
            return AddEditMode::EditUpcoming;
        case ViewKind::Category:
            return AddEditMode::EditCategoryView;
        case ViewKind::Presence:
            return AddEditMode::EditPresenceView;
        case ViewKind::InternalGimme:
        case ViewKind::ImportedGimme:
            break;
    }
    return AddEditMode::NothingToStore;
}

AddEditSetup PrepareAddEdit(const Collection& c, const AddEditRequest& request) {
    const CurrentMovie& current = request.movie;
    const AddEditMode mode = request.mode;
    AddEditSetup setup;
    setup.categories = c.knownCategories.Values();
    setup.media = c.knownMedia.Values();
    setup.presences = {std::string(kPresent), std::string(kAbsent)};

    auto byText = [](const std::optional<std::string>& value) {
        return value ? ComboSetup{ComboStart::Text, *value, true} : ComboSetup{};
    };
    const ComboSetup first{ComboStart::First, {}, true};
    const ComboSetup disabled{ComboStart::Nothing, {}, false};

    switch (mode) {
        case AddEditMode::AddMain:
        case AddEditMode::NothingToStore:
        case AddEditMode::MainShift:
            if (mode == AddEditMode::MainShift) setup.title = current.title.value_or("");
            setup.category = setup.presence = setup.medium = first;
            break;
        case AddEditMode::AddUpcoming:
            setup.category = setup.presence = setup.medium = disabled;
            setup.commentsEnabled = false;
            break;
        case AddEditMode::EditMain:
        case AddEditMode::EditCategoryView:
        case AddEditMode::EditPresenceView:
            setup.title = current.title.value_or("");
            setup.location = current.location.value_or("");
            setup.comments = current.comments.value_or("");
            setup.category = byText(current.category);
            setup.presence = byText(current.presence);
            setup.medium = byText(current.medium);
            break;
        case AddEditMode::EditUpcoming:
        case AddEditMode::EditUpcomingLocations:
            setup.title = current.title.value_or("");
            setup.location = current.location.value_or("");
            setup.category = setup.presence = disabled;
            // From the Upcoming Locations dialog the medium stays enabled, though an upcoming entry has none.
            setup.medium = mode == AddEditMode::EditUpcoming ? disabled : ComboSetup{};
            setup.commentsEnabled = false;
            break;
    }
    return setup;
}

std::optional<std::string> AddEditFieldProblem(const AddEditInput& v, bool upcomingEntry) {
    if (HasBreakOrBar(v.title)) return BadCharacterMessage("Movie Name");
    if (v.title == "end") return std::string("\"end\" Can Not Be Used as a Movie Name.");
    if (!upcomingEntry && HasBreakOrBar(v.category)) return BadCharacterMessage("Category");
    if (HasBreakOrBar(v.location)) return BadCharacterMessage("Location");
    if (!upcomingEntry && HasBreakOrBar(v.medium)) return BadCharacterMessage("Medium");
    return std::nullopt;
}

std::optional<AddEditOutcome> SaveAddEdit(Workbench& w, Prompts& prompts, const AddEditRequest& request,
                                          const AddEditInput& input) {
    if (input.title.empty()) {
        prompts.ShowMessage("You Must Supply a Movie Name to Save.", kFieldErrorCaption, MessageIcon::Stop);
        return std::nullopt;
    }
    const AddEditMode mode = request.mode;
    if (mode == AddEditMode::NothingToStore) return AddEditOutcome::Saved;

    const AddEditInput v = Prepared(input, w.collection.settings.formatConversion != 0);
    if (std::optional<std::string> problem = AddEditFieldProblem(v, IsUpcomingEntry(mode))) {
        prompts.ShowMessage(*problem, kFieldErrorCaption, MessageIcon::Stop);
        return std::nullopt;
    }

    switch (mode) {
        case AddEditMode::AddMain:
        case AddEditMode::MainShift:
            return AddToMain(w, prompts, mode, v);
        case AddEditMode::AddUpcoming:
            return AddToUpcoming(w, prompts, v);
        case AddEditMode::EditMain:
            return EditInMain(w, prompts, request.movie, v);
        case AddEditMode::EditUpcoming:
            return EditInUpcoming(w, prompts, request.movie, v);
        case AddEditMode::EditCategoryView:
        case AddEditMode::EditPresenceView:
            return EditInFilteredView(w, prompts, request.movie, v);
        case AddEditMode::EditUpcomingLocations:
            return EditFromUpcomingLocations(w, prompts, request.movie, v);
        case AddEditMode::NothingToStore:
            break;
    }
    return AddEditOutcome::Saved;
}

void RunAddEdit(Workbench& w, const AddEditRequest& request) {
    if (w.dialogs.AddEdit(request) == AddEditOutcome::SavedForMovieInfo) {
        w.state.autoRetrieve = true;
        w.dialogs.MovieInfo();
        w.state.autoRetrieve = false;
        w.state.currentMovie.Clear();
    }
    w.list.Box().Focus();
}

}  // namespace cl
