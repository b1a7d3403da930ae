// Loading the current movie with its details.
#include "ui/ProgramState.h"

#include "model/ListOperations.h"

namespace cl {

bool LoadMovieWithDetails(const Collection& c, std::string_view title, bool forEditing, CurrentMovie& movie,
                          MediaScratch& media) {
    movie.Clear();
    media.Clear();
    const bool found = forEditing ? LoadMainForEditing(c.main, title, movie) : LoadMainForDisplay(c.main, title, movie);
    if (!found) {
        movie.title = std::string(title);
        movie.number = 0;
    }
    c.comments.LoadIntoCurrent(title, movie.comments);
    c.history.LoadIntoCurrent(title, movie.dateOfEntry, movie.views);
    c.media.LookupIntoScratch(title, media);
    return found;
}

}  // namespace cl
