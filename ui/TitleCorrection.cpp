// Title correction: the movie renamed to the database's title in the list and in every store keyed by its title.
#include "ui/TitleCorrection.h"

#include <optional>

#include "imdb/ImdbStore.h"
#include "imdb/PageScan.h"
#include "model/ListOperations.h"
#include "ui/AddEdit.h"
#include "ui/MovieInfo.h"

namespace cl {

std::string CorrectedTitle(std::string_view databaseTitle) {
    if (databaseTitle.size() <= kCorrectedTitleMax) return std::string(databaseTitle);
    return std::string(databaseTitle.substr(0, kCorrectedTitleCut)) + "...";
}

CorrectionOutcome CorrectTitle(Collection& c, MainList& list, CurrentMovie& movie, std::string_view databaseTitle,
                               Prompts& prompts) {
    const std::string oldTitle = movie.title.value_or("");
    const std::string newTitle = CorrectedTitle(databaseTitle);
    // A page without a usable title must not turn the movie into an entry the list file cannot hold, nor rename it
    // to the word the scanner answers for a page without a title.
    AddEditInput asTyped;
    asTyped.title = newTitle;
    if (newTitle.empty() || newTitle == kNoTitle || AddEditFieldProblem(asTyped, true))
        return CorrectionOutcome::Skipped;

    std::optional<MovieRecord> old = c.main.Remove(oldTitle);  // its number stays taken: the movie keeps it
    if (!old) return CorrectionOutcome::Skipped;
    const MainMovieValues values{newTitle, old->category.value_or(""), old->presence.value_or(""),
                                 old->location.value_or(""), old->medium.value_or("")};
    if (!InsertMainMovie(c.main, values, old->number)) {
        c.main.InsertOrdered(std::move(*old));
        prompts.ShowMessage(kCorrectionDuplicateMessage, kSystemCaption, MessageIcon::Stop);
        return CorrectionOutcome::Duplicate;
    }
    if (c.upcoming.Contains(newTitle) &&
        prompts.AskQuestion("Remove \"" + newTitle + "\" From Upcoming List?", kConfirmationCaption))
        RemoveUpcomingMovie(c.upcoming, newTitle);

    c.comments.Remove(oldTitle);
    if (movie.comments && !movie.comments->empty()) c.comments.Set(newTitle, *movie.comments);
    c.history.Rename(oldTitle, newTitle);
    c.media.Rename(oldTitle, newTitle);
    c.imdb.Rekey(ImdbKey(oldTitle), ImdbKey(newTitle));
    if (movie.title) movie.title = newTitle;

    // The Main Movie List's lines, caption and selection; the View menu's mark is not this command's to move.
    list.ShowKeepingMark(View::Main());
    const int line = list.Box().FindExact(newTitle);
    if (line >= 0) list.Box().SelectOnly(line);
    return CorrectionOutcome::Corrected;
}

}  // namespace cl
