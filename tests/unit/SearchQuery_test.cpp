// The title search's query and address.
#include "imdb/SearchQuery.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace cl {
namespace {

TEST(BuildSearchQuery, JoinsTheWordsAndDropsATrailingMark) {
    struct Case {
        const char* name;
        const char* query;
    };
    const Case cases[] = {
        {"Heat", "Heat"},
        {"Matrix, The", "Matrix%20The"},
        {"Mr. & Mrs. Smith", "Mr%20%20Mrs%20Smith"},  // "&" alone becomes an empty word
        {"Spider-Man 2", "Spider-Man%202"},           // only the last character of a word
        {"U.S.A.", "U.S.A"},
        {"Lock, Stock and Two Smoking Barrels", "Lock%20Stock%20and%20Two%20Smoking%20Barrels"},
        {"Alien  3", "Alien%20%203"},  // two blanks give an empty word
        {"Alien ", "Alien%20"},
        {" Alien", "%20Alien"},
        {"--", "-"},
        {"What's Up, Doc?", "What's%20Up%20Doc?"},  // nothing else is escaped
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(BuildSearchQuery(c.name), c.query) << c.name;
}

TEST(BuildSearchQuery, KeepsFortyWordsAndAtMost249Characters) {
    std::string many;
    for (int i = 0; i < 45; ++i) many += (i ? " " : "") + std::string(1, static_cast<char>('a' + i % 26));
    std::string query = BuildSearchQuery(many);
    EXPECT_EQ(query.size(), 40 + 39 * 3u) << "forty one-letter words and their separators";
    EXPECT_EQ(query.substr(query.size() - 4), "%20n");

    EXPECT_EQ(BuildSearchQuery(std::string(300, 'x')), std::string(249, 'x'));
    // A word cut at 249 characters loses its mark only when the mark is still its last character.
    EXPECT_EQ(BuildSearchQuery(std::string(248, 'x') + "."), std::string(248, 'x'));

    // The query never ends inside a separator.
    std::string edge = std::string(247, 'y') + " z";
    EXPECT_EQ(BuildSearchQuery(edge), std::string(247, 'y'));
    std::string room = std::string(245, 'y') + " zz";
    EXPECT_EQ(BuildSearchQuery(room), std::string(245, 'y') + "%20z");
}

TEST(TitleSearchAddress, PutsThePathAndQueryBehindTheHost) {
    EXPECT_EQ(TitleSearchAddress("http://127.0.0.1:8080", "Matrix, The"),
              "http://127.0.0.1:8080/M/Tsearch?Matrix%20The");
}

}  // namespace
}  // namespace cl
