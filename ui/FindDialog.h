// What the Find dialog and its search results decide: which search the options allow in the current view, the
// selection that follows the typed text, what TRACK does for each kind of search, and how a result line becomes
// the movie the Movie Info dialog shows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/MainListFile.h"
#include "ui/Dialogs.h"
#include "ui/MainList.h"
#include "ui/ProgramState.h"

namespace cl {

inline constexpr std::size_t kFindEditLimit = 40;  // characters the search edit takes
inline constexpr int kFindStartSensitivity = 3;    // the slider's position each time the dialog opens
inline constexpr std::string_view kNoMatchMessage = "No Match Found.";
inline constexpr std::string_view kFindErrorCaption = "Error";

// The search the checked option asks for; None while the options are disabled (Upcoming and Gimme views).
enum class FindMode { None, Titles, Numbers, Actors, Directors };

// The options only make sense for the Main Movie List and its filtered views: in the Upcoming and Gimme views
// only the title search by typing works.
bool FindOptionsEnabled(ViewMark mark);

// Every change of the search text: selects the first line of the main list beginning with the text (letter case
// ignored) and shows the selection count "1"; nothing when no line begins with it.
void FindTypedText(MainList& list, std::string_view text);

// What the dialog does after TRACK.
enum class FindTrackOutcome {
    Close,        // the work is done (or was done while typing)
    NoMatch,      // show kNoMatchMessage and keep the dialog open
    ShowResults,  // the query is set: hide the dialog, open the search results, then close
};

// TRACK. Numbers: selects the movie with that number when the view shows it. Actors and Directors: stores the
// query (text and sensitivity level) for the results dialog.
FindTrackOutcome FindTrack(Collection& c, MainList& list, FindMode mode, std::string_view text, int level);

// The search text as a number, read as the C library's atoi reads it (leading blanks, a sign, digits up to the
// first other character) but held within 32 bits instead of overflowing.
std::int32_t ParseSearchNumber(std::string_view text);

// The movie title a search result line names: the line without its "CineLedger: " prefix.
std::string_view ResultLineTitle(std::string_view line);

// Double-click on a result: makes the line's movie the current movie (its Main Movie List record, comments and
// history; its media details into the media scratch) and opens the Movie Info dialog.
void OpenResultMovieInfo(const Collection& c, ProgramState& state, Dialogs& dialogs, std::string_view line);

}  // namespace cl
