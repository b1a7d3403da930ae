// The media store, "Media.dat" and the imported list of media records.
#include "media/MediaStore.h"

#include <utility>

#include "model/base/StoreValues.h"

namespace cl {

const std::array<MediaFieldLine, kMediaFieldCount> kMediaFieldLines{{
    {&MediaFields::title, 109, "title"},
    {&MediaFields::format, 9, "format"},
    {&MediaFields::cds, 1, "number of CDs"},
    {&MediaFields::width, 4, "width"},
    {&MediaFields::height, 4, "height"},
    {&MediaFields::length, 9, "length"},
    {&MediaFields::frameRate, 14, "frame rate"},
    {&MediaFields::videoBitRate, 14, "video bit rate"},
    {&MediaFields::codec, 29, "codec"},
    {&MediaFields::audioBitRate, 14, "audio bit rate"},
    {&MediaFields::audioCodec, 29, "audio codec"},
    {&MediaFields::channels, 9, "channels"},
    {&MediaFields::samples, 9, "samples"},
}};

template <typename FieldAt>
bool MediaStore::Store(std::string_view title, FieldAt fieldAt) {
    if (!UsableKey(title, kMediaFieldLines[0].max)) return false;
    MediaRecord* record =
        records_.FindOrAppend(title, [title](MediaRecord& fresh) { fresh.fields.title.emplace(title); }).first;
    // Field by field, each written over the old one: a value that views the same field of the record
    // itself still comes out right, and no other field is read.
    for (std::size_t i = 1; i < kMediaFieldCount; ++i) {
        const MediaFieldLine& line = kMediaFieldLines[i];
        const std::optional<std::string_view> value = fieldAt(i);
        std::optional<std::string>& field = record->fields.*line.field;
        if (!value) {
            field.reset();
            continue;
        }
        if (!field) field.emplace();
        AssignOneLine(*field, *value, line.max);
    }
    return true;
}

bool MediaStore::AddOrReplace(std::string_view title, const MediaFields& media) {
    return Store(title, [&media](std::size_t i) -> std::optional<std::string_view> {
        const std::optional<std::string>& value = media.*kMediaFieldLines[i].field;
        if (!value) return std::nullopt;
        return std::string_view(*value);
    });
}

bool MediaStore::AddOrReplaceRead(const std::array<std::string_view, kMediaFieldCount>& fields) {
    return Store(fields[0], [&fields](std::size_t i) { return std::optional<std::string_view>(fields[i]); });
}

bool MediaStore::LookupIntoScratch(std::string_view title, MediaScratch& scratch) const {
    const MediaRecord* record = records_.Find(title);
    if (record == nullptr) return false;
    scratch.fields = record->fields;
    scratch.medium = record->medium;
    return true;
}

bool MediaStore::Rename(std::string_view oldTitle, std::string_view newTitle) {
    if (!UsableKey(newTitle, kMediaFieldLines[0].max)) return false;
    return records_.Rekey(oldTitle, newTitle);
}

std::vector<std::string> MediaStore::Titles() const {
    std::vector<std::string> titles;
    titles.reserve(records_.Count());
    for (const MediaRecord& r : records_) titles.push_back(*r.fields.title);
    return titles;
}

MediaRecord& ImportList::Keep(MediaRecord&& record) {
    const Records::iterator kept = records_.AppendUnindexed(std::move(record));
    const std::string& title = KeyOf{}(*kept);
    if (records_.Find(title) == nullptr)
        records_.Index(kept);
    else
        later_[title].push_back(kept);
    return *kept;
}

bool ImportList::Delete(std::string_view title) {
    if (!records_.Erase(title)) return false;
    if (const auto later = later_.find(title); later != later_.end()) {
        records_.Index(later->second.front());
        later->second.pop_front();
        if (later->second.empty()) later_.erase(later);
    }
    return true;
}

std::vector<std::string> ImportList::Titles() const {
    std::vector<std::string> titles;
    titles.reserve(records_.Count());
    for (const MediaRecord& r : records_) titles.push_back(KeyOf{}(r));
    return titles;
}

LoadReport ReadMedia(TextReader& reader, MediaStore& store) {
    LoadReport report;
    report.opened = true;
    std::array<std::string_view, kMediaFieldCount> fields;
    for (;;) {
        const std::size_t titleLine = reader.Line();
        for (std::size_t i = 0; i < kMediaFieldCount; ++i) {
            const MediaFieldLine& line = kMediaFieldLines[i];
            // Past the end of the data a field reads as an empty line: the last line of a file is a line,
            // and a record cut there keeps what it has.
            const FieldStatus status = reader.ReadLineView(fields[i], line.max);
            if (i == 0 && status == FieldStatus::EndOfData) return report;
            if (status == FieldStatus::TooLong) {
                report.damage = TooLongDamage(reader, line.name, line.max);
                return report;
            }
            if (i == 0 && fields[i].empty()) {
                NoteTextAfterStop(reader, titleLine, "an empty title line", report);
                return report;
            }
        }
        if (store.AddOrReplaceRead(fields)) ++report.records;
    }
}

LoadReport LoadMediaFile(const std::filesystem::path& path, MediaStore& store) {
    std::optional<TextReader> reader = TextReader::Open(path);
    if (!reader) return LoadReport{};
    return ReadMedia(*reader, store);
}

std::string SerializeMedia(const MediaStore& store) {
    std::string out;
    for (const MediaRecord& r : store) {
        for (const MediaFieldLine& line : kMediaFieldLines) {
            if (const std::optional<std::string>& value = r.fields.*line.field) out += *value;
            out += "\r\n";
        }
    }
    return out;
}

}  // namespace cl
