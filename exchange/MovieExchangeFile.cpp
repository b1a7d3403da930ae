// Writing and reading movie list exchange files, and the import's comparison with the collection.
#include "exchange/MovieExchangeFile.h"

#include <algorithm>
#include <array>

#include "model/MainListFile.h"
#include "model/TitleLines.h"
#include "model/base/EntryFormat.h"

namespace cl {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
// An offered title goes as it is onto the Upcoming Movie List or into the quarantine.
static_assert(kExchangeTitleMax <= kMainTitleMax && kExchangeTitleMax <= kTitleLineMax);
static_assert(kSourceNameMax <= kMainLocationMax);

// Reads one line of at most `max` characters. False with the stop (and where) when the line is missing or
// overlong; `field` names the line in the damage text.
bool ReadBlockLine(TextReader& reader, std::string& out, std::size_t max, std::string_view field, ExchangeStop& stop,
                   std::optional<Damage>& damage) {
    const std::size_t line = reader.Line();
    switch (reader.ReadLine(out, max)) {
        case FieldStatus::Ok:
        case FieldStatus::LastField:
            return true;
        case FieldStatus::TooLong:
            stop = ExchangeStop::Overlong;
            damage = TooLongDamage(reader, field, max);
            return false;
        case FieldStatus::MissingBar:
        case FieldStatus::EndOfData:
            break;
    }
    stop = ExchangeStop::Cut;
    damage = Damage{line, "the file ends before \"end\""};
    return false;
}

}  // namespace

bool HasUnstorableByte(std::string_view text) {
    // A table rather than find_first_of, which searches the set once per character of every received title.
    static constexpr std::array<bool, 256> kUnstorable = [] {
        std::array<bool, 256> table{};
        for (const char ch : kUnstorableBytes) table[static_cast<unsigned char>(ch)] = true;
        return table;
    }();
    return std::any_of(text.begin(), text.end(), [](char ch) { return kUnstorable[static_cast<unsigned char>(ch)]; });
}

Damage UnstorableDamage(std::size_t line, std::string_view field) {
    return Damage{line, "the " + std::string(field) + " holds a \"|\", a NUL byte or a line end"};
}

std::optional<Damage> ReadSourceLine(TextReader& reader, std::size_t lineNumber, std::string_view what,
                                     std::string& source) {
    const FieldStatus status = reader.ReadLine(source, kSourceLineMax);
    if (status == FieldStatus::TooLong || status == FieldStatus::EndOfData || !source.ends_with(kSourceMark)) {
        return Damage{lineNumber, "the " + std::string(what) + " does not end in \"*\" within " +
                                      std::to_string(kSourceLineMax) + " characters"};
    }
    if (HasUnstorableByte(source)) return UnstorableDamage(lineNumber, what);
    source.pop_back();
    return std::nullopt;
}

std::string ExchangeWriteFailureMessage(std::string_view path, std::string_view error) {
    return "Unable to Write \"" + std::string(path) + "\": " + std::string(error);
}

MovieExchange ReadMovieExchange(TextReader& reader) {
    MovieExchange result;
    std::string line;
    const FieldStatus version = reader.ReadLine(line, kVersionLineMax);
    if (version == FieldStatus::TooLong || line != kExchangeVersion) {
        result.stop = ExchangeStop::WrongVersion;
        result.damage = Damage{1, "the version line is not \"" + std::string(kExchangeVersion) + "\""};
        return result;
    }
    if ((result.damage = ReadSourceLine(reader, 2, "source line", result.source))) {
        result.stop = ExchangeStop::NoSource;
        return result;
    }
    ExchangeRecord record;
    record.source = result.source;
    record.categoryMark = std::string(kCategoryMark);
    std::string value;
    for (;;) {
        if (reader.AtEnd()) {
            result.stop = ExchangeStop::Cut;
            result.damage = Damage{reader.Line(), "the file ends before \"end\""};
            return result;
        }
        const std::size_t titleLine = reader.Line();
        if (!ReadBlockLine(reader, value, kExchangeTitleMax, "title", result.stop, result.damage)) return result;
        if (value == kExchangeEnd) {
            result.stop = ExchangeStop::End;
            return result;
        }
        if (HasUnstorableByte(value)) {
            result.stop = ExchangeStop::BadByte;
            result.damage = UnstorableDamage(titleLine, "title");
            return result;
        }
        record.fields.title = value;
        for (std::size_t i = 1; i < kBlockLines; ++i) {
            if (!ReadBlockLine(reader, value, kExchangeValueMax, "line", result.stop, result.damage)) return result;
            BlockLine(record, i) = value;
        }
        result.records.push_back(record);
    }
}

std::string_view MovieExchangeStopMessage(ExchangeStop stop) {
    switch (stop) {
        case ExchangeStop::WrongVersion:
            return kIncompatibleVersionMessage;
        case ExchangeStop::NoSource:
            return kCorruptSourceMessage;
        case ExchangeStop::End:
        case ExchangeStop::Cut:
        case ExchangeStop::Overlong:
        case ExchangeStop::BadByte:
            break;
    }
    return {};
}

std::string SerializeMainListExchange(const MovieList& main, const MediaStore& media, std::string_view sourceLine) {
    std::string out;
    out.reserve(64 + main.Count() * 160);
    out.append(kExchangeVersion).append(kLineEnd).append(sourceLine).append(kLineEnd);
    const auto text = [](const std::optional<std::string>& value) -> std::string_view {
        return value ? std::string_view(*value) : std::string_view();
    };
    for (const MovieRecord& movie : main) {
        out.append(movie.title).append(kLineEnd).append(text(movie.medium)).append(kLineEnd);
        // The media details by the title exactly as stored, the sender's display texts unchanged.
        const MediaRecord* found = media.Find(movie.title);
        for (std::size_t i = 2; i < kBlockLines; ++i)
            out.append(found != nullptr ? text(BlockLine(*found, i)) : kNotAvailable).append(kLineEnd);
    }
    out += kExchangeEnd;
    return out;
}

bool ExportMainList(const std::filesystem::path& path, const MovieList& main, const MediaStore& media,
                    std::string_view sourceLine, FileWriter& writer, std::string& error) {
    return writer.Write(path, SerializeMainListExchange(main, media, sourceLine), error);
}

std::string SerializeImportList(const ImportList& list) {
    if (list.Count() == 0) return {};
    std::string out;
    out.append(kExchangeVersion).append(kLineEnd);
    out.append(list.begin()->source.value_or("")).append(kSourceMark).append(kLineEnd);
    for (const ExchangeRecord& record : list) {
        for (std::size_t i = 0; i < kBlockLines; ++i) out.append(BlockLine(record, i).value_or("")).append(kLineEnd);
    }
    out += kExchangeEnd;
    return out;
}

bool SaveImportList(const std::filesystem::path& path, const ImportList& list, FileWriter& writer, std::string& error) {
    if (list.Count() == 0) return true;
    return writer.Write(path, SerializeImportList(list), error);
}

bool IsTitleKnown(std::string& title, const Collection& c) {
    const MovieList& quarantine = c.quarantine.Titles();
    if (quarantine.Empty() && c.main.Empty()) return false;
    // The title is formatted once for both lists (formatting again would change only titles that begin with two
    // articles, and the result would depend on where a match stands). A leading article moved to the end adds a
    // character, which a title at the limit has no room for: kept as sent, it still fits the stores it may go to.
    std::string formatted = title;
    FormatEntry(formatted, c.settings.formatConversion != 0);
    if (formatted.size() <= kExchangeTitleMax) title = std::move(formatted);
    return quarantine.Contains(title) || c.main.Contains(title);
}

std::size_t OfferNewMovies(std::vector<ExchangeRecord>& records, const Collection& c, ImportList& offered) {
    std::size_t count = 0;
    for (ExchangeRecord& record : records) {
        if (!record.fields.title || IsTitleKnown(*record.fields.title, c)) continue;
        offered.Append(std::move(record));
        ++count;
    }
    return count;
}

std::size_t ImportMovieList(const std::filesystem::path& path, const Collection& c, ImportList& offered,
                            Prompts& prompts) {
    std::optional<TextReader> reader = TextReader::Open(path);
    if (!reader) return 0;
    MovieExchange read = ReadMovieExchange(*reader);
    const std::string_view refusal = MovieExchangeStopMessage(read.stop);
    if (!refusal.empty()) {
        prompts.ShowMessage(refusal, {}, MessageIcon::Stop);
        return 0;
    }
    const std::size_t count = OfferNewMovies(read.records, c, offered);
    // A file cut short has no summary: the user sees what it brought, or nothing.
    if (count == 0 && read.stop == ExchangeStop::End)
        prompts.ShowMessage(kNoNewMoviesMessage, kTrackingResultsCaption, MessageIcon::Information);
    return count;
}

}  // namespace cl
