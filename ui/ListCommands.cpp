// The commands of the movie lists' context menus.
#include "ui/ListCommands.h"

#include <filesystem>
#include <system_error>

#include "imdb/SearchQuery.h"
#include "model/base/Date.h"
#include "model/GimmeFile.h"
#include "res/ListDialogIds.h"
#include "ui/ListMenus.h"
#include "ui/Presence.h"

namespace cl {
namespace {

constexpr std::string_view kErrorCaption = "Error";
constexpr std::string_view kAppCaption = "CineLedger";
constexpr std::string_view kGimmeCaption = "Gimme List";
constexpr std::string_view kUpcomingCaption = "Upcoming Movie List";

// A Gimme list entry as the Movie Info dialog shows it: its title, its marker and its location (the sender's name
// in an imported list); Gimme entries have no presence, medium or number.
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

void AddSelectionToGimme(MainShell& shell, ShellUi& ui, Prompts& prompts, const std::vector<std::string>& titles) {
    if (!prompts.Ask("Add Movie(s) to Gimme List?", kConfirmationCaption, MessageIcon::Question, false)) return;
    Collection& c = shell.Data();
    for (const std::string& refused : AddGimmeTitles(c.internalGimme, titles))
        prompts.ShowMessage(GimmeDuplicateMessage(refused), kErrorCaption, MessageIcon::Exclamation);
    shell.SetViewMark(ViewMark::InternalGimme);
    int count = ui.FillList(FillListBox(c.internalGimme, FillVariant::Plain, {}, false));
    shell.SetCaptionAndCount(count, kGimmeCaption);
}

// ---- Menu 107 ----

MainListCommands::MainListCommands(MainShell& shell, ShellUi& ui, Prompts& prompts, std::string titleSearchHost)
    : today(TodayUtc), shell_(shell), ui_(ui), prompts_(prompts), titleSearchHost_(std::move(titleSearchHost)) {}

void MainListCommands::Execute(int command) {
    switch (command) {
        case IDM_LIST_EDIT:
            Edit();
            break;
        case IDM_LIST_PRESENT:
            ChangeSelectionPresence(PresenceRequest::SelectionPresent);
            break;
        case IDM_LIST_ABSENT:
            ChangeSelectionPresence(PresenceRequest::SelectionAbsent);
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
            AddSelectionToGimme(shell_, ui_, prompts_, SelectedTitles(shell_.selection, shell_.selection.mainCount));
            ui_.FocusList();
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
    if (ui_.LineCount() == 0) {
        prompts_.ShowMessage("There Are No Movies In This List.", kErrorCaption, MessageIcon::Stop);
        return;
    }
    Execute(IDM_LIST_MOVIE_INFO);
}

bool MainListCommands::CurrentTitle(std::string& title) {
    int line = ui_.CurrentLine();
    if (line < 0) return false;
    title = ui_.LineText(line);
    return true;
}

void MainListCommands::ShowCountUnderCaption() {
    const std::string caption = shell_.Status().caption;
    shell_.SetCaptionAndCount(ui_.LineCount(), caption);
}

void MainListCommands::Edit() {
    std::string title;
    if (!CurrentTitle(title)) return;
    Collection& c = shell_.Data();
    shell_.editFlag = true;
    c.current.Clear();
    if (shell_.Mark() == ViewMark::Upcoming)
        LoadUpcoming(c.upcoming, title, c.current);
    else
        shell_.LoadCurrentMovieWithDetails(title, true);
    ui_.OpenDialog(ShellDialog::AddEdit);
    c.current.Clear();
}

void MainListCommands::ChangeSelectionPresence(PresenceRequest mode) {
    shell_.presenceMode = mode;
    ui_.OpenDialog(ShellDialog::PresenceChange);
    if (shell_.presenceMode != PresenceRequest::Cancelled) ShowCountUnderCaption();
    ui_.FocusList();
}

void MainListCommands::Delete() {
    const int line = ui_.CurrentLine();
    if (line < 0) return;
    const std::string title = ui_.LineText(line);
    if (!prompts_.Ask("Delete " + Quoted(title) + "?", kConfirmationCaption, MessageIcon::Question, true)) return;
    ui_.DeleteLine(line);

    Collection& c = shell_.Data();
    switch (shell_.Mark()) {
        case ViewMark::Main:
        case ViewMark::None: {
            c.current.Clear();
            const bool found = LoadMainForEditing(c.main, title, c.current);
            RemoveMainMovie(c.main, c.freeNumbers, title, false);
            c.imdb.Remove(ImdbKey(title));
            if (found) {
                std::error_code ignored;  // a movie without a cover has no file to remove
                std::filesystem::remove(std::filesystem::path(shell_.DataDirectory()) / "Covers" /
                                            (std::to_string(c.current.number) + ".jpg"),
                                        ignored);
            }
            c.comments.Remove(title);
            c.history.Remove(title);
            c.media.Delete(title);
            c.current.Clear();
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
    ShowCountUnderCaption();
    ui_.FocusList();
}

void MainListCommands::MovieInfo() {
    std::string title;
    if (!CurrentTitle(title)) return;
    Collection& c = shell_.Data();
    c.current.Clear();
    switch (shell_.Mark()) {
        case ViewMark::Upcoming:
            LoadUpcoming(c.upcoming, title, c.current);
            break;
        case ViewMark::Main:
        case ViewMark::None:
            shell_.LoadCurrentMovieWithDetails(title);
            break;
        case ViewMark::InternalGimme:
            LoadGimmeEntry(c.internalGimme, title, c.current);
            break;
        case ViewMark::ImportedGimme:
            LoadGimmeEntry(c.importedGimme, title, c.current);
            break;
    }
    ui_.OpenDialog(ShellDialog::MovieInfo);
    ui_.FocusList();
}

void MainListCommands::SearchImdb() {
    std::string title;
    if (!CurrentTitle(title)) return;
    const std::string address = TitleSearchAddress(titleSearchHost_, title);
    if (!ui_.IsConnected()) {
        if (!prompts_.Ask("You Must Be Connected To The Internet To Access the IMDb; Connect?", kAppCaption,
                          MessageIcon::Exclamation, false))
            return;
        if (!ui_.AttemptConnect()) {
            prompts_.ShowMessage("Unable to Connect.", kAppCaption, MessageIcon::Stop);
            return;
        }
    }
    ui_.OpenWithShell(address);
}

void MainListCommands::MainShift() {
    std::string title;
    if (!CurrentTitle(title)) return;
    if (!prompts_.Ask("Shift " + Quoted(title) + " to Main List?", kConfirmationCaption, MessageIcon::Question, false))
        return;
    if (ui_.SelectedLineCount() < 1) return;
    Collection& c = shell_.Data();
    shell_.editFlag = false;
    shell_.mainShiftFlag = true;
    shell_.SetViewMark(ViewMark::Main);
    c.current.Clear();
    c.current.title = title;
    ui_.OpenDialog(ShellDialog::AddEdit);
    c.current.title.reset();
    shell_.mainShiftFlag = false;
}

void MainListCommands::ChangeAllPresence(bool present) {
    shell_.presenceMode = present ? PresenceRequest::AllPresent : PresenceRequest::AllAbsent;
    const int count = ui_.LineCount();
    if (count <= 0) {
        prompts_.ShowMessage("There Are No Movies Here!", kErrorCaption, MessageIcon::Stop);
        return;
    }
    ui_.Beep();
    const std::string presence = present ? "Present" : "Absent";
    if (!prompts_.Ask("Are You Sure You Want to Make These " + std::to_string(count) + " Movie(s) " + presence + "?",
                      kConfirmationCaption, MessageIcon::Question, false))
        return;
    ui_.OpenDialog(ShellDialog::PresenceChange);
    if (shell_.presenceMode == PresenceRequest::Cancelled) return;

    Collection& c = shell_.Data();
    const std::string& location = shell_.presenceAllLocation;
    const std::string line = LoanHistoryLine(today(), location, present);
    std::vector<std::string> titles;
    titles.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) titles.push_back(ui_.LineText(i));
    for (const std::string& title : titles) {
        if (!SetMainPresence(c.main, title, location, present ? PresenceMode::Present : PresenceMode::Absent))
            prompts_.ShowMessage(MissingTitleMessage(title), kAppCaption, MessageIcon::Exclamation);
        c.history.AddLoanLine(title, line);
    }
    ui_.ClearList();
    const int shown = ui_.FillList(FillListBox(c.main, FillVariant::ByPresence, presence, c.eroticVisible));
    shell_.SetCaptionAndCount(shown, presence);
    if (shell_.Mark() == ViewMark::Main || shell_.Mark() == ViewMark::ImportedGimme) shell_.SetViewMark(ViewMark::None);
}

// ---- Dialog 117 and menu 201 ----

UpcomingLocationsCommands::UpcomingLocationsCommands(MainShell& shell, ShellUi& mainUi, UpcomingLocationsUi& ui)
    : shell_(shell), mainUi_(mainUi), ui_(ui) {}

void UpcomingLocationsCommands::Open() {
    ui_.FillLocations(shell_.Data().knownUpcomingLocations.Values());
    ui_.SelectFirstLocation();
}

void UpcomingLocationsCommands::FillFor(std::string_view location) {
    const Collection& c = shell_.Data();
    ui_.FillList(FillListBox(c.upcoming, FillVariant::ByLocation, location, c.eroticVisible));
}

void UpcomingLocationsCommands::Track() {
    shell_.upcomingLocation = ui_.LocationText();
    FillFor(shell_.upcomingLocation);
    ui_.SetCountText({});
}

void UpcomingLocationsCommands::Refresh() {
    const std::string filter = ui_.LocationText();
    FillFor(filter);
    ui_.FillLocations(shell_.Data().knownUpcomingLocations.Values());
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
            AddSelectionToGimme(shell_, mainUi_, ui_, SelectedTitles(shell_.selection, shell_.selection.upcomingCount));
            break;
        case IDM_UPCOMING_ADD_ALL_TO_GIMME:
            AddAllToGimme();
            break;
        default:
            break;
    }
}

void UpcomingLocationsCommands::Delete() {
    const int line = ui_.CurrentLine();
    if (line < 0) return;
    const std::string title = ui_.LineText(line);
    if (!ui_.Ask("Delete " + title + "?", kConfirmationCaption, MessageIcon::Question, true)) return;
    ui_.DeleteLine(line);
    ui_.SetCountText({});
    Collection& c = shell_.Data();
    RemoveUpcomingMovie(c.upcoming, title);
    if (shell_.Mark() == ViewMark::Upcoming) {
        mainUi_.ClearList();
        int count = mainUi_.FillList(FillListBox(c.upcoming, FillVariant::All, {}, c.eroticVisible));
        shell_.SetCaptionAndCount(count, kUpcomingCaption);
    }
}

void UpcomingLocationsCommands::Edit() {
    const int line = ui_.CurrentLine();
    if (line < 0) return;
    Collection& c = shell_.Data();
    shell_.locationsEditFlag = true;
    c.current.Clear();
    LoadUpcoming(c.upcoming, ui_.LineText(line), c.current);
    ui_.OpenAddEdit();
    shell_.locationsEditFlag = false;
    c.current.Clear();
    ui_.SetCountText({});
}

void UpcomingLocationsCommands::AddAllToGimme() {
    const int count = ui_.LineCount();
    if (count <= 0) {
        ui_.ShowMessage("There Are No Movies In This List!", kErrorCaption, MessageIcon::Stop);
        return;
    }
    mainUi_.Beep();
    if (!ui_.Ask("Add These " + std::to_string(count) + " Movie(s) to Gimme List?", kConfirmationCaption,
                 MessageIcon::Question, false))
        return;
    Collection& c = shell_.Data();
    const std::string location = ui_.LocationText();
    for (int i = 0; i < count; ++i) {
        const std::string title = ui_.LineText(i);
        if (!AddGimmeTitleWithLocation(c.internalGimme, title, location))
            ui_.ShowMessage(GimmeDuplicateMessage(title), kErrorCaption, MessageIcon::Exclamation);
    }
    shell_.SetViewMark(ViewMark::InternalGimme);
    int shown = mainUi_.FillList(FillListBox(c.internalGimme, FillVariant::Plain, {}, false));
    shell_.SetCaptionAndCount(shown, kGimmeCaption);
    shell_.SetSelectionCount({});
}

}  // namespace cl
