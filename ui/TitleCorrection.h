// Title correction: after a database look-up, the movie takes the title the database gives it, everywhere it is
// kept — the Main Movie List (same number), its comment, history, media details and database record — and the main
// list box shows it selected.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "model/Collection.h"
#include "model/base/Prompts.h"
#include "ui/MainList.h"

namespace cl {

inline constexpr std::string_view kCorrectionDuplicateMessage = "Movie Already Exists; Unabled To Correct Title.";

// A database title longer than this enters the list cut to kCorrectedTitleCut characters and "...".
inline constexpr std::size_t kCorrectedTitleMax = 100;
inline constexpr std::size_t kCorrectedTitleCut = 96;

// The title the list takes for a database title.
std::string CorrectedTitle(std::string_view databaseTitle);

enum class CorrectionOutcome {
    Corrected,  // the movie has its new title everywhere; the Main view shows it selected
    Duplicate,  // another movie has that title: the message was shown and the movie kept its old title and place
    Skipped,    // nothing to do: the movie is not in the Main Movie List, the page had no title ("NA"), or the
                // title cannot be a list entry
};

// Renames `movie` (the current movie; its title, comments and list values) to the corrected database title.
// Messages and the Upcoming question go to `prompts`.
CorrectionOutcome CorrectTitle(Collection& c, MainList& list, CurrentMovie& movie, std::string_view databaseTitle,
                               Prompts& prompts);

}  // namespace cl
