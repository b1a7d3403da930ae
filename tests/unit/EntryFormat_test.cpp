// The capitalisation applied to typed titles and locations.
#include "model/base/EntryFormat.h"

#include <gtest/gtest.h>

namespace cl {
namespace {

TEST(FormatEntry, CapitalisesWordsMovesALeadingArticleAndChangesNothingTheSecondTime) {
    const std::pair<std::string, std::string> cases[] = {
        {"the legend of bagger vance", "Legend of Bagger Vance, The"},
        {"lord of the rings", "Lord of the Rings"},
        {"tom and jerry", "Tom and Jerry"},
        {"a fish called wanda", "Fish Called Wanda, A"},
        {"matrix, the", "Matrix, The"},
        {"fish, a", "Fish, A"},
        {"rocky ii iii iv v vi vii", "Rocky II III IV V VI Vii"},
        {"plan a", "Plan a"},
        {"the", "The"},
        {"the ", ", The"},
        {" the matrix", " the Matrix"},
        {"Twelve Monkeys", "Twelve Monkeys"},
        {"my iPOD", "My IPOD"},
        {"an american werewolf", "An American Werewolf"},
        {"\xE9t\xE9 chaud", "\xE9t\xE9 Chaud"},
        {"", ""},
        {"the " + std::string(96, 'x'), "X" + std::string(95, 'x') + ", The"}};  // 100 characters grow to 101
    for (const auto& [typed, formatted] : cases) {
        std::string text = typed;
        FormatEntry(text, true);
        EXPECT_EQ(text, formatted) << typed;
        FormatEntry(text, true);
        EXPECT_EQ(text, formatted) << "again: " << typed;
        text = typed;
        FormatEntry(text, false);
        EXPECT_EQ(text, typed);
    }
}

}  // namespace
}  // namespace cl
