// Presence changes and loans.
#include "ui/Presence.h"

#include "model/base/EntryFormat.h"
#include "model/GimmeFile.h"
#include "ui/ListMenus.h"

namespace cl {
namespace {

constexpr std::string_view kMainCaption = "Main Movie List";

}  // namespace

std::string PresenceLocation(std::string_view typed, bool formatConversion) {
    std::string location(typed.substr(0, kPresenceLocationMax));
    if (location.empty()) location = "Default";
    FormatEntry(location, formatConversion);
    return location;
}

std::string LoanHistoryLine(std::string_view date, std::string_view location, bool present) {
    return std::string(date) + (present ? ": returned to " : ": loaned to ") + std::string(location) + ".";
}

bool ChangesSelection(PresenceRequest mode) {
    return mode == PresenceRequest::SelectionAbsent || mode == PresenceRequest::SelectionPresent;
}

RelocationSummary SaveSelectionPresence(MainShell& shell, std::string_view typed, std::string_view date) {
    Collection& c = shell.Data();
    const bool present = shell.presenceMode == PresenceRequest::SelectionPresent;
    shell.presenceLocation = PresenceLocation(typed, c.settings.formatConversion != 0);
    c.knownLocations.Append(shell.presenceLocation);

    const std::vector<std::string> titles = SelectedTitles(shell.selection, shell.selection.mainCount);
    for (const std::string& title : titles)
        SetMainPresence(c.main, title, shell.presenceLocation, present ? PresenceMode::Present : PresenceMode::Absent);
    const std::string line = LoanHistoryLine(date, shell.presenceLocation, present);
    for (const std::string& title : titles) c.history.AddLoanLine(title, line);

    RelocationSummary summary;
    for (std::size_t i = 0; i < titles.size(); ++i) summary.titles[i] = titles[i];
    summary.location = shell.presenceLocation;
    summary.status = present ? "Present" : "Absent";
    return summary;
}

void RefillAfterPresence(MainShell& shell, ShellUi& ui) {
    Collection& c = shell.Data();
    const std::string caption = shell.Status().caption;
    switch (shell.Mark()) {
        case ViewMark::ImportedGimme:
            for (const std::string& title : SelectedTitles(shell.selection, shell.selection.mainCount))
                RemoveGimmeTitle(c.importedGimme, title);
            if (c.importedGimme.Empty())
                ui.ClearList();
            else
                ui.FillList(FillListBox(c.importedGimme, FillVariant::Plain, {}, false));
            break;
        case ViewMark::Main:
            // The Main Locations dialog shows a location of the Main Movie List under the Main mark.
            if (caption == kMainCaption)
                ui.FillList(FillListBox(c.main, FillVariant::All, {}, c.eroticVisible));
            else
                ui.FillList(FillListBox(c.main, FillVariant::ByLocation, caption, c.eroticVisible));
            break;
        case ViewMark::None:
            if (caption == "Present" || caption == "Absent")
                ui.FillList(FillListBox(c.main, FillVariant::ByPresence, caption, c.eroticVisible));
            else if (caption != "Erotic" || c.eroticVisible)  // the By Category view's own guard
                ui.FillList(FillListBox(c.main, FillVariant::ByCategory, caption, true));
            else
                ui.ClearList();
            break;
        case ViewMark::Upcoming:
        case ViewMark::InternalGimme:
            break;  // the presence entries are grayed there
    }
}

void SaveAllPresenceLocation(MainShell& shell, std::string_view typed) {
    Collection& c = shell.Data();
    shell.presenceAllLocation = PresenceLocation(typed, c.settings.formatConversion != 0);
    c.knownLocations.Append(shell.presenceAllLocation);
}

}  // namespace cl
