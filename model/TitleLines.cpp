// Reading and writing title-per-line stores.
#include "model/TitleLines.h"

namespace cl {

LoadReport ReadTitleLines(TextReader& reader, EndMarker marker, const std::function<bool(std::string)>& take) {
    LoadReport report;
    report.opened = true;
    std::string_view line;
    for (;;) {
        const std::size_t lineNumber = reader.Line();
        // A file without its end line is read to its last byte: nothing of it is lost, so nothing is said.
        FieldStatus status = reader.ReadLineView(line, kTitleLineMax);
        if (status == FieldStatus::EndOfData) return report;
        if (status == FieldStatus::TooLong) {
            report.damage = TooLongDamage(reader, "title", kTitleLineMax);
            return report;
        }
        bool isEnd = marker == EndMarker::Exact ? line == "end" : SameTitle(line, "end");
        if (isEnd) {
            NoteTextAfterStop(reader, lineNumber, "\"end\"", report);
            return report;
        }
        // The last line of the file is a title too, with or without its line end.
        if (take(std::string(line))) ++report.records;
    }
}

std::string SerializeTitleLines(const MovieList& list) {
    std::string out;
    for (const MovieRecord& r : list) {
        out += r.title;
        out += "\r\n";
    }
    out += "end";
    return out;
}

}  // namespace cl
