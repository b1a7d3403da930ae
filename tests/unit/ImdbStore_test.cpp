// The database information store: Put/Rekey/Remove, the scratch copy, "IMDb.dat" bytes and damage rules,
// and the actor and director searches.
#include "imdb/ImdbStore.h"

#include <gtest/gtest.h>

#include <vector>

namespace cl {
namespace {

using Strings = std::vector<std::string>;

Strings Keys(const ImdbStore& s) {
    Strings out;
    for (const ImdbRecord& r : s) out.push_back(r.key);
    return out;
}

LoadReport Read(const std::string& bytes, ImdbStore& s) {
    TextReader reader(bytes);
    return ReadImdb(reader, s);
}

// Puts a record with the given director and actors and the other fields made up from the title.
void PutMovie(ImdbStore& s, const std::string& title, const std::string& director, const std::string& actors) {
    s.Put(ImdbKey(title), {.number = "1", .title = title, .year = "1999", .director = director, .genre = "Drama", .tagline = "NOTAGLINE", .plot = "NOSUMMARY", .language = "English", .runtime = "100 min", .actors = actors});
}

// The eleven file lines of one record, each ended.
std::string FileRecord(const Strings& lines) {
    std::string out;
    for (const std::string& l : lines) out += l + "\r\n";
    return out;
}

const Strings kHeat{"CineLedger: Heat",
                    "7",
                    "Heat",
                    "1995",
                    "Michael Mann",
                    "A Los Angeles crime saga",
                    "A plot.",
                    "Crime, Drama",
                    "Al Pacino, Robert De Niro",
                    "English",
                    "170 min"};

TEST(ImdbStore, PutWritesTheFileInFileOrder) {
    ImdbStore s;
    ASSERT_TRUE(s.Put("CineLedger: Heat", {.number = "7", .title = "Heat", .year = "1995", .director = "Michael Mann",
                                           .genre = "Crime, Drama", .tagline = "A Los Angeles crime saga",
                                           .plot = "A plot.", .language = "English", .runtime = "170 min",
                                           .actors = "Al Pacino, Robert De Niro"}));
    const ImdbRecord* r = s.Find("CineLedger: Heat");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->genre, "Crime, Drama");
    EXPECT_EQ(r->tagline, "A Los Angeles crime saga");
    EXPECT_EQ(r->actors, "Al Pacino, Robert De Niro");
    EXPECT_EQ(r->runtime, "170 min");
    EXPECT_EQ(SerializeImdb(s), FileRecord(kHeat));
}

TEST(ImdbStore, EmptyYearWritesElevenLinesTheFourthEmptyAndReadsBackTheSame) {
    ImdbStore s;
    s.Put("CineLedger: Heat", {.number = "7", .title = "Heat", .year = "", .director = "Michael Mann", .genre = "g", .tagline = "t", .plot = "p", .language = "l", .runtime = "r", .actors = "a"});
    const std::string bytes = SerializeImdb(s);
    EXPECT_EQ(bytes, "CineLedger: Heat\r\n7\r\nHeat\r\n\r\nMichael Mann\r\nt\r\np\r\ng\r\na\r\nl\r\nr\r\n");
    ImdbStore back;
    LoadReport report = Read(bytes, back);
    EXPECT_FALSE(report.damage.has_value());
    ASSERT_EQ(back.Count(), 1u);
    EXPECT_EQ(*back.Find("CineLedger: Heat"), *s.Find("CineLedger: Heat"));
}

TEST(ImdbStore, AbsentFieldsAreWrittenAsEmptyLines) {
    ImdbStore s;
    s.Put("CineLedger: Heat", {.number = "7"});
    EXPECT_EQ(SerializeImdb(s), "CineLedger: Heat\r\n7\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n");
}

TEST(ImdbStore, PutOnAnExistingKeyKeepsItsPlaceAndReplacesAllTenValues) {
    ImdbStore s;
    PutMovie(s, "Alien", "Ridley Scott", "Sigourney Weaver");
    PutMovie(s, "Heat", "Michael Mann", "Al Pacino");
    s.Put(ImdbKey("Alien"), {.number = "2", .year = "1979", .director = "R. Scott", .genre = "g", .tagline = "t", .plot = "p", .language = "l", .runtime = "r", .actors = "a"});
    EXPECT_EQ(Keys(s), (Strings{"CineLedger: Alien", "CineLedger: Heat"}));
    const ImdbRecord* r = s.Find(ImdbKey("Alien"));
    EXPECT_EQ(r->number, "2");
    EXPECT_EQ(r->title, std::nullopt);
    EXPECT_EQ(r->year, "1979");
    EXPECT_EQ(r->director, "R. Scott");
    EXPECT_EQ(r->actors, "a");
}

TEST(ImdbStore, RemoveAndRekeyFollowTheMovie) {
    ImdbStore s;
    PutMovie(s, "Alien", "Ridley Scott", "Sigourney Weaver");
    PutMovie(s, "Heat", "Michael Mann", "Al Pacino");
    EXPECT_TRUE(s.Rekey(ImdbKey("Alien"), ImdbKey("Aliens")));
    EXPECT_EQ(Keys(s), (Strings{"CineLedger: Aliens", "CineLedger: Heat"}));
    EXPECT_FALSE(s.Rekey(ImdbKey("Alien"), ImdbKey("Other")));
    EXPECT_FALSE(s.Remove(ImdbKey("Alien")));
    EXPECT_TRUE(s.Remove(ImdbKey("Heat")));
    EXPECT_EQ(Keys(s), Strings{"CineLedger: Aliens"});
    s.FreeAll();
    EXPECT_EQ(s.Count(), 0u);
}

TEST(ImdbStore, KeysTheFileCannotCarryAreRefused) {
    ImdbStore s;
    EXPECT_FALSE(s.Put("", {.number = "1", .title = "t", .year = "y", .director = "d", .genre = "g", .tagline = "t", .plot = "p", .language = "l", .runtime = "r", .actors = "a"}));
    EXPECT_FALSE(s.Put(std::string(120, 'k'), {.number = "1", .title = "t", .year = "y", .director = "d", .genre = "g", .tagline = "t", .plot = "p", .language = "l", .runtime = "r", .actors = "a"}));
    EXPECT_TRUE(s.Put(std::string(119, 'k'), {.number = "1", .title = "t", .year = "y", .director = "d", .genre = "g", .tagline = "t", .plot = "p", .language = "l", .runtime = "r", .actors = "a"}));
    EXPECT_FALSE(s.Rekey(std::string(119, 'k'), std::string(120, 'k')));
    EXPECT_EQ(s.Count(), 1u);
}

TEST(ImdbStore, ValuesAreCutAtTheirLimitsAndKeptOnOneLine) {
    ImdbStore s;
    s.Put("CineLedger: Heat", {.number = "1234567890", .title = "t", .year = "19955", .director = "d", .genre = "g", .tagline = "t", .plot = "line one\r\nline two", .language = "l", .runtime = "r", .actors = std::string(30000, 'a')});
    const ImdbRecord* r = s.Find("CineLedger: Heat");
    EXPECT_EQ(r->number, "123456789");
    EXPECT_EQ(r->year, "1995");
    EXPECT_EQ(r->plot, "line one line two");
    EXPECT_EQ(r->actors->size(), kImdbActorsMax);
    ImdbStore back;
    EXPECT_FALSE(Read(SerializeImdb(s), back).damage.has_value());
    EXPECT_EQ(*back.Find("CineLedger: Heat"), *r);
}

TEST(ImdbStore, LoadCurrentCopiesFieldsTwoToElevenOrAnswersNoAndChangesNothing) {
    ImdbStore s;
    Read(FileRecord(kHeat), s);
    CurrentImdbInfo current;
    current.number = "99";
    current.title = "kept";
    const CurrentImdbInfo before = current;
    EXPECT_FALSE(s.LoadCurrent("Alien", current));
    EXPECT_EQ(current, before);
    EXPECT_FALSE(s.LoadCurrent("heat", current));
    EXPECT_TRUE(s.LoadCurrent("Heat", current));
    EXPECT_EQ(current.number, "7");
    EXPECT_EQ(current.title, "Heat");
    EXPECT_EQ(current.year, "1995");
    EXPECT_EQ(current.director, "Michael Mann");
    EXPECT_EQ(current.genre, "Crime, Drama");
    EXPECT_EQ(current.tagline, "A Los Angeles crime saga");
    EXPECT_EQ(current.plot, "A plot.");
    EXPECT_EQ(current.language, "English");
    EXPECT_EQ(current.runtime, "170 min");
    EXPECT_EQ(current.actors, "Al Pacino, Robert De Niro");
}

TEST(ImdbStore, ClearCurrentKeepsOnlyTheNumber) {
    ImdbStore s;
    Read(FileRecord(kHeat), s);
    CurrentImdbInfo current;
    s.LoadCurrent("Heat", current);
    ImdbStore::ClearCurrent(current);
    CurrentImdbInfo expected;
    expected.number = "7";
    EXPECT_EQ(current, expected);
}

// ---- "IMDb.dat" reading ----

Strings WithLine(Strings lines, std::size_t index, std::string value) {
    lines[index] = std::move(value);
    return lines;
}

struct ReadCase {
    const char* name;
    std::string bytes;
    Strings keys;
    bool damaged;
};

class ImdbReadTable : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ImdbReadTable, KeepsRecordsAsTheFileRulesSay) {
    const ReadCase& c = GetParam();
    ImdbStore s;
    LoadReport report = Read(c.bytes, s);
    EXPECT_TRUE(report.opened);
    EXPECT_EQ(Keys(s), c.keys);
    EXPECT_EQ(report.damage.has_value(), c.damaged);
}

const std::string kAlienFile = FileRecord(WithLine(WithLine(kHeat, 0, "CineLedger: Alien"), 2, "Alien"));

INSTANTIATE_TEST_SUITE_P(
    Cases, ImdbReadTable,
    ::testing::Values(
        ReadCase{"EmptyFileIsAnEmptyStore", "", {}, false},
        ReadCase{
            "RecordsUntilTheEnd", FileRecord(kHeat) + kAlienFile, {"CineLedger: Heat", "CineLedger: Alien"}, false},
        ReadCase{
            "EmptyKeyWithTextAfterItIsDamage", FileRecord(kHeat) + "\r\n" + kAlienFile, {"CineLedger: Heat"}, true},
        ReadCase{"DuplicateKeyKeepsTheFirstPlace",
                 kAlienFile + FileRecord(kHeat) + kAlienFile,
                 {"CineLedger: Alien", "CineLedger: Heat"},
                 false},
        ReadCase{"RecordCutByTheFilesEndIsKept",
                 FileRecord(kHeat) + "CineLedger: Alien\r\n7\r\nAlien",
                 {"CineLedger: Heat", "CineLedger: Alien"},
                 false},
        ReadCase{"OverlongLineKeepsTheRecordAndStopsAfterIt",
                 FileRecord(WithLine(kHeat, 6, std::string(5000, 'p'))) + kAlienFile,
                 {"CineLedger: Heat"},
                 true},
        ReadCase{"OverlongKeyIsCutAndStoredAndReadingStops",
                 FileRecord(WithLine(kHeat, 0, std::string(130, 'k'))) + kAlienFile,
                 {std::string(119, 'k')},
                 true},
        ReadCase{"FieldsAtTheirLimitsAreTaken",
                 FileRecord({std::string(119, 'k'), std::string(9, '9'), std::string(299, 't'), "1995",
                             std::string(99, 'd'), std::string(999, 'g'), std::string(4999, 'p'), std::string(255, 'g'),
                             std::string(29999, 'a'), std::string(99, 'l'), std::string(99, 'r')}) +
                     kAlienFile,
                 {std::string(119, 'k'), "CineLedger: Alien"},
                 false}),
    [](const auto& p) { return std::string(p.param.name); });

struct OverlongCase {
    const char* name;
    std::size_t fileLine;  // 0-based line of the record that runs over
    std::size_t limit;
};

class ImdbOverlongTable : public ::testing::TestWithParam<OverlongCase> {};

TEST_P(ImdbOverlongTable, CutsTheLineEmptiesTheRestStoresTheRecordAndStops) {
    const OverlongCase& c = GetParam();
    Strings lines = kHeat;
    lines[c.fileLine] = std::string(c.limit + 5, 'x');
    ImdbStore s;
    LoadReport report = Read(FileRecord(lines) + kAlienFile, s);
    ASSERT_EQ(s.Count(), 1u);
    ASSERT_TRUE(report.damage.has_value());
    EXPECT_EQ(report.damage->line, c.fileLine + 1);
    const std::string written = SerializeImdb(s);
    Strings expected = kHeat;
    expected[c.fileLine] = std::string(c.limit, 'x');
    for (std::size_t i = c.fileLine + 1; i < expected.size(); ++i) expected[i].clear();
    EXPECT_EQ(written, FileRecord(expected));
}

INSTANTIATE_TEST_SUITE_P(Cases, ImdbOverlongTable,
                         ::testing::Values(OverlongCase{"Number", 1, 9}, OverlongCase{"Title", 2, 299},
                                           OverlongCase{"Year", 3, 4}, OverlongCase{"Director", 4, 99},
                                           OverlongCase{"Tagline", 5, 999}, OverlongCase{"Plot", 6, 4999},
                                           OverlongCase{"Genre", 7, 255}, OverlongCase{"Actors", 8, 29999},
                                           OverlongCase{"Language", 9, 99}, OverlongCase{"Runtime", 10, 99}),
                         [](const auto& p) { return std::string(p.param.name); });

// ---- searches ----

struct SplitCase {
    const char* name;
    std::string actors;
    Strings names;
};

class ActorSplitTable : public ::testing::TestWithParam<SplitCase> {};

TEST_P(ActorSplitTable, SplitsAtCommasDroppingOneBlankAfterEach) {
    EXPECT_EQ(SplitActorNames(GetParam().actors), GetParam().names);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ActorSplitTable,
    ::testing::Values(SplitCase{"CommaThenCommaAndBlank",
                                "Al Pacino,Robert De Niro, Val Kilmer",
                                {"Al Pacino", "Robert De Niro", "Val Kilmer"}},
                      SplitCase{"OnlyOneBlankIsDropped", "A,  B", {"A", " B"}},
                      SplitCase{"EmptyFieldHasNoNames", "", {}},
                      SplitCase{"TrailingCommaGivesAnEmptyLastName", "A, ", {"A", ""}},
                      SplitCase{"DoubleCommaGivesAnEmptyName", "A,,B", {"A", "", "B"}},
                      SplitCase{"NameIsCutAt99", std::string(120, 'n') + ", B", {std::string(99, 'n'), "B"}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(ActorSplit, AtMost300NamesAreTaken) {
    std::string actors;
    for (int i = 0; i < 350; ++i) actors += "N" + std::to_string(i) + ", ";
    Strings names = SplitActorNames(actors);
    ASSERT_EQ(names.size(), kActorNamesMax);
    EXPECT_EQ(names.back(), "N299");
}

ImdbStore SearchStore() {
    ImdbStore s;
    PutMovie(s, "Heat", "Michael Mann", "Al Pacino, Robert De Niro, Val Kilmer");
    PutMovie(s, "Alien", "Ridley Scott", "Sigourney Weaver,Tom Skerritt");
    PutMovie(s, "Big", "Penny Marshall", "Tom Hanks, Robert Loggia");
    PutMovie(s, "Ronin", "John Frankenheimer", "Robert De Niro, Jean Reno");
    return s;
}

struct SearchCase {
    const char* name;
    bool actor;
    std::string text;
    int level;
    Strings keys;
};

class ImdbSearchTable : public ::testing::TestWithParam<SearchCase> {};

TEST_P(ImdbSearchTable, FindsMatchingRecordsInStoreOrder) {
    const SearchCase& c = GetParam();
    const ImdbStore s = SearchStore();
    EXPECT_EQ(c.actor ? s.FindByActor(c.text, c.level) : s.FindByDirector(c.text, c.level), c.keys);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ImdbSearchTable,
    ::testing::Values(
        SearchCase{
            "ActorInTwoMoviesFoundInStoreOrder", true, "Robert De Niro", 5, {"CineLedger: Heat", "CineLedger: Ronin"}},
        SearchCase{"ActorTypedLowerCaseWithoutBlanks", true, "tomhanks", 5, {"CineLedger: Big"}},
        SearchCase{"ActorAfterACommaWithoutBlank", true, "Tom Skerritt", 5, {"CineLedger: Alien"}},
        SearchCase{"LastNameAloneMatchesNowhere", true, "Hanks", 2, {}},
        SearchCase{"RecordAddedOnceThoughTwoNamesMatch",
                   true,
                   "Robert",
                   1,
                   {"CineLedger: Heat", "CineLedger: Big", "CineLedger: Ronin"}},
        SearchCase{"DirectorTwoWordsWrittenTogether", false, "RidleyScott", 5, {"CineLedger: Alien"}},
        SearchCase{"DirectorWithBlanks", false, "michael mann", 5, {"CineLedger: Heat"}},
        SearchCase{"DirectorSlightlyMisspelledAtMiddleLevel", false, "Micheal Mann", 3, {"CineLedger: Heat"}},
        SearchCase{"DirectorMisspelledFailsAtTopLevel", false, "Micheal Mann", 5, {}},
        SearchCase{"LevelOutsideTheSliderFindsNothing", false, "Michael Mann", 0, {}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(ImdbSearch, EmptyNameInTheMiddleHidesTheLastName) {
    ImdbStore s;
    PutMovie(s, "Odd", "X", "Al Pacino,, Val Kilmer");
    EXPECT_TRUE(s.FindByActor("Val Kilmer", 5).empty());
    EXPECT_EQ(s.FindByActor("Al Pacino", 5), Strings{"CineLedger: Odd"});
}

TEST(ImdbSearch, QueryRunsTheSearchItNames) {
    ImdbStore s = SearchStore();
    s.query.actorText = "Jean Reno";
    s.query.directorText = "Penny Marshall";
    s.query.sensitivity = 5;
    s.query.searchKind = ImdbQuery::kActorSearch;
    EXPECT_EQ(s.RunQuery(), Strings{"CineLedger: Ronin"});
    s.query.searchKind = 7;  // anything but the actor search means directors
    EXPECT_EQ(s.RunQuery(), Strings{"CineLedger: Big"});
}

}  // namespace
}  // namespace cl
