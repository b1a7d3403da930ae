// The add/edit movie dialog without its window: which of its situations the shared state describes, how its
// controls start, and what Save and Cancel change in the collection, the list box and the view.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/base/Prompts.h"
#include "ui/Dialogs.h"
#include "ui/Workbench.h"

namespace cl {

// What the user may type into each control. Save reads each control up to the reader limit of its field's file
// (kMainTitleMax, ..., kCommentMax), so whatever arrives in a control can be written and read back.
inline constexpr std::size_t kTitleTypedMax = 100;
inline constexpr std::size_t kCategoryTypedMax = 20;
inline constexpr std::size_t kLocationTypedMax = 20;
inline constexpr std::size_t kMediumTypedMax = 20;

inline constexpr std::string_view kAddEditCaption = "Movie Addition/Editing...";

// The mode of Add and of Edit for the view the main list shows.
AddEditMode AddModeFor(const View& view);
AddEditMode EditModeFor(const View& view);

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

AddEditSetup PrepareAddEdit(const Collection& c, const AddEditRequest& request);

// What the controls held when Save was pressed, before any fill-in or formatting.
struct AddEditInput {
    std::string title;
    std::string category;
    std::string presence;
    std::string location;
    std::string medium;
    std::string comments;
};

// Save: checks the input, fills in "Default" and "Unknown", formats title and location, and changes the lists,
// the side stores and the main list as the mode asks; the date of entry is the workbench clock's. `prompts` are
// the dialog's own message boxes, so that they come up above it and give the focus back to it. Nothing when the
// dialog stays open (a message was shown, nothing changed).
std::optional<AddEditOutcome> SaveAddEdit(Workbench& w, Prompts& prompts, const AddEditRequest& request,
                                          const AddEditInput& input);

// Runs the add/edit dialog for a command, then: an Auto-IMDb add opens the Movie Info dialog on the new movie
// (which Save made the current movie) with AutoRetrieve set while it runs and clears the current movie after it;
// the main list box gets the focus back.
void RunAddEdit(Workbench& w, const AddEditRequest& request);

// Why a field cannot be stored as typed, or nullopt when it can. The main list file separates fields by "|" and
// records by line ends, and a title "end" would end its list when the file is read, so such values are refused
// (the user sees what to change) rather than altered behind the user's back. Comments are not checked here: the
// comment store keeps them on one line, a line break becoming a blank.
std::optional<std::string> AddEditFieldProblem(const AddEditInput& formatted, bool upcomingEntry);

}  // namespace cl
