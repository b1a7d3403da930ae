// The comments of movies, keyed by the exact title, and their file "Comments.dat" (and the backup
// "Comments.bak"): per record a title line and a comment line, no end marker.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "model/base/FileWriter.h"
#include "model/base/KeyedList.h"
#include "model/base/TextReader.h"

namespace cl {

inline constexpr std::size_t kCommentTitleMax = 109;
inline constexpr std::size_t kCommentMax = 509;       // longest comment the file reader takes
inline constexpr std::size_t kCommentTypedMax = 500;  // longest comment the add/edit dialog lets the user type

struct CommentRecord {
    std::string title;
    std::string comment;
};

class CommentStore {
  public:
    // Replaces the comment of the title, or appends a record at the end. The comment is stored as one
    // line: line breaks become blanks and it is cut at kCommentMax, so the file always reads back the
    // same. False (nothing stored) for a title the file could not carry: empty, holding a line feed or
    // longer than kCommentTitleMax.
    bool Set(std::string_view title, std::string_view comment);

    // Unlinks the title's record; false when there is none.
    bool Remove(std::string_view title) { return records_.Erase(title); }

    // A copy of the title's comment; nullopt when it has none.
    std::optional<std::string> CommentFor(std::string_view title) const;

    // Makes `comments` (the current movie's) a copy of the title's comment; unchanged when it has none.
    bool LoadIntoCurrent(std::string_view title, std::optional<std::string>& comments) const;

    // A renamed movie takes its comment along: the first record with the old title keeps its place under
    // the new title. A record that already had the new title stays too; lookups and Set find whichever comes
    // first, and a save writes both. False when the old title has no comment.
    bool Rename(std::string_view oldTitle, std::string_view newTitle);

    void FreeAll() { records_.Clear(); }
    std::size_t Count() const { return records_.Count(); }
    const CommentRecord* Find(std::string_view title) const { return records_.Find(title); }

    auto begin() const { return records_.begin(); }
    auto end() const { return records_.end(); }

  private:
    struct KeyOf {
        std::string& operator()(CommentRecord& r) const { return r.title; }
        const std::string& operator()(const CommentRecord& r) const { return r.title; }
    };
    KeyedList<CommentRecord, KeyOf> records_;
};

// Reads records until the end of the data or an empty title line (text after that line is damage). A title
// or comment over its limit stops the reading with damage; the records before it are kept. A last line
// without its line end is read like any other, and a title on the last line gets an empty comment.
LoadReport ReadComments(TextReader& reader, CommentStore& store);
LoadReport LoadCommentsFile(const std::filesystem::path& path, CommentStore& store);

std::string SerializeComments(const CommentStore& store);
}  // namespace cl
