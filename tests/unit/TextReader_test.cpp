// The bounded field reader every store file goes through, against the rule read one byte at a time.
#include "model/base/TextReader.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace cl {
namespace {

// A field ends at a line end (LF or CR LF; a lone CR is data), or for a bar field also at a bar; a bar field meeting
// a line end is MissingBar and leaves it unread. More than maxLen characters is TooLong, the first maxLen kept.
struct ReferenceReader {
    std::string data;
    std::size_t pos = 0;
    std::size_t line = 1;

    std::size_t LineEndAt(std::size_t p) const {
        if (p < data.size() && data[p] == '\n') return 1;
        return p + 1 < data.size() && data[p] == '\r' && data[p + 1] == '\n' ? 2 : 0;
    }
    FieldStatus Read(std::string& out, std::size_t maxLen, bool bar) {
        out.clear();
        if (pos >= data.size()) return FieldStatus::EndOfData;
        std::size_t end = pos;
        while (end < data.size() && !(bar && data[end] == '|') && LineEndAt(end) == 0) ++end;
        const std::size_t start = pos;
        if (end - start > maxLen) {
            pos += maxLen;
            out = data.substr(start, maxLen);
            return FieldStatus::TooLong;
        }
        out = data.substr(start, end - start);
        pos = end;
        if (end == data.size()) return FieldStatus::LastField;
        if (bar && data[end] != '|') return FieldStatus::MissingBar;
        pos += bar ? 1 : LineEndAt(end);
        line += bar ? 0 : 1;
        return FieldStatus::Ok;
    }
    void SkipLine() {
        for (; pos < data.size(); ++pos) {
            if (const std::size_t eol = LineEndAt(pos)) {
                pos += eol;
                ++line;
                return;
            }
        }
    }
};

// Reads `data` with reads of every kind at random, each against the reference, until the data is used up.
void ReadAlongTheReference(const std::string& data, std::mt19937& rng, std::size_t maxLenRange) {
    SCOPED_TRACE(data);
    TextReader reader(data);
    ReferenceReader reference{data};
    for (int step = 0; step < 60 && !reader.AtEnd(); ++step) {
        const std::size_t maxLen = rng() % maxLenRange;
        const unsigned kind = rng() % 5;
        const bool bar = kind % 2 == 1;
        std::string got;
        std::string want;
        std::string_view view;
        FieldStatus status = FieldStatus::Ok;
        FieldStatus wantStatus = FieldStatus::Ok;
        if (kind == 4) {
            reader.SkipLine();
            reference.SkipLine();
        } else {
            wantStatus = reference.Read(want, maxLen, bar);
            if (kind < 2) {
                status = bar ? reader.ReadBarField(got, maxLen) : reader.ReadLine(got, maxLen);
            } else {
                status = bar ? reader.ReadBarFieldView(view, maxLen) : reader.ReadLineView(view, maxLen);
                got = view;
            }
        }
        ASSERT_EQ(status, wantStatus) << "step " << step;
        ASSERT_EQ(got, want) << "step " << step;
        ASSERT_EQ(reader.Line(), reference.line) << "step " << step;
        ASSERT_EQ(reader.AtEnd(), reference.pos >= data.size()) << "step " << step;
    }
}

TEST(TextReader, EveryReadFollowsTheRuleReadOneByteAtATime) {
    std::mt19937 rng(11);
    const std::string alphabet = "ab|\r\n";
    for (int round = 0; round < 3000; ++round) {
        std::string data;
        for (std::size_t k = rng() % 60; k > 0; --k) data += alphabet[rng() % (rng() % 3 == 0 ? 5 : 3)];
        ReadAlongTheReference(data, rng, 12);
    }
    // Long fields, with the stop in every place of the words the reader looks at together and a lone CR before it.
    for (std::size_t at = 0; at < 40; ++at) {
        for (const char* stop : {"|", "\n", "\r\n"}) {
            for (int repeat = 0; repeat < 4; ++repeat) {
                ReadAlongTheReference(std::string(at, 'x') + "\r" + std::string(5, 'y') + stop + "z", rng, 50);
            }
        }
    }
}

}  // namespace
}  // namespace cl
