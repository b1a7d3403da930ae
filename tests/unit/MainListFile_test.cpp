// "CineLedger.dat" beyond its bytes (StoreFiles_test): which field goes where, the known values a load fills, the
// numbers, and a file cut anywhere.
#include "model/MainListFile.h"

#include <gtest/gtest.h>

#include <memory>
#include <tuple>

namespace cl {
namespace {

using Strings = std::vector<std::string>;

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
    MovieList main;
    MovieList upcoming;
    KnownValueList categories, locations, upcomingLocations, media;
    FreeNumberPool pool;
    std::string password = "unset";
    std::string version = "unset";
    LoadReport report;

    MainListStores Stores() {
        return MainListStores{main, upcoming, categories, locations, upcomingLocations, media, pool, password, version};
    }
};

auto Fields(const MovieRecord& r) {
    return std::make_tuple(r.title, r.category, r.presence, r.location, r.medium, r.number);
}

std::unique_ptr<Loaded> Load(const std::string& bytes) {
    auto l = std::make_unique<Loaded>();
    TextReader reader(bytes);
    l->report = ReadMainList(reader, l->Stores(), nullptr);
    return l;
}

TEST(MainListFile, EachFieldLandsInItsPlace) {
    auto l = Load(kExample);
    EXPECT_EQ(l->version, "CineLedger v3.15");
    EXPECT_EQ(l->password, "nolockx");
    const MovieRecord* matrix = l->main.Find("Matrix, The");
    ASSERT_NE(matrix, nullptr);
    EXPECT_EQ(Fields(*matrix), Fields({"Matrix, The", "Action", "Absent", "Mike", "DivX", 2}));
    const MovieRecord* gladiator = l->upcoming.Find("Gladiator");
    ASSERT_NE(gladiator, nullptr);
    EXPECT_EQ(Fields(*gladiator), Fields({"Gladiator", "@", std::nullopt, "Video Store", std::nullopt, 0}));
    EXPECT_EQ(std::vector<std::int32_t>(l->pool.begin(), l->pool.end()), std::vector<std::int32_t>{3});
    EXPECT_EQ(SerializeMainList(MovieList(), MovieList(), FreeNumberPool(), "secret"),
              "CineLedger v3.15\r\nend|secret\r\nend|\r\nend");
}

TEST(MainListFile, LoadingFillsTheKnownValuesWithTheFirstSpellingOfEach) {
    auto l = Load(
        "CineLedger "
        "v3.15\r\nA|Home|Horror|Present|DVD|1\r\nB|home|Drama|Present|dvd|2\r\nC|Mike|horror|Absent|VHS|3\r\n"
        "c|Jim|War|Absent|VHS|4\r\nend|pw\r\nD|@|Shop\r\nE|@|shop\r\nend|\r\nend");
    EXPECT_EQ(l->locations.Values(), (Strings{"Home", "Mike", "Jim"}));  // also from a line dropped as a duplicate
    EXPECT_EQ(l->categories.Values(), (Strings{"Horror", "Drama", "War"}));
    EXPECT_EQ(l->media.Values(), (Strings{"DVD", "VHS"}));
    EXPECT_EQ(l->upcomingLocations.Values(), Strings{"Shop"});
}

TEST(MainListFile, AMissingFileIsAnEmptyCollectionWithoutAPassword) {
    Loaded l;
    LoadReport report = LoadMainListFile("/nonexistent/dir/CineLedger.dat", l.Stores(), nullptr);
    EXPECT_FALSE(report.opened);
    EXPECT_FALSE(report.damage.has_value());
    EXPECT_EQ(l.password, "nolockx");
    EXPECT_TRUE(l.main.Empty());
}

TEST(MainListFile, NumbersReadLikeAtoiAndSaturate) {
    const std::pair<const char*, std::int32_t> cases[] = {{"42", 42},
                                                          {" \t 7", 7},
                                                          {"+5", 5},
                                                          {"-3", -3},
                                                          {"12abc", 12},
                                                          {"abc", 0},
                                                          {"", 0},
                                                          {"-", 0},
                                                          {"- 4", 0},
                                                          {"999999999", 999999999},
                                                          {"99999999999999", 2147483647},
                                                          {"-99999999999999", -2147483647 - 1}};
    for (const auto& [text, value] : cases) EXPECT_EQ(ParseDecimal(text), value) << text;
}

// A cut file is either reported as damaged or read whole: then a save writes every byte it held again. A cut
// at a line end leaves whole lines only, which is no damage, and no record is ever kept in part.
TEST(MainListFile, EveryCutOfAFileIsReportedOrLosesNothingAndKeepsOnlyWholeRecords) {
    auto full = Load(kExample);
    for (std::size_t cut = 0; cut < kExample.size(); ++cut) {
        SCOPED_TRACE(cut);
        auto l = Load(kExample.substr(0, cut));
        if (cut == 0 || kExample[cut - 1] == '\n') {
            EXPECT_FALSE(l->report.damage.has_value());
        }
        if (!l->report.damage) {
            EXPECT_EQ(SerializeMainList(l->main, l->upcoming, l->pool, l->password).substr(0, cut),
                      kExample.substr(0, cut));
        }
        for (const MovieList* list : {&l->main, &l->upcoming}) {
            for (const MovieRecord& r : *list) {
                const MovieRecord* whole = (list == &l->main ? full->main : full->upcoming).Find(r.title);
                ASSERT_NE(whole, nullptr) << r.title;
                EXPECT_EQ(Fields(r), Fields(*whole));
            }
        }
    }
}

}  // namespace
}  // namespace cl
