// The Settings dialog's decisions.
#include "ui/SettingsDialog.h"

#include <filesystem>

#include "model/ListOperations.h"
#include "model/MainListFile.h"
#include "model/base/Title.h"

namespace cl {
namespace {

constexpr std::string_view kMainCaption = "Main Movie List";

std::int16_t Flag(bool on) {
    return on ? 1 : 0;
}

void ShowWholeMainList(MainShell& shell, ShellUi& ui) {
    Collection& c = shell.Data();
    const int count = ui.FillList(FillListBox(c.main, FillVariant::All, {}, c.eroticVisible));
    shell.SetCaptionAndCount(count, kMainCaption);
}

}  // namespace

SettingsChoice SettingsOnOpening(const AppSettings& s) {
    return SettingsChoice{s.viewMode == 1,   s.formatConversion == 1, s.autoSave == 1,
                          s.autoBackup == 1, s.autoImdb == 1,         s.titleCorrection == 1};
}

ShellDialog RatedXPasswordDialog(const Collection& c) {
    return SameTitle(c.password, kNoPassword) ? ShellDialog::PasswordChange : ShellDialog::PasswordEntry;
}

bool RatedXAfterPassword(MainShell& shell, ShellUi& ui) {
    Collection& c = shell.Data();
    if (c.eroticVisible) return true;  // the main window already shows the category "Erotic"
    c.settings.viewMode = 0;
    ShowWholeMainList(shell, ui);
    return false;
}

bool ApplySettings(MainShell& shell, ShellUi& ui, const SettingsChoice& choice, FileWriter& writer,
                   std::string& error) {
    Collection& c = shell.Data();
    if (!choice.ratedX) {
        c.settings.viewMode = 0;
        c.eroticVisible = false;
        const ViewMark mark = shell.Mark();
        if (mark == ViewMark::Main || mark == ViewMark::None) ShowWholeMainList(shell, ui);
    } else {
        c.settings.viewMode = 1;
    }
    c.settings.formatConversion = Flag(choice.formatConversion);
    c.settings.autoSave = Flag(choice.autoSave);
    c.settings.autoBackup = Flag(choice.autoBackup);
    c.settings.autoImdb = Flag(choice.autoImdb);
    c.settings.titleCorrection = Flag(choice.titleCorrection);
    return SaveSettingsFile(writer, std::filesystem::path(shell.DataDirectory()) / std::string(kSettingsFileName),
                            c.settings, error);
}

}  // namespace cl
