// Bounded reading of the line-oriented store files.
#include "model/TextReader.h"

#include <fstream>
#include <iterator>

namespace cl {

std::optional<TextReader> TextReader::Open(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return TextReader(std::move(data));
}

std::size_t TextReader::LineEndAt(std::size_t pos) const {
    if (pos >= data_.size()) return 0;
    if (data_[pos] == '\n') return 1;
    if (data_[pos] == '\r' && pos + 1 < data_.size() && data_[pos + 1] == '\n') return 2;
    return 0;
}

FieldStatus TextReader::ReadLine(std::string& out, std::size_t maxLen) {
    out.clear();
    if (AtEnd()) return FieldStatus::EndOfData;
    std::size_t start = pos_;
    std::size_t end = start;
    std::size_t eol = 0;
    while (end < data_.size() && (eol = LineEndAt(end)) == 0) {
        if (end - start == maxLen) {
            out.assign(data_, start, maxLen);
            pos_ = end;
            return FieldStatus::TooLong;
        }
        ++end;
    }
    out.assign(data_, start, end - start);
    pos_ = end + eol;
    if (eol == 0) return FieldStatus::LastField;
    ++line_;
    return FieldStatus::Ok;
}

FieldStatus TextReader::ReadBarField(std::string& out, std::size_t maxLen) {
    out.clear();
    if (AtEnd()) return FieldStatus::EndOfData;
    std::size_t start = pos_;
    std::size_t end = start;
    while (end < data_.size() && data_[end] != '|') {
        if (LineEndAt(end) != 0) {
            out.assign(data_, start, end - start);
            pos_ = end;
            return FieldStatus::MissingBar;
        }
        if (end - start == maxLen) {
            out.assign(data_, start, maxLen);
            pos_ = end;
            return FieldStatus::TooLong;
        }
        ++end;
    }
    out.assign(data_, start, end - start);
    if (end >= data_.size()) {
        pos_ = end;
        return FieldStatus::LastField;
    }
    pos_ = end + 1;
    return FieldStatus::Ok;
}

void TextReader::SkipLine() {
    while (pos_ < data_.size()) {
        std::size_t eol = LineEndAt(pos_);
        if (eol != 0) {
            pos_ += eol;
            ++line_;
            return;
        }
        ++pos_;
    }
}

Damage TooLongDamage(const TextReader& reader, std::string_view field, std::size_t maxLen) {
    return Damage{reader.Line(), std::string(field) + " longer than " + std::to_string(maxLen) + " characters"};
}

}  // namespace cl
