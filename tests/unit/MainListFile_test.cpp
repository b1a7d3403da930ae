// "CineLedger.dat": both layouts, every reader limit, damaged files and the exact bytes written.
#include "model/MainListFile.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

#include "model/ListOperations.h"

namespace cl {
namespace {

const std::string kExample =
    "CineLedger v3.15\r\n"
    "Alien|Default|Horror|Present|DVD|1\r\n"
    "Matrix, The|Mike|Action|Absent|DivX|2\r\n"
    "end|nolockx\r\n"
    "Gladiator|@|Video Store\r\n"
    "end|\r\n"
    "3\r\n"
    "end";

struct Loaded {
    MovieList main{ListKind::Main};
    MovieList upcoming{ListKind::Upcoming};
    KnownValueList categories, locations, upcomingLocations, media;
    FreeNumberPool pool;
    std::string password = "unset";
    std::string version = "unset";
    std::vector<std::string> olderLayoutTitles;
    LoadReport report;

    MainListStores Stores() {
        return MainListStores{main, upcoming, categories, locations, upcomingLocations, media, pool, password, version};
    }
    std::string Serialize() const { return SerializeMainList(main, upcoming, pool, password); }
};

std::unique_ptr<Loaded> Load(const std::string& bytes) {
    auto l = std::make_unique<Loaded>();
    TextReader reader(bytes);
    l->report = ReadMainList(reader, l->Stores(), [&l](const std::string& t) { l->olderLayoutTitles.push_back(t); });
    return l;
}

std::vector<std::string> Titles(const MovieList& list) {
    std::vector<std::string> out;
    for (const MovieRecord& r : list) out.push_back(r.title);
    return out;
}

std::vector<std::int32_t> Numbers(const FreeNumberPool& pool) {
    return {pool.begin(), pool.end()};
}

TEST(MainListFile, ExampleFileLoadsAndIsWrittenBackByteForByte) {
    auto l = Load(kExample);
    EXPECT_FALSE(l->report.damage.has_value());
    EXPECT_EQ(l->report.records, 3u);
    EXPECT_EQ(l->version, "CineLedger v3.15");
    EXPECT_EQ(l->password, "nolockx");
    ASSERT_EQ(l->main.Count(), 2u);
    const MovieRecord* matrix = l->main.Find("Matrix, The");
    ASSERT_NE(matrix, nullptr);
    EXPECT_EQ(matrix->location, "Mike");
    EXPECT_EQ(matrix->category, "Action");
    EXPECT_EQ(matrix->presence, "Absent");
    EXPECT_EQ(matrix->medium, "DivX");
    EXPECT_EQ(matrix->number, 2);
    const MovieRecord* gladiator = l->upcoming.Find("Gladiator");
    ASSERT_NE(gladiator, nullptr);
    EXPECT_EQ(gladiator->category, "@");
    EXPECT_EQ(gladiator->location, "Video Store");
    EXPECT_FALSE(gladiator->presence.has_value());
    EXPECT_FALSE(gladiator->medium.has_value());
    EXPECT_EQ(Numbers(l->pool), std::vector<std::int32_t>{3});
    EXPECT_EQ(l->Serialize(), kExample);
}

TEST(MainListFile, ReaderFillsTheKnownValues) {
    auto l = Load(
        "CineLedger "
        "v3.15\r\nA|Home|Horror|Present|DVD|1\r\nB|home|Drama|Present|dvd|2\r\nC|Mike|horror|Absent|VHS|3\r\n"
        "end|pw\r\nD|@|Shop\r\nE|@|shop\r\nend|\r\nend");
    EXPECT_EQ(l->locations.Values(), (std::vector<std::string>{"Home", "Mike"}));
    EXPECT_EQ(l->categories.Values(), (std::vector<std::string>{"Horror", "Drama"}));
    EXPECT_EQ(l->media.Values(), (std::vector<std::string>{"DVD", "VHS"}));
    EXPECT_EQ(l->upcomingLocations.Values(), (std::vector<std::string>{"Shop"}));
}

TEST(MainListFile, EmptyCollectionRoundTrips) {
    MovieList main, upcoming;
    FreeNumberPool pool;
    std::string bytes = SerializeMainList(main, upcoming, pool, "secret");
    EXPECT_EQ(bytes, "CineLedger v3.15\r\nend|secret\r\nend|\r\nend");
    auto l = Load(bytes);
    EXPECT_FALSE(l->report.damage.has_value());
    EXPECT_TRUE(l->main.Empty());
    EXPECT_TRUE(l->upcoming.Empty());
    EXPECT_TRUE(l->pool.Empty());
    EXPECT_EQ(l->password, "secret");
}

TEST(MainListFile, OnlyTheTwelveCharacterPrefixSelectsTheNewLayout) {
    auto l = Load("CineLedger v9.99 beta\r\nAlien|Default|Horror|Present|DVD|1\r\nend|x\r\nend|\r\nend");
    EXPECT_FALSE(l->report.damage.has_value());
    EXPECT_EQ(l->version, "CineLedger v9.99 beta");
    EXPECT_EQ(l->main.Find("Alien")->medium, "DVD");
    EXPECT_TRUE(l->olderLayoutTitles.empty());
}

TEST(MainListFile, OlderLayoutGetsUnknownMediumAndAHistoryEntryPerMovie) {
    auto l = Load("Alien|Default|Horror|Present|1\r\nHeat|Mike|Action|Absent|2\r\nend|pw\r\nend|\r\nend");
    EXPECT_FALSE(l->report.damage.has_value());
    EXPECT_EQ(l->version, "");
    EXPECT_EQ(l->main.Find("Alien")->medium, "Unknown");
    EXPECT_EQ(l->main.Find("Heat")->number, 2);
    EXPECT_EQ(l->media.Values(), std::vector<std::string>{"Unknown"});
    EXPECT_EQ(l->olderLayoutTitles, (std::vector<std::string>{"Alien", "Heat"}));
    // Saving converts it to the current layout.
    EXPECT_EQ(l->Serialize(),
              "CineLedger v3.15\r\nAlien|Default|Horror|Present|Unknown|1\r\nHeat|Mike|Action|Absent|Unknown|2\r\n"
              "end|pw\r\nend|\r\nend");
}

TEST(MainListFile, LaterDuplicateUnderCaseFoldingIsDropped) {
    auto l = Load(
        "CineLedger v3.15\r\nAlien|A|H|Present|DVD|1\r\nalien|B|H|Present|DVD|2\r\nend|\r\n"
        "Heat|@|x\r\nHEAT|@|y\r\nend|\r\nend");
    EXPECT_FALSE(l->report.damage.has_value());
    EXPECT_EQ(Titles(l->main), std::vector<std::string>{"Alien"});
    EXPECT_EQ(l->main.Find("alien")->number, 1);
    EXPECT_EQ(Titles(l->upcoming), std::vector<std::string>{"Heat"});
    EXPECT_EQ(l->report.records, 2u);
    // The dropped line's values are still known.
    EXPECT_EQ(l->locations.Values(), (std::vector<std::string>{"A", "B"}));
}

TEST(MainListFile, UpcomingEndLineMayCarryText) {
    auto l = Load("CineLedger v3.15\r\nend|\r\nend|ignored text\r\n4\r\nend");
    EXPECT_FALSE(l->report.damage.has_value());
    EXPECT_EQ(Numbers(l->pool), std::vector<std::int32_t>{4});
}

TEST(MainListFile, FreeNumbersComeOutAscendingAndUnique) {
    auto l = Load("CineLedger v3.15\r\nend|\r\nend|\r\n9\r\n3\r\n9\r\n5\r\nend");
    EXPECT_EQ(Numbers(l->pool), (std::vector<std::int32_t>{3, 5, 9}));
    EXPECT_EQ(l->Serialize(), "CineLedger v3.15\r\nend|\r\nend|\r\n3\r\n5\r\n9\r\nend");
}

TEST(MainListFile, EmptyPasswordIsASetPassword) {
    auto l = Load("CineLedger v3.15\r\nend|\r\nend|\r\nend");
    EXPECT_EQ(l->password, "");
}

TEST(MainListFile, MissingFileGivesAnEmptyCollectionWithNoPassword) {
    Loaded l;
    LoadReport report = LoadMainListFile("/nonexistent/dir/CineLedger.dat", l.Stores(), nullptr);
    EXPECT_FALSE(report.opened);
    EXPECT_FALSE(report.damage.has_value());
    EXPECT_EQ(l.password, "nolockx");
    EXPECT_TRUE(l.main.Empty());
}

TEST(MainListFile, ByteOrderMarkBeforeTheVersionLineIsSkipped) {
    auto l = Load("\xEF\xBB\xBF" + kExample);
    EXPECT_FALSE(l->report.damage.has_value());
    EXPECT_EQ(l->version, "CineLedger v3.15");
    EXPECT_EQ(l->Serialize(), kExample);
}

TEST(MainListFile, LfOnlyLineEndsAreRead) {
    auto l = Load("CineLedger v3.15\nAlien|Default|Horror|Present|DVD|1\nend|pw\nG|@|S\nend|\n3\nend\n");
    EXPECT_FALSE(l->report.damage.has_value());
    EXPECT_EQ(l->main.Count(), 1u);
    EXPECT_EQ(l->upcoming.Count(), 1u);
    EXPECT_EQ(l->password, "pw");
}

struct NumberCase {
    const char* name;
    std::string text;
    std::int32_t value;
};

class ParseDecimalTable : public ::testing::TestWithParam<NumberCase> {};

TEST_P(ParseDecimalTable, ConvertsLikeAtoi) {
    EXPECT_EQ(ParseDecimal(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Cases, ParseDecimalTable,
                         ::testing::Values(NumberCase{"Plain", "42", 42}, NumberCase{"LeadingBlanks", " \t 7", 7},
                                           NumberCase{"PlusSign", "+5", 5}, NumberCase{"MinusSign", "-3", -3},
                                           NumberCase{"StopsAtNonDigit", "12abc", 12}, NumberCase{"NoDigits", "abc", 0},
                                           NumberCase{"Empty", "", 0}, NumberCase{"SignAlone", "-", 0},
                                           NumberCase{"BlankAfterSignStops", "- 4", 0},
                                           NumberCase{"NineDigits", "999999999", 999999999},
                                           NumberCase{"SaturatesHigh", "99999999999999", 2147483647},
                                           NumberCase{"SaturatesLow", "-99999999999999", -2147483647 - 1}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(MainListFile, NonNumericNumberGivesZero) {
    auto l = Load("CineLedger v3.15\r\nAlien|D|H|Present|DVD|one\r\nend|\r\nend|\r\nend");
    EXPECT_EQ(l->main.Find("Alien")->number, 0);
}

// ---- limits and damage ----

std::string Field(std::size_t n, char c = 'x') {
    return std::string(n, c);
}

struct DamageCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> mainTitles;  // the whole records kept
    std::size_t damageLine;
};

class MainListDamageTable : public ::testing::TestWithParam<DamageCase> {};

TEST_P(MainListDamageTable, StopsKeepingWholeRecordsAndReportsWhere) {
    const DamageCase& c = GetParam();
    auto l = Load(c.bytes);
    ASSERT_TRUE(l->report.damage.has_value());
    EXPECT_EQ(l->report.damage->line, c.damageLine) << l->report.damage->what;
    EXPECT_FALSE(l->report.damage->what.empty());
    EXPECT_EQ(Titles(l->main), c.mainTitles);
}

const std::string kHead = "CineLedger v3.15\r\nAlien|D|H|Present|DVD|1\r\n";
const std::string kTail = "end|pw\r\nend|\r\nend";

INSTANTIATE_TEST_SUITE_P(
    Limits, MainListDamageTable,
    ::testing::Values(
        DamageCase{"VersionLineOver109", "CineLedger v" + Field(98) + "\r\n" + kTail, {}, 1},
        DamageCase{"TitleOver109", kHead + Field(110) + "|D|H|Present|DVD|2\r\n" + kTail, {"Alien"}, 3},
        DamageCase{"LocationOver30", kHead + "B|" + Field(31) + "|H|Present|DVD|2\r\n" + kTail, {"Alien"}, 3},
        DamageCase{"CategoryOver29", kHead + "B|D|" + Field(30) + "|Present|DVD|2\r\n" + kTail, {"Alien"}, 3},
        DamageCase{"PresenceOver9", kHead + "B|D|H|" + Field(10) + "|DVD|2\r\n" + kTail, {"Alien"}, 3},
        DamageCase{"MediumOver30", kHead + "B|D|H|Present|" + Field(31) + "|2\r\n" + kTail, {"Alien"}, 3},
        DamageCase{"NumberOver9Digits", kHead + "B|D|H|Present|DVD|1234567890\r\n" + kTail, {"Alien"}, 3},
        DamageCase{"PasswordOver9", kHead + "end|" + Field(10) + "\r\nend|\r\nend", {"Alien"}, 3},
        DamageCase{"UpcomingCategoryOver29", kHead + "end|pw\r\nG|" + Field(30) + "|S\r\nend|\r\nend", {"Alien"}, 4},
        DamageCase{"UpcomingLocationOver30", kHead + "end|pw\r\nG|@|" + Field(31) + "\r\nend|\r\nend", {"Alien"}, 4},
        DamageCase{"UpcomingEndRestOver109", kHead + "end|pw\r\nend|" + Field(110) + "\r\nend", {"Alien"}, 4},
        DamageCase{"FreeNumberOver9", kHead + "end|pw\r\nend|\r\n" + Field(10, '1') + "\r\nend", {"Alien"}, 5}),
    [](const auto& p) { return std::string(p.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Malformed, MainListDamageTable,
    ::testing::Values(
        DamageCase{"MissingBarInMainLine", kHead + "B|D|H|Present\r\nC|D|H|Present|DVD|3\r\n" + kTail, {"Alien"}, 3},
        DamageCase{"EndLineWithoutBar", kHead + "end\r\nend|\r\nend", {"Alien"}, 3},
        DamageCase{"MissingBarInUpcomingLine", kHead + "end|pw\r\nGladiator\r\nend|\r\nend", {"Alien"}, 4},
        DamageCase{"CutInsideTheNumber", kHead + "B|D|H|Present|DVD|2", {"Alien"}, 3},
        DamageCase{"LastFreeNumberCut", kHead + "end|pw\r\nend|\r\n3", {"Alien"}, 5},
        DamageCase{"TextAfterTheFinalEnd", kHead + "end|pw\r\nend|\r\nend\r\nmore", {"Alien"}, 5},
        DamageCase{"GarbageBytes", std::string("\x00\xff\x1a|\x80\r\n\x01", 8), {}, 1}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(MainListFile, ValuesAtTheirLimitsAreAccepted) {
    std::string bytes = "CineLedger v3.15\r\n" + Field(109) + "|" + Field(30) + "|" + Field(29) + "|" + Field(9) + "|" +
                        Field(30) + "|123456789\r\nend|" + Field(9) + "\r\n" + Field(109, 'u') + "|" + Field(29) + "|" +
                        Field(30) + "\r\nend|" + Field(109) + "\r\n987654321\r\nend";
    auto l = Load(bytes);
    EXPECT_FALSE(l->report.damage.has_value()) << l->report.damage->what;
    EXPECT_EQ(l->main.Count(), 1u);
    EXPECT_EQ(l->upcoming.Count(), 1u);
    EXPECT_EQ(l->main.Find(Field(109))->number, 123456789);
    EXPECT_EQ(Numbers(l->pool), std::vector<std::int32_t>{987654321});
}

TEST(MainListFile, UpcomingRecordsBeforeTheDamageAreKept) {
    auto l = Load(kHead + "end|pw\r\nA|@|S\r\nB|@|" + Field(31) + "\r\nend|\r\nend");
    ASSERT_TRUE(l->report.damage.has_value());
    EXPECT_EQ(Titles(l->upcoming), std::vector<std::string>{"A"});
    EXPECT_EQ(l->password, "pw");
}

// A cut file is either reported as damaged or read whole: then a save writes every byte it held again. A cut
// at a line end leaves whole lines only, which is no damage.
TEST(MainListFile, EveryCutOfAFileIsReportedOrLosesNothingAndKeepsOnlyWholeRecords) {
    auto full = Load(kExample);
    for (std::size_t cut = 0; cut < kExample.size(); ++cut) {
        auto l = Load(kExample.substr(0, cut));
        if (cut == 0 || kExample[cut - 1] == '\n') {
            EXPECT_FALSE(l->report.damage.has_value()) << "cut at " << cut;
        }
        if (!l->report.damage) {
            EXPECT_EQ(l->Serialize().substr(0, cut), kExample.substr(0, cut)) << "cut at " << cut;
        }
        for (const MovieRecord& r : l->main) {
            const MovieRecord* whole = full->main.Find(r.title);
            ASSERT_NE(whole, nullptr) << "cut at " << cut << " kept partial title " << r.title;
            EXPECT_EQ(r.title, whole->title);
            EXPECT_EQ(r.medium, whole->medium);
            EXPECT_EQ(r.number, whole->number) << "cut at " << cut;
        }
        for (const MovieRecord& r : l->upcoming) {
            EXPECT_EQ(r.location, full->upcoming.Find(r.title)->location) << "cut at " << cut;
        }
    }
}

TEST(MainListFile, RandomBytesNeverHangOrCrash) {
    std::mt19937 rng(3);
    const std::string pieces[] = {"|", "\r\n", "\n", "\r", "end", "end|", "CineLedger v", "x", "12", "\x1a"};
    for (int i = 0; i < 2000; ++i) {
        std::string bytes;
        std::size_t n = rng() % 40;
        for (std::size_t k = 0; k < n; ++k) bytes += pieces[rng() % std::size(pieces)];
        auto l = Load(bytes);
        auto again = Load(l->Serialize());
        EXPECT_EQ(again->Serialize(), l->Serialize()) << "input " << i;
    }
}

// ---- writing through the file writer ----

class RecordingWriter : public FileWriter {
  public:
    bool fail = false;
    std::filesystem::path target;
    std::string bytes;
    bool Write(const std::filesystem::path& path, std::string_view data, std::string& error) override {
        if (fail) {
            error = "disk full";
            return false;
        }
        target = path;
        bytes = data;
        return true;
    }
};

TEST(MainListFile, SaveHandsTheExactBytesToTheWriter) {
    auto l = Load(kExample);
    RecordingWriter writer;
    std::string error;
    EXPECT_TRUE(SaveMainListFile(writer, "CineLedger.dat", l->main, l->upcoming, l->pool, l->password, error));
    EXPECT_EQ(writer.target, "CineLedger.dat");
    EXPECT_EQ(writer.bytes, kExample);
    writer.fail = true;
    EXPECT_FALSE(SaveMainListFile(writer, "CineLedger.dat", l->main, l->upcoming, l->pool, l->password, error));
    EXPECT_EQ(error, "disk full");
}

}  // namespace
}  // namespace cl
