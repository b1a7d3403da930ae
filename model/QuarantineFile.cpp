// The quarantine list and its file.
#include "model/QuarantineFile.h"

#include "model/base/EntryFormat.h"

namespace cl {

bool QuarantineList::Add(std::string_view title) {
    MovieRecord r;
    r.title = title;
    return titles_.InsertOrdered(std::move(r)) == 0;
}

bool QuarantineList::Contains(std::string& title, bool formatConversion) const {
    FormatEntry(title, formatConversion);
    return titles_.Contains(title);
}

LoadReport ReadQuarantine(TextReader& reader, EndMarker marker, QuarantineList& list) {
    return ReadTitleLines(reader, marker, [&list](std::string title) { return list.Add(title); });
}

LoadReport LoadQuarantineFile(const std::filesystem::path& path, EndMarker marker, QuarantineList& list) {
    std::optional<TextReader> reader = TextReader::Open(path);
    if (!reader) return LoadReport{};
    return ReadQuarantine(*reader, marker, list);
}

std::string SerializeQuarantine(const QuarantineList& list) {
    return SerializeTitleLines(list.Titles());
}

}  // namespace cl
