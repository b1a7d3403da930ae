// Main and Upcoming list operations, number assignment and list-box filling.
#include "model/ListOperations.h"

namespace cl {

namespace {

std::optional<std::string> Copy(const std::optional<std::string>& s) {
    return s;
}

bool FieldIs(const std::optional<std::string>& field, std::string_view value) {
    return field.has_value() && SameTitle(*field, value);
}

}  // namespace

bool InsertMainMovie(MovieList& main, const MainMovieValues& v, std::int32_t number) {
    return main.InsertOrderedWith(v.title, [&](MovieRecord& r) {
        r.category.emplace(v.category);
        r.presence.emplace(v.presence);
        r.location.emplace(v.location);
        r.medium.emplace(v.medium);
        r.number = number;
    }) == 0;
}

bool RemoveMainMovie(MovieList& main, FreeNumberPool& pool, std::string_view title, bool keepNumber) {
    std::optional<MovieRecord> removed = main.Remove(title);
    if (!removed) return false;
    if (!keepNumber) pool.Add(removed->number);
    return true;
}

bool FindMainByNumber(const MovieList& main, std::int32_t number, CurrentMovie& current) {
    const MovieRecord* r = main.FindByNumber(number);
    if (!r) return false;
    current.title = r->title;
    return true;
}

bool LoadMainForDisplay(const MovieList& main, std::string_view title, CurrentMovie& current) {
    if (!LoadMainForEditing(main, title, current)) return false;
    if (current.location && current.location->empty()) current.location = "Indeterminate";
    return true;
}

bool LoadMainForEditing(const MovieList& main, std::string_view title, CurrentMovie& current) {
    const MovieRecord* r = main.Find(title);
    if (!r) return false;
    current.title = r->title;
    current.category = Copy(r->category);
    current.presence = Copy(r->presence);
    current.location = Copy(r->location);
    current.medium = Copy(r->medium);
    current.number = r->number;
    return true;
}

void LoadMainForImported(const MovieList& main, std::string_view title, CurrentMovie& current) {
    const MovieRecord* r = main.Find(title);
    if (!r) {
        current.title = std::string(title);
        current.category = "Unknown";
        current.presence = "Unknown";
        current.location = "Unknown";
        current.number = 0;
        return;
    }
    current.title = r->title;
    current.category = Copy(r->category);
    current.presence = Copy(r->presence);
    current.location = Copy(r->location);
    current.number = r->number;
}

bool SetMainPresence(MovieList& main, std::string_view title, std::string_view location, PresenceMode mode) {
    MovieRecord* r = main.FindMutable(title);
    if (!r) return false;
    r->presence = std::string(mode == PresenceMode::Present ? kPresent : kAbsent);
    r->location = std::string(location);
    return true;
}

std::string MissingTitleMessage(std::string_view title) {
    return "\"" + std::string(title) + "\" Does Not Exist In Your Movie List; Skipping To Next.";
}

std::int32_t AssignMainNumber(FreeNumberPool& pool, const MovieList& main) {
    std::int32_t number = pool.Take();
    if (number == 0) number = static_cast<std::int32_t>(main.Count()) + 1;
    return number;
}

bool InsertNewMainMovie(MovieList& main, FreeNumberPool& pool, const MainMovieValues& values, std::int32_t& number) {
    const bool fromPool = !pool.Empty();
    number = AssignMainNumber(pool, main);
    if (InsertMainMovie(main, values, number)) return true;
    if (fromPool) pool.Add(number);
    return false;
}

bool InsertUpcomingMovie(MovieList& upcoming, std::string_view title, std::string_view category,
                         std::string_view location) {
    return upcoming.InsertOrderedWith(title, [&](MovieRecord& r) {
        r.category.emplace(category);
        r.location.emplace(location);
    }) == 0;
}

bool RemoveUpcomingMovie(MovieList& upcoming, std::string_view title) {
    return upcoming.Remove(title).has_value();
}

bool LoadUpcoming(const MovieList& upcoming, std::string_view title, CurrentMovie& current) {
    const MovieRecord* r = upcoming.Find(title);
    if (!r) return false;
    current.title = r->title;
    current.category = Copy(r->category);
    current.location = Copy(r->location);
    return true;
}

bool LoadUpcomingTitleAndLocation(const MovieList& upcoming, std::string_view title, CurrentMovie& current) {
    const MovieRecord* r = upcoming.Find(title);
    if (!r) return false;
    current.title = r->title;
    current.location = Copy(r->location);
    return true;
}

void LoadUpcomingForImported(const MovieList& upcoming, std::string_view title, CurrentMovie& current) {
    if (LoadUpcomingTitleAndLocation(upcoming, title, current)) return;
    current.title = std::string(title);
    current.location = "Unknown";
}

ListBoxFill FillListBox(const MovieList& list, FillVariant variant, std::string_view value, bool eroticVisible) {
    ListBoxFill fill;
    bool eroticRule =
        variant == FillVariant::All || variant == FillVariant::ByPresence || variant == FillVariant::ByLocation;
    for (const MovieRecord& r : list) {
        switch (variant) {
            case FillVariant::ByPresence:
                if (!FieldIs(r.presence, value)) continue;
                break;
            case FillVariant::ByLocation:
                if (!FieldIs(r.location, value)) continue;
                break;
            case FillVariant::ByCategory:
                if (!FieldIs(r.category, value)) continue;
                break;
            case FillVariant::All:
            case FillVariant::Plain:
                break;
        }
        if (eroticRule && !eroticVisible && FieldIs(r.category, kEroticCategory)) continue;
        fill.titles.push_back(r.title);
        if (r.title.size() > fill.longestTitle) fill.longestTitle = r.title.size();
    }
    return fill;
}

}  // namespace cl
