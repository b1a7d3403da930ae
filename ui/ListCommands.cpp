// The commands of the movie lists' context menus.
#include "ui/ListCommands.h"

#include <filesystem>
#include <system_error>

#include "imdb/Connection.h"
#include "imdb/ImdbStore.h"
#include "imdb/SearchQuery.h"
#include "model/GimmeFile.h"
#include "model/base/NativePath.h"
#include "res/ListDialogIds.h"

namespace cl {
namespace {

// An Internal Gimme List entry as the Movie Info dialog shows it: its title, its marker and its location; Gimme
// entries have no presence, medium or number.
void LoadGimmeEntry(const MovieList& gimme, std::string_view title, CurrentMovie& current) {
    const MovieRecord* record = gimme.Find(title);
    if (record == nullptr) return;
    current.title = record->title;
    current.category = record->category;
    current.location = record->location;
}

std::string Quoted(std::string_view title) {
    return "\"" + std::string(title) + "\"";
}

}  // namespace

void AddSelectionToGimme(Workbench& w, Prompts& prompts, const std::vector<std::string>& titles) {
    if (!prompts.AskQuestion("Add Movie(s) to Gimme List?", kConfirmationCaption)) return;
    for (const std::string& refused : AddGimmeTitles(w.collection.internalGimme, titles))
        w.desktop.OwnerlessPrompts().ShowMessage(GimmeDuplicateMessage(refused), kErrorCaption,
                                                 MessageIcon::Exclamation);
    w.list.Show(View::InternalGimme());
}

void SearchImdbFor(Workbench& w, Prompts& prompts, std::string_view title) {
    const std::string address = TitleSearchAddress(w.state.hosts.titleSearch, title);
    if (EnsureInternetConnection(w.desktop, prompts, kMustConnectQuestion)) w.desktop.OpenWithShell(address);
}

// ---- Menu 107 ----

MainListCommands::MainListCommands(Workbench& workbench) : w_(workbench) {}

void MainListCommands::Execute(int command) {
    switch (command) {
        case IDM_LIST_EDIT:
            Edit();
            break;
        case IDM_LIST_PRESENT:
            ChangeSelectionPresence(PresenceChangeKind::SelectionPresent);
            break;
        case IDM_LIST_ABSENT:
            ChangeSelectionPresence(PresenceChangeKind::SelectionAbsent);
            break;
        case IDM_LIST_DELETE:
            Delete();
            break;
        case IDM_LIST_MOVIE_INFO:
            MovieInfo();
            break;
        case IDM_LIST_SEARCH_IMDB:
            SearchImdb();
            break;
        case IDM_LIST_MAIN_SHIFT:
            MainShift();
            break;
        case IDM_LIST_ADD_TO_GIMME:
            AddSelectionToGimme(w_, w_.prompts, selection_);
            w_.list.Box().Focus();
            break;
        case IDM_LIST_ALL_PRESENT:
            ChangeAllPresence(true);
            break;
        case IDM_LIST_ALL_ABSENT:
            ChangeAllPresence(false);
            break;
        default:
            break;
    }
}

void MainListCommands::OpenOrRefuse() {
    if (w_.list.Box().LineCount() == 0) {
        w_.prompts.ShowMessage("There Are No Movies In This List.", kErrorCaption, MessageIcon::Stop);
        return;
    }
    Execute(IDM_LIST_MOVIE_INFO);
}

bool MainListCommands::CurrentTitle(std::string& title) {
    const int line = w_.list.Box().CurrentLine();
    if (line < 0) return false;
    title = w_.list.Box().LineText(line);
    return true;
}

void MainListCommands::Edit() {
    std::string title;
    if (!CurrentTitle(title)) return;
    AddEditRequest request;
    request.mode = EditModeFor(w_.list.CurrentView());
    if (w_.list.CurrentMark() == ViewMark::Upcoming) {
        LoadUpcoming(w_.collection.upcoming, title, request.movie);
    } else {
        MediaScratch unused;
        LoadMovieWithDetails(w_.collection, title, true, request.movie, unused);
    }
    RunAddEdit(w_, request);
}

void MainListCommands::ChangeSelectionPresence(PresenceChangeKind kind) {
    PresenceChange change(w_.collection, w_.list, w_.clock, kind, selection_);
    if (w_.dialogs.ChangePresence(change)) w_.list.Recount();
    w_.list.Box().Focus();
}

void MainListCommands::Delete() {
    ListBoxView& box = w_.list.Box();
    const int line = box.CurrentLine();
    if (line < 0) return;
    const std::string title = box.LineText(line);
    if (!w_.prompts.Ask("Delete " + Quoted(title) + "?", kConfirmationCaption, MessageIcon::Question, true)) return;
    box.DeleteLine(line);

    Collection& c = w_.collection;
    switch (w_.list.CurrentMark()) {
        case ViewMark::Main:
        case ViewMark::None: {
            CurrentMovie gone;
            const bool found = LoadMainForEditing(c.main, title, gone);
            RemoveMainMovie(c.main, c.freeNumbers, title, false);
            c.imdb.Remove(ImdbKey(title));
            if (found) {
                std::error_code ignored;  // a movie without a cover has no file to remove
                std::filesystem::remove(
                    PathFromNative(w_.dataDirectory) / "Covers" / (std::to_string(gone.number) + ".jpg"), ignored);
            }
            c.comments.Remove(title);
            c.history.Remove(title);
            c.media.Delete(title);
            break;
        }
        case ViewMark::Upcoming:
            RemoveUpcomingMovie(c.upcoming, title);
            break;
        case ViewMark::InternalGimme:
            RemoveGimmeTitle(c.internalGimme, title);
            break;
        case ViewMark::ImportedGimme:
            RemoveGimmeTitle(c.importedGimme, title);
            break;
    }
    w_.list.Recount();
    box.Focus();
}

void MainListCommands::MovieInfo() {
    std::string title;
    if (!CurrentTitle(title)) return;
    Collection& c = w_.collection;
    CurrentMovie& current = w_.state.currentMovie;
    current.Clear();
    switch (w_.list.CurrentMark()) {
        case ViewMark::Upcoming:
            LoadUpcoming(c.upcoming, title, current);
            break;
        case ViewMark::Main:
        case ViewMark::None:
            LoadMovieWithDetails(c, title, false, current, w_.state.currentMedia);
            break;
        case ViewMark::InternalGimme:
            LoadGimmeEntry(c.internalGimme, title, current);
            break;
        case ViewMark::ImportedGimme:
            // The user's own record of the wanted movie, so that it can be found and lent.
            LoadMainForImported(c.main, title, current);
            break;
    }
    w_.dialogs.MovieInfo();
    w_.list.Box().Focus();
}

void MainListCommands::SearchImdb() {
    std::string title;
    if (CurrentTitle(title)) SearchImdbFor(w_, w_.prompts, title);
}

void MainListCommands::MainShift() {
    std::string title;
    if (!CurrentTitle(title)) return;
    if (!w_.prompts.AskQuestion("Shift " + Quoted(title) + " to Main List?", kConfirmationCaption)) return;
    if (w_.list.Box().SelectedCount() < 1) return;
    AddEditRequest request;
    request.mode = AddEditMode::MainShift;
    request.movie.title = title;
    RunAddEdit(w_, request);
}

void MainListCommands::ChangeAllPresence(bool present) {
    ListBoxView& box = w_.list.Box();
    const int count = box.LineCount();
    if (count <= 0) {
        w_.prompts.ShowMessage("There Are No Movies Here!", kErrorCaption, MessageIcon::Stop);
        return;
    }
    w_.desktop.Beep();
    const std::string_view presence = present ? kPresent : kAbsent;
    if (!w_.prompts.AskQuestion(
            "Are You Sure You Want to Make These " + std::to_string(count) + " Movie(s) " + std::string(presence) + "?",
            kConfirmationCaption))
        return;
    PresenceChange change(w_.collection, w_.list, w_.clock,
                          present ? PresenceChangeKind::AllPresent : PresenceChangeKind::AllAbsent, {});
    const std::optional<std::string> location = w_.dialogs.ChangePresence(change);
    if (!location) return;

    Collection& c = w_.collection;
    const std::string line = LoanHistoryLine(w_.clock.Today(), *location, present);
    std::vector<std::string> titles;
    titles.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) titles.push_back(box.LineText(i));
    for (const std::string& title : titles) {
        if (!SetMainPresence(c.main, title, *location, present ? PresenceMode::Present : PresenceMode::Absent))
            w_.prompts.ShowMessage(MissingTitleMessage(title), kAppCaption, MessageIcon::Exclamation);
        c.history.AddLoanLine(title, line);
    }
    box.Clear();
    w_.list.Show(View::ByPresence(present));
}

// ---- Dialog 117 and menu 201 ----

UpcomingLocationsCommands::UpcomingLocationsCommands(Workbench& workbench, ListBoxView& box, UpcomingLocationsUi& ui,
                                                     Prompts& prompts)
    : w_(workbench), box_(box), ui_(ui), prompts_(prompts) {}

void UpcomingLocationsCommands::Open() {
    ui_.FillLocations(w_.collection.knownUpcomingLocations.Values());
    ui_.SelectFirstLocation();
}

void UpcomingLocationsCommands::FillFor(std::string_view location) {
    const Collection& c = w_.collection;
    box_.Fill(FillListBox(c.upcoming, FillVariant::ByLocation, location, c.eroticVisible));
}

void UpcomingLocationsCommands::Track() {
    FillFor(ui_.LocationText());
    ui_.SetCountText({});
}

void UpcomingLocationsCommands::Refresh() {
    const std::string filter = ui_.LocationText();
    FillFor(filter);
    ui_.FillLocations(w_.collection.knownUpcomingLocations.Values());
    ui_.SelectLocation(filter);
}

void UpcomingLocationsCommands::Execute(int command) {
    switch (command) {
        case IDM_UPCOMING_DELETE:
            Delete();
            break;
        case IDM_UPCOMING_EDIT:
            Edit();
            break;
        case IDM_UPCOMING_ADD_TO_GIMME:
            AddSelectionToGimme(w_, prompts_, selection_);
            break;
        case IDM_UPCOMING_ADD_ALL_TO_GIMME:
            AddAllToGimme();
            break;
        default:
            break;
    }
}

void UpcomingLocationsCommands::Delete() {
    const int line = box_.CurrentLine();
    if (line < 0) return;
    const std::string title = box_.LineText(line);
    if (!prompts_.Ask("Delete " + title + "?", kConfirmationCaption, MessageIcon::Question, true)) return;
    box_.DeleteLine(line);
    ui_.SetCountText({});
    RemoveUpcomingMovie(w_.collection.upcoming, title);
    if (w_.list.CurrentView().kind == ViewKind::Upcoming) {
        w_.list.Box().Clear();
        w_.list.Show(View::Upcoming());
    }
}

void UpcomingLocationsCommands::Edit() {
    const int line = box_.CurrentLine();
    if (line < 0) return;
    AddEditRequest request;
    request.mode = AddEditMode::EditUpcomingLocations;
    LoadUpcoming(w_.collection.upcoming, box_.LineText(line), request.movie);
    if (ui_.OpenAddEdit(request) == AddEditOutcome::Saved) Refresh();
    ui_.SetCountText({});
}

void UpcomingLocationsCommands::AddAllToGimme() {
    const int count = box_.LineCount();
    if (count <= 0) {
        prompts_.ShowMessage("There Are No Movies In This List!", kErrorCaption, MessageIcon::Stop);
        return;
    }
    w_.desktop.Beep();
    if (!prompts_.AskQuestion("Add These " + std::to_string(count) + " Movie(s) to Gimme List?", kConfirmationCaption))
        return;
    const std::string location = ui_.LocationText();
    for (int i = 0; i < count; ++i) {
        const std::string title = box_.LineText(i);
        if (!AddGimmeTitleWithLocation(w_.collection.internalGimme, title, location))
            w_.desktop.OwnerlessPrompts().ShowMessage(GimmeDuplicateMessage(title), kErrorCaption,
                                                      MessageIcon::Exclamation);
    }
    w_.list.Show(View::InternalGimme());
    w_.list.SetSelectionCount({});
}

}  // namespace cl
