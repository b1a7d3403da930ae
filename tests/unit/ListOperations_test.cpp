// Main and Upcoming list operations, new numbers and what each list-box view shows.
#include "model/ListOperations.h"

#include <gtest/gtest.h>

namespace cl {
namespace {

MovieList SampleMain() {
    MovieList main(ListKind::Main);
    InsertMainMovie(main, {"Alien", "Horror", "Present", "Default", "DVD"}, 1);
    InsertMainMovie(main, {"Matrix, The", "Action", "Absent", "Mike", "DivX"}, 2);
    InsertMainMovie(main, {"Nameless", "Drama", "Present", "", "VHS"}, 3);
    return main;
}

TEST(MainList, DuplicateInsertIsRefusedWithResultOne) {
    MovieList main = SampleMain();
    EXPECT_FALSE(InsertMainMovie(main, {"ALIEN", "X", "Present", "Y", "Z"}, 9));
    EXPECT_EQ(main.Count(), 3u);
    EXPECT_EQ(main.Find("alien")->category, "Horror");
}

TEST(MainList, RemoveReturnsTheNumberToThePoolOnlyWithoutTheKeepFlag) {
    MovieList main = SampleMain();
    FreeNumberPool pool;
    EXPECT_TRUE(RemoveMainMovie(main, pool, "alien", true));
    EXPECT_EQ(pool.Count(), 0u);
    EXPECT_TRUE(RemoveMainMovie(main, pool, "Matrix, The", false));
    EXPECT_EQ(pool.Take(), 2);
    EXPECT_FALSE(RemoveMainMovie(main, pool, "Missing", false));
    EXPECT_EQ(pool.Count(), 0u);
    EXPECT_EQ(main.Count(), 1u);
}

TEST(MainList, NumbersComeFromThePoolThenFromTheCount) {
    MovieList main = SampleMain();
    FreeNumberPool pool;
    pool.Add(7);
    pool.Add(3);
    std::int32_t n = 0;
    EXPECT_TRUE(InsertNewMainMovie(main, pool, {"B", "c", "Present", "l", "m"}, n));
    EXPECT_EQ(n, 3);
    EXPECT_TRUE(InsertNewMainMovie(main, pool, {"C", "c", "Present", "l", "m"}, n));
    EXPECT_EQ(n, 7);
    EXPECT_TRUE(InsertNewMainMovie(main, pool, {"D", "c", "Present", "l", "m"}, n));
    EXPECT_EQ(n, 6);  // five movies before it
}

TEST(MainList, RefusedNewMovieGivesItsNumberBack) {
    MovieList main = SampleMain();
    FreeNumberPool pool;
    pool.Add(5);
    std::int32_t n = 0;
    EXPECT_FALSE(InsertNewMainMovie(main, pool, {"alien", "c", "Present", "l", "m"}, n));
    EXPECT_EQ(n, 5);
    EXPECT_EQ(pool.Take(), 5);
    // A counted number was never a movie's: it does not go into the pool, so none is invented for the file.
    EXPECT_FALSE(InsertNewMainMovie(main, pool, {"alien", "c", "Present", "l", "m"}, n));
    EXPECT_EQ(n, 4);
    EXPECT_TRUE(pool.Empty());
}

TEST(MainList, FindByNumberSetsOnlyTheTitle) {
    MovieList main = SampleMain();
    CurrentMovie current;
    EXPECT_TRUE(FindMainByNumber(main, 2, current));
    EXPECT_EQ(current.title, "Matrix, The");
    EXPECT_FALSE(current.category.has_value());
    current.Clear();
    EXPECT_FALSE(FindMainByNumber(main, 42, current));
    EXPECT_FALSE(current.title.has_value());
}

TEST(MainList, DisplayShowsAnEmptyLocationAsIndeterminateButEditingKeepsIt) {
    MovieList main = SampleMain();
    CurrentMovie shown, edited;
    ASSERT_TRUE(LoadMainForDisplay(main, "nameless", shown));
    EXPECT_EQ(shown.location, "Indeterminate");
    EXPECT_EQ(shown.title, "Nameless");
    EXPECT_EQ(shown.medium, "VHS");
    EXPECT_EQ(shown.number, 3);
    ASSERT_TRUE(LoadMainForEditing(main, "Nameless", edited));
    EXPECT_EQ(edited.location, "");
}

TEST(MainList, LoadingAMissingTitleChangesNothing) {
    MovieList main = SampleMain();
    CurrentMovie current;
    current.title = "Before";
    current.number = 9;
    EXPECT_FALSE(LoadMainForDisplay(main, "Missing", current));
    EXPECT_FALSE(LoadMainForEditing(main, "Missing", current));
    EXPECT_EQ(current.title, "Before");
    EXPECT_EQ(current.number, 9);
}

TEST(MainList, ImportedTitleLoadsWithoutMediumOrFillsInUnknown) {
    MovieList main = SampleMain();
    CurrentMovie found;
    LoadMainForImported(main, "NAMELESS", found);
    EXPECT_EQ(found.title, "Nameless");
    EXPECT_EQ(found.location, "");
    EXPECT_FALSE(found.medium.has_value());
    CurrentMovie missing;
    missing.number = 12;
    LoadMainForImported(main, "Heat", missing);
    EXPECT_EQ(missing.title, "Heat");
    EXPECT_EQ(missing.category, "Unknown");
    EXPECT_EQ(missing.presence, "Unknown");
    EXPECT_EQ(missing.location, "Unknown");
    EXPECT_EQ(missing.number, 0);
}

TEST(MainList, PresenceModesSetPresenceAndLocation) {
    MovieList main = SampleMain();
    EXPECT_TRUE(SetMainPresence(main, "alien", "Mike", PresenceMode::Absent));
    EXPECT_EQ(main.Find("Alien")->presence, "Absent");
    EXPECT_EQ(main.Find("Alien")->location, "Mike");
    EXPECT_TRUE(SetMainPresence(main, "Alien", "Default", PresenceMode::Present));
    EXPECT_EQ(main.Find("Alien")->presence, "Present");
    EXPECT_FALSE(SetMainPresence(main, "Heat", "Mike", PresenceMode::Absent));
    EXPECT_EQ(MissingTitleMessage("Heat"), "\"Heat\" Does Not Exist In Your Movie List; Skipping To Next.");
}

TEST(UpcomingList, OperationsCopyOnlyTheFieldsTheyName) {
    MovieList upcoming(ListKind::Upcoming);
    EXPECT_TRUE(InsertUpcomingMovie(upcoming, "Gladiator", "@", "Video Store"));
    EXPECT_FALSE(InsertUpcomingMovie(upcoming, "gladiator", "@", "Elsewhere"));
    EXPECT_FALSE(upcoming.Find("Gladiator")->presence.has_value());
    CurrentMovie all, two, imported;
    ASSERT_TRUE(LoadUpcoming(upcoming, "GLADIATOR", all));
    EXPECT_EQ(all.category, "@");
    EXPECT_EQ(all.location, "Video Store");
    ASSERT_TRUE(LoadUpcomingTitleAndLocation(upcoming, "Gladiator", two));
    EXPECT_FALSE(two.category.has_value());
    EXPECT_FALSE(two.presence.has_value());
    LoadUpcomingForImported(upcoming, "Heat", imported);
    EXPECT_EQ(imported.title, "Heat");
    EXPECT_EQ(imported.location, "Unknown");
    EXPECT_TRUE(RemoveUpcomingMovie(upcoming, "gladiator"));
    EXPECT_FALSE(RemoveUpcomingMovie(upcoming, "gladiator"));
}

// ---- list-box filling ----

MovieList EroticMain() {
    MovieList main(ListKind::Main);
    InsertMainMovie(main, {"Alien", "Horror", "Present", "Default", "DVD"}, 1);
    InsertMainMovie(main, {"A Very Long Erotic Title Indeed", "Erotic", "Present", "Default", "DVD"}, 2);
    InsertMainMovie(main, {"Shouting", "EROTIC", "Absent", "Mike", "DVD"}, 3);
    InsertMainMovie(main, {"whisper", "erotic", "Present", "Mike", "DVD"}, 4);
    InsertMainMovie(main, {"Heat", "Action", "Absent", "mike", "DVD"}, 5);
    return main;
}

struct FillCase {
    const char* name;
    FillVariant variant;
    std::string value;
    bool eroticVisible;
    std::vector<std::string> titles;
    std::size_t longest;
};

class FillListBoxTable : public ::testing::TestWithParam<FillCase> {};

TEST_P(FillListBoxTable, ShowsExactlyTheseTitlesInListOrder) {
    const FillCase& c = GetParam();
    MovieList main = EroticMain();
    ListBoxFill fill = FillListBox(main, c.variant, c.value, c.eroticVisible);
    std::vector<std::string> titles(fill.titles.begin(), fill.titles.end());
    EXPECT_EQ(titles, c.titles);
    EXPECT_EQ(fill.longestTitle, c.longest);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FillListBoxTable,
    ::testing::Values(
        // The extent comes from the titles shown: the long erotic title does not count when hidden.
        FillCase{"AllLockClosedHidesEveryEroticSpelling", FillVariant::All, "", false, {"Alien", "Heat"}, 5},
        FillCase{"AllLockOpenShowsEverything",
                 FillVariant::All,
                 "",
                 true,
                 {"A Very Long Erotic Title Indeed", "Alien", "Heat", "Shouting", "whisper"},
                 31},
        FillCase{"ByPresenceAppliesTheEroticRule", FillVariant::ByPresence, "absent", false, {"Heat"}, 4},
        FillCase{
            "ByLocationMatchesLikeTitles", FillVariant::ByLocation, "MIKE", true, {"Heat", "Shouting", "whisper"}, 8},
        FillCase{"ByCategoryListsEroticWhateverTheLock",
                 FillVariant::ByCategory,
                 "Erotic",
                 false,
                 {"A Very Long Erotic Title Indeed", "Shouting", "whisper"},
                 31},
        FillCase{"PlainAppliesNoRule",
                 FillVariant::Plain,
                 "",
                 false,
                 {"A Very Long Erotic Title Indeed", "Alien", "Heat", "Shouting", "whisper"},
                 31},
        FillCase{"NothingToShowHasNoExtent", FillVariant::ByLocation, "Nowhere", true, {}, 0}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(FillListBox, RecordsWithoutTheFilteredFieldAreNotShown) {
    MovieList gimme(ListKind::InternalGimme);
    MovieRecord r;
    r.title = "Alien";
    gimme.PushFront(r);
    EXPECT_TRUE(FillListBox(gimme, FillVariant::ByLocation, "", true).titles.empty());
    EXPECT_EQ(FillListBox(gimme, FillVariant::All, "", false).titles.size(), 1u);
}

}  // namespace
}  // namespace cl
