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
    const HistoryRecord* r = records_.Find(title);
    if (r == nullptr) return {};
    return r->loanLines;
}

bool HistoryStore::Rename(std::string_view oldTitle, std::string_view newTitle) {
    if (!UsableKey(newTitle, kHistoryTitleMax)) return false;
    return records_.Rekey(oldTitle, newTitle);
}

LoadReport ReadHistory(TextReader& reader, HistoryStore& store) {
    LoadReport report;
    report.opened = true;
    const auto cut = [&report, &reader]() {
        report.damage = Damage{reader.Line(), "file ends inside a history record"};
        return report;
    };
    std::string_view title, date, views, line;
    std::vector<std::string_view> loanLines;
    for (;;) {
        FieldStatus status = reader.ReadLineView(title, kHistoryTitleMax);
        if (status == FieldStatus::EndOfData) return report;
        if (status == FieldStatus::TooLong) {
            report.damage = TooLongDamage(reader, "title", kHistoryTitleMax);
            return report;
        }
        if (status == FieldStatus::LastField) return cut();
        if (title.empty()) return report;

        status = reader.ReadLineView(date, kHistoryDateMax);
        if (status == FieldStatus::TooLong) {
            report.damage = TooLongDamage(reader, "date of entry", kHistoryDateMax);
            return report;
        }
        if (status != FieldStatus::Ok) return cut();
        status = reader.ReadLineView(views, kHistoryViewsMax);
        if (status == FieldStatus::TooLong) {
            report.damage = TooLongDamage(reader, "number of views", kHistoryViewsMax);
            return report;
        }
        if (status != FieldStatus::Ok) return cut();

        // Loan lines up to "end". Every read consumes data or reports the end of it, so this ends.
        loanLines.clear();
        for (;;) {
            status = reader.ReadLineView(line, kLoanLineMax);
            if (status == FieldStatus::TooLong) {
                report.damage = TooLongDamage(reader, "loan line", kLoanLineMax);
                return report;
            }
            if (status == FieldStatus::EndOfData) return cut();
            // "end" is whole even without its line end; any other cut line may be a fragment.
            if (line == kEndLine) break;
            if (status == FieldStatus::LastField) return cut();
            loanLines.push_back(line);
        }

        // Only a whole record reaches the store.
        if (store.AddRecord(title, date, views, loanLines)) ++report.records;
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

bool SaveHistoryFile(FileWriter& writer, const std::filesystem::path& path, const HistoryStore& store,
                     std::string& error) {
    return writer.Write(path, SerializeHistory(store), error);
}

}  // namespace cl
