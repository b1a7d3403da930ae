// Presence changes and loans.
#include "ui/Presence.h"

#include "model/GimmeFile.h"
#include "model/base/EntryFormat.h"

namespace cl {

std::string PresenceLocation(std::string_view typed, bool formatConversion) {
    std::string location(typed.substr(0, kPresenceLocationMax));
    if (location.empty()) location = "Default";
    FormatEntry(location, formatConversion);
    return location;
}

std::string LoanHistoryLine(std::string_view date, std::string_view location, bool present) {
    return std::string(date) + (present ? ": returned to " : ": loaned to ") + std::string(location) + ".";
}

PresenceChange::PresenceChange(Collection& c, MainList& list, Clock& clock, PresenceChangeKind kind,
                               std::vector<std::string> selection)
    : c_(c), list_(list), clock_(clock), kind_(kind), selection_(std::move(selection)) {}

bool PresenceChange::ChangesSelection() const {
    return kind_ == PresenceChangeKind::SelectionAbsent || kind_ == PresenceChangeKind::SelectionPresent;
}

std::optional<RelocationSummary> PresenceChange::Save(std::string_view typed) {
    location_ = PresenceLocation(typed, c_.settings.formatConversion);
    c_.knownLocations.Append(location_);
    if (!ChangesSelection()) return std::nullopt;

    const bool present = kind_ == PresenceChangeKind::SelectionPresent;
    for (const std::string& title : selection_)
        SetMainPresence(c_.main, title, location_, present ? PresenceMode::Present : PresenceMode::Absent);
    const std::string line = LoanHistoryLine(clock_.Today(), location_, present);
    for (const std::string& title : selection_) c_.history.AddLoanLine(title, line);

    RelocationSummary summary;
    for (std::size_t i = 0; i < selection_.size() && i < summary.titles.size(); ++i) summary.titles[i] = selection_[i];
    summary.location = location_;
    summary.status = std::string(present ? kPresent : kAbsent);
    return summary;
}

void PresenceChange::RefillAfterSummary() {
    const View& view = list_.CurrentView();
    if (view.kind == ViewKind::ImportedGimme) {
        for (const std::string& title : selection_) RemoveGimmeTitle(c_.importedGimme, title);
    } else if (!view.ShowsMainList()) {
        return;  // the presence entries are grayed there
    }
    list_.Box().Fill(FillFor(view, c_));
}

}  // namespace cl
