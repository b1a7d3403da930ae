// The history of movies — date of entry, number of views and the loan lines — keyed by the exact title,
// and its file "History.dat" (and the backup "History.bak").
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/base/FileWriter.h"
#include "model/base/KeyedList.h"
#include "model/base/TextReader.h"

namespace cl {

inline constexpr std::size_t kHistoryTitleMax = 109;
inline constexpr std::size_t kHistoryDateMax = 19;
inline constexpr std::size_t kHistoryViewsMax = 4;
inline constexpr std::size_t kLoanLineMax = 99;

struct HistoryRecord {
    std::string title;
    std::string date;                    // "%i/%i/%i": year, month, day
    std::string views;                   // decimal, "0" for a new entry
    std::vector<std::string> loanLines;  // in the order they were added
};

class HistoryStore {
  public:
    // Replaces the date and views of the title's record (its loan lines stay), or appends a record with
    // no loan lines. Texts are stored as single lines cut at their reader limits. False (nothing stored)
    // for a title the file could not carry: empty, holding a line feed or over kHistoryTitleMax.
    bool AddOrUpdate(std::string_view title, std::string_view date, std::string_view views);

    // Appends a loan line to the title's record; false when it has none. The text is kept as one line cut
    // at kLoanLineMax; a line that is exactly "end" is refused, since it would close the record in the file.
    bool AddLoanLine(std::string_view title, std::string_view text);

    // AddOrUpdate, then AddLoanLine of each loan line in order: what one record of the file brings,
    // with the title looked up once. False (nothing stored) where AddOrUpdate would refuse the title.
    bool AddRecord(std::string_view title, std::string_view date, std::string_view views,
                   const std::vector<std::string_view>& loanLines);

    // Copies the title's date of entry and views into the current movie's fields; unchanged when none.
    bool LoadIntoCurrent(std::string_view title, std::optional<std::string>& dateOfEntry,
                         std::optional<std::string>& views) const;

    // The loan lines of every record with the title, in order (empty when it has none): what the History
    // page lists.
    std::vector<std::string> LoanLines(std::string_view title) const;

    // Unlinks the title's first record with its loan lines; false when there is none.
    bool Remove(std::string_view title) { return records_.Erase(title); }

    // The first record with the old title gets the new title and keeps its place; a record that already had
    // the new title stays too, and lookups find whichever comes first. False when the old title has no record.
    bool Rename(std::string_view oldTitle, std::string_view newTitle);

    void FreeAll() { records_.Clear(); }
    std::size_t Count() const { return records_.Count(); }
    const HistoryRecord* Find(std::string_view title) const { return records_.Find(title); }

    auto begin() const { return records_.begin(); }
    auto end() const { return records_.end(); }

  private:
    struct KeyOf {
        std::string& operator()(HistoryRecord& r) const { return r.title; }
        const std::string& operator()(const HistoryRecord& r) const { return r.title; }
    };
    // The stored record after AddOrUpdate's work, or nullptr when the title is refused.
    HistoryRecord* Update(std::string_view title, std::string_view date, std::string_view views);
    static bool AppendLoan(HistoryRecord& record, std::string_view text);
    KeyedList<HistoryRecord, KeyOf> records_;
};

// Reads records until the end of the data or an empty title line (text after that line is damage): title,
// date and views, then loan lines up to a line that is exactly "end". A file that ends before a record's
// "end" keeps that record with what was read of it. A title, date or views line over its limit stops the
// reading with damage without that record; a loan line over its limit stops it with the record and the
// loan lines before.
LoadReport ReadHistory(TextReader& reader, HistoryStore& store);
LoadReport LoadHistoryFile(const std::filesystem::path& path, HistoryStore& store);

std::string SerializeHistory(const HistoryStore& store);
}  // namespace cl
