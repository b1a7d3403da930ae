// Title order (sorting and duplicate refusal) and title equality (lookups).
#include "model/base/Title.h"

#include <gtest/gtest.h>

namespace cl {
namespace {

TEST(Title, OrderFoldsAsciiCapitalsAndComparesUnsignedBytesBothWaysAlike) {
    struct Case {
        std::string a;
        std::string b;
        int sign;  // of TitleOrder(a, b)
    };
    const Case cases[] = {{"the matrix", "The Matrix", 0},
                          {"Alien", "alien 3", -1},  // a prefix comes first
                          {"", "a", -1},
                          {"\xE9t\xE9", "zorro", 1},
                          {"[x", "Zx", -1},  // '[' lies between 'Z' and 'a': capitals are folded before comparing
                          {"a[", "a{", -1},
                          {"\xC9", "\xE9", -1}};
    const auto sign = [](int v) { return (v > 0) - (v < 0); };
    for (const Case& c : cases) {
        EXPECT_EQ(sign(TitleOrder(c.a, c.b)), c.sign) << c.a << " / " << c.b;
        EXPECT_EQ(sign(TitleOrder(c.b, c.a)), -c.sign) << c.b << " / " << c.a;
    }
}

TEST(Title, SameTitleTakesBytesThirtyTwoApartAsEqualBothWays) {
    struct Case {
        std::string a;
        std::string b;
        bool same;
    };
    const Case cases[] = {{"The Matrix", "tHE mATRIX", true},
                          {"a[b]", "a{b}", true},
                          {"\xE0", "\xC0", true},
                          {"", "", true},
                          {"Alien", "Alien ", false},
                          {" ", "`", false},
                          {"Alien", "Alian", false},
                          {"Alien ", " Alien", false}};
    for (const Case& c : cases) {
        EXPECT_EQ(SameTitle(c.a, c.b), c.same) << c.a << " / " << c.b;
        EXPECT_EQ(SameTitle(c.b, c.a), c.same) << c.b << " / " << c.a;
    }
}

}  // namespace
}  // namespace cl
