// The media store: the technical details of the user's own movies' video files, one record per exact
// title in the order they were added, and its file "Media.dat" (and the backup "Media.bak"). Also the
// list of media records that a friend's imported movie list brings.
#pragma once

#include <array>
#include <cstddef>
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "media/MediaRecord.h"
#include "model/base/FileWriter.h"
#include "model/base/KeyedList.h"
#include "model/base/TextReader.h"

namespace cl {

inline constexpr std::size_t kMediaFieldCount = 13;

// Fields 1 to 13 in file order, with the longest text the reader takes for each.
struct MediaFieldLine {
    std::optional<std::string> MediaFields::*field;
    std::size_t max;
    const char* name;
};
extern const std::array<MediaFieldLine, kMediaFieldCount> kMediaFieldLines;

class MediaStore {
  public:
    // Replaces fields 2 to 13 of the title's record with copies of the given ones (it keeps its place), or
    // appends a new record; `media.title` is not used. Texts are kept as single lines cut at their reader
    // limits so that the file reads back as written. False (nothing stored) for a title the file could
    // not carry: empty, holding a line feed or over 109 characters.
    bool AddOrReplace(std::string_view title, const MediaFields& media);

    // AddOrReplace with fields 1 to 13 as one record of the file gave them, every one present: the
    // loader's way in, without a copy of the fields on the way.
    bool AddOrReplaceRead(const std::array<std::string_view, kMediaFieldCount>& fields);

    // Copies fields 1 to 13 and the medium of the title's record into the scratch (absent fields make
    // the scratch's absent); the running time and video bytes stay. False and nothing changed when the
    // title has no record.
    bool LookupIntoScratch(std::string_view title, MediaScratch& scratch) const;

    // The first record with the old title gets the new title in its place; a record that already had the
    // new title stays too (lookups find whichever comes first). False when the old title has no record or
    // the new one is not usable.
    bool Rename(std::string_view oldTitle, std::string_view newTitle);

    bool Delete(std::string_view title) { return records_.Erase(title); }
    void FreeAll() { records_.Clear(); }

    std::size_t Count() const { return records_.Count(); }
    const MediaRecord* Find(std::string_view title) const { return records_.Find(title); }
    std::vector<std::string> Titles() const;

    auto begin() const { return records_.begin(); }
    auto end() const { return records_.end(); }

  private:
    struct KeyOf {
        std::string& operator()(MediaRecord& r) const { return *r.fields.title; }
        const std::string& operator()(const MediaRecord& r) const { return *r.fields.title; }
    };
    // The work of both AddOrReplace variants; fieldAt(i) gives field i + 1 as an optional view.
    template <typename FieldAt>
    bool Store(std::string_view title, FieldAt fieldAt);

    KeyedList<MediaRecord, KeyOf> records_;
};

// The media records of an imported movie list: appended in the order they arrive, duplicates allowed.
// Lookups by title find the first record with it. A list brings tens of thousands of records at once, so
// they share the stores' keyed list: nodes from a pool and a flat hash index, nothing more per title unless
// it arrives again.
class ImportList {
  public:
    // A record is sixteen texts, and each move of one on the way in costs about as much as building it: it is
    // taken by reference, or appended with only its title for the caller to fill the rest in place.
    void Append(MediaRecord&& record) { Keep(std::move(record)); }
    MediaRecord& AppendTitled(std::string title) {
        MediaRecord record;
        record.fields.title = std::move(title);
        return Keep(std::move(record));
    }

    // The first record with exactly this title, or nullptr.
    const MediaRecord* Find(std::string_view title) const { return records_.Find(title); }
    // Unlinks the first record with exactly this title; false when none.
    bool Delete(std::string_view title);

    void FreeAll() {
        records_.Clear();
        later_.clear();
    }
    std::size_t Count() const { return records_.Count(); }
    std::vector<std::string> Titles() const;

    auto begin() const { return records_.begin(); }
    auto end() const { return records_.end(); }

  private:
    // A record without a title counts as the empty title.
    struct KeyOf {
        const std::string& operator()(const MediaRecord& r) const {
            static const std::string kNone;
            return r.fields.title ? *r.fields.title : kNone;
        }
    };
    struct TitleHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view title) const { return std::hash<std::string_view>{}(title); }
    };
    using Records = KeyedList<MediaRecord, KeyOf>;

    MediaRecord& Keep(MediaRecord&& record);

    Records records_;  // every record in arrival order; lookups see the first of each title
    // The later records of a title that arrived more than once, in arrival order, each indexed in turn as the one
    // before it is deleted: a title sent many times costs no more than as many titles.
    std::unordered_map<std::string, std::deque<Records::iterator>, TitleHash, std::equal_to<>> later_;
};

// Reads thirteen-line records until the end of the data or an empty title line (add or replace each; text
// after that line is damage). A line over its limit stops the reading with damage; that record is not
// taken, the ones before it are. A record the file's end cuts short is taken with its missing lines empty.
LoadReport ReadMedia(TextReader& reader, MediaStore& store);
LoadReport LoadMediaFile(const std::filesystem::path& path, MediaStore& store);

std::string SerializeMedia(const MediaStore& store);
}  // namespace cl
