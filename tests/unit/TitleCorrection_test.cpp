// Title correction: the movie renamed in the list and every store keyed by its title, the duplicate refused, long
// titles cut, the Upcoming question.
#include "ui/TitleCorrection.h"

#include <gtest/gtest.h>

#include "tests/unit/ShellFakes.h"
#include "ui/ProgramState.h"

namespace cl {
namespace {

TEST(TitleCorrection, MovieFollowsTheDatabaseTitleEverywhereUnlessTaken) {
    const std::string longTitle(120, 'x');
    const struct {
        const char* what;
        std::string databaseTitle;
        bool removeFromUpcoming;  // the answer to the question
        CorrectionOutcome outcome;
        std::string titleAfter;
    } cases[] = {
        {"renamed, upcoming entry removed", "New Title", true, CorrectionOutcome::Corrected, "New Title"},
        {"renamed, upcoming entry kept", "New Title", false, CorrectionOutcome::Corrected, "New Title"},
        {"cut to 99", longTitle, false, CorrectionOutcome::Corrected, std::string(96, 'x') + "..."},
        {"100 kept", std::string(100, 'y'), false, CorrectionOutcome::Corrected, std::string(100, 'y')},
        {"another movie's title", "alien", false, CorrectionOutcome::Duplicate, "Old"},
        {"not a list entry", "A|B", false, CorrectionOutcome::Skipped, "Old"},
        {"page without a title", "NA", false, CorrectionOutcome::Skipped, "Old"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::ShellFixture f;
        f.Add("Old", "Drama", "Present", "Home", 5);
        f.Add("Alien", "Horror", "Present", "Home", 6);
        f.AddUpcoming("New Title");
        f.c.comments.Set("Old", "nice");
        f.c.history.AddOrUpdate("Old", "2003/1/5", "2");
        f.c.media.AddOrReplace("Old", MediaFields{});
        f.c.imdb.Put(ImdbKey("Old"), CurrentImdbInfo{});
        LoadMovieWithDetails(f.c, "Old", false, f.W().state.currentMovie, f.W().state.currentMedia);
        f.Prompts().answers = {c.removeFromUpcoming};

        EXPECT_EQ(CorrectTitle(f.c, f.List(), f.W().state.currentMovie, c.databaseTitle, f.Prompts()), c.outcome);
        const std::string& now = c.titleAfter;
        ASSERT_NE(f.c.main.FindExact(now), nullptr);
        EXPECT_EQ(f.c.main.FindExact(now)->number, 5);
        EXPECT_EQ(f.c.main.Count(), 2u);
        EXPECT_TRUE(f.c.freeNumbers.Empty());
        EXPECT_EQ(f.c.comments.CommentFor(now), "nice");
        if (now != "Old") EXPECT_EQ(f.c.comments.CommentFor("Old"), std::nullopt);
        EXPECT_NE(f.c.history.Find(now), nullptr);
        EXPECT_NE(f.c.media.Find(now), nullptr);
        EXPECT_NE(f.c.imdb.Find(ImdbKey(now)), nullptr);
        EXPECT_EQ(f.W().state.currentMovie.title, now);
        EXPECT_EQ(f.c.upcoming.Contains("New Title"), !c.removeFromUpcoming);
        EXPECT_EQ(f.Prompts().MessageTexts(), c.outcome == CorrectionOutcome::Duplicate
                                                  ? std::vector<std::string>{std::string(kCorrectionDuplicateMessage)}
                                                  : std::vector<std::string>{});
        if (c.outcome != CorrectionOutcome::Corrected) continue;
        const test::Box question{"Remove \"New Title\" From Upcoming List?", "Confirmation", MessageIcon::Question};
        EXPECT_EQ(f.Prompts().questions,
                  now == "New Title" ? std::vector<test::Box>{question} : std::vector<test::Box>{});
        EXPECT_EQ(f.List().Status().caption, "Main Movie List");
        ASSERT_EQ(f.box.selected.size(), 1u);
        EXPECT_EQ(f.box.lines.at(*f.box.selected.begin()), now);
    }
}

}  // namespace
}  // namespace cl
