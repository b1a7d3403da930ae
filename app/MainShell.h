// The main window's commands without the window: what every command asks, changes and opens, the start-up data
// steps and the shut-down questions. The window implements ShellUi (and the list box, dialogs and desktop
// interfaces), translates its messages into MainShell calls and renders what comes back.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "model/Collection.h"
#include "model/base/FileWriter.h"
#include "ui/MainList.h"
#include "ui/Workbench.h"

namespace cl {

// The menu command that carries the mark (0 for None).
int ViewMarkCommand(ViewMark mark);

// What the commands need of the main window itself besides its list box: its message boxes and status fields,
// the logo, the main menu and the window's own buttons.
class ShellUi : public Prompts, public StatusDisplay {
  public:
    // Hides and destroys the logo window and shows the list box.
    virtual void CloseLogo() = 0;
    virtual void ShowMainMenu() = 0;
    virtual void Minimize() = 0;
    // Asks the window to close as the close box would (the shut-down questions follow).
    virtual void RequestClose() = 0;
};

// The windows and services the shell works with, all owned by the main window.
struct ShellParts {
    ShellUi& ui;
    ListBoxView& list;
    Dialogs& dialogs;
    Desktop& desktop;
    Clock& clock;
    FileWriter& writer;
};

class MainShell {
  public:
    // `dataDirectory` ends in a path separator; every store is named relative to it.
    MainShell(Collection& collection, std::string dataDirectory, const ShellParts& parts);

    // Start-up's data steps: the seven stores in their order, "Settings.dat" (with the backup and the erotic lock
    // it may ask for) and the "Covers" folder.
    std::vector<StoreLoad> LoadAtStart();

    // A WM_COMMAND with this identifier (menu item, accelerator, skinned button, logo click).
    void Execute(int command);

    // The shut-down questions: saves without asking when Auto-Save is on, otherwise asks "Exit, mmm?" and
    // "Save Changes, mmm?". False when the user chose to go on; the list box then has the focus.
    bool ConfirmClose();

    // Writes the seven stores in their fixed order; failures are not reported to the user.
    std::vector<StoreSaveFailure> SaveAll();

    // What the list commands and dialogs work with.
    Workbench& Bench() { return workbench_; }
    MainList& List() { return list_; }
    bool LogoOpen() const { return logoOpen_; }

    // The skin's home page, opened by a click on the logo.
    void SetHomePage(std::string homePage) { homePage_ = std::move(homePage); }

  private:
    void CloseLogo();
    void ShowView(const View& view);
    void LoadBackup();
    void DeleteGimmeList();
    void ImportGimme();
    void SaveImportedGimme();
    std::filesystem::path Dir() const;

    Collection& collection_;
    std::string dataDirectory_;
    ShellUi& ui_;
    Desktop& desktop_;
    Dialogs& dialogs_;
    Clock& clock_;
    FileWriter& writer_;
    MainList list_;
    ProgramState state_;
    Workbench workbench_;
    bool logoOpen_ = true;
    std::string homePage_;
};

}  // namespace cl
