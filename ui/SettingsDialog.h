// The Settings dialog without its window: what it shows on opening, what choosing Rated-X leads to, and what
// Apply changes and writes.
#pragma once

#include <string>

#include "model/Settings.h"
#include "model/base/FileWriter.h"
#include "ui/Dialogs.h"
#include "ui/MainList.h"

namespace cl {

inline constexpr std::string_view kSettingsFileName = "Settings.dat";

// The dialog's controls: the view mode radio buttons and the five check boxes.
struct SettingsChoice {
    bool ratedX = false;
    bool formatConversion = false;
    bool autoSave = false;
    bool autoBackup = false;
    bool autoImdb = false;
    bool titleCorrection = false;
    bool operator==(const SettingsChoice&) const = default;
};

// On opening: Rated-X when the view mode is 1, otherwise PG-13; each box ticked whose switch is 1.
SettingsChoice SettingsOnOpening(const AppSettings& settings);

// The password dialog that choosing Rated-X opens: Password Entry, or Password Change while no password has been
// set yet ("nolockx"), as Ctrl+X does; there is no password to enter then.
SimpleDialog RatedXPasswordDialog(const Collection& c);

// After that dialog: true when the lock is open, and Rated-X stays chosen. Otherwise the view mode becomes 0 and
// the main list box shows the whole Main Movie List under "Main Movie List"; false, and the dialog shows PG-13.
bool RatedXAfterPassword(Collection& c, MainList& list);

// Apply: PG-13 closes the lock and, when the main window shows the Main Movie List or a filtered view of it,
// refills it with the whole Main Movie List (the View menu marks stay); Rated-X keeps view mode 1. The switches
// are taken from the boxes and "Settings.dat" is written in the data directory (which ends in a separator). A
// failed write is not reported to the user; false and `error` say why.
bool ApplySettings(Collection& c, MainList& list, const SettingsChoice& choice, FileWriter& writer,
                   const std::string& dataDirectory, std::string& error);

}  // namespace cl
