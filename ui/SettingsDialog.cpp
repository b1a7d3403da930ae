// The Settings dialog's decisions.
#include "ui/SettingsDialog.h"

#include <filesystem>

#include "model/ListOperations.h"
#include "model/MainListFile.h"
#include "model/base/NativePath.h"
#include "model/base/Title.h"

namespace cl {
namespace {

std::int16_t Flag(bool on) {
    return on ? 1 : 0;
}

}  // namespace

SettingsChoice SettingsOnOpening(const AppSettings& s) {
    return SettingsChoice{s.viewMode == 1,   s.formatConversion == 1, s.autoSave == 1,
                          s.autoBackup == 1, s.autoImdb == 1,         s.titleCorrection == 1};
}

SimpleDialog RatedXPasswordDialog(const Collection& c) {
    return SameTitle(c.password, kNoPassword) ? SimpleDialog::PasswordChange : SimpleDialog::PasswordEntry;
}

bool RatedXAfterPassword(Collection& c, MainList& list) {
    if (c.eroticVisible) return true;  // the main window already shows the category "Erotic"
    c.settings.viewMode = 0;
    list.ShowKeepingMark(View::Main());
    return false;
}

bool ApplySettings(Collection& c, MainList& list, const SettingsChoice& choice, FileWriter& writer,
                   const std::string& dataDirectory, std::string& error) {
    if (!choice.ratedX) {
        c.settings.viewMode = 0;
        c.eroticVisible = false;
        if (list.CurrentView().ShowsMainList()) list.ShowKeepingMark(View::Main());
    } else {
        c.settings.viewMode = 1;
    }
    c.settings.formatConversion = Flag(choice.formatConversion);
    c.settings.autoSave = Flag(choice.autoSave);
    c.settings.autoBackup = Flag(choice.autoBackup);
    c.settings.autoImdb = Flag(choice.autoImdb);
    c.settings.titleCorrection = Flag(choice.titleCorrection);
    return SaveSettingsFile(writer, PathFromNative(dataDirectory) / std::string(kSettingsFileName), c.settings, error);
}

}  // namespace cl
