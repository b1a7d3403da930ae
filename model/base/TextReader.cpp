// Bounded reading of the line-oriented store files.
#include "model/base/TextReader.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <system_error>

namespace cl {

std::optional<TextReader> TextReader::Open(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    // A regular file in one read of its size, straight into a buffer that is not cleared first.
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (!ec && size > 0) {
        auto file = std::make_unique_for_overwrite<char[]>(static_cast<std::size_t>(size));
        const std::streamsize got = in.rdbuf()->sgetn(file.get(), static_cast<std::streamsize>(size));
        const std::size_t have = got > 0 ? static_cast<std::size_t>(got) : 0;
        if (have < size || in.rdbuf()->sgetc() == std::char_traits<char>::eof()) {
            if (in.bad()) return std::nullopt;
            return TextReader(std::move(file), have);
        }
        // The file grew while it was read: the rest comes after what was read.
        std::string data(file.get(), have);
        data.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (in.bad()) return std::nullopt;
        return TextReader(std::move(data));
    }
    // No size to go by (or an empty file): through the stream buffer.
    std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return TextReader(std::move(data));
}

TextReader::TextReader(const TextReader& other) : text_(other.text_), pos_(other.pos_), line_(other.line_) {
    if (other.file_) {
        file_ = std::make_unique_for_overwrite<char[]>(other.data_.size());
        std::memcpy(file_.get(), other.data_.data(), other.data_.size());
    }
    Rebind(other.data_.size());
}

TextReader::TextReader(TextReader&& other) noexcept
    : text_(std::move(other.text_)), file_(std::move(other.file_)), pos_(other.pos_), line_(other.line_) {
    Rebind(other.data_.size());
    other.Rebind(0);
}

TextReader& TextReader::operator=(const TextReader& other) {
    if (this != &other) *this = TextReader(other);
    return *this;
}

TextReader& TextReader::operator=(TextReader&& other) noexcept {
    if (this == &other) return *this;
    const std::size_t size = other.data_.size();
    text_ = std::move(other.text_);
    file_ = std::move(other.file_);
    pos_ = other.pos_;
    line_ = other.line_;
    Rebind(size);
    other.Rebind(0);
    return *this;
}

FieldStatus TextReader::ReadLine(std::string& out, std::size_t maxLen) {
    std::string_view field;
    FieldStatus status = ReadLineView(field, maxLen);
    out.assign(field);
    return status;
}

FieldStatus TextReader::ReadBarField(std::string& out, std::size_t maxLen) {
    std::string_view field;
    FieldStatus status = ReadBarFieldView(field, maxLen);
    out.assign(field);
    return status;
}

namespace {

// The first LF of p[0, n), or nullptr. Most lines of the stores are short: the first sixteen bytes are
// looked at here, eight at a time, before a library search takes over.
const char* FindLineFeed(const char* p, std::size_t n) {
    if constexpr (std::endian::native == std::endian::little) {
        constexpr std::uint64_t kOnes = 0x0101010101010101ull;
        constexpr std::uint64_t kHighs = 0x8080808080808080ull;
        std::size_t i = 0;
        for (; i < 16 && i + 8 <= n; i += 8) {
            std::uint64_t word;
            std::memcpy(&word, p + i, 8);
            const std::uint64_t v = word ^ (kOnes * '\n');
            if (const std::uint64_t hits = (v - kOnes) & ~v & kHighs) {
                return p + i + static_cast<std::size_t>(std::countr_zero(hits)) / 8;
            }
        }
        return static_cast<const char*>(std::memchr(p + i, '\n', n - i));
    }
    return static_cast<const char*>(std::memchr(p, '\n', n));
}

}  // namespace

FieldStatus TextReader::ReadLineView(std::string_view& out, std::size_t maxLen) {
    out = {};
    if (AtEnd()) return FieldStatus::EndOfData;
    const char* data = data_.data();
    const std::size_t start = pos_;
    const std::size_t left = data_.size() - start;
    // Only the first maxLen + 2 bytes can decide: the longest line that fits, then a CR LF. Searching no
    // further keeps a damaged file without line ends from being scanned to its end for every field.
    const std::size_t window = maxLen >= left || left - maxLen <= 2 ? left : maxLen + 2;
    const char* lf = FindLineFeed(data + start, window);
    std::size_t end = 0;  // one past the line's last character
    std::size_t eol = 0;  // length of its line end
    if (lf != nullptr) {
        end = static_cast<std::size_t>(lf - data);
        eol = 1;
        if (end > start && data[end - 1] == '\r') {
            --end;
            eol = 2;
        }
    } else if (window == left) {
        end = data_.size();  // the last line, without a line end (a CR there is data)
    } else {
        end = start + window;  // longer than maxLen in any case
    }
    if (end - start > maxLen) {
        out = std::string_view(data + start, maxLen);
        pos_ = start + maxLen;
        return FieldStatus::TooLong;
    }
    out = std::string_view(data + start, end - start);
    pos_ = end + eol;
    if (eol == 0) return FieldStatus::LastField;
    ++line_;
    return FieldStatus::Ok;
}

namespace {

// Bytes of `word` equal to a bar, LF or CR get their top bit set; the lowest set one is exact (higher
// ones may be false alarms, which the caller never looks at).
std::uint64_t BarOrBreakBytes(std::uint64_t word) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ull;
    constexpr std::uint64_t kHighs = 0x8080808080808080ull;
    const auto zeroBytes = [](std::uint64_t v) { return (v - kOnes) & ~v & kHighs; };
    return zeroBytes(word ^ (kOnes * '|')) | zeroBytes(word ^ (kOnes * '\n')) | zeroBytes(word ^ (kOnes * '\r'));
}

// The first position in [from, limit) holding a bar, LF or CR; limit when none.
std::size_t FindBarOrBreak(const char* data, std::size_t from, std::size_t limit) {
    std::size_t i = from;
    if constexpr (std::endian::native == std::endian::little) {
        for (; i + 8 <= limit; i += 8) {
            std::uint64_t word;
            std::memcpy(&word, data + i, 8);
            if (const std::uint64_t hits = BarOrBreakBytes(word)) {
                return i + static_cast<std::size_t>(std::countr_zero(hits)) / 8;
            }
        }
    }
    for (; i < limit; ++i) {
        const char c = data[i];
        if (c == '|' || c == '\n' || c == '\r') return i;
    }
    return limit;
}

}  // namespace

FieldStatus TextReader::ReadBarFieldView(std::string_view& out, std::size_t maxLen) {
    out = {};
    if (AtEnd()) return FieldStatus::EndOfData;
    const char* data = data_.data();
    const std::size_t size = data_.size();
    const std::size_t start = pos_;
    // Positions start to start + maxLen are looked at: a bar or a line end there still counts, any
    // other character there makes the field too long.
    const std::size_t limit = maxLen >= size - start ? size : start + maxLen + 1;
    std::size_t end = start;
    for (;;) {
        end = FindBarOrBreak(data, end, limit);
        if (end == limit) break;
        const char c = data[end];
        if (c == '|') {
            out = std::string_view(data + start, end - start);
            pos_ = end + 1;
            return FieldStatus::Ok;
        }
        if (c == '\n' || (end + 1 < size && data[end + 1] == '\n')) {
            out = std::string_view(data + start, end - start);
            pos_ = end;
            return FieldStatus::MissingBar;
        }
        ++end;  // a CR on its own is data
    }
    if (end - start > maxLen) {
        out = std::string_view(data + start, maxLen);
        pos_ = start + maxLen;
        return FieldStatus::TooLong;
    }
    out = std::string_view(data + start, end - start);
    pos_ = end;
    return FieldStatus::LastField;
}

void TextReader::SkipLine() {
    if (AtEnd()) return;
    // A line ends with its LF, whether a CR comes before it or not.
    const auto* lf = static_cast<const char*>(std::memchr(data_.data() + pos_, '\n', data_.size() - pos_));
    if (lf == nullptr) {
        pos_ = data_.size();
        return;
    }
    pos_ = static_cast<std::size_t>(lf - data_.data()) + 1;
    ++line_;
}

Damage TooLongDamage(const TextReader& reader, std::string_view field, std::size_t maxLen) {
    return Damage{reader.Line(), std::string(field) + " longer than " + std::to_string(maxLen) + " characters"};
}

void NoteTextAfterStop(const TextReader& reader, std::size_t line, std::string_view marker, LoadReport& report) {
    if (reader.Rest().find_first_not_of(" \t\r\n") == std::string_view::npos) return;
    report.damage = Damage{line, std::string(marker) + " ends the records, but more text follows it"};
}

}  // namespace cl
