// The fuzzy position-by-position comparison behind the actor and director searches.
#include "model/base/Similarity.h"

#include <gtest/gtest.h>

#include <random>

namespace cl {
namespace {

TEST(Similarity, TheShareIsTheMatchingPositionsOverTheLongerTextWithoutBlanks) {
    struct Case {
        std::string query;
        std::string candidate;
        double share;
    };
    const Case cases[] = {{"tomhanks", "Tom Hanks", 1.0},
                          {"  T o m  Hanks ", "TomHanks", 1.0},
                          {"Hanks", "Tom Hanks", 0.0},  // the last name alone is shifted away
                          {"abcdefghij", "abcdefghiX", 0.9},
                          {"abcd", "abcdefgh", 0.5},
                          {"!", "A", 1.0},  // bytes 32 apart match, letters or not
                          {"\xE0", "\xC0", 1.0},
                          {"\xE0", "\xC1", 0.0},
                          {"", "Tom", 0.0},
                          {" ", "", 0.0},
                          {std::string(200, 'a') + "b", std::string(201, 'a'), 200.0 / 201.0}};
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(SimilarityShare(c.query, c.candidate), c.share) << c.query;
}

TEST(Similarity, EachLevelOfTheSliderHasItsThreshold) {
    struct Case {
        std::string query;
        std::string candidate;
        const char* levels;  // whether levels 0 to 6 match
    };
    const Case cases[] = {{"tomhanks", "Tom Hanks", "0111110"},
                          {"Hanks", "Tom Hanks", "0000000"},
                          {"a", "abcdefghij", "0100000"},
                          {"abc", "abcdefghij", "0110000"},
                          {"abcde", "abcdefghij", "0111000"},
                          {"abcdefg", "abcdefghij", "0111100"},
                          {"abcdefghi", "abcdefghij", "0111110"},
                          {"abcd", "abcdefghiJK", "0110000"},
                          {"", "", "0000000"},
                          {"  ", " ", "0000000"}};
    for (const Case& c : cases) {
        std::string levels;
        for (int level = 0; level <= 6; ++level) levels += SimilarEnough(c.query, c.candidate, level) ? '1' : '0';
        EXPECT_EQ(levels, c.levels) << c.query << " / " << c.candidate;
    }
    EXPECT_FALSE(SimilarEnough("Tom Hanks", "Tom Hanks", -1));
    EXPECT_FALSE(SimilarEnough("Tom Hanks", "Tom Hanks", 100));
}

TEST(Similarity, OneQueryAgainstManyCandidatesDecidesAsSimilarEnough) {
    std::mt19937 rng(13);
    const std::string alphabet = "aA  bB[{@`";
    const auto text = [&rng, &alphabet] {
        std::string t;
        for (std::size_t i = rng() % 12; i > 0; --i) t += alphabet[rng() % alphabet.size()];
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
