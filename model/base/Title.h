// The two ways titles are compared: the case-insensitive order that keeps every list sorted, and the
// looser equality that every lookup uses.
#pragma once

#include <string_view>

namespace cl {

// Orders two titles with the capitals A to Z folded to small letters, bytes compared as unsigned
// values; a title that is a prefix of the other comes first. Negative, zero or positive.
int TitleOrder(std::string_view a, std::string_view b);

// Title equality for lookups: same length, and at every position the bytes are equal or exactly 32
// apart. Looser than case folding ('[' matches '{') and not transitive (' ', '@' and '`').
bool SameTitle(std::string_view a, std::string_view b);

// Strict weak ordering by TitleOrder, usable with heterogeneous lookup.
struct TitleLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return TitleOrder(a, b) < 0; }
};

}  // namespace cl
