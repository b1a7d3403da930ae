// The Movie Info dialog's decisions: layouts, access, what each page shows, the Internal update and closing.
#include "ui/MovieInfo.h"

#include "imdb/PageScan.h"
#include "ui/Retrieval.h"

namespace cl {
namespace {

// The Upcoming and Internal Gimme lists carry no category, presence, medium, number or comments worth showing.
bool ShowsEntryDetails(const View& view) {
    return view.kind != ViewKind::Upcoming && view.kind != ViewKind::InternalGimme;
}

std::string Shown(const std::optional<std::string>& field, std::string_view sentinel = {}) {
    if (!field || (!sentinel.empty() && *field == sentinel)) return {};
    return *field;
}

}  // namespace

TabLayout LayoutOf(MovieInfoTab tab, int openingWidth) {
    switch (tab) {
        case MovieInfoTab::Imdb:
            return {{openingWidth, 425}, {473, 370}, {450, 340}, false};
        case MovieInfoTab::History:
            return {{350, 256}, {320, 204}, {310, 166}, false};
        case MovieInfoTab::Media:
            return {{360, 315}, {333, 269}, {320, 235}, true};
        case MovieInfoTab::Entry:
            break;
    }
    return {{378, 256}, {351, 204}, {340, 166}, false};
}

bool TabAllowedIn(MovieInfoTab tab, const View& view) {
    return tab == MovieInfoTab::Entry || view.ShowsMainList();
}

std::optional<TabLayout> ChangeTab(MovieInfoTab tab, const View& view, int openingWidth, Prompts& dialogPrompts) {
    if (!TabAllowedIn(tab, view)) {
        dialogPrompts.ShowMessage(kNoAccessMessage, kSystemCaption, MessageIcon::Stop);
        return std::nullopt;
    }
    return LayoutOf(tab, openingWidth);
}

bool OpensOnImdbTab(bool autoRetrieve, const View& view) {
    return autoRetrieve && view.kind != ViewKind::InternalGimme && view.kind != ViewKind::ImportedGimme;
}

EntryPage EntryPageFor(const CurrentMovie& movie, const View& view) {
    EntryPage page;
    page.movie = movie.title.value_or("");
    page.location = movie.location.value_or("");
    page.labelsEnabled = ShowsEntryDetails(view);
    if (page.labelsEnabled) {
        page.category = movie.category.value_or("");
        page.status = movie.presence.value_or("");
        page.medium = movie.medium.value_or("");
        page.number = std::to_string(movie.number);
        page.comments = movie.comments.value_or("");
    }
    return page;
}

HistoryPage HistoryPageFor(const HistoryStore& history, const CurrentMovie& movie) {
    const std::string title = movie.title.value_or("");
    return {movie.dateOfEntry.value_or(""), movie.views.value_or(""), history.LoanLines(title)};
}

MediaPageValues MediaPageValuesOf(const MediaFields& f) {
    return {Shown(f.format),       Shown(f.width),     Shown(f.height), Shown(f.length),
            Shown(f.videoBitRate), Shown(f.frameRate), Shown(f.codec),  Shown(f.audioBitRate),
            Shown(f.audioCodec),   Shown(f.channels),  Shown(f.samples)};
}

std::optional<MediaPage> MediaPageFor(const MediaScratch& media) {
    if (!media.fields.title) return std::nullopt;
    return MediaPage{MediaPageValuesOf(media.fields), Shown(media.fields.cds)};
}

ImdbPageValues ShownImdbValues(const CurrentImdbInfo& info) {
    return {Shown(info.title),
            Shown(info.director),
            Shown(info.tagline, kNoTagline),
            Shown(info.plot, kNoSummary),
            Shown(info.genre, kNoGenre),
            Shown(info.actors),
            Shown(info.language, kNoLanguage),
            Shown(info.runtime, kNoRuntime),
            Shown(info.year)};
}

std::optional<ImdbPageValues> ImdbPageFor(const ImdbStore& store, std::string_view movieTitle,
                                          CurrentImdbInfo& current) {
    if (!current.title && !store.LoadCurrent(movieTitle, current)) return std::nullopt;
    return ShownImdbValues(current);
}

bool StoreInternalEdits(ImdbStore& store, const CurrentMovie& movie, CurrentImdbInfo& current,
                        const ImdbPageValues& typed) {
    ImdbStore::ClearCurrent(current);
    current.title = typed.title;
    current.director = typed.director;
    current.tagline = typed.tagline;
    current.plot = typed.plot;
    current.genre = typed.genre;
    current.actors = typed.actors;
    current.language = typed.language;
    current.runtime = typed.runtime;
    current.year = typed.year;
    CurrentImdbInfo record = current;
    record.number = std::to_string(movie.number);
    return store.Put(ImdbKey(movie.title.value_or("")), record);
}

bool DateOfEntryValid(std::string_view typed) {
    typed = typed.substr(0, kDateOfEntryReadMax);
    const auto slashAt = [typed](std::size_t i) { return i < typed.size() && typed[i] == '/'; };
    return typed.size() <= kDateOfEntryEditMax && slashAt(4) && (slashAt(6) || slashAt(7));
}

bool CloseMovieInfo(Collection& c, ProgramState& state, const View& view, std::string_view typedDate,
                    std::string_view typedViews, std::string_view dataDirectory, Prompts& dialogPrompts) {
    if (view.ShowsMainList()) {
        if (!DateOfEntryValid(typedDate)) {
            dialogPrompts.ShowMessage(kDateFormatMessage, kSystemCaption, MessageIcon::Stop);
            return false;
        }
        c.history.AddOrUpdate(state.currentMovie.title.value_or(""), typedDate.substr(0, kDateOfEntryReadMax),
                              typedViews.substr(0, kViewsEditMax));
    }
    state.currentMovie.Clear();
    ImdbStore::ClearCurrent(state.currentImdb);
    state.currentMedia.Clear();
    // A title search whose chosen title was refused as a duplicate leaves its pages behind; nothing reads them now.
    RemoveSavedPages(dataDirectory);
    return true;
}

std::optional<int> ParseCdCount(std::string_view typed) {
    if (typed.empty() || typed[0] < '0' || typed[0] > '9') return std::nullopt;
    return typed[0] - '0';
}

}  // namespace cl
