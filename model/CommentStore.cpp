// The comment store and "Comments.dat".
#include "model/CommentStore.h"

#include "model/base/StoreValues.h"

namespace cl {

bool CommentStore::Set(std::string_view title, std::string_view comment) {
    if (!UsableKey(title, kCommentTitleMax)) return false;
    std::string text = OneLine(comment, kCommentMax);
    records_.FindOrAppend(title, [title](CommentRecord& fresh) { fresh.title = title; }).first->comment =
        std::move(text);
    return true;
}

std::optional<std::string> CommentStore::CommentFor(std::string_view title) const {
    const CommentRecord* r = records_.Find(title);
    if (r == nullptr) return std::nullopt;
    return r->comment;
}

bool CommentStore::LoadIntoCurrent(std::string_view title, std::optional<std::string>& comments) const {
    const CommentRecord* r = records_.Find(title);
    if (r == nullptr) return false;
    comments = r->comment;
    return true;
}

bool CommentStore::Rename(std::string_view oldTitle, std::string_view newTitle) {
    if (!UsableKey(newTitle, kCommentTitleMax)) return false;
    return records_.Rekey(oldTitle, newTitle);
}

LoadReport ReadComments(TextReader& reader, CommentStore& store) {
    LoadReport report;
    report.opened = true;
    std::string_view title;
    std::string_view comment;
    for (;;) {
        const std::size_t line = reader.Line();
        FieldStatus status = reader.ReadLineView(title, kCommentTitleMax);
        if (status == FieldStatus::EndOfData) return report;
        if (status == FieldStatus::TooLong) {
            report.damage = TooLongDamage(reader, "title", kCommentTitleMax);
            return report;
        }
        if (title.empty()) {
            NoteTextAfterStop(reader, line, "an empty title line", report);
            return report;
        }
        // The last line of the file is a line, with or without its line end; a title there has an empty
        // comment, which the reader finds as the end of the data.
        if (reader.ReadLineView(comment, kCommentMax) == FieldStatus::TooLong) {
            report.damage = TooLongDamage(reader, "comment", kCommentMax);
            return report;
        }
        if (store.Set(title, comment)) ++report.records;
    }
}

LoadReport LoadCommentsFile(const std::filesystem::path& path, CommentStore& store) {
    std::optional<TextReader> reader = TextReader::Open(path);
    if (!reader) return LoadReport{};
    return ReadComments(*reader, store);
}

std::string SerializeComments(const CommentStore& store) {
    std::string out;
    for (const CommentRecord& r : store) {
        out += r.title;
        out += "\r\n";
        out += r.comment;
        out += "\r\n";
    }
    return out;
}

}  // namespace cl
