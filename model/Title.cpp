// Title ordering and title equality.
#include "model/Title.h"

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
    for (std::size_t i = 0; i < n; ++i) {
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
