// The main window's command table.
#include "app/MainShell.h"

#include <system_error>

#include "exchange/GimmeExchangeFile.h"
#include "exchange/MovieExchangeFile.h"
#include "imdb/Connection.h"
#include "model/MainListFile.h"
#include "model/StoreDamage.h"
#include "model/base/NativePath.h"
#include "model/base/Title.h"
#include "res/ResourceIds.h"
#include "ui/AddEdit.h"

namespace cl {
namespace {

constexpr std::string_view kGimmeErrorCaption = "Gimme Error";

}  // namespace

int ViewMarkCommand(ViewMark mark) {
    switch (mark) {
        case ViewMark::Main:
            return IDM_MAIN_LIST;
        case ViewMark::Upcoming:
            return IDM_UPCOMING_LIST;
        case ViewMark::InternalGimme:
            return IDM_INTERNAL_GIMME;
        case ViewMark::ImportedGimme:
            return IDM_IMPORTED_GIMME;
        case ViewMark::None:
            break;
    }
    return 0;
}

MainShell::MainShell(Collection& collection, std::string dataDirectory, const ShellParts& parts)
    : collection_(collection),
      dataDirectory_(std::move(dataDirectory)),
      ui_(parts.ui),
      desktop_(parts.desktop),
      dialogs_(parts.dialogs),
      clock_(parts.clock),
      writer_(parts.writer),
      list_(parts.list, parts.ui, collection),
      workbench_{collection, list_, state_, parts.dialogs, parts.ui, parts.desktop, parts.clock, dataDirectory_} {}

std::filesystem::path MainShell::Dir() const {
    return PathFromNative(dataDirectory_);
}

std::vector<StoreLoad> MainShell::LoadAtStart() {
    std::vector<StoreLoad> loads = LoadStores(collection_, Dir(), clock_.Today());
    LoadSettingsAtStart(collection_, Dir(), writer_);
    const std::string damage = DamageMessage(loads, collection_.settings.autoBackup == 1);
    if (!damage.empty()) ui_.ShowMessage(damage, kErrorCaption, MessageIcon::Exclamation);
    // An existing folder is no error; a folder that cannot be made shows up when a cover is saved.
    std::error_code ignored;
    std::filesystem::create_directory(Dir() / "Covers", ignored);
    state_.hosts = ReadDatabaseHosts(dataDirectory_);
    list_.Mark(ViewMark::Main);
    return loads;
}

std::vector<StoreSaveFailure> MainShell::SaveAll() {
    return cl::SaveAll(collection_, Dir(), writer_);
}

void MainShell::CloseLogo() {
    if (!logoOpen_) return;
    logoOpen_ = false;
    ui_.CloseLogo();
}

// A view chosen from the menu or the View button: shown, and the list box gets the focus.
void MainShell::ShowView(const View& view) {
    list_.Show(view);
    list_.Box().Focus();
}

void MainShell::LoadBackup() {
    if (!ui_.AskQuestion("Load Backup File(s)?", kConfirmationCaption)) return;
    RestoreResult result = RestoreFromBackup(collection_, Dir(), clock_.Today());
    if (result.outcome == RestoreOutcome::NoBackup) {
        ui_.ShowMessage("Backup File Does Not Exist!", kErrorCaption, MessageIcon::Exclamation);
        return;
    }
    list_.Show(View::Main());
    const std::string damage = DamageMessage(result.loads, false);
    if (!damage.empty()) ui_.ShowMessage(damage, kErrorCaption, MessageIcon::Exclamation);
    list_.Box().Focus();
}

void MainShell::DeleteGimmeList() {
    desktop_.Beep();
    if (ui_.AskQuestion("Delete Internal Gimme List? (Changes Will NOT BE RECOVERABLE)", kConfirmationCaption)) {
        RemoveStoreFile(collection_, Dir(), StoreFile::Gimme, writer_);
        collection_.internalGimme.Clear();
        list_.Show(View::InternalGimme());
    }
    list_.Box().Focus();
}

void MainShell::ImportGimme() {
    if (!collection_.importedGimme.Empty()) {
        ui_.ShowMessage("Only One Gimme List At a Time! To Open a New Gimme List Close Existing One First.",
                        kErrorCaption, MessageIcon::Exclamation);
        list_.Box().Focus();
        return;
    }
    const std::optional<std::string> path = dialogs_.OpenFile();
    if (!path) return;
    if (!ImportGimmeList(PathFromNative(*path), collection_.main, collection_.importedGimme, ui_)) {
        ui_.ShowMessage(kInvalidGimmeFileMessage, kErrorCaption, MessageIcon::Stop);
        list_.Box().Focus();
        list_.SetSelectionCount("");
        return;
    }
    ShowView(View::ImportedGimme());
}

void MainShell::SaveImportedGimme() {
    const MovieList& imported = collection_.importedGimme;
    if (imported.Empty()) {
        ui_.ShowMessage("There Is No Imported List to Save.", kErrorCaption, MessageIcon::Exclamation);
        list_.Box().Focus();
        return;
    }
    const std::optional<std::string> path = dialogs_.SaveFile();
    std::string error;
    if (path && !WriteGimmeExchange(PathFromNative(*path), imported, ImportedGimmeNameLine(imported), writer_, error))
        ui_.ShowMessage(ExchangeWriteFailureMessage(*path, error), kErrorCaption, MessageIcon::Stop);
    list_.Box().Focus();
}

bool MainShell::ConfirmClose() {
    if (collection_.settings.autoSave == 1) {
        SaveAll();
        return true;
    }
    if (!ui_.AskQuestion("Exit, mmm?", kConfirmationCaption)) {
        list_.Box().Focus();
        return false;
    }
    if (ui_.AskQuestion("Save Changes, mmm?", kConfirmationCaption)) SaveAll();
    return true;
}

void MainShell::Execute(int command) {
    Collection& c = collection_;
    switch (command) {
        case IDC_VIEW_BUTTON:
            CloseLogo();
            ShowView(View::ForMark(list_.CurrentMark()));
            break;
        case IDC_ADD_BUTTON:
            CloseLogo();
            if (list_.CurrentMark() == ViewMark::InternalGimme || list_.CurrentMark() == ViewMark::ImportedGimme) {
                ui_.ShowMessage("You Can Not Manually Add Movies to the Gimme List.", kGimmeErrorCaption,
                                MessageIcon::Stop);
                break;
            }
            if (list_.CurrentMark() != ViewMark::Upcoming) list_.Mark(ViewMark::Main);
            RunAddEdit(workbench_, AddEditRequest{AddModeFor(list_.CurrentView()), {}});
            break;
        case IDC_FIND_BUTTON:
            CloseLogo();
            list_.Show(View::ForMark(list_.CurrentMark()));
            list_.SetSelectionCount("");
            dialogs_.Open(SimpleDialog::Find);
            if (list_.Box().SelectedCount() >= 1) list_.Box().Focus();
            break;
        case IDC_EXTERNALS_BUTTON:
            CloseLogo();
            dialogs_.Open(SimpleDialog::Externals);
            break;
        case IDC_CLOSE_BUTTON:
            ui_.RequestClose();
            break;
        case IDC_MINIMIZE_BUTTON:
            ui_.Minimize();
            break;
        case IDC_MENU_BUTTON:
            CloseLogo();
            ui_.ShowMainMenu();
            break;
        case IDC_LOGO:
            if (EnsureInternetConnection(desktop_, ui_, kConnectQuestion)) desktop_.OpenWithShell(homePage_);
            break;
        case IDM_MAIN_LIST:
        case IDM_UPCOMING_LIST:
        case IDM_INTERNAL_GIMME:
        case IDM_IMPORTED_GIMME:
            ShowView(command == IDM_MAIN_LIST        ? View::Main()
                     : command == IDM_UPCOMING_LIST  ? View::Upcoming()
                     : command == IDM_INTERNAL_GIMME ? View::InternalGimme()
                                                     : View::ImportedGimme());
            break;
        case IDM_PRESENT:
        case IDM_ABSENT: {
            CloseLogo();
            list_.Show(View::ByPresence(command == IDM_PRESENT));
            break;
        }
        case IDM_BACKUP:
            if (ui_.AskQuestion("Backup Movie Lists?", kConfirmationCaption)) BackupAll(collection_, Dir(), writer_);
            list_.Box().Focus();
            break;
        case IDM_LOAD_BACKUP:
            LoadBackup();
            break;
        case IDM_SAVE:
            if (ui_.AskQuestion("Save Changes, mmm?", kConfirmationCaption)) SaveAll();
            list_.Box().Focus();
            break;
        case IDM_EXIT:
            ui_.RequestClose();
            break;
        case IDM_MAIN_LOCATIONS:
            CloseLogo();
            dialogs_.Open(SimpleDialog::MainLocations);
            break;
        case IDM_ABOUT:
            dialogs_.Open(SimpleDialog::About);
            break;
        case IDM_QUARANTINE:
            dialogs_.Open(SimpleDialog::Quarantine);
            break;
        case IDM_SHOW_EROTIC:
            CloseLogo();
            dialogs_.Open(SameTitle(c.password, kNoPassword) ? SimpleDialog::PasswordChange
                                                             : SimpleDialog::PasswordEntry);
            break;
        case IDM_HIDE_EROTIC:
            // In memory only: "Settings.dat" keeps its view mode until the Settings dialog applies.
            c.eroticVisible = false;
            c.settings.viewMode = 0;
            CloseLogo();
            ShowView(View::ForMark(list_.CurrentMark()));
            break;
        case IDM_CHANGE_PASSWORD:
            dialogs_.Open(SimpleDialog::PasswordChange);
            break;
        case IDM_UPCOMING_LOCATIONS:
            CloseLogo();
            dialogs_.Open(SimpleDialog::UpcomingLocations);
            break;
        case IDM_START_SERVER:
            if (EnsureInternetConnection(desktop_, ui_, kConnectOrGoOnQuestion)) {
                dialogs_.Open(SimpleDialog::ServerStatus);
            }
            break;
        case IDM_SEND_GIMME:
            if (!c.internalGimme.Empty()) {
                state_.gimmeSendPending = true;
                dialogs_.Open(SimpleDialog::ExportSource);
            } else {
                ui_.ShowMessage("Your Gimme List is Empty.  Unable to Send.", kGimmeErrorCaption, MessageIcon::Stop);
                list_.Box().Focus();
            }
            break;
        case IDM_IMPORT_GIMME:
            ImportGimme();
            break;
        case IDM_CLOSE_IMPORTED_GIMME:
            c.importedGimme.Clear();
            Execute(IDM_MAIN_LIST);
            break;
        case IDM_DELETE_GIMME:
            DeleteGimmeList();
            break;
        case IDM_SAVE_IMPORTED_GIMME:
            SaveImportedGimme();
            break;
        case IDM_READ_HELP:
            dialogs_.Open(SimpleDialog::ReadHelp);
            break;
        case IDM_SETTINGS:
            dialogs_.Open(SimpleDialog::Settings);
            break;
        case IDM_SEND_MAIN_LIST:
            if (!c.main.Empty()) {
                state_.movieListSendPending = true;
                dialogs_.Open(SimpleDialog::ExportSource);
            } else {
                ui_.ShowMessage("Your Movie List is Empty.  Unable to Send.", {}, MessageIcon::Stop);
            }
            break;
        case IDM_PRINT:
            dialogs_.Open(SimpleDialog::Print);
            break;
        case IDM_SKINS:
            dialogs_.Open(SimpleDialog::Skins);
            break;
        case IDM_SKIN_TUTORIAL:
            desktop_.OpenWithShell(dataDirectory_ + "Skin Tutorial.html");
            break;
        case IDM_BY_CATEGORY:
            CloseLogo();
            dialogs_.Open(SimpleDialog::CategorySearch);
            break;
        default:
            break;  // 5 to 9 (list box and status field notifications) and everything else
    }
}

}  // namespace cl
