// Presence changes and loans: the location the presence dialog (108) stores, the loan history lines, the change
// of the selected movies with its summary (102), and the refill of the main list that follows.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/base/Date.h"
#include "ui/ListMenus.h"
#include "ui/MainList.h"

namespace cl {

inline constexpr std::size_t kPresenceLocationMax = 30;  // characters read from the dialog's combo
inline constexpr std::size_t kPresenceLocationTyped = 20;

// The location as it is stored: "Default" for an empty text, then the entry formatting (with Format Conversion).
std::string PresenceLocation(std::string_view typed, bool formatConversion);

// "%i/%i/%i: returned to %s." when movies become present, "%i/%i/%i: loaned to %s." when they become absent;
// `date` is already "%i/%i/%i".
std::string LoanHistoryLine(std::string_view date, std::string_view location, bool present);

enum class PresenceChangeKind { SelectionAbsent, SelectionPresent, AllPresent, AllAbsent };

// What the summary dialog (102) shows after the selected movies changed.
struct RelocationSummary {
    std::array<std::string, kMaxSelectedLines> titles;  // the ten slots; those beyond the selection empty
    std::string location;
    std::string status;  // "Present" or "Absent"
};

// One run of the presence dialog: what it asks for, and what its Save does.
class PresenceChange {
  public:
    PresenceChange(Collection& c, MainList& list, Clock& clock, PresenceChangeKind kind,
                   std::vector<std::string> selection);

    const std::vector<std::string>& KnownLocations() const { return c_.knownLocations.Values(); }
    bool ChangesSelection() const;
    // Save: stores the location (formatted, "Default" when empty) and appends it to the known locations. A change
    // of the selection also sets presence and location of every selected title the Main Movie List holds (the
    // others are skipped), adds the loan line to each one's history, and returns what the summary shows. The
    // "all" kinds leave the movies to the command that opened the dialog.
    std::optional<RelocationSummary> Save(std::string_view typed);
    // After the summary: the main list box refilled for its view. In the Imported Gimme view the selected titles
    // leave that list (the movies went to the friend who asked for them).
    void RefillAfterSummary();
    const std::string& Location() const { return location_; }

  private:
    Collection& c_;
    MainList& list_;
    Clock& clock_;
    PresenceChangeKind kind_;
    std::vector<std::string> selection_;
    std::string location_;
};

}  // namespace cl
