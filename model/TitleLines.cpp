// Reading and writing title-per-line stores.
#include "model/TitleLines.h"

namespace cl {

LoadReport ReadTitleLines(TextReader& reader, EndMarker marker, const std::function<bool(std::string)>& take) {
    LoadReport report;
    report.opened = true;
    std::string_view line;
    for (;;) {
        FieldStatus status = reader.ReadLineView(line, kTitleLineMax);
        if (status == FieldStatus::EndOfData) {
            report.damage = Damage{reader.Line(), "file ends before its end line"};
            return report;
        }
        if (status == FieldStatus::TooLong) {
            report.damage = TooLongDamage(reader, "title", kTitleLineMax);
            return report;
        }
        bool isEnd = marker == EndMarker::Exact ? line == "end" : SameTitle(line, "end");
        if (isEnd) return report;
        if (status == FieldStatus::LastField) {
            // The last line lost its line end: it may have been cut short, so it is not taken.
            report.damage = Damage{reader.Line(), "file ends inside a title"};
            return report;
        }
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
