// The fuzzy comparison behind the actor and director searches.
#include "model/base/Similarity.h"

#include <algorithm>
#include <cstddef>
#include <string>

namespace cl {

namespace {

std::string WithoutBlanks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c != ' ') out += c;
    }
    return out;
}

bool SamePosition(char a, char b) {
    const int x = static_cast<unsigned char>(a);
    const int y = static_cast<unsigned char>(b);
    return x == y || x - y == 32 || y - x == 32;
}

}  // namespace

double SimilarityShare(std::string_view query, std::string_view candidate) {
    const std::string q = WithoutBlanks(query);
    const std::string c = WithoutBlanks(candidate);
    const std::size_t longer = std::max(q.size(), c.size());
    if (longer == 0) return 0.0;
    const std::size_t shorter = std::min(q.size(), c.size());
    std::size_t count = 0;
    for (std::size_t i = 0; i < shorter; ++i) {
        if (SamePosition(q[i], c[i])) ++count;
    }
    return static_cast<double>(count) / static_cast<double>(longer);
}

namespace {

constexpr double kThresholds[] = {0.1, 0.3, 0.5, 0.7, 0.9};

}  // namespace

bool SimilarEnough(std::string_view query, std::string_view candidate, int level) {
    if (level < kSensitivityMin || level > kSensitivityMax) return false;
    if (query.find_first_not_of(' ') == std::string_view::npos &&
        candidate.find_first_not_of(' ') == std::string_view::npos) {
        return false;
    }
    return SimilarityShare(query, candidate) >= kThresholds[level - 1];
}

SimilarityTest::SimilarityTest(std::string_view query, int level) : query_(WithoutBlanks(query)), level_(level) {}

bool SimilarityTest::Matches(std::string_view candidate) const {
    if (level_ < kSensitivityMin || level_ > kSensitivityMax) return false;
    // As SimilarityShare, walking the candidate's non-blank bytes in place of a blank-free copy.
    std::size_t length = 0;
    std::size_t count = 0;
    for (char c : candidate) {
        if (c == ' ') continue;
        if (length < query_.size() && SamePosition(query_[length], c)) ++count;
        ++length;
    }
    // Both texts empty without their blanks never match (SimilarityShare gives 0 for them anyway).
    const std::size_t longer = std::max(query_.size(), length);
    if (longer == 0) return false;
    return static_cast<double>(count) / static_cast<double>(longer) >= kThresholds[level_ - 1];
}

}  // namespace cl
