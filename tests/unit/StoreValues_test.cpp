// Values kept on one line: the run-by-run copy against the character-by-character rule it replaces.
#include "model/base/StoreValues.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace cl {
namespace {

std::string ReferenceOneLine(std::string_view text, std::size_t maxLen) {
    std::string out;
    for (std::size_t i = 0; i < text.size() && out.size() < maxLen; ++i) {
        char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        out += (c == '\r' || c == '\n') ? ' ' : c;
    }
    return out;
}

TEST(OneLine, MatchesTheCharacterByCharacterRule) {
    std::mt19937 rng(3);
    const std::string alphabet = "ab \r\n";
    for (int i = 0; i < 20000; ++i) {
        std::string text;
        const std::size_t length = rng() % (i % 10 == 0 ? 200 : 24);
        for (std::size_t k = 0; k < length; ++k) text += alphabet[rng() % (rng() % 4 == 0 ? 5 : 3)];
        const std::size_t maxLen = rng() % 40;
        ASSERT_EQ(OneLine(text, maxLen), ReferenceOneLine(text, maxLen)) << i;
        std::string assigned = "previous value";
        AssignOneLine(assigned, text, maxLen);
        ASSERT_EQ(assigned, ReferenceOneLine(text, maxLen)) << i;
    }
}

TEST(OneLine, AssignOneLineMayReadTheStringItOverwrites) {
    std::string value = "first\r\nsecond\rthird\nfourth, long enough to live on the heap";
    const std::string want = ReferenceOneLine(value, 30);
    AssignOneLine(value, value, 30);
    EXPECT_EQ(value, want);
    std::string tail = "abc\r\ndef";
    AssignOneLine(tail, std::string_view(tail).substr(3), 10);
    EXPECT_EQ(tail, " def");
}

}  // namespace
}  // namespace cl
