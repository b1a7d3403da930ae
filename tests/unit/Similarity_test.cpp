// The fuzzy position-by-position comparison behind the actor and director searches.
#include "model/base/Similarity.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace cl {
namespace {

struct ShareCase {
    const char* name;
    std::string query;
    std::string candidate;
    double share;
};

class SimilarityShareTable : public ::testing::TestWithParam<ShareCase> {};

TEST_P(SimilarityShareTable, CountsMatchingPositionsOverTheLongerText) {
    const ShareCase& c = GetParam();
    EXPECT_DOUBLE_EQ(SimilarityShare(c.query, c.candidate), c.share);
}

INSTANTIATE_TEST_SUITE_P(Cases, SimilarityShareTable,
                         ::testing::Values(ShareCase{"SameNameIsAll", "Tom Hanks", "Tom Hanks", 1.0},
                                           ShareCase{"LowerCaseWithoutBlankIsAll", "tomhanks", "Tom Hanks", 1.0},
                                           ShareCase{"BlanksAnywhereAreIgnored", "  T o m  Hanks ", "TomHanks", 1.0},
                                           ShareCase{"LastNameAloneIsShiftedAway", "Hanks", "Tom Hanks", 0.0},
                                           ShareCase{"OneWrongLetterOfTen", "abcdefghij", "abcdefghiX", 0.9},
                                           ShareCase{"ShorterTextCountsOverTheLonger", "abcd", "abcdefgh", 0.5},
                                           ShareCase{"BytesThirtyTwoApartMatchBeyondLetters", "!", "A", 1.0},
                                           ShareCase{"HighBytesThirtyTwoApartMatch", "\xE0", "\xC0", 1.0},
                                           ShareCase{"HighBytesOtherwiseDiffer", "\xE0", "\xC1", 0.0},
                                           ShareCase{"OneEmptyIsNothing", "", "Tom", 0.0},
                                           ShareCase{"BothEmptyIsNothing", " ", "", 0.0},
                                           ShareCase{"LongTextsAreComparedInFull", std::string(200, 'a') + "b",
                                                     std::string(201, 'a'), 200.0 / 201.0}),
                         [](const auto& p) { return std::string(p.param.name); });

struct LevelCase {
    const char* name;
    std::string query;
    std::string candidate;
    bool atLevel[7];  // levels 0 to 6
};

class SimilarityLevelTable : public ::testing::TestWithParam<LevelCase> {};

TEST_P(SimilarityLevelTable, MatchesFromTheLevelsThresholdUp) {
    const LevelCase& c = GetParam();
    for (int level = 0; level <= 6; ++level) {
        EXPECT_EQ(SimilarEnough(c.query, c.candidate, level), c.atLevel[level]) << "level " << level;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SimilarityLevelTable,
    ::testing::Values(
        LevelCase{"ExactNameMatchesAtEveryLevel", "Tom Hanks", "Tom Hanks", {0, 1, 1, 1, 1, 1, 0}},
        LevelCase{"TypedLowerCaseWithoutBlankMatchesAtEveryLevel", "tomhanks", "Tom Hanks", {0, 1, 1, 1, 1, 1, 0}},
        LevelCase{"LastNameAloneMatchesAtNoLevel", "Hanks", "Tom Hanks", {0, 0, 0, 0, 0, 0, 0}},
        LevelCase{"ShareOfOneTenthMeetsLevelOne", "a", "abcdefghij", {0, 1, 0, 0, 0, 0, 0}},
        LevelCase{"ShareOfThreeTenthsMeetsLevelTwo", "abc", "abcdefghij", {0, 1, 1, 0, 0, 0, 0}},
        LevelCase{"ShareOfOneHalfMeetsLevelThree", "abcde", "abcdefghij", {0, 1, 1, 1, 0, 0, 0}},
        LevelCase{"ShareOfSevenTenthsMeetsLevelFour", "abcdefg", "abcdefghij", {0, 1, 1, 1, 1, 0, 0}},
        LevelCase{"ShareOfNineTenthsMeetsLevelFive", "abcdefghi", "abcdefghij", {0, 1, 1, 1, 1, 1, 0}},
        LevelCase{"JustUnderAThresholdFails", "abcd", "abcdefghiJK", {0, 1, 1, 0, 0, 0, 0}},
        LevelCase{"TwoEmptyTextsNeverMatch", "", "", {0, 0, 0, 0, 0, 0, 0}},
        LevelCase{"TwoBlankTextsNeverMatch", "  ", " ", {0, 0, 0, 0, 0, 0, 0}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(Similarity, LevelsFarOutsideTheSliderNeverMatch) {
    EXPECT_FALSE(SimilarEnough("Tom Hanks", "Tom Hanks", -1));
    EXPECT_FALSE(SimilarEnough("Tom Hanks", "Tom Hanks", 100));
}

TEST(Similarity, OneQueryAgainstManyCandidatesDecidesAsSimilarEnough) {
    std::mt19937 rng(13);
    const std::string alphabet = "aA  bB[{@`";
    const auto text = [&rng, &alphabet] {
        std::string t;
        const std::size_t length = rng() % 12;
        for (std::size_t i = 0; i < length; ++i) t += alphabet[rng() % alphabet.size()];
        return t;
    };
    for (int i = 0; i < 3000; ++i) {
        const std::string query = text();
        const int level = static_cast<int>(rng() % 8) - 1;
        const SimilarityTest test(query, level);
        for (int k = 0; k < 10; ++k) {
            const std::string candidate = text();
            ASSERT_EQ(test.Matches(candidate), SimilarEnough(query, candidate, level))
                << "[" << query << "] [" << candidate << "] " << level;
        }
    }
}

}  // namespace
}  // namespace cl
