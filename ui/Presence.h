// Presence changes and loans: the location the presence dialog stores, the loan history lines, the change of the
// selected movies with its summary, and the refill of the main list that follows.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "app/MainShell.h"

namespace cl {

inline constexpr std::size_t kPresenceLocationMax = 30;  // characters read from the dialog's combo
inline constexpr std::size_t kPresenceLocationTyped = 20;

// The location as it is stored: "Default" for an empty text, then the entry formatting (with Format Conversion).
std::string PresenceLocation(std::string_view typed, bool formatConversion);

// "%i/%i/%i: returned to %s." when movies become present, "%i/%i/%i: loaned to %s." when they become absent;
// `date` is already "%i/%i/%i".
std::string LoanHistoryLine(std::string_view date, std::string_view location, bool present);

// What the summary dialog (102) shows after the selected movies changed.
struct RelocationSummary {
    std::array<std::string, SelectionBuffer::kSlots> titles;  // the ten slots; those beyond the count empty
    std::string location;
    std::string status;  // "Present" for mode 1, "Absent" for every other mode
};

// Save with mode 0 or 1: stores the location (formatted, "Default" when empty) in the shared buffer and the known
// locations; sets presence and location of every selected title the Main Movie List holds (the others are
// skipped) and adds the loan line of `date` to each selected title's history.
RelocationSummary SaveSelectionPresence(MainShell& shell, std::string_view typed, std::string_view date);

// After the summary: refills the main list box for the current view. In the Imported Gimme view the selected titles
// leave that list (the movies went to the friend who asked for them). The caller then shows the count.
void RefillAfterPresence(MainShell& shell, ShellUi& ui);

// Save with mode 3 or 4: only stores the location for all lines (formatted, "Default" when empty) and appends it
// to the known locations; the command that opened the dialog changes the movies.
void SaveAllPresenceLocation(MainShell& shell, std::string_view typed);

// True for the modes that change the selected movies (0 and 1), false for the "all" modes.
bool ChangesSelection(PresenceRequest mode);

}  // namespace cl
