// The movie list exchange file: a friend's Main Movie List with the media details of each movie, written by the
// export and read by the import, which keeps only the movies the user neither owns nor has quarantined.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/ExchangeRecord.h"
#include "model/Collection.h"
#include "model/base/FileWriter.h"
#include "model/base/Prompts.h"
#include "model/base/TextReader.h"

namespace cl {

inline constexpr std::string_view kExchangeVersion = "CineLedger v3.15";
inline constexpr std::string_view kSourceMark = "*";
inline constexpr std::string_view kExchangeEnd = "end";
inline constexpr std::string_view kNotAvailable = "N/A";

// The longest line of each kind the reader takes.
inline constexpr std::size_t kVersionLineMax = 19;
inline constexpr std::size_t kSourceLineMax = 31;  // the "*" included
// A sender's name as kept: it becomes the location of the movies taken onto the Upcoming Movie List, which holds
// no longer one, and goes back into an exchange file's source line with its "*".
inline constexpr std::size_t kSourceNameMax = kSourceLineMax - kSourceMark.size();
inline constexpr std::size_t kExchangeTitleMax = 109;
inline constexpr std::size_t kExchangeValueMax = 49;

// A title or a sender's name holding one of these bytes ends the reading as damage: "CineLedger.dat" separates its
// fields with a bar, every store ends a line at a line feed (and a CR before it), and a list box line ends at a
// NUL, after which no lookup by the line's text finds its record.
inline constexpr std::string_view kUnstorableBytes{"|\0\r\n", 4};
bool HasUnstorableByte(std::string_view text);
Damage UnstorableDamage(std::size_t line, std::string_view field);
// The line naming the sender, "<name>*", into `source` without its "*"; the damage when it is missing, overlong, lacks
// the "*" or holds a byte the stores cannot keep. `what` names the line in that damage.
std::optional<Damage> ReadSourceLine(TextReader& reader, std::size_t lineNumber, std::string_view what,
                                     std::string& source);

inline constexpr std::string_view kIncompatibleVersionMessage =
    "Program Version Is Not Compatible With Imported Movie List.";
inline constexpr std::string_view kCorruptSourceMessage = "Can Not Identify Source; File Is Corrupt.";
inline constexpr std::string_view kNoNewMoviesMessage = "There Are No New Movies To Add To Your Upcoming List.";
inline constexpr std::string_view kTrackingResultsCaption = "Tracking Results";

// What the user is told when an exchange file could not be written.
std::string ExchangeWriteFailureMessage(std::string_view path, std::string_view error);

// How the reading of an exchange file ended.
enum class ExchangeStop {
    End,           // the "end" line
    Cut,           // the data ended first (a block cut short is dropped)
    Overlong,      // a line longer than its limit: reading stops there, the blocks before it stay
    BadByte,       // a title holding an unstorable byte: as Overlong
    WrongVersion,  // nothing read
    NoSource,      // the source line lacks its "*" (or is overlong, or holds an unstorable byte): nothing read
};

// A movie list exchange file as read, before any comparison with the collection.
struct MovieExchange {
    ExchangeStop stop = ExchangeStop::Cut;
    std::string source;                   // without its "*"
    std::vector<ExchangeRecord> records;  // in file order, every line as in the file, source and "*" set
    std::optional<Damage> damage;         // where and why it stopped, unless at "end"
};

MovieExchange ReadMovieExchange(TextReader& reader);

// The message the import shows for a stop that ends it before any movie (empty for the others).
std::string_view MovieExchangeStopMessage(ExchangeStop stop);

// The export of the Main Movie List, every movie (the erotic ones too) with its media store details or "N/A".
// `sourceLine` is the formatted source with its "*".
std::string SerializeMainListExchange(const MovieList& main, const MediaStore& media, std::string_view sourceLine);
bool ExportMainList(const std::filesystem::path& path, const MovieList& main, const MediaStore& media,
                    std::string_view sourceLine, FileWriter& writer, std::string& error);

// The offered movies as an exchange file, the first record's source as the sender; empty for an empty list.
std::string SerializeImportList(const ImportList& list);
// Writes nothing for an empty list (true then).
bool SaveImportList(const std::filesystem::path& path, const ImportList& list, FileWriter& writer, std::string& error);

// Whether the user has the title already: it is put through entry formatting in place (the caller keeps the
// formatted title) when the quarantine or the Main Movie List has entries, then looked up in the quarantine and
// in the Main Movie List by SameTitle. A title that formatting would make longer than the stores take stays as sent.
bool IsTitleKnown(std::string& title, const Collection& c);

// Appends the movies the user does not have to `offered`; the number appended.
std::size_t OfferNewMovies(std::vector<ExchangeRecord>& records, const Collection& c, ImportList& offered);

// The import of a movie list exchange file: a file that cannot be opened does nothing; a wrong version or a
// source without its "*" shows its message; otherwise the new movies are appended to `offered` and, when there is
// none, "There Are No New Movies To Add To Your Upcoming List." is shown. Returns the number appended.
std::size_t ImportMovieList(const std::filesystem::path& path, const Collection& c, ImportList& offered,
                            Prompts& prompts);

}  // namespace cl
