// The movie database information store: one record per looked-up movie, keyed by "CineLedger: " and the
// movie's title, its file "IMDb.dat" (and the backup "IMDb.bak"), the scratch copy the Movie Info dialog
// shows, and the actor and director searches of the Find dialog.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/base/FileWriter.h"
#include "model/base/KeyedList.h"
#include "model/base/TextReader.h"

namespace cl {

inline constexpr std::string_view kImdbKeyPrefix = "CineLedger: ";

// Longest value of each line of "IMDb.dat", in file order.
inline constexpr std::size_t kImdbKeyMax = 119;
inline constexpr std::size_t kImdbNumberMax = 9;
inline constexpr std::size_t kImdbTitleMax = 299;
inline constexpr std::size_t kImdbYearMax = 4;
inline constexpr std::size_t kImdbDirectorMax = 99;
inline constexpr std::size_t kImdbTaglineMax = 999;
inline constexpr std::size_t kImdbPlotMax = 4999;
inline constexpr std::size_t kImdbGenreMax = 255;
inline constexpr std::size_t kImdbActorsMax = 29999;
inline constexpr std::size_t kImdbLanguageMax = 99;
inline constexpr std::size_t kImdbRuntimeMax = 99;

// The search texts of the Find dialog are cut at this length, and so is each actor name of a record.
inline constexpr std::size_t kSearchTextMax = 99;
inline constexpr std::size_t kActorNamesMax = 300;

// The key of a movie's record.
std::string ImdbKey(std::string_view title);

// One movie's database information. Absent fields are written as empty lines; a record read back has
// every field present (possibly empty). The sentinel words "NOGENRE", "NOTAGLINE", "NOSUMMARY",
// "NOLANGUAGE" and "NORUNTIME" are stored as they are.
struct ImdbRecord {
    std::string key;
    std::optional<std::string> number;
    std::optional<std::string> title;
    std::optional<std::string> year;
    std::optional<std::string> director;
    std::optional<std::string> genre;
    std::optional<std::string> tagline;
    std::optional<std::string> plot;
    std::optional<std::string> language;
    std::optional<std::string> runtime;
    std::optional<std::string> actors;

    bool operator==(const ImdbRecord&) const = default;
};

// The scratch copy of one record that the Movie Info dialog shows and the retrieval fills: the record's
// fields without the key.
struct CurrentImdbInfo {
    std::optional<std::string> number;
    std::optional<std::string> title;
    std::optional<std::string> year;
    std::optional<std::string> director;
    std::optional<std::string> genre;
    std::optional<std::string> tagline;
    std::optional<std::string> plot;
    std::optional<std::string> language;
    std::optional<std::string> runtime;
    std::optional<std::string> actors;

    bool operator==(const CurrentImdbInfo&) const = default;
};

// What the Find dialog hands to the results dialog.
struct ImdbQuery {
    static constexpr std::int32_t kActorSearch = 1;
    static constexpr std::int32_t kDirectorSearch = 2;  // any kind but 1 means a director search

    std::string actorText;     // at most kSearchTextMax characters
    std::string directorText;  // at most kSearchTextMax characters
    std::int32_t sensitivity = 3;
    std::int32_t searchKind = kActorSearch;
};

class ImdbStore {
  public:
    // Replaces every field of the record with the key by the given values (it keeps its place), or appends a
    // new record. Values are kept as single lines cut at their reader limits, so the file reads back as it was
    // written. False (nothing stored) for a key the file could not carry: empty, holding a line feed or over
    // kImdbKeyMax characters.
    bool Put(std::string_view key, const CurrentImdbInfo& info);

    bool Remove(std::string_view key) { return records_.Erase(key); }

    // Gives the record with the old key the new key, in its place; a record that already had the new key
    // stays too (lookups find whichever comes first). False when the old key has no record or the new key
    // is not usable.
    bool Rekey(std::string_view oldKey, std::string_view newKey);

    // Copies fields 2 to 11 of the movie's record into `current`; false (and `current` untouched) when
    // the movie has no record.
    bool LoadCurrent(std::string_view movieTitle, CurrentImdbInfo& current) const;

    // Frees everything of the scratch but the number.
    static void ClearCurrent(CurrentImdbInfo& current);

    void FreeAll() { records_.Clear(); }
    std::size_t Count() const { return records_.Count(); }
    const ImdbRecord* Find(std::string_view key) const { return records_.Find(key); }

    // Keys, in store order, of the records with an actor name (or a director) similar to the text at the
    // given sensitivity.
    std::vector<std::string> FindByActor(std::string_view text, int sensitivity) const;
    std::vector<std::string> FindByDirector(std::string_view text, int sensitivity) const;

    // Runs the search the query names.
    std::vector<std::string> RunQuery() const;

    auto begin() const { return records_.begin(); }
    auto end() const { return records_.end(); }

    ImdbQuery query;

  private:
    struct KeyOf {
        std::string& operator()(ImdbRecord& r) const { return r.key; }
        const std::string& operator()(const ImdbRecord& r) const { return r.key; }
    };
    KeyedList<ImdbRecord, KeyOf> records_;
};

// The names of an actors field: split at commas, one blank directly after a comma dropped, each name cut
// at kSearchTextMax characters (the rest up to the next comma is dropped), at most kActorNamesMax names.
std::vector<std::string> SplitActorNames(std::string_view actors);

// Reads eleven-line records until the end of the data or an empty key line (text after that line is damage).
// A line over its limit is cut there, the rest of that record is empty, the record is stored and reading
// stops with damage. A record the file's end cuts short is stored with its missing lines empty.
LoadReport ReadImdb(TextReader& reader, ImdbStore& store);
LoadReport LoadImdbFile(const std::filesystem::path& path, ImdbStore& store);

std::string SerializeImdb(const ImdbStore& store);
}  // namespace cl
