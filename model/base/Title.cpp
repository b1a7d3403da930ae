// Title ordering and title equality.
#include "model/base/Title.h"

#include <cstdint>
#include <cstring>

namespace cl {

namespace {

unsigned char Fold(char c) {
    auto u = static_cast<unsigned char>(c);
    if (u >= 'A' && u <= 'Z') return static_cast<unsigned char>(u + ('a' - 'A'));
    return u;
}

}  // namespace

int TitleOrder(std::string_view a, std::string_view b) {
    std::size_t n = a.size() < b.size() ? a.size() : b.size();
    std::size_t i = 0;
    // Titles next to each other in a list often share a long start: skip it eight bytes at a time.
    for (; i + 8 <= n; i += 8) {
        std::uint64_t x;
        std::uint64_t y;
        std::memcpy(&x, a.data() + i, 8);
        std::memcpy(&y, b.data() + i, 8);
        if (x != y) break;
    }
    for (; i < n; ++i) {
        // Equal bytes are equal folded too; only a difference needs the folding.
        if (a[i] == b[i]) continue;
        unsigned char x = Fold(a[i]);
        unsigned char y = Fold(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool SameTitle(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        int x = static_cast<unsigned char>(a[i]);
        int y = static_cast<unsigned char>(b[i]);
        if (x != y && x - y != 32 && y - x != 32) return false;
    }
    return true;
}

}  // namespace cl
