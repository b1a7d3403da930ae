// The database information store: records in file order, the Movie Info scratch, and the actor and director
// searches. Reading "IMDb.dat" is StoreFiles_test's.
#include "imdb/ImdbStore.h"

#include <gtest/gtest.h>

namespace cl {
namespace {

using Strings = std::vector<std::string>;

const CurrentImdbInfo kHeat = {.number = "7",
                               .title = "Heat",
                               .year = "1995",
                               .director = "Michael Mann",
                               .genre = "Crime, Drama",
                               .tagline = "A crime saga",
                               .plot = "A plot.",
                               .language = "English",
                               .runtime = "170 min",
                               .actors = "Al Pacino, Robert De Niro"};

TEST(ImdbStore, ARecordIsWrittenInFileOrderWithAbsentFieldsAsEmptyLines) {
    ImdbStore s;
    ASSERT_TRUE(s.Put("CineLedger: Heat", kHeat));
    ASSERT_TRUE(s.Put("CineLedger: Alien", {.number = "8", .year = ""}));
    EXPECT_EQ(SerializeImdb(s),
              "CineLedger: Heat\r\n7\r\nHeat\r\n1995\r\nMichael Mann\r\nA crime saga\r\nA plot.\r\nCrime, Drama\r\n"
              "Al Pacino, Robert De Niro\r\nEnglish\r\n170 min\r\n"
              "CineLedger: Alien\r\n8\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
}

TEST(ImdbStore, PutOnAKeyReplacesAllTenValuesInItsPlaceEachCutToWhatTheFileTakes) {
    ImdbStore s;
    s.Put(ImdbKey("Alien"), kHeat);
    s.Put(ImdbKey("Heat"), kHeat);
    s.Put(ImdbKey("Alien"),
          {.number = "1234567890", .year = "19795", .plot = "line one\r\nline two", .actors = std::string(30000, 'a')});
    EXPECT_EQ(s.begin()->key, "CineLedger: Alien");
    ImdbRecord want{.key = "CineLedger: Alien",
                    .number = "123456789",
                    .year = "1979",
                    .plot = "line one line two",
                    .actors = std::string(29999, 'a')};
    EXPECT_EQ(*s.Find("CineLedger: Alien"), want);
}

TEST(ImdbStore, TheScratchTakesAMoviesRecordOrStaysAsItWasAndClearingKeepsTheNumber) {
    ImdbStore s;
    s.Put(ImdbKey("Heat"), kHeat);
    CurrentImdbInfo current{.number = "99", .title = "kept"};
    const CurrentImdbInfo before = current;
    EXPECT_FALSE(s.LoadCurrent("heat", current));
    EXPECT_EQ(current, before);
    EXPECT_TRUE(s.LoadCurrent("Heat", current));
    EXPECT_EQ(current, kHeat);
    ImdbStore::ClearCurrent(current);
    EXPECT_EQ(current, CurrentImdbInfo{.number = "7"});
}

TEST(ImdbSearch, ActorNamesSplitAtCommasDroppingOneBlankAfterEach) {
    const std::pair<std::string, Strings> cases[] = {
        {"Al Pacino,Robert De Niro, Val Kilmer", {"Al Pacino", "Robert De Niro", "Val Kilmer"}},
        {"A,  B", {"A", " B"}},
        {"", {}},
        {"A, ", {"A", ""}},
        {"A,,B", {"A", "", "B"}},
        {std::string(120, 'n') + ", B", {std::string(99, 'n'), "B"}}};
    for (const auto& [actors, names] : cases) EXPECT_EQ(SplitActorNames(actors), names) << actors;
    std::string many;
    for (int i = 0; i < 350; ++i) many += "N" + std::to_string(i) + ", ";
    const Strings names = SplitActorNames(many);
    ASSERT_EQ(names.size(), 300u);
    EXPECT_EQ(names.back(), "N299");
}

TEST(ImdbSearch, FindsTheMatchingRecordsOnceEachInStoreOrder) {
    ImdbStore s;
    const std::pair<const char*, const char*> movies[] = {
        {"Michael Mann", "Al Pacino, Robert De Niro, Val Kilmer"},
        {"Ridley Scott", "Sigourney Weaver,Tom Skerritt"},
        {"Penny Marshall", "Tom Hanks, Robert Loggia"},
        {"John Frankenheimer", "Robert De Niro, Jean Reno"},
        {"X", "Al Pacino,, Val Kilmer"}};  // the empty name in the middle hides the last one
    // Keyed by the director, so that each expected result names its record.
    for (const auto& [director, actors] : movies) s.Put(director, {.director = director, .actors = actors});
    struct Case {
        bool actor;
        const char* text;
        int level;
        Strings keys;
    };
    const Case cases[] = {{true, "Robert De Niro", 5, {"Michael Mann", "John Frankenheimer"}},
                          {true, "tomhanks", 5, {"Penny Marshall"}},
                          {true, "Tom Skerritt", 5, {"Ridley Scott"}},
                          {true, "Hanks", 2, {}},
                          {true, "Robert", 1, {"Michael Mann", "Penny Marshall", "John Frankenheimer"}},
                          {true, "Val Kilmer", 5, {"Michael Mann"}},
                          {false, "RidleyScott", 5, {"Ridley Scott"}},
                          {false, "michael mann", 5, {"Michael Mann"}},
                          {false, "Micheal Mann", 3, {"Michael Mann"}},
                          {false, "Micheal Mann", 5, {}},
                          {false, "Michael Mann", 0, {}}};
    for (const Case& c : cases) {
        EXPECT_EQ(c.actor ? s.FindByActor(c.text, c.level) : s.FindByDirector(c.text, c.level), c.keys) << c.text;
    }
    s.query = {.actorText = "Jean Reno", .directorText = "Penny Marshall", .sensitivity = 5};
    EXPECT_EQ(s.RunQuery(), Strings{"John Frankenheimer"});
    s.query.searchKind = 7;  // anything but the actor search means directors
    EXPECT_EQ(s.RunQuery(), Strings{"Penny Marshall"});
}

}  // namespace
}  // namespace cl
