// The history store and "History.dat".
#include "model/HistoryStore.h"

#include "model/base/StoreValues.h"

namespace cl {

namespace {

constexpr std::string_view kEndLine = "end";

}  // namespace

HistoryRecord* HistoryStore::Update(std::string_view title, std::string_view date, std::string_view views) {
    if (!UsableKey(title, kHistoryTitleMax)) return nullptr;
    std::string d = OneLine(date, kHistoryDateMax);
    std::string v = OneLine(views, kHistoryViewsMax);
    HistoryRecord* r = records_.FindOrAppend(title, [title](HistoryRecord& fresh) { fresh.title = title; }).first;
    r->date = std::move(d);
    r->views = std::move(v);
    return r;
}

bool HistoryStore::AppendLoan(HistoryRecord& record, std::string_view text) {
    std::string line = OneLine(text, kLoanLineMax);
    if (line == kEndLine) return false;
    record.loanLines.push_back(std::move(line));
    return true;
}

bool HistoryStore::AddOrUpdate(std::string_view title, std::string_view date, std::string_view views) {
    return Update(title, date, views) != nullptr;
}

bool HistoryStore::AddRecord(std::string_view title, std::string_view date, std::string_view views,
                             const std::vector<std::string_view>& loanLines) {
    HistoryRecord* r = Update(title, date, views);
    if (r == nullptr) return false;
    if (!loanLines.empty()) r->loanLines.reserve(r->loanLines.size() + loanLines.size());
    for (std::string_view loan : loanLines) AppendLoan(*r, loan);
    return true;
}

bool HistoryStore::AddLoanLine(std::string_view title, std::string_view text) {
    HistoryRecord* r = records_.Find(title);
    if (r == nullptr) return false;
    return AppendLoan(*r, text);
}

bool HistoryStore::LoadIntoCurrent(std::string_view title, std::optional<std::string>& dateOfEntry,
                                   std::optional<std::string>& views) const {
    const HistoryRecord* r = records_.Find(title);
    if (r == nullptr) return false;
    dateOfEntry = r->date;
    views = r->views;
    return true;
}

std::vector<std::string> HistoryStore::LoanLines(std::string_view title) const {
    std::vector<std::string> lines;
    records_.ForEachWithKey(
        title, [&lines](const HistoryRecord& r) { lines.insert(lines.end(), r.loanLines.begin(), r.loanLines.end()); });
    return lines;
}

bool HistoryStore::Rename(std::string_view oldTitle, std::string_view newTitle) {
    if (!UsableKey(newTitle, kHistoryTitleMax)) return false;
    return records_.Rekey(oldTitle, newTitle);
}

LoadReport ReadHistory(TextReader& reader, HistoryStore& store) {
    LoadReport report;
    report.opened = true;
    const auto tooLong = [&report, &reader](std::string_view field, std::size_t max) {
        report.damage = TooLongDamage(reader, field, max);
        return report;
    };
    std::string_view title, date, views, line;
    std::vector<std::string_view> loanLines;
    // The record as read so far goes into the store however its reading ends: its title, date and views
    // are taken before its loan lines, so a file that ends (or a loan line that runs over its limit) before
    // "end" keeps the record with the loan lines read up to there.
    const auto take = [&]() {
        if (store.AddRecord(title, date, views, loanLines)) ++report.records;
    };
    for (;;) {
        const std::size_t titleLine = reader.Line();
        FieldStatus status = reader.ReadLineView(title, kHistoryTitleMax);
        if (status == FieldStatus::EndOfData) return report;
        if (status == FieldStatus::TooLong) return tooLong("title", kHistoryTitleMax);
        if (title.empty()) {
            NoteTextAfterStop(reader, titleLine, "an empty title line", report);
            return report;
        }
        // At the end of the data these read as empty lines, as the last line of a file is a line.
        if (reader.ReadLineView(date, kHistoryDateMax) == FieldStatus::TooLong) {
            return tooLong("date of entry", kHistoryDateMax);
        }
        if (reader.ReadLineView(views, kHistoryViewsMax) == FieldStatus::TooLong) {
            return tooLong("number of views", kHistoryViewsMax);
        }

        // Loan lines up to "end". Every read consumes data or reports the end of it, so this ends.
        loanLines.clear();
        for (;;) {
            status = reader.ReadLineView(line, kLoanLineMax);
            if (status == FieldStatus::TooLong) {
                take();
                return tooLong("loan line", kLoanLineMax);
            }
            if (status == FieldStatus::EndOfData || line == kEndLine) break;
            loanLines.push_back(line);
        }
        take();
    }
}

LoadReport LoadHistoryFile(const std::filesystem::path& path, HistoryStore& store) {
    std::optional<TextReader> reader = TextReader::Open(path);
    if (!reader) return LoadReport{};
    return ReadHistory(*reader, store);
}

std::string SerializeHistory(const HistoryStore& store) {
    std::string out;
    for (const HistoryRecord& r : store) {
        out += r.title;
        out += "\r\n";
        out += r.date;
        out += "\r\n";
        out += r.views;
        out += "\r\n";
        for (const std::string& loan : r.loanLines) {
            out += loan;
            out += "\r\n";
        }
        out += kEndLine;
        out += "\r\n";
    }
    return out;
}

}  // namespace cl
