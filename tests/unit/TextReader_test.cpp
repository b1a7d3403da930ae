// The bounded field reader that every store file goes through.
#include "model/base/TextReader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <string>

namespace cl {
namespace {

TEST(TextReader, LinesEndInCrLfOrLfAndTheLastNeedsNone) {
    TextReader r(std::string("one\r\ntwo\nthree"));
    std::string s;
    EXPECT_EQ(r.ReadLine(s, 10), FieldStatus::Ok);
    EXPECT_EQ(s, "one");
    EXPECT_EQ(r.ReadLine(s, 10), FieldStatus::Ok);
    EXPECT_EQ(s, "two");
    EXPECT_EQ(r.ReadLine(s, 10), FieldStatus::LastField);
    EXPECT_EQ(s, "three");
    EXPECT_TRUE(r.AtEnd());
    EXPECT_EQ(r.ReadLine(s, 10), FieldStatus::EndOfData);
}

TEST(TextReader, LimitIsTheLongestValueAndOneMoreIsTooLong) {
    TextReader r(std::string("abc\r\nabcd\r\n"));
    std::string s;
    EXPECT_EQ(r.ReadLine(s, 3), FieldStatus::Ok);
    EXPECT_EQ(s, "abc");
    EXPECT_EQ(r.ReadLine(s, 3), FieldStatus::TooLong);
    EXPECT_EQ(s, "abc");
    EXPECT_EQ(r.Line(), 2u);
}

TEST(TextReader, BarFieldsStopAtALineEndWithoutCrossingIt) {
    TextReader r(std::string("a|b\r\nc|"));
    std::string s;
    EXPECT_EQ(r.ReadBarField(s, 5), FieldStatus::Ok);
    EXPECT_EQ(s, "a");
    EXPECT_EQ(r.ReadBarField(s, 5), FieldStatus::MissingBar);
    EXPECT_EQ(s, "b");
    r.SkipLine();
    EXPECT_EQ(r.ReadBarField(s, 5), FieldStatus::Ok);
    EXPECT_EQ(s, "c");
    EXPECT_TRUE(r.AtEnd());
}

TEST(TextReader, LoneCarriageReturnIsData) {
    TextReader r(std::string("a\rb\r\n"));
    std::string s;
    EXPECT_EQ(r.ReadLine(s, 10), FieldStatus::Ok);
    EXPECT_EQ(s, "a\rb");
}

// The byte-by-byte reader the searching one replaced, kept literal as the reference.
class ReferenceReader {
  public:
    explicit ReferenceReader(std::string data) : data_(std::move(data)) {}
    bool AtEnd() const { return pos_ >= data_.size(); }
    std::size_t Line() const { return line_; }

    FieldStatus ReadLine(std::string& out, std::size_t maxLen) {
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

    FieldStatus ReadBarField(std::string& out, std::size_t maxLen) {
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

    void SkipLine() {
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

  private:
    std::size_t LineEndAt(std::size_t pos) const {
        if (pos >= data_.size()) return 0;
        if (data_[pos] == '\n') return 1;
        if (data_[pos] == '\r' && pos + 1 < data_.size() && data_[pos + 1] == '\n') return 2;
        return 0;
    }

    std::string data_;
    std::size_t pos_ = 0;
    std::size_t line_ = 1;
};

TEST(TextReader, EveryReadMatchesTheByteByByteReader) {
    std::mt19937 rng(11);
    const std::string alphabet = "ab|\r\n";
    for (int round = 0; round < 3000; ++round) {
        std::string data;
        const std::size_t length = rng() % 60;
        for (std::size_t k = 0; k < length; ++k) data += alphabet[rng() % (rng() % 3 == 0 ? 5 : 3)];
        TextReader reader(data);
        ReferenceReader reference(data);
        for (int step = 0; step < 40 && !reference.AtEnd(); ++step) {
            const std::size_t maxLen = rng() % 12;
            std::string got;
            std::string want;
            std::string_view view;
            FieldStatus gotStatus = FieldStatus::Ok;
            FieldStatus wantStatus = FieldStatus::Ok;
            switch (rng() % 5) {
                case 0:
                    gotStatus = reader.ReadLine(got, maxLen);
                    wantStatus = reference.ReadLine(want, maxLen);
                    break;
                case 1:
                    gotStatus = reader.ReadBarField(got, maxLen);
                    wantStatus = reference.ReadBarField(want, maxLen);
                    break;
                case 2:
                    gotStatus = reader.ReadLineView(view, maxLen);
                    got = std::string(view);
                    wantStatus = reference.ReadLine(want, maxLen);
                    break;
                case 3:
                    gotStatus = reader.ReadBarFieldView(view, maxLen);
                    got = std::string(view);
                    wantStatus = reference.ReadBarField(want, maxLen);
                    break;
                default:
                    reader.SkipLine();
                    reference.SkipLine();
                    break;
            }
            ASSERT_EQ(gotStatus, wantStatus) << "round " << round << " step " << step;
            ASSERT_EQ(got, want) << "round " << round << " step " << step;
            ASSERT_EQ(reader.Line(), reference.Line());
            ASSERT_EQ(reader.AtEnd(), reference.AtEnd());
        }
    }
}

TEST(TextReader, LongBarFieldsAreSearchedPastWordBoundaries) {
    // Fields longer than the eight bytes looked at together, with the stop in every position of a word.
    for (std::size_t at = 0; at < 24; ++at) {
        for (const char* stop : {"|", "\n", "\r\n"}) {
            const std::string data = std::string(at, 'x') + "\r" + std::string(5, 'y') + stop + "z";
            TextReader reader(data);
            ReferenceReader reference(data);
            std::string got;
            std::string want;
            ASSERT_EQ(reader.ReadBarField(got, 30), reference.ReadBarField(want, 30));
            ASSERT_EQ(got, want);
            ASSERT_EQ(reader.ReadBarField(got, 30), reference.ReadBarField(want, 30));
            ASSERT_EQ(got, want);
        }
    }
}

TEST(TextReader, AFileReadBackCopiesAndMovesWithItsPlace) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "cl-text-reader-test";
    std::filesystem::create_directories(dir);
    {
        std::ofstream out(dir / "lines.dat", std::ios::binary);
        out << "first\r\nsecond\nthird";
    }
    std::optional<TextReader> opened = TextReader::Open(dir / "lines.dat");
    ASSERT_TRUE(opened.has_value());
    std::string s;
    EXPECT_EQ(opened->ReadLine(s, 20), FieldStatus::Ok);
    TextReader copy = *opened;
    TextReader moved = std::move(*opened);
    EXPECT_EQ(copy.ReadLine(s, 20), FieldStatus::Ok);
    EXPECT_EQ(s, "second");
    EXPECT_EQ(moved.ReadLine(s, 20), FieldStatus::Ok);
    EXPECT_EQ(s, "second");
    copy = moved;
    std::string_view view;
    EXPECT_EQ(copy.ReadLineView(view, 20), FieldStatus::LastField);
    EXPECT_EQ(view, "third");
    EXPECT_EQ(copy.Line(), 3u);
    EXPECT_FALSE(TextReader::Open(dir / "missing.dat").has_value());
    std::filesystem::remove_all(dir);
}

TEST(TextReader, SeekReturnsToAToldPosition) {
    TextReader r(std::string("one\r\ntwo\r\n"));
    std::string s;
    const TextReader::Position start = r.Tell();
    EXPECT_EQ(r.ReadLine(s, 10), FieldStatus::Ok);
    EXPECT_EQ(r.Line(), 2u);
    r.Seek(start);
    EXPECT_EQ(r.Line(), 1u);
    EXPECT_EQ(r.ReadLine(s, 10), FieldStatus::Ok);
    EXPECT_EQ(s, "one");
}

}  // namespace
}  // namespace cl
