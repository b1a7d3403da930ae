// The modal dialogs as the commands open them: each takes what it needs and returns what happened. The main
// window runs the real dialogs; the tests answer for them.
#pragma once

#include <optional>
#include <string>

#include "media/MediaRecord.h"
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

// The system's open and save file dialogs for exchange files: every file shown ("All Files (*.*)"), "txt" added
// when no extension is typed; opening wants an existing path and file, saving asks before overwriting. The path
// chosen, nothing when cancelled.
class FileChooser {
  public:
    virtual ~FileChooser() = default;
    virtual std::optional<std::string> OpenFile() = 0;
    virtual std::optional<std::string> SaveFile() = 0;
};

class Dialogs : public FileChooser {
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
    // 208 "Movie List Exchange..." over the program's import list (ProgramState::importList), owned by the window
    // the user is in (the Externals or Server Status dialog); its logic is ui/ListExchange's ExchangeDialog. It
    // empties the list when it closes.
    virtual void MovieListExchange() = 0;
    // 234 "Movie Import Info..." showing an offered movie, copied into the media scratch, over the window the user
    // is in (the Movie List Exchange dialog).
    virtual void ImportInfo(const MediaScratch& offered) = 0;
};

}  // namespace cl
