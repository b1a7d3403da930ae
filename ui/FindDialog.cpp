// The Find dialog's and the search results' decisions.
#include "ui/FindDialog.h"

#include <algorithm>
#include <limits>

#include "imdb/ImdbStore.h"
#include "model/ListOperations.h"

namespace cl {

bool FindOptionsEnabled(ViewMark mark) {
    return mark != ViewMark::Upcoming && mark != ViewMark::InternalGimme && mark != ViewMark::ImportedGimme;
}

void FindTypedText(MainList& list, std::string_view text) {
    const int line = list.Box().FindStartingWith(text.substr(0, kMainTitleMax));
    if (line < 0) return;
    list.Box().SelectOnly(line);
    list.SetSelectionCount("1");
}

std::int32_t ParseSearchNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    std::int64_t value = 0;
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > kLimit) value = kLimit;
    }
    if (negative) return static_cast<std::int32_t>(-value);
    return static_cast<std::int32_t>(std::min<std::int64_t>(value, std::numeric_limits<std::int32_t>::max()));
}

FindTrackOutcome FindTrack(Collection& c, MainList& list, FindMode mode, std::string_view text, int level) {
    switch (mode) {
        case FindMode::Numbers: {
            CurrentMovie found;
            if (!FindMainByNumber(c.main, ParseSearchNumber(text), found)) return FindTrackOutcome::NoMatch;
            // The view may not show the movie (a filtered view, or the lock hides it): then nothing is selected.
            const int line = list.Box().FindExact(*found.title);
            if (line >= 0) {
                list.Box().SelectOnly(line);
                list.SetSelectionCount("1");
            }
            return FindTrackOutcome::Close;
        }
        case FindMode::Actors:
        case FindMode::Directors: {
            ImdbQuery& query = c.imdb.query;
            const std::string cut(text.substr(0, kSearchTextMax));
            if (mode == FindMode::Actors) {
                query.actorText = cut;
                query.searchKind = ImdbQuery::kActorSearch;
            } else {
                query.directorText = cut;
                query.searchKind = ImdbQuery::kDirectorSearch;
            }
            query.sensitivity = level;
            return FindTrackOutcome::ShowResults;
        }
        case FindMode::Titles:
        case FindMode::None:
            break;  // the title search happened while typing
    }
    return FindTrackOutcome::Close;
}

std::string_view ResultLineTitle(std::string_view line) {
    return line.size() <= kImdbKeyPrefix.size() ? std::string_view{} : line.substr(kImdbKeyPrefix.size());
}

void OpenResultMovieInfo(const Collection& c, ProgramState& state, Dialogs& dialogs, std::string_view line) {
    LoadMovieWithDetails(c, ResultLineTitle(line), false, state.currentMovie, state.currentMedia);
    dialogs.MovieInfo();
}

}  // namespace cl
