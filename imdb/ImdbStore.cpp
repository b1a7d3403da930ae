// The movie database information store and "IMDb.dat".
#include "imdb/ImdbStore.h"

#include <algorithm>
#include <array>
#include <utility>

#include "model/base/Similarity.h"
#include "model/base/StoreValues.h"

namespace cl {

namespace {

struct FileLine {
    std::optional<std::string> ImdbRecord::*field;
    std::optional<std::string> CurrentImdbInfo::*info;
    std::size_t max;
    const char* name;
};

// The ten lines after the key, in file order (which is not the record's field order).
constexpr std::array<FileLine, 10> kLines{{
    {&ImdbRecord::number, &CurrentImdbInfo::number, kImdbNumberMax, "number"},
    {&ImdbRecord::title, &CurrentImdbInfo::title, kImdbTitleMax, "title"},
    {&ImdbRecord::year, &CurrentImdbInfo::year, kImdbYearMax, "year"},
    {&ImdbRecord::director, &CurrentImdbInfo::director, kImdbDirectorMax, "director"},
    {&ImdbRecord::tagline, &CurrentImdbInfo::tagline, kImdbTaglineMax, "tagline"},
    {&ImdbRecord::plot, &CurrentImdbInfo::plot, kImdbPlotMax, "plot"},
    {&ImdbRecord::genre, &CurrentImdbInfo::genre, kImdbGenreMax, "genre"},
    {&ImdbRecord::actors, &CurrentImdbInfo::actors, kImdbActorsMax, "actors"},
    {&ImdbRecord::language, &CurrentImdbInfo::language, kImdbLanguageMax, "language"},
    {&ImdbRecord::runtime, &CurrentImdbInfo::runtime, kImdbRuntimeMax, "runtime"},
}};

std::optional<std::string> Stored(const std::optional<std::string>& value, std::size_t max) {
    if (!value) return std::nullopt;
    return OneLine(*value, max);
}

}  // namespace

std::string ImdbKey(std::string_view title) {
    std::string key(kImdbKeyPrefix);
    key += title;
    return key;
}

bool ImdbStore::Put(std::string_view key, const CurrentImdbInfo& info) {
    if (!UsableKey(key, kImdbKeyMax)) return false;
    ImdbRecord fresh;
    for (const FileLine& line : kLines) fresh.*line.field = Stored(info.*line.info, line.max);
    auto [record, appended] = records_.FindOrAppend(key, [&fresh, key](ImdbRecord& added) {
        added = std::move(fresh);
        added.key = key;
    });
    if (!appended) {
        // Field by field: the key is what the index finds the record by, so it stays untouched.
        for (const FileLine& line : kLines) (*record).*line.field = std::move(fresh.*line.field);
    }
    return true;
}

bool ImdbStore::Rekey(std::string_view oldKey, std::string_view newKey) {
    if (!UsableKey(newKey, kImdbKeyMax)) return false;
    return records_.Rekey(oldKey, newKey);
}

bool ImdbStore::LoadCurrent(std::string_view movieTitle, CurrentImdbInfo& current) const {
    const ImdbRecord* r = records_.Find(ImdbKey(movieTitle));
    if (r == nullptr) return false;
    current.number = r->number;
    current.title = r->title;
    current.year = r->year;
    current.director = r->director;
    current.genre = r->genre;
    current.tagline = r->tagline;
    current.plot = r->plot;
    current.language = r->language;
    current.runtime = r->runtime;
    current.actors = r->actors;
    return true;
}

void ImdbStore::ClearCurrent(CurrentImdbInfo& current) {
    std::optional<std::string> number = std::move(current.number);
    current = CurrentImdbInfo{};
    current.number = std::move(number);
}

namespace {

// SplitActorNames as views into the field, into `names` (emptied first).
void SplitActorNameViews(std::string_view actors, std::vector<std::string_view>& names) {
    names.clear();
    std::size_t pos = 0;
    while (pos < actors.size() && names.size() < kActorNamesMax) {
        std::size_t comma = actors.find(',', pos);
        std::size_t stop = comma == std::string_view::npos ? actors.size() : comma;
        names.push_back(actors.substr(pos, std::min(stop - pos, kSearchTextMax)));
        if (comma == std::string_view::npos) break;
        pos = comma + 1;
        if (pos < actors.size() && actors[pos] == ' ') ++pos;
        if (pos == actors.size() && names.size() < kActorNamesMax) names.emplace_back();  // trailing comma
    }
}

}  // namespace

std::vector<std::string> SplitActorNames(std::string_view actors) {
    std::vector<std::string_view> views;
    SplitActorNameViews(actors, views);
    return std::vector<std::string>(views.begin(), views.end());
}

std::vector<std::string> ImdbStore::FindByActor(std::string_view text, int sensitivity) const {
    std::vector<std::string> keys;
    const SimilarityTest similar(text, sensitivity);
    std::vector<std::string_view> names;  // reused from record to record
    for (const ImdbRecord& r : records_) {
        if (!r.actors) continue;
        SplitActorNameViews(*r.actors, names);
        // As the search always did: as many names are compared, from the front, as there are non-empty
        // ones, so an empty name in the middle hides the last one.
        std::size_t nonEmpty = 0;
        for (std::string_view name : names) nonEmpty += name.empty() ? 0 : 1;
        for (std::size_t i = 0; i < nonEmpty; ++i) {
            if (similar.Matches(names[i])) {
                keys.push_back(r.key);
                break;
            }
        }
    }
    return keys;
}

std::vector<std::string> ImdbStore::FindByDirector(std::string_view text, int sensitivity) const {
    std::vector<std::string> keys;
    const SimilarityTest similar(text, sensitivity);
    for (const ImdbRecord& r : records_) {
        // The comparison ignores blanks itself, so "JohnWoo" and "John Woo" meet.
        if (r.director && similar.Matches(*r.director)) keys.push_back(r.key);
    }
    return keys;
}

std::vector<std::string> ImdbStore::RunQuery() const {
    if (query.searchKind == ImdbQuery::kActorSearch) {
        return FindByActor(std::string_view(query.actorText).substr(0, kSearchTextMax), query.sensitivity);
    }
    return FindByDirector(std::string_view(query.directorText).substr(0, kSearchTextMax), query.sensitivity);
}

LoadReport ReadImdb(TextReader& reader, ImdbStore& store) {
    LoadReport report;
    report.opened = true;
    std::string_view key;
    std::array<std::string_view, kLines.size()> values;  // in file order
    for (;;) {
        const std::size_t keyLine = reader.Line();
        FieldStatus status = reader.ReadLineView(key, kImdbKeyMax);
        if (status == FieldStatus::EndOfData) return report;
        if (key.empty()) {
            NoteTextAfterStop(reader, keyLine, "an empty key line", report);
            return report;
        }
        // An overlong line is kept cut at its limit and the rest of its record is empty: the record is
        // stored, and reading stops after it, as the file's readers always have.
        std::optional<Damage> tooLong;
        if (status == FieldStatus::TooLong) tooLong = TooLongDamage(reader, "key", kImdbKeyMax);
        for (std::size_t i = 0; i < kLines.size(); ++i) {
            values[i] = std::string_view();
            if (tooLong) continue;
            // Past the end of the data a line reads as empty: a record cut there keeps what it has.
            if (reader.ReadLineView(values[i], kLines[i].max) == FieldStatus::TooLong) {
                tooLong = TooLongDamage(reader, kLines[i].name, kLines[i].max);
            }
        }
        // Every field of a record read back is present, if only empty.
        CurrentImdbInfo info;
        for (std::size_t i = 0; i < kLines.size(); ++i) info.*kLines[i].info = std::string(values[i]);
        if (store.Put(key, info)) {
            ++report.records;
        }
        if (tooLong) {
            report.damage = std::move(tooLong);
            return report;
        }
    }
}

LoadReport LoadImdbFile(const std::filesystem::path& path, ImdbStore& store) {
    std::optional<TextReader> reader = TextReader::Open(path);
    if (!reader) return LoadReport{};
    return ReadImdb(*reader, store);
}

std::string SerializeImdb(const ImdbStore& store) {
    std::string out;
    for (const ImdbRecord& r : store) {
        out += r.key;
        out += "\r\n";
        for (const FileLine& line : kLines) {
            if (const std::optional<std::string>& value = r.*line.field) out += *value;
            out += "\r\n";
        }
    }
    return out;
}

}  // namespace cl
