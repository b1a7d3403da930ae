// The main window's command table and views.
#include "app/MainShell.h"

#include <system_error>

#include "model/StoreDamage.h"
#include "model/base/Date.h"
#include "model/base/Title.h"
#include "res/ResourceIds.h"

namespace cl {
namespace {

constexpr std::string_view kMainCaption = "Main Movie List";
constexpr std::string_view kUpcomingCaption = "Upcoming Movie List";
constexpr std::string_view kGimmeCaption = "Gimme List";
constexpr std::string_view kAppCaption = "CineLedger";
constexpr std::string_view kErrorCaption = "Error";
constexpr std::string_view kGimmeErrorCaption = "Gimme Error";

}  // namespace

int ViewMarkCommand(ViewMark mark) {
    switch (mark) {
        case ViewMark::Main: return IDM_MAIN_LIST;
        case ViewMark::Upcoming: return IDM_UPCOMING_LIST;
        case ViewMark::InternalGimme: return IDM_INTERNAL_GIMME;
        case ViewMark::ImportedGimme: return IDM_IMPORTED_GIMME;
        case ViewMark::None: break;
    }
    return 0;
}

std::string ImportedGimmeCaption(const MovieList& importedGimme) {
    std::string caption = "Gimme Import-> ";
    if (importedGimme.Empty()) return caption + "None";
    const MovieRecord& first = *importedGimme.begin();
    if (first.location) caption += *first.location;
    return caption;
}

MainShell::MainShell(Collection& collection, std::string dataDirectory, ShellUi& ui, FileWriter& writer)
    : collection_(collection), dataDirectory_(std::move(dataDirectory)), ui_(ui), writer_(writer) {}

std::filesystem::path MainShell::Dir() const { return std::filesystem::path(dataDirectory_); }

std::vector<StoreLoad> MainShell::LoadAtStart(std::string_view today) {
    std::vector<StoreLoad> loads = LoadStores(collection_, Dir(), today);
    LoadSettingsAtStart(collection_, Dir(), writer_);
    const std::string damage = DamageMessage(loads, collection_.settings.autoBackup == 1);
    if (!damage.empty()) ui_.ShowMessage(damage, kErrorCaption, MessageIcon::Exclamation);
    // An existing folder is no error; a folder that cannot be made shows up when a cover is saved.
    std::error_code ignored;
    std::filesystem::create_directory(Dir() / "Covers", ignored);
    mark_ = ViewMark::Main;
    ui_.ShowViewMark(mark_);
    return loads;
}

std::vector<StoreSaveFailure> MainShell::SaveAll() { return cl::SaveAll(collection_, Dir(), writer_); }

void MainShell::SetViewMark(ViewMark mark) {
    mark_ = mark;
    ui_.ShowViewMark(mark);
}

bool MainShell::LoadCurrentMovieWithDetails(std::string_view title, bool forEditing) {
    Collection& c = collection_;
    c.current.Clear();
    mediaScratch.Clear();
    const bool found = forEditing ? LoadMainForEditing(c.main, title, c.current)
                                  : LoadMainForDisplay(c.main, title, c.current);
    if (!found) {
        c.current.title = std::string(title);
        c.current.number = 0;
    }
    c.comments.LoadIntoCurrent(title, c.current.comments);
    c.history.LoadIntoCurrent(title, c.current.dateOfEntry, c.current.views);
    c.media.LookupIntoScratch(title, mediaScratch);
    return found;
}

void MainShell::SetCaptionAndCount(int count, std::string_view caption) {
    if (count >= 1) {
        status_.selection = "1";
        ui_.SelectFirstLine();
    } else {
        status_.selection.clear();
    }
    status_.caption = std::string(caption);
    status_.count = "Number of Movies: " + std::to_string(count);
    ui_.ShowStatus(status_);
}

void MainShell::SetSelectionCount(std::string_view text) {
    status_.selection = std::string(text);
    ui_.ShowStatus(status_);
}

void MainShell::CloseLogo() {
    if (!logoOpen_) return;
    logoOpen_ = false;
    ui_.CloseLogo();
}

// Marks the view, fills the list box and shows the caption with the list box's own line count, which leaves out
// the erotic movies the lock hides.
void MainShell::ShowList(ViewMark mark, const ListBoxFill& fill, std::string_view caption) {
    SetViewMark(mark);
    int count = ui_.FillList(fill);
    SetCaptionAndCount(count, caption);
}

void MainShell::ShowMainFiltered(FillVariant variant, std::string_view value, std::string_view caption) {
    ShowList(ViewMark::None, FillListBox(collection_.main, variant, value, collection_.eroticVisible), caption);
}

void MainShell::ShowImportedGimme() {
    SetViewMark(ViewMark::ImportedGimme);
    if (collection_.importedGimme.Empty()) {
        ui_.ClearList();
        SetCaptionAndCount(0, ImportedGimmeCaption(collection_.importedGimme));
        return;
    }
    int count = ui_.FillList(FillListBox(collection_.importedGimme, FillVariant::Plain, {}, false));
    SetCaptionAndCount(count, ImportedGimmeCaption(collection_.importedGimme));
}

void MainShell::ShowMarkedView(ViewMark mark) {
    const bool erotic = collection_.eroticVisible;
    switch (mark) {
        case ViewMark::Main:
        case ViewMark::None:  // a filtered view falls back to the whole Main Movie List
            ShowList(ViewMark::Main, FillListBox(collection_.main, FillVariant::All, {}, erotic), kMainCaption);
            break;
        case ViewMark::Upcoming:
            ShowList(ViewMark::Upcoming, FillListBox(collection_.upcoming, FillVariant::All, {}, erotic),
                     kUpcomingCaption);
            break;
        case ViewMark::InternalGimme:
            ShowList(ViewMark::InternalGimme, FillListBox(collection_.internalGimme, FillVariant::Plain, {}, false),
                     kGimmeCaption);
            break;
        case ViewMark::ImportedGimme: ShowImportedGimme(); break;
    }
}

void MainShell::RefreshCurrentView() {
    ShowMarkedView(mark_);
    ui_.FocusList();
}

void MainShell::ShowByCategory(std::string_view category) {
    SetViewMark(ViewMark::None);
    // The guard lives here, not in the filling: the by-category filling shows erotic movies whatever the lock says.
    if (category != "Erotic" || collection_.eroticVisible) {
        int count = ui_.FillList(FillListBox(collection_.main, FillVariant::ByCategory, category, true));
        SetCaptionAndCount(count, category);
    } else {
        ui_.ClearList();
        SetCaptionAndCount(0, category);
    }
}

void MainShell::HideErotic() {
    // In memory only: "Settings.dat" keeps its view mode until the Settings dialog applies.
    collection_.eroticVisible = false;
    collection_.settings.viewMode = 0;
}

bool MainShell::InternetCheck(bool goOnWithoutConnection) {
    if (ui_.IsConnected()) return true;
    ui_.Beep();
    if (!ui_.Ask("Connect to the Internet?", kAppCaption)) return goOnWithoutConnection;
    if (!ui_.AttemptConnect()) {
        ui_.ShowMessage("Unable to Connect.", kAppCaption, MessageIcon::Stop);
        return false;
    }
    return true;
}

void MainShell::LoadBackup() {
    if (!ui_.Ask("Load Backup File(s)?", kConfirmationCaption)) return;
    RestoreResult result = RestoreFromBackup(collection_, Dir(), TodayUtc());
    if (result.outcome == RestoreOutcome::NoBackup) {
        ui_.ShowMessage("Backup File Does Not Exist!", kErrorCaption, MessageIcon::Exclamation);
        return;
    }
    ShowList(ViewMark::Main, FillListBox(collection_.main, FillVariant::All, {}, collection_.eroticVisible),
             kMainCaption);
    const std::string damage = DamageMessage(result.loads, false);
    if (!damage.empty()) ui_.ShowMessage(damage, kErrorCaption, MessageIcon::Exclamation);
    ui_.FocusList();
}

void MainShell::DeleteGimmeList() {
    ui_.Beep();
    if (ui_.Ask("Delete Internal Gimme List? (Changes Will NOT BE RECOVERABLE)", kConfirmationCaption)) {
        RemoveStoreFile(collection_, Dir(), StoreFile::Gimme, writer_);
        collection_.internalGimme.Clear();
        SetViewMark(ViewMark::InternalGimme);
        ui_.ClearList();
        SetCaptionAndCount(0, kGimmeCaption);
    }
    ui_.FocusList();
}

bool MainShell::ConfirmClose() {
    if (collection_.settings.autoSave == 1) {
        SaveAll();
        return true;
    }
    if (!ui_.Ask("Exit, mmm?", kConfirmationCaption)) {
        ui_.FocusList();
        return false;
    }
    if (ui_.Ask("Save Changes, mmm?", kConfirmationCaption)) SaveAll();
    return true;
}

void MainShell::Execute(int command) {
    Collection& c = collection_;
    switch (command) {
        case IDC_VIEW_BUTTON:
            CloseLogo();
            RefreshCurrentView();
            break;
        case IDC_ADD_BUTTON:
            CloseLogo();
            if (mark_ == ViewMark::InternalGimme || mark_ == ViewMark::ImportedGimme) {
                ui_.ShowMessage("You Can Not Manually Add Movies to the Gimme List.", kGimmeErrorCaption,
                                MessageIcon::Stop);
                break;
            }
            editFlag = false;
            if (mark_ != ViewMark::Main && mark_ != ViewMark::Upcoming) SetViewMark(ViewMark::Main);
            ui_.OpenDialog(ShellDialog::AddEdit);
            break;
        case IDC_FIND_BUTTON:
            CloseLogo();
            ShowMarkedView(mark_);
            SetSelectionCount("");
            ui_.OpenDialog(ShellDialog::Find);
            if (ui_.SelectedLineCount() >= 1) ui_.FocusList();
            break;
        case IDC_EXTERNALS_BUTTON:
            CloseLogo();
            ui_.OpenDialog(ShellDialog::Externals);
            break;
        case IDC_CLOSE_BUTTON: ui_.RequestClose(); break;
        case IDC_MINIMIZE_BUTTON: ui_.Minimize(); break;
        case IDC_MENU_BUTTON:
            CloseLogo();
            ui_.ShowMainMenu();
            break;
        case IDC_LOGO:
            if (InternetCheck(false)) ui_.OpenWithShell(homePage_);
            break;
        case IDM_MAIN_LIST:
        case IDM_UPCOMING_LIST:
        case IDM_INTERNAL_GIMME:
        case IDM_IMPORTED_GIMME:
            ShowMarkedView(command == IDM_MAIN_LIST       ? ViewMark::Main
                           : command == IDM_UPCOMING_LIST ? ViewMark::Upcoming
                           : command == IDM_INTERNAL_GIMME ? ViewMark::InternalGimme
                                                           : ViewMark::ImportedGimme);
            ui_.FocusList();
            break;
        case IDM_PRESENT:
        case IDM_ABSENT: {
            CloseLogo();
            std::string_view presence = command == IDM_PRESENT ? "Present" : "Absent";
            ShowMainFiltered(FillVariant::ByPresence, presence, presence);
            break;
        }
        case IDM_BACKUP:
            if (ui_.Ask("Backup Movie Lists?", kConfirmationCaption)) BackupAll(collection_, Dir(), writer_);
            ui_.FocusList();
            break;
        case IDM_LOAD_BACKUP: LoadBackup(); break;
        case IDM_SAVE:
            if (ui_.Ask("Save Changes, mmm?", kConfirmationCaption)) SaveAll();
            ui_.FocusList();
            break;
        case IDM_EXIT: ui_.RequestClose(); break;
        case IDM_MAIN_LOCATIONS:
            CloseLogo();
            ui_.OpenDialog(ShellDialog::MainLocations);
            break;
        case IDM_ABOUT: ui_.OpenDialog(ShellDialog::About); break;
        case IDM_QUARANTINE: ui_.OpenDialog(ShellDialog::Quarantine); break;
        case IDM_SHOW_EROTIC:
            CloseLogo();
            ui_.OpenDialog(SameTitle(c.password, kNoPassword) ? ShellDialog::PasswordChange
                                                               : ShellDialog::PasswordEntry);
            break;
        case IDM_HIDE_EROTIC:
            HideErotic();
            CloseLogo();
            RefreshCurrentView();
            break;
        case IDM_CHANGE_PASSWORD: ui_.OpenDialog(ShellDialog::PasswordChange); break;
        case IDM_UPCOMING_LOCATIONS:
            CloseLogo();
            ui_.OpenDialog(ShellDialog::UpcomingLocations);
            break;
        case IDM_START_SERVER:
            if (InternetCheck(true)) ui_.OpenDialog(ShellDialog::ServerStatus);
            break;
        case IDM_SEND_GIMME:
            if (!c.internalGimme.Empty()) {
                gimmeSendPending = true;
                ui_.OpenDialog(ShellDialog::ExportSource);
            } else {
                ui_.ShowMessage("Your Gimme List is Empty.  Unable to Send.", kGimmeErrorCaption, MessageIcon::Stop);
                ui_.FocusList();
            }
            break;
        case IDM_IMPORT_GIMME:
            // Reading a Gimme list file comes with the list exchange; the refusal of a second list is already here.
            if (!c.importedGimme.Empty()) {
                ui_.ShowMessage("Only One Gimme List At a Time! To Open a New Gimme List Close Existing One First.",
                                kErrorCaption, MessageIcon::Exclamation);
                ui_.FocusList();
            }
            break;
        case IDM_CLOSE_IMPORTED_GIMME:
            c.importedGimme.Clear();
            Execute(IDM_MAIN_LIST);
            break;
        case IDM_DELETE_GIMME: DeleteGimmeList(); break;
        case IDM_SAVE_IMPORTED_GIMME:
            if (c.importedGimme.Empty()) {
                ui_.ShowMessage("There Is No Imported List to Save.", kErrorCaption, MessageIcon::Exclamation);
                ui_.FocusList();
            }
            break;
        case IDM_READ_HELP: ui_.OpenDialog(ShellDialog::ReadHelp); break;
        case IDM_SETTINGS: ui_.OpenDialog(ShellDialog::Settings); break;
        case IDM_SEND_MAIN_LIST:
            if (!c.main.Empty()) {
                movieListSendPending = true;
                ui_.OpenDialog(ShellDialog::ExportSource);
            } else {
                ui_.ShowMessage("Your Movie List is Empty.  Unable to Send.", {}, MessageIcon::Stop);
            }
            break;
        case IDM_PRINT: ui_.OpenDialog(ShellDialog::Print); break;
        case IDM_SKINS: ui_.OpenDialog(ShellDialog::Skins); break;
        case IDM_SKIN_TUTORIAL: ui_.OpenWithShell(dataDirectory_ + "Skin Tutorial.html"); break;
        case IDM_BY_CATEGORY:
            CloseLogo();
            ui_.OpenDialog(ShellDialog::CategorySearch);
            break;
        default: break;  // 5 to 9 (list box and status field notifications) and everything else
    }
}

}  // namespace cl
