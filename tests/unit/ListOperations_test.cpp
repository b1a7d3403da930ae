// What the commands do to the Main, Upcoming, Gimme and quarantine lists, new numbers, and what each list-box view
// shows.
#include "model/ListOperations.h"

#include <gtest/gtest.h>

#include "model/GimmeFile.h"
#include "model/QuarantineFile.h"

namespace cl {
namespace {

using Strings = std::vector<std::string>;

Strings Titles(const MovieList& list) {
    Strings out;
    for (const MovieRecord& r : list) out.push_back(r.title);
    return out;
}

MovieList SampleMain() {
    MovieList main;
    InsertMainMovie(main, {"Alien", "Horror", "Present", "Default", "DVD"}, 1);
    InsertMainMovie(main, {"Matrix, The", "Action", "Absent", "Mike", "DivX"}, 2);
    InsertMainMovie(main, {"Nameless", "Drama", "Present", "", "VHS"}, 3);
    return main;
}

TEST(MainList, ADeletedMoviesNumberIsFreeUnlessKeptAndNewMoviesTakeFreeNumbersFirst) {
    MovieList main = SampleMain();
    EXPECT_FALSE(InsertMainMovie(main, {"ALIEN", "X", "Present", "Y", "Z"}, 9));
    EXPECT_EQ(main.Find("alien")->category, "Horror");
    FreeNumberPool pool;
    EXPECT_TRUE(RemoveMainMovie(main, pool, "alien", true));
    EXPECT_TRUE(pool.Empty());
    EXPECT_TRUE(RemoveMainMovie(main, pool, "Matrix, The", false));
    EXPECT_FALSE(RemoveMainMovie(main, pool, "Missing", false));
    pool.Add(7);
    EXPECT_EQ(Titles(main), Strings{"Nameless"});
    std::int32_t n = 0;
    for (const std::int32_t want : {2, 7, 4}) {  // the smallest free number, then one more than the movies
        EXPECT_TRUE(InsertNewMainMovie(main, pool, {"New " + std::to_string(want), "c", "Present", "l", "m"}, n));
        EXPECT_EQ(n, want);
    }
    // A refused duplicate gives a free number back; a counted one was never a movie's and stays out of the pool.
    pool.Add(9);
    EXPECT_FALSE(InsertNewMainMovie(main, pool, {"nameless", "c", "Present", "l", "m"}, n));
    EXPECT_EQ(n, 9);
    EXPECT_EQ(pool.Take(), 9);
    EXPECT_FALSE(InsertNewMainMovie(main, pool, {"nameless", "c", "Present", "l", "m"}, n));
    EXPECT_EQ(n, 5);
    EXPECT_TRUE(pool.Empty());
}

TEST(MainList, AMovieIsCopiedForDisplayEditingOrAnImportAsEachNeeds) {
    MovieList main = SampleMain();
    CurrentMovie current;
    EXPECT_TRUE(FindMainByNumber(main, 2, current));
    EXPECT_EQ(current.title, "Matrix, The");
    EXPECT_FALSE(current.category.has_value());
    current = {.title = "Before", .number = 9};
    EXPECT_FALSE(FindMainByNumber(main, 42, current));
    EXPECT_FALSE(LoadMainForDisplay(main, "Missing", current));
    EXPECT_FALSE(LoadMainForEditing(main, "Missing", current));
    EXPECT_EQ(current.title, "Before");
    EXPECT_EQ(current.number, 9);

    ASSERT_TRUE(LoadMainForDisplay(main, "nameless", current));
    EXPECT_EQ(current.title, "Nameless");
    EXPECT_EQ(current.location, "Indeterminate");
    EXPECT_EQ(current.medium, "VHS");
    EXPECT_EQ(current.number, 3);
    ASSERT_TRUE(LoadMainForEditing(main, "Nameless", current));
    EXPECT_EQ(current.location, "");
    CurrentMovie imported;
    LoadMainForImported(main, "NAMELESS", imported);
    EXPECT_EQ(imported.location, "");
    EXPECT_FALSE(imported.medium.has_value());
    imported.number = 12;
    LoadMainForImported(main, "Heat", imported);
    EXPECT_EQ(imported.title, "Heat");
    EXPECT_EQ(imported.category.value_or("") + imported.presence.value_or("") + imported.location.value_or(""),
              "UnknownUnknownUnknown");
    EXPECT_EQ(imported.number, 0);
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
    MovieList upcoming;
    EXPECT_TRUE(InsertUpcomingMovie(upcoming, "Gladiator", "@", "Video Store"));
    EXPECT_FALSE(InsertUpcomingMovie(upcoming, "gladiator", "@", "Elsewhere"));
    CurrentMovie all, two, imported;
    ASSERT_TRUE(LoadUpcoming(upcoming, "GLADIATOR", all));
    EXPECT_EQ(all.category, "@");
    EXPECT_EQ(all.location, "Video Store");
    EXPECT_FALSE(all.presence.has_value());
    ASSERT_TRUE(LoadUpcomingTitleAndLocation(upcoming, "Gladiator", two));
    EXPECT_EQ(two.location, "Video Store");
    EXPECT_FALSE(two.category.has_value());
    LoadUpcomingForImported(upcoming, "Heat", imported);
    EXPECT_EQ(imported.title, "Heat");
    EXPECT_EQ(imported.location, "Unknown");
    EXPECT_TRUE(RemoveUpcomingMovie(upcoming, "gladiator"));
    EXPECT_FALSE(RemoveUpcomingMovie(upcoming, "gladiator"));
}

TEST(GimmeList, TitlesGoToTheFrontUnlessTheExactTitleIsThereAndTheFileMarksThemG) {
    MovieList g;
    TextReader file(std::string("alien\r\nend"));
    ReadGimme(file, g);
    EXPECT_EQ(g.Find("alien")->category.value_or("") + g.Find("alien")->location.value_or(""), "GG");
    EXPECT_EQ(AddGimmeTitles(g, {"Alien", "Heat", "alien", "Heat"}), (Strings{"alien", "Heat"}));
    EXPECT_TRUE(AddGimmeTitleWithLocation(g, "Ronin", "Video Store"));
    EXPECT_FALSE(AddGimmeTitleWithLocation(g, "Ronin", "Elsewhere"));
    EXPECT_EQ(Titles(g), (Strings{"Ronin", "Heat", "Alien", "alien"}));
    EXPECT_EQ(g.FindExact("Ronin")->location, "Video Store");
    EXPECT_FALSE(g.FindExact("Heat")->location || g.FindExact("Ronin")->category);
    EXPECT_FALSE(RemoveGimmeTitle(g, "ALIEN"));
    EXPECT_TRUE(RemoveGimmeTitle(g, "alien"));
    EXPECT_EQ(GimmeDuplicateMessage("Heat"), "\"Heat\" Is Already On the Gimme List; Skipping to Next...");
}

TEST(QuarantineList, AskedTitlesAreFormattedFirstAndMatchInAnyCase) {
    QuarantineList q;
    EXPECT_TRUE(q.Add("Matrix, The"));
    EXPECT_FALSE(q.Add("MATRIX, THE"));
    EXPECT_TRUE(q.Add("Heat"));
    std::string asked = "the matrix";
    EXPECT_TRUE(q.Contains(asked, true));
    EXPECT_EQ(asked, "Matrix, The");
    std::string unformatted = "the matrix";
    EXPECT_FALSE(q.Contains(unformatted, false));
    EXPECT_EQ(unformatted, "the matrix");
    EXPECT_TRUE(q.Remove("heat"));
    EXPECT_FALSE(q.Remove("heat"));
    EXPECT_EQ(Titles(q.Titles()), Strings{"Matrix, The"});
}

TEST(FillListBox, ShowsTheTitlesOfTheViewInListOrderAndKeepsEroticOnesBehindTheLock) {
    MovieList main;
    InsertMainMovie(main, {"Alien", "Horror", "Present", "Default", "DVD"}, 1);
    InsertMainMovie(main, {"A Very Long Erotic Title Indeed", "Erotic", "Present", "Default", "DVD"}, 2);
    InsertMainMovie(main, {"Shouting", "EROTIC", "Absent", "Mike", "DVD"}, 3);
    InsertMainMovie(main, {"whisper", "erotic", "Present", "Mike", "DVD"}, 4);
    InsertMainMovie(main, {"Heat", "Action", "Absent", "mike", "DVD"}, 5);
    const Strings everything = {"A Very Long Erotic Title Indeed", "Alien", "Heat", "Shouting", "whisper"};
    struct Case {
        FillVariant variant;
        const char* value;
        bool eroticVisible;
        Strings titles;
        std::size_t longest;  // of the titles shown: a hidden long title does not widen the list
    };
    const Case cases[] = {{FillVariant::All, "", false, {"Alien", "Heat"}, 5},
                          {FillVariant::All, "", true, everything, 31},
                          {FillVariant::ByPresence, "absent", false, {"Heat"}, 4},
                          {FillVariant::ByPresence, "Absent", true, {"Heat", "Shouting"}, 8},
                          {FillVariant::ByLocation, "MIKE", false, {"Heat"}, 4},
                          {FillVariant::ByLocation, "MIKE", true, {"Heat", "Shouting", "whisper"}, 8},
                          {FillVariant::ByCategory, "Erotic", false, {everything[0], "Shouting", "whisper"}, 31},
                          {FillVariant::Plain, "", false, everything, 31},
                          {FillVariant::ByLocation, "Nowhere", true, {}, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(static_cast<int>(c.variant)) + c.value + (c.eroticVisible ? " open" : " locked"));
        const ListBoxFill fill = FillListBox(main, c.variant, c.value, c.eroticVisible);
        EXPECT_EQ(Strings(fill.titles.begin(), fill.titles.end()), c.titles);
        EXPECT_EQ(fill.longestTitle, c.longest);
    }
    // A record without the field a view filters by is not shown by it.
    MovieList gimme;
    AddGimmeTitles(gimme, {"Alien"});
    EXPECT_TRUE(FillListBox(gimme, FillVariant::ByLocation, "", true).titles.empty());
    EXPECT_EQ(FillListBox(gimme, FillVariant::All, "", false).titles.size(), 1u);
}

}  // namespace
}  // namespace cl
