// The add/edit movie dialog without its window: which of its situations the shared state describes, how its
// controls start, and what Save and Cancel change in the collection, the list box and the view.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/MainShell.h"
#include "ui/Prompts.h"

namespace cl {

// What the user may type into each control, and how much of each control is read back on Save. Each read limit
// is the reader limit of the field's file, so whatever arrives in a control can be written and read back.
inline constexpr std::size_t kTitleTypedMax = 100;
inline constexpr std::size_t kCategoryTypedMax = 20;
inline constexpr std::size_t kLocationTypedMax = 20;
inline constexpr std::size_t kMediumTypedMax = 20;
inline constexpr std::size_t kTitleReadMax = 109;
inline constexpr std::size_t kCategoryReadMax = 29;
inline constexpr std::size_t kPresenceReadMax = 9;
inline constexpr std::size_t kLocationReadMax = 30;
inline constexpr std::size_t kMediumReadMax = 30;
inline constexpr std::size_t kCommentsReadMax = 509;

inline constexpr std::string_view kAddEditCaption = "Movie Addition/Editing...";

// The situations the dialog serves, told apart by the flags and the view when it opens.
enum class AddEditMode {
    AddMain,                // Add with the Main view marked (the Add command marks it over a filtered view)
    AddUpcoming,            // Add in the Upcoming view
    MainShift,              // an upcoming movie added to the Main Movie List
    EditMain,               // Edit with the Main view marked: the whole list, or a location view of it
    EditUpcoming,           // Edit in the Upcoming view
    EditCategoryView,       // Edit with no view marked and a category as the caption
    EditPresenceView,       // Edit with no view marked and "Present" or "Absent" as the caption
    EditUpcomingLocations,  // Edit from the Upcoming Locations dialog
    NothingToStore,         // adding in a filtered view, or anything in a Gimme view: Save closes, nothing is stored
};

// Order matters: the edit flag stays as its last command left it, so the two flags that only live while their
// command runs are asked first.
AddEditMode AddEditModeFor(const MainShell& shell);

// How one drop-down starts.
enum class ComboStart {
    Nothing,  // no entry selected
    First,    // the first entry (the lists are sorted, so the first in their order)
    Text,     // the entry with this text; a typed combo shows the text even when no entry has it
};

struct ComboSetup {
    ComboStart start = ComboStart::Nothing;
    std::string text;
    bool enabled = true;
};

// Everything the dialog shows when it opens.
struct AddEditSetup {
    std::string title;
    std::string location;
    std::string comments;
    std::vector<std::string> categories;  // the known categories, in their order (the combo sorts them)
    std::vector<std::string> presences;   // "Present", "Absent"
    std::vector<std::string> media;       // the known media
    ComboSetup category;
    ComboSetup presence;
    ComboSetup medium;
    bool commentsEnabled = true;
};

// `c.current` holds the movie being edited (or the upcoming title of a Main Shift).
AddEditSetup PrepareAddEdit(const Collection& c, AddEditMode mode);

// What the controls held when Save was pressed, before any fill-in or formatting.
struct AddEditInput {
    std::string title;
    std::string category;
    std::string presence;
    std::string location;
    std::string medium;
    std::string comments;
};

// The dialog's own messages and questions: owned by the dialog, so that they come up above it and give the focus
// back to it.
enum class AddEditOutcome {
    StayOpen,          // a message was shown; nothing changed
    Close,             // done
    CloseForMovieInfo  // done, and Auto-IMDb wants the Movie Info dialog on the new movie once this one closes
};

// Save: checks the input, fills in "Default" and "Unknown", formats title and location, and changes the lists,
// the side stores, the list box and the view as the mode asks. `today` is the date of entry ("%i/%i/%i", UTC).
// `ui` is the main window (its list box and status fields), `prompts` the dialog.
AddEditOutcome SaveAddEdit(MainShell& shell, ShellUi& ui, Prompts& prompts, AddEditMode mode,
                           const AddEditInput& input, std::string_view today);

// Cancel: a Main Shift puts the mark back on the Upcoming view.
void CancelAddEdit(MainShell& shell, AddEditMode mode);

// Once the dialog has ended (after Save or Cancel): an Auto-IMDb add opens the Movie Info dialog on the new movie
// (SaveAddEdit loaded it as the current movie) with autoRetrieve set while it runs, and clears the current movie
// after it; then the main list box gets the focus back, unless the Upcoming Locations dialog, still open below,
// opened this one.
void FinishAddEdit(MainShell& shell, ShellUi& ui, AddEditMode mode, AddEditOutcome outcome);

// Why a field cannot be stored as typed, or nullopt when it can. The main list file separates fields by "|" and
// records by line ends, and a title "end" would end its list when the file is read, so such values are refused
// (the user sees what to change) rather than altered behind the user's back. Comments are not checked here: the
// comment store keeps them on one line, a line break becoming a blank.
std::optional<std::string> AddEditFieldProblem(const AddEditInput& formatted, bool upcomingEntry);

}  // namespace cl
