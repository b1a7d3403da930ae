// Title order (sorting and duplicate refusal) and title equality (lookups).
#include "model/base/Title.h"

#include <gtest/gtest.h>

namespace cl {
namespace {

int Sign(int v) {
    return (v > 0) - (v < 0);
}

struct OrderCase {
    const char* name;
    std::string a;
    std::string b;
    int expected;  // sign of TitleOrder(a, b)
};

class TitleOrderTable : public ::testing::TestWithParam<OrderCase> {};

TEST_P(TitleOrderTable, OrdersBothWaysConsistently) {
    const OrderCase& c = GetParam();
    EXPECT_EQ(Sign(TitleOrder(c.a, c.b)), c.expected);
    EXPECT_EQ(Sign(TitleOrder(c.b, c.a)), -c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TitleOrderTable,
    ::testing::Values(OrderCase{"CaseIsIgnored", "the matrix", "The Matrix", 0},
                      OrderCase{"PrefixComesFirst", "Alien", "alien 3", -1},
                      OrderCase{"MatrixBeforeMatrixReloaded", "Matrix", "matrix reloaded", -1},
                      OrderCase{"EmptyBeforeAnything", "", "a", -1},
                      OrderCase{"BytesAreUnsigned", "\xE9t\xE9", "zorro", 1},
                      // '[' (0x5B) lies between 'Z' and 'a': capitals are folded before comparing, so it sorts first.
                      OrderCase{"BracketBeforeFoldedCapitals", "[x", "Zx", -1},
                      OrderCase{"BracketAndBraceDiffer", "a[", "a{", -1},
                      OrderCase{"OnlyAsciiLettersFold", "\xC9", "\xE9", -1}),
    [](const auto& p) { return std::string(p.param.name); });

struct SameCase {
    const char* name;
    std::string a;
    std::string b;
    bool same;
};

class SameTitleTable : public ::testing::TestWithParam<SameCase> {};

TEST_P(SameTitleTable, MatchesSymmetrically) {
    const SameCase& c = GetParam();
    EXPECT_EQ(SameTitle(c.a, c.b), c.same);
    EXPECT_EQ(SameTitle(c.b, c.a), c.same);
}

INSTANTIATE_TEST_SUITE_P(Cases, SameTitleTable,
                         ::testing::Values(SameCase{"CaseDiffers", "The Matrix", "tHE mATRIX", true},
                                           SameCase{"BracketAndBrace", "a[b]", "a{b}", true},
                                           SameCase{"LengthDiffers", "Alien", "Alien ", false},
                                           SameCase{"SixtyFourApartIsNot", " ", "`", false},
                                           SameCase{"ThirtyTwoApartHighBytes", "\xE0", "\xC0", true},
                                           SameCase{"DifferentLetters", "Alien", "Alian", false},
                                           SameCase{"NoTrimming", "Alien ", " Alien", false},
                                           SameCase{"BothEmpty", "", "", true}),
                         [](const auto& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace cl
