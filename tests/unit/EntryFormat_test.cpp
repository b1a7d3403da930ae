// The capitalisation applied to typed titles and locations.
#include "model/base/EntryFormat.h"

#include <gtest/gtest.h>

namespace cl {
namespace {

struct FormatCase {
    const char* name;
    std::string typed;
    std::string formatted;
};

class FormatEntryTable : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatEntryTable, FormatsAsHouseStyle) {
    std::string text = GetParam().typed;
    FormatEntry(text, true);
    EXPECT_EQ(text, GetParam().formatted);
}

TEST_P(FormatEntryTable, SecondFormattingChangesNothing) {
    std::string text = GetParam().formatted;
    FormatEntry(text, true);
    EXPECT_EQ(text, GetParam().formatted);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatEntryTable,
    ::testing::Values(
        FormatCase{"LeadingTheMovedAndSmallWordsLowered", "the legend of bagger vance", "Legend of Bagger Vance, The"},
        FormatCase{"OfAndTheInsideStaySmall", "lord of the rings", "Lord of the Rings"},
        FormatCase{"AndStaysSmall", "tom and jerry", "Tom and Jerry"},
        FormatCase{"LeadingAMoved", "a fish called wanda", "Fish Called Wanda, A"},
        FormatCase{"TypedTrailingArticleRepaired", "matrix, the", "Matrix, The"},
        FormatCase{"TypedTrailingARepaired", "fish, a", "Fish, A"}, FormatCase{"NumeralII", "rocky ii", "Rocky II"},
        FormatCase{"NumeralIII", "rocky iii", "Rocky III"}, FormatCase{"NumeralIV", "rocky iv", "Rocky IV"},
        FormatCase{"NumeralV", "rocky v", "Rocky V"}, FormatCase{"NumeralVI", "rocky vi", "Rocky VI"},
        FormatCase{"NoNumeralAboveVI", "rocky vii", "Rocky Vii"},
        FormatCase{"SingleAInsideLowered", "plan a", "Plan a"}, FormatCase{"TheAloneNotMoved", "the", "The"},
        FormatCase{"TheAndBlankBecomesArticleAlone", "the ", ", The"},
        FormatCase{"LeadingBlankKeepsFirstWord", " the matrix", " the Matrix"},
        FormatCase{"OnlyWholeWordsTested", "Twelve Monkeys", "Twelve Monkeys"},
        FormatCase{"OtherCapitalsKept", "my iPOD", "My IPOD"},
        FormatCase{"AnIsNotMoved", "an american werewolf", "An American Werewolf"},
        FormatCase{"NonAsciiUntouched", "\xE9t\xE9 chaud", "\xE9t\xE9 Chaud"}, FormatCase{"Empty", "", ""}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(FormatEntry, HundredCharacterTitleWithLeadingTheGrowsByOne) {
    std::string text = "the " + std::string(96, 'x');
    ASSERT_EQ(text.size(), 100u);
    FormatEntry(text, true);
    EXPECT_EQ(text.size(), 101u);
    EXPECT_EQ(text, "X" + std::string(95, 'x') + ", The");
}

TEST(FormatEntry, OffLeavesTextUntouched) {
    std::string text = "the matrix";
    FormatEntry(text, false);
    EXPECT_EQ(text, "the matrix");
}

}  // namespace
}  // namespace cl
