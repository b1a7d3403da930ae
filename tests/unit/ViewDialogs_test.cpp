// The View menu's small dialogs: the views Main Locations and Category Search end in, and the Quarantine dialog's
// lines and question.
#include "ui/ViewDialogs.h"

#include <gtest/gtest.h>

#include "model/ListOperations.h"
#include "res/ResourceIds.h"
#include "tests/unit/ShellFakes.h"
#include "ui/QuarantineDialog.h"

namespace cl::test {
namespace {

using Lines = std::vector<std::string>;

class ViewDialogsTest : public ::testing::Test, public ShellFixture {
  protected:
    void SetUp() override {
        InsertMainMovie(c.main, {"Alien", "Horror", "Present", "Default", "DVD"}, 1);
        InsertMainMovie(c.main, {"Emmanuelle", "Erotic", "Present", "Mike", "VHS"}, 2);
        InsertMainMovie(c.main, {"Heat", "Crime", "Absent", "MIKE", "DVD"}, 3);
        InsertMainMovie(c.main, {"Ronin", "crime", "Present", "Jim", "DVD"}, 4);
        InsertUpcomingMovie(c.upcoming, "Gladiator", "@", "Mike");
    }

};

TEST_F(ViewDialogsTest, MainLocationsMarksTheMainListAndShowsTheMoviesAtTheLocation) {
    struct Case {
        const char* name;
        int before;  // the view shown when the dialog opens
        bool eroticVisible;
        const char* location;
        Lines lines;
    };
    const Case cases[] = {
        {"from the Upcoming view", IDM_UPCOMING_LIST, false, "Mike", {"Heat"}},
        {"from a Gimme view", IDM_INTERNAL_GIMME, false, "Jim", {"Ronin"}},
        {"lock open", IDM_PRESENT, true, "Mike", {"Emmanuelle", "Heat"}},
        {"location nobody has", IDM_MAIN_LIST, false, "Nowhere", {}},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.name);
        c.eroticVisible = t.eroticVisible;
        shell.Execute(t.before);
        ShowMainByLocation(List(), t.location);
        EXPECT_EQ(ui.mark, ViewMark::Main);
                EXPECT_EQ(box.lines, t.lines);
        EXPECT_EQ(ui.status.caption, t.location);
        EXPECT_EQ(ui.status.count, "Number of Movies: " + std::to_string(t.lines.size()));
        EXPECT_EQ(ui.status.selection, t.lines.empty() ? "" : "1");
    }
}

TEST_F(ViewDialogsTest, MainLocationsReadsNoMoreThan30Characters) {
    const std::string longLocation(40, 'L');
    ShowMainByLocation(List(), longLocation);
    EXPECT_EQ(ui.status.caption, std::string(30, 'L'));
}

TEST_F(ViewDialogsTest, CategorySearchShowsTheCategoryWithNoListMarked) {
    struct Case {
        const char* category;
        bool eroticVisible;
        Lines lines;
    };
    const Case cases[] = {
        {"Crime", false, {"Heat", "Ronin"}},
        {"Erotic", false, {}},
        {"Erotic", true, {"Emmanuelle"}},
        {"Western", false, {}},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.category);
        c.eroticVisible = t.eroticVisible;
        shell.Execute(IDM_UPCOMING_LIST);
        ShowMainByCategory(List(), t.category);
        EXPECT_EQ(ui.mark, ViewMark::None);
        EXPECT_EQ(box.lines, t.lines);
        EXPECT_EQ(ui.status.caption, t.category);
        EXPECT_EQ(ui.status.count, "Number of Movies: " + std::to_string(t.lines.size()));
    }
}

TEST_F(ViewDialogsTest, CategorySearchReadsNoMoreThan29Characters) {
    ShowMainByCategory(List(), std::string(29, 'C') + "rime");
    EXPECT_EQ(ui.status.caption, std::string(29, 'C'));
}

TEST(QuarantineDialog, ListsTheTitlesAndAsksBeforeRemovingOne) {
    QuarantineList quarantine;
    for (const char* title : {"Howard the Duck", "Gigli", "Battlefield Earth"}) quarantine.Add(title);
    EXPECT_EQ(QuarantineLines(quarantine), (Lines{"Battlefield Earth", "Gigli", "Howard the Duck"}));
    EXPECT_EQ(QuarantineRemoveQuestion("Gigli"), "Remove \"Gigli\" From Quarantine?");
    EXPECT_TRUE(QuarantineLines(QuarantineList{}).empty());
}

}  // namespace
}  // namespace cl::test
