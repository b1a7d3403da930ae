// The add/edit movie dialog's decisions: its mode, its starting controls, and what Save changes.
#include "ui/AddEdit.h"

#include <utility>

#include "imdb/ImdbStore.h"
#include "model/base/EntryFormat.h"
#include "model/ListOperations.h"

namespace cl {
namespace {

constexpr std::string_view kMainCaption = "Main Movie List";
constexpr std::string_view kUpcomingCaption = "Upcoming Movie List";
constexpr std::string_view kErrorCaption = "Error";
constexpr std::string_view kFieldErrorCaption = "Field Error";
constexpr std::string_view kUpcomingCategory = "@";

bool IsPresenceCaption(std::string_view caption) {
    return caption == "Present" || caption == "Absent";
}

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
    if (out.title.size() > kTitleReadMax) out.title.resize(kTitleReadMax);
    if (out.location.size() > kLocationReadMax) out.location.resize(kLocationReadMax);
    if (out.category.size() > kCategoryReadMax) out.category.resize(kCategoryReadMax);
    if (out.medium.size() > kMediumReadMax) out.medium.resize(kMediumReadMax);
    return out;
}

bool IsUpcomingEntry(AddEditMode mode) {
    return mode == AddEditMode::AddUpcoming || mode == AddEditMode::EditUpcoming ||
           mode == AddEditMode::EditUpcomingLocations;
}

// The list box shows `fill` under `caption`, with the count and the first line selected (SetCaptionAndCount).
void Show(MainShell& shell, ShellUi& ui, const ListBoxFill& fill, std::string_view caption) {
    const std::string keep(caption);  // the caption may be the shell's own text, which SetCaptionAndCount replaces
    shell.SetCaptionAndCount(ui.FillList(fill), keep);
}

void SelectTitle(ShellUi& ui, std::string_view title) {
    const int line = ui.FindLineExact(title);
    if (line >= 0) ui.SelectOnlyLine(line);
}

void ShowAlreadyExists(Prompts& prompts) {
    prompts.ShowMessage("Movie Already Exists.", kErrorCaption, MessageIcon::Stop);
}

void AskUpcomingRemoval(Collection& c, Prompts& prompts, const std::string& title) {
    if (!c.upcoming.Contains(title)) return;
    if (prompts.Ask("Remove \"" + title + "\" From Upcoming List?", kConfirmationCaption, MessageIcon::Question, false)) {
        RemoveUpcomingMovie(c.upcoming, title);
    }
}

void AppendKnownMainValues(Collection& c, const AddEditInput& v) {
    c.knownLocations.Append(v.location);
    c.knownCategories.Append(v.category);
    c.knownMedia.Append(v.medium);
}

// The edit of a Main movie: the old record goes, the new values come with its number. A refused duplicate puts
// the old record back where it was (the list is in title order), so nothing has changed.
bool ReplaceMainMovie(Collection& c, std::string_view oldTitle, const AddEditInput& v) {
    std::optional<MovieRecord> old = c.main.Remove(oldTitle);
    const std::int32_t number = old ? old->number : c.current.number;
    if (InsertMainMovie(c.main, v.title, v.category, v.presence, v.location, v.medium, number) == 0) return true;
    if (old) c.main.InsertOrdered(std::move(*old));
    return false;
}

bool ReplaceUpcomingMovie(Collection& c, std::string_view oldTitle, const AddEditInput& v) {
    std::optional<MovieRecord> old = c.upcoming.Remove(oldTitle);
    if (InsertUpcomingMovie(c.upcoming, v.title, kUpcomingCategory, v.location) == 0) return true;
    if (old) c.upcoming.InsertOrdered(std::move(*old));
    return false;
}

// The comment record follows the title; the comments as saved replace it, and saving none deletes it.
void CarryComments(Collection& c, const std::string& oldTitle, const AddEditInput& v) {
    if (oldTitle != v.title) c.comments.Rename(oldTitle, v.title);
    if (!v.comments.empty()) {
        c.comments.Set(v.title, v.comments);
    } else {
        c.comments.Remove(v.title);
    }
}

void CarryHistory(Collection& c, const std::string& oldTitle, const std::string& newTitle) {
    if (oldTitle != newTitle) c.history.Rename(oldTitle, newTitle);
}

// The media record is keyed by the title, the database record by "CineLedger: " and the title; the cover file
// is named by the number, which an edit keeps.
void CarryMediaAndDatabase(Collection& c, const std::string& oldTitle, const std::string& newTitle) {
    if (oldTitle == newTitle) return;
    c.media.Rename(oldTitle, newTitle);
    c.imdb.Rekey(ImdbKey(oldTitle), ImdbKey(newTitle));
}

AddEditOutcome AddToMain(MainShell& shell, ShellUi& ui, Prompts& prompts, AddEditMode mode,
                         const AddEditInput& v, std::string_view today) {
    Collection& c = shell.Data();
    std::int32_t number = 0;
    if (InsertNewMainMovie(c.main, c.freeNumbers, v.title, v.category, v.presence, v.location, v.medium, number) != 0) {
        ShowAlreadyExists(prompts);
        return AddEditOutcome::StayOpen;
    }
    AskUpcomingRemoval(c, prompts, v.title);
    AppendKnownMainValues(c, v);
    c.history.AddOrUpdate(v.title, today, "0");
    if (!v.comments.empty()) c.comments.Set(v.title, v.comments);

    if (mode == AddEditMode::MainShift) {
        shell.SetViewMark(ViewMark::Upcoming);
        Show(shell, ui, FillListBox(c.upcoming, FillVariant::All, {}, c.eroticVisible), kUpcomingCaption);
    } else {
        Show(shell, ui, FillListBox(c.main, FillVariant::All, {}, c.eroticVisible), kMainCaption);
        SelectTitle(ui, v.title);
    }

    if (c.settings.autoImdb == 1) {
        shell.LoadCurrentMovieWithDetails(v.title);
        return AddEditOutcome::CloseForMovieInfo;
    }
    return AddEditOutcome::Close;
}

AddEditOutcome AddToUpcoming(MainShell& shell, ShellUi& ui, Prompts& prompts, const AddEditInput& v) {
    Collection& c = shell.Data();
    if (InsertUpcomingMovie(c.upcoming, v.title, kUpcomingCategory, v.location) != 0) {
        ShowAlreadyExists(prompts);
        return AddEditOutcome::StayOpen;
    }
    c.knownUpcomingLocations.Append(v.location);
    Show(shell, ui, FillListBox(c.upcoming, FillVariant::All, {}, c.eroticVisible), kUpcomingCaption);
    SelectTitle(ui, v.title);
    return AddEditOutcome::Close;
}

// The Main view, or a location view of it (the Main Locations dialog leaves the mark on Main and the location
// as the caption): the edit carries comments, history, media and database records to the new title.
AddEditOutcome EditInMain(MainShell& shell, ShellUi& ui, Prompts& prompts, const AddEditInput& v) {
    Collection& c = shell.Data();
    const std::string oldTitle = c.current.title.value_or("");
    if (!ReplaceMainMovie(c, oldTitle, v)) {
        ShowAlreadyExists(prompts);
        return AddEditOutcome::StayOpen;
    }
    AskUpcomingRemoval(c, prompts, v.title);
    const int line = ui.CurrentLine();
    if (line >= 0) ui.ReplaceLine(line, v.title);
    AppendKnownMainValues(c, v);
    CarryComments(c, oldTitle, v);
    CarryHistory(c, oldTitle, v.title);
    CarryMediaAndDatabase(c, oldTitle, v.title);
    c.current.Clear();

    const std::string caption = shell.Status().caption;
    if (caption == kMainCaption) {
        Show(shell, ui, FillListBox(c.main, FillVariant::All, {}, c.eroticVisible), caption);
    } else {
        Show(shell, ui, FillListBox(c.main, FillVariant::ByLocation, caption, c.eroticVisible), caption);
    }
    SelectTitle(ui, v.title);
    return AddEditOutcome::Close;
}

AddEditOutcome EditInUpcoming(MainShell& shell, ShellUi& ui, Prompts& prompts, const AddEditInput& v) {
    Collection& c = shell.Data();
    const std::string oldTitle = c.current.title.value_or("");
    if (!ReplaceUpcomingMovie(c, oldTitle, v)) {
        ShowAlreadyExists(prompts);
        return AddEditOutcome::StayOpen;
    }
    const int line = ui.CurrentLine();
    if (line >= 0) ui.ReplaceLine(line, v.title);
    c.knownUpcomingLocations.Append(v.location);
    c.current.Clear();
    Show(shell, ui, FillListBox(c.upcoming, FillVariant::All, {}, c.eroticVisible), kUpcomingCaption);
    SelectTitle(ui, v.title);
    return AddEditOutcome::Close;
}

// A category or presence view is the same Main Movie List seen through a filter, so an edit there carries the
// comments, the history, the media and the database records to the new title exactly as in the Main view: a rename
// must never leave a movie's records behind under its old title.
AddEditOutcome EditInFilteredView(MainShell& shell, ShellUi& ui, Prompts& prompts, AddEditMode mode,
                                  const AddEditInput& v) {
    Collection& c = shell.Data();
    const std::string oldTitle = c.current.title.value_or("");
    if (!ReplaceMainMovie(c, oldTitle, v)) {
        ShowAlreadyExists(prompts);
        return AddEditOutcome::StayOpen;
    }
    AppendKnownMainValues(c, v);
    CarryComments(c, oldTitle, v);
    CarryHistory(c, oldTitle, v.title);
    CarryMediaAndDatabase(c, oldTitle, v.title);
    const std::string caption = shell.Status().caption;
    if (mode == AddEditMode::EditCategoryView) {
        // The category view's own refill: it keeps the guard on "Erotic" while the lock is closed.
        shell.ShowByCategory(caption);
    } else {
        Show(shell, ui, FillListBox(c.main, FillVariant::ByPresence, caption, c.eroticVisible), caption);
    }
    c.current.Clear();
    SelectTitle(ui, v.title);
    return AddEditOutcome::Close;
}

AddEditOutcome EditFromUpcomingLocations(MainShell& shell, ShellUi& ui, Prompts& prompts,
                                         const AddEditInput& v) {
    Collection& c = shell.Data();
    const std::string oldTitle = c.current.title.value_or("");
    if (!ReplaceUpcomingMovie(c, oldTitle, v)) {
        ShowAlreadyExists(prompts);
        return AddEditOutcome::StayOpen;
    }
    if (shell.Mark() == ViewMark::Upcoming) {
        Show(shell, ui, FillListBox(c.upcoming, FillVariant::All, {}, c.eroticVisible), kUpcomingCaption);
    }
    c.current.Clear();
    c.knownUpcomingLocations.Append(v.location);
    if (shell.refreshUpcomingLocations) shell.refreshUpcomingLocations();
    return AddEditOutcome::Close;
}

}  // namespace

AddEditMode AddEditModeFor(const MainShell& shell) {
    if (shell.locationsEditFlag) return AddEditMode::EditUpcomingLocations;
    if (shell.mainShiftFlag) return AddEditMode::MainShift;
    const ViewMark mark = shell.Mark();
    if (shell.editFlag) {
        switch (mark) {
            case ViewMark::Main:
                return AddEditMode::EditMain;
            case ViewMark::Upcoming:
                return AddEditMode::EditUpcoming;
            case ViewMark::None:
                return IsPresenceCaption(shell.Status().caption) ? AddEditMode::EditPresenceView
                                                                 : AddEditMode::EditCategoryView;
            case ViewMark::InternalGimme:
            case ViewMark::ImportedGimme:
                break;
        }
        return AddEditMode::NothingToStore;
    }
    switch (mark) {
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

AddEditSetup PrepareAddEdit(const Collection& c, AddEditMode mode) {
    const CurrentMovie& current = c.current;
    AddEditSetup setup;
    setup.categories = c.knownCategories.Values();
    setup.media = c.knownMedia.Values();
    setup.presences = {"Present", "Absent"};

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

AddEditOutcome SaveAddEdit(MainShell& shell, ShellUi& ui, Prompts& prompts, AddEditMode mode,
                           const AddEditInput& input, std::string_view today) {
    if (input.title.empty()) {
        prompts.ShowMessage("You Must Supply a Movie Name to Save.", kFieldErrorCaption, MessageIcon::Stop);
        return AddEditOutcome::StayOpen;
    }
    if (mode == AddEditMode::NothingToStore) return AddEditOutcome::Close;

    const AddEditInput v = Prepared(input, shell.Data().settings.formatConversion != 0);
    if (std::optional<std::string> problem = AddEditFieldProblem(v, IsUpcomingEntry(mode))) {
        prompts.ShowMessage(*problem, kFieldErrorCaption, MessageIcon::Stop);
        return AddEditOutcome::StayOpen;
    }

    switch (mode) {
        case AddEditMode::AddMain:
        case AddEditMode::MainShift:
            return AddToMain(shell, ui, prompts, mode, v, today);
        case AddEditMode::AddUpcoming:
            return AddToUpcoming(shell, ui, prompts, v);
        case AddEditMode::EditMain:
            return EditInMain(shell, ui, prompts, v);
        case AddEditMode::EditUpcoming:
            return EditInUpcoming(shell, ui, prompts, v);
        case AddEditMode::EditCategoryView:
        case AddEditMode::EditPresenceView:
            return EditInFilteredView(shell, ui, prompts, mode, v);
        case AddEditMode::EditUpcomingLocations:
            return EditFromUpcomingLocations(shell, ui, prompts, v);
        case AddEditMode::NothingToStore:
            break;
    }
    return AddEditOutcome::Close;
}

void CancelAddEdit(MainShell& shell, AddEditMode mode) {
    if (mode == AddEditMode::MainShift) shell.SetViewMark(ViewMark::Upcoming);
}

void FinishAddEdit(MainShell& shell, ShellUi& ui, AddEditMode mode, AddEditOutcome outcome) {
    if (outcome == AddEditOutcome::CloseForMovieInfo) {
        shell.autoRetrieve = true;
        ui.OpenDialog(ShellDialog::MovieInfo);
        shell.autoRetrieve = false;
        shell.Data().current.Clear();
    }
    if (mode != AddEditMode::EditUpcomingLocations) ui.FocusList();
}

}  // namespace cl
