// The fuzzy comparison behind the actor and director searches: texts compared position by position,
// blanks ignored, letters matched regardless of case, with five steps of strictness.
#pragma once

#include <string>
#include <string_view>

namespace cl {

inline constexpr int kSensitivityMin = 1;
inline constexpr int kSensitivityMax = 5;

// The share of positions at which the two texts, with every blank (' ') removed, hold equal bytes or
// bytes exactly 32 apart, over the longer of the two lengths. 0 when both are empty. The texts are
// compared in full, however long.
double SimilarityShare(std::string_view query, std::string_view candidate);

// True when the share reaches the level's threshold: 0.1, 0.3, 0.5, 0.7, 0.9 for levels 1 to 5.
// Levels outside 1 to 5 never match, nor do two texts that are empty without their blanks.
bool SimilarEnough(std::string_view query, std::string_view candidate, int level);

// SimilarEnough with one query and level against many candidates: the query's blanks are taken out
// once, and no candidate is copied, so a search over thousands of names allocates nothing per name.
class SimilarityTest {
  public:
    SimilarityTest(std::string_view query, int level);

    // SimilarEnough(query, candidate, level).
    bool Matches(std::string_view candidate) const;

  private:
    std::string query_;  // without blanks
    int level_;
};

}  // namespace cl
