// The modal dialogs as the commands open them: each takes what it needs and returns what happened. The main
// window runs the real dialogs; the tests answer for them.
#pragma once

#include <optional>
#include <string>

#include "model/MovieList.h"

namespace cl {

// The dialogs that take nothing but the collection and the main list and return nothing, by resource number.
enum class SimpleDialog {
    MainLocations = 103,
    Find = 110,
    About = 112,
    Externals = 113,
    Quarantine = 114,
    PasswordEntry = 115,
    PasswordChange = 116,
    UpcomingLocations = 117,
    ServerStatus = 121,
    ExportSource = 123,
    ReadHelp = 124,
    Settings = 210,
    Skins = 226,
    CategorySearch = 229,
    Print = 0,  // the print dialog of the system
};

// The situations the add/edit dialog serves.
enum class AddEditMode {
    AddMain,                // Add with the Main view marked (the Add command marks it over a filtered view)
    AddUpcoming,            // Add in the Upcoming view
    MainShift,              // an upcoming movie added to the Main Movie List
    EditMain,               // Edit with the Main view marked: the whole list, or a location view of it
    EditUpcoming,           // Edit in the Upcoming view
    EditCategoryView,       // Edit in a view by category
    EditPresenceView,       // Edit in the view of the present or the absent movies
    EditUpcomingLocations,  // Edit from the Upcoming Locations dialog
    NothingToStore,         // Edit in a Gimme view: Save closes, nothing is stored
};

struct AddEditRequest {
    AddEditMode mode = AddEditMode::AddMain;
    CurrentMovie movie;  // the movie being edited, or the upcoming title of a Main Shift
};

enum class AddEditOutcome {
    Cancelled,
    Saved,
    SavedForMovieInfo,  // Auto-IMDb wants the Movie Info dialog on the new movie once this one has closed
};

class PresenceChange;

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // 106.
    virtual AddEditOutcome AddEdit(const AddEditRequest& request) = 0;
    // 108: the location given (stored form), nothing when cancelled. For a change of the selected movies the
    // dialog has changed them, shown the summary (102) and refilled the main list before it returns.
    virtual std::optional<std::string> ChangePresence(PresenceChange& change) = 0;
    // 125 on the program's current movie.
    virtual void MovieInfo() = 0;
    virtual void Open(SimpleDialog dialog) = 0;
};

}  // namespace cl
