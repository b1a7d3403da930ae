// Reading and writing "CineLedger.dat".
#include "model/MainListFile.h"

#include <cstdio>
#include <limits>

#include "model/ListOperations.h"
#include "model/base/NativePath.h"

namespace cl {

namespace {

// Field limits: the longest value each field may hold when read.
constexpr std::size_t kVersionMax = 109;
constexpr std::size_t kNumberMax = 9;
constexpr std::size_t kUpcomingEndRestMax = 109;

constexpr std::string_view kLayoutPrefix = "CineLedger v";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Turns anything but a cleanly delimited field into the damage that stops the reading.
bool Accept(FieldStatus status, const TextReader& reader, std::string_view field, std::size_t maxLen,
            LoadReport& report) {
    switch (status) {
        case FieldStatus::Ok:
            return true;
        case FieldStatus::TooLong:
            report.damage = TooLongDamage(reader, field, maxLen);
            return false;
        case FieldStatus::MissingBar:
            report.damage = Damage{reader.Line(), "line ends where a bar should follow the " + std::string(field)};
            return false;
        case FieldStatus::LastField:
        case FieldStatus::EndOfData:
            break;
    }
    report.damage = Damage{reader.Line(), "file ends inside the " + std::string(field)};
    return false;
}

// The fields are views into the reader's data, copied only into the records that take them.
bool BarField(TextReader& reader, std::string_view& out, std::string_view field, std::size_t maxLen,
              LoadReport& report) {
    return Accept(reader.ReadBarFieldView(out, maxLen), reader, field, maxLen, report);
}

bool LineField(TextReader& reader, std::string_view& out, std::string_view field, std::size_t maxLen,
               LoadReport& report) {
    return Accept(reader.ReadLineView(out, maxLen), reader, field, maxLen, report);
}

// Where a section title was read: a record's title, the section's "end", or the end of the data.
enum class Section { Record, End, DataEnd, Damaged };

// A section title: a record's title or "end". The data ending here, or ending right after an "end" that
// lost its bar, leaves nothing unread: the file is read to its last byte and nothing is lost.
Section SectionTitle(TextReader& reader, std::string_view& out, LoadReport& report) {
    FieldStatus status = reader.ReadBarFieldView(out, kMainTitleMax);
    if (status == FieldStatus::EndOfData) return Section::DataEnd;
    if (status == FieldStatus::LastField && out == "end") return Section::DataEnd;
    if (!Accept(status, reader, "title", kMainTitleMax, report)) return Section::Damaged;
    return out == "end" ? Section::End : Section::Record;
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

void AppendNumber(std::string& out, std::int32_t n) {
    out += std::to_string(n);
}

}  // namespace

std::int32_t ParseDecimal(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) break;
    }
    if (negative) value = -value;
    if (value > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

LoadReport ReadMainList(TextReader& reader, MainListStores stores, const OlderLayoutMovie& olderLayoutMovie) {
    LoadReport report;
    report.opened = true;
    stores.password = kNoPassword;
    stores.version.clear();

    // An editor may have put a UTF-8 byte-order mark in front of the version line; it is no part of it.
    if (reader.Rest().starts_with(kByteOrderMark) &&
        reader.Rest().substr(kByteOrderMark.size()).starts_with(kLayoutPrefix)) {
        reader.Seek({reader.Tell().pos + kByteOrderMark.size(), reader.Tell().line});
    }

    // Only the 12-character prefix tells the layouts apart; the version number itself is never read.
    const TextReader::Position start = reader.Tell();
    std::string_view first;
    FieldStatus status = reader.ReadLineView(first, kVersionMax);
    bool newLayout = first.substr(0, kLayoutPrefix.size()) == kLayoutPrefix;
    if (newLayout) {
        if (status == FieldStatus::TooLong) {
            report.damage = TooLongDamage(reader, "version line", kVersionMax);
            return report;
        }
        stores.version = first;
    } else {
        reader.Seek(start);
    }

    // A file that ends at the end of a line, before the end line of a section, has been read whole: what it
    // holds is in the stores and a save loses nothing. A line cut short is damage.
    std::string_view title, location, category, presence, medium, number;
    for (;;) {
        const Section section = SectionTitle(reader, title, report);
        if (section == Section::DataEnd || section == Section::Damaged) return report;
        if (section == Section::End) break;
        if (!BarField(reader, location, "location", kMainLocationMax, report) ||
            !BarField(reader, category, "category", kMainCategoryMax, report) ||
            !BarField(reader, presence, "presence", kMainPresenceMax, report)) {
            return report;
        }
        if (newLayout) {
            if (!BarField(reader, medium, "medium", kMainMediumMax, report)) return report;
        } else {
            medium = "Unknown";
        }
        if (!LineField(reader, number, "number", kNumberMax, report)) return report;

        // The line is whole: only now does anything of it reach the stores.
        stores.locations.Append(location);
        stores.categories.Append(category);
        if (!newLayout && olderLayoutMovie) olderLayoutMovie(std::string(title));
        stores.media.Append(medium);
        if (InsertMainMovie(stores.main, {title, category, presence, location, medium}, ParseDecimal(number))) {
            ++report.records;
        }
    }

    std::string_view password;
    if (!LineField(reader, password, "password", kPasswordMax, report)) return report;
    stores.password = password;

    for (;;) {
        const Section section = SectionTitle(reader, title, report);
        if (section == Section::DataEnd || section == Section::Damaged) return report;
        if (section == Section::End) {
            // The rest of the line is not kept; the end of the data there is the end of the file.
            std::string_view rest;
            status = reader.ReadLineView(rest, kUpcomingEndRestMax);
            if (status == FieldStatus::EndOfData || status == FieldStatus::LastField) return report;
            if (!Accept(status, reader, "upcoming end line", kUpcomingEndRestMax, report)) return report;
            break;
        }
        if (!BarField(reader, category, "category", kMainCategoryMax, report) ||
            !LineField(reader, location, "location", kMainLocationMax, report)) {
            return report;
        }
        stores.upcomingLocations.Append(location);
        if (InsertUpcomingMovie(stores.upcoming, title, category, location)) ++report.records;
    }

    for (;;) {
        const std::size_t line = reader.Line();
        status = reader.ReadLineView(number, kNumberMax);
        if (status == FieldStatus::EndOfData) return report;
        if ((status == FieldStatus::Ok || status == FieldStatus::LastField) && number == "end") {
            NoteTextAfterStop(reader, line, "the final \"end\"", report);
            return report;
        }
        if (!Accept(status, reader, "free number", kNumberMax, report)) return report;
        stores.freeNumbers.Add(ParseDecimal(number));
    }
}

bool MainListFileHasVersionLine(const std::filesystem::path& path) {
    std::FILE* file = OpenStdFile(path, "rb");
    if (file == nullptr) return false;
    char start[kByteOrderMark.size() + kLayoutPrefix.size()];
    const std::size_t got = std::fread(start, 1, sizeof(start), file);
    std::fclose(file);
    std::string_view head(start, got);
    if (head.starts_with(kByteOrderMark)) head.remove_prefix(kByteOrderMark.size());
    return head.starts_with(kLayoutPrefix);
}

LoadReport LoadMainListFile(const std::filesystem::path& path, MainListStores stores,
                            const OlderLayoutMovie& olderLayoutMovie) {
    std::optional<TextReader> reader = TextReader::Open(path);
    if (!reader) {
        stores.password = kNoPassword;
        stores.version.clear();
        return LoadReport{};
    }
    return ReadMainList(*reader, stores, olderLayoutMovie);
}

std::string SerializeMainList(const MovieList& main, const MovieList& upcoming, const FreeNumberPool& freeNumbers,
                              std::string_view password) {
    std::string out;
    out.reserve(64 + main.Count() * 64 + upcoming.Count() * 48 + freeNumbers.Count() * 8);
    out += kMainListVersion;
    out += "\r\n";
    for (const MovieRecord& r : main) {
        out += r.title;
        out += '|';
        out += r.location.value_or("");
        out += '|';
        out += r.category.value_or("");
        out += '|';
        out += r.presence.value_or("");
        out += '|';
        out += r.medium.value_or("");
        out += '|';
        AppendNumber(out, r.number);
        out += "\r\n";
    }
    out += "end|";
    out += password;
    out += "\r\n";
    for (const MovieRecord& r : upcoming) {
        out += r.title;
        out += '|';
        out += r.category.value_or("");
        out += '|';
        out += r.location.value_or("");
        out += "\r\n";
    }
    out += "end|\r\n";
    for (std::int32_t n : freeNumbers) {
        AppendNumber(out, n);
        out += "\r\n";
    }
    out += "end";
    return out;
}

}  // namespace cl
