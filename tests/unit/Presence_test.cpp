// Presence changes and loans: the stored location, the loan lines, the change of the selected movies with its
// summary, and the refill of the main list for each view afterwards.
#include "ui/Presence.h"

#include <gtest/gtest.h>

#include "model/GimmeFile.h"
#include "tests/unit/ListTestSupport.h"
#include "ui/ListMenus.h"

namespace cl {
namespace {

using testing_support::FakeShellUi;
using Lines = std::vector<std::string>;

TEST(PresenceLocation, IsDefaultWhenEmptyAndFormattedWithFormatConversion) {
    struct Case {
        const char* typed;
        bool format;
        const char* stored;
    };
    const Case cases[] = {
        {"", true, "Default"},
        {"", false, "Default"},
        {"mike", true, "Mike"},
        {"mike", false, "mike"},
        {"the video store", true, "Video Store, The"},
        {"aunt of the bride", true, "Aunt of the Bride"},
    };
    for (const Case& c : cases) EXPECT_EQ(PresenceLocation(c.typed, c.format), c.stored) << c.typed;
    // At most 30 characters are read from the combo.
    EXPECT_EQ(PresenceLocation(std::string(35, 'x'), false), std::string(30, 'x'));
}

TEST(LoanHistoryLine, SaysLoanedOrReturnedWithTheDateAndLocation) {
    EXPECT_EQ(LoanHistoryLine("2003/2/1", "Mike", false), "2003/2/1: loaned to Mike.");
    EXPECT_EQ(LoanHistoryLine("2003/2/9", "Mike", true), "2003/2/9: returned to Mike.");
}

class PresenceTest : public ::testing::Test {
  protected:
    PresenceTest() : shell_(c_, "unused/", ui_, DefaultFileWriter()) {}
    void SetUp() override {
        c_.settings.formatConversion = 1;
        for (auto [title, number] : {std::pair{"Alien", 1}, {"Brazil", 2}, {"Casablanca", 3}, {"Heat", 4}}) {
            InsertMainMovie(c_.main, title, "Drama", "Present", "Default", "DVD", number);
            c_.history.AddOrUpdate(title, "2003/1/5", "0");
        }
        InsertMainMovie(c_.main, "Emmanuelle", "Erotic", "Absent", "Bob", "VHS", 5);
    }
    void Select(const Lines& titles) { shell_.selection.mainCount = CaptureSelection(shell_.selection, titles); }
    std::string Presence(const char* title) { return *c_.main.Find(title)->presence; }
    std::string Location(const char* title) { return *c_.main.Find(title)->location; }
    Lines Loans(const char* title) { return c_.history.LoanLines(title); }

    Collection c_;
    FakeShellUi ui_;
    MainShell shell_;
};

TEST_F(PresenceTest, ThreeSelectedMoviesBecomeAbsentWithOneLoanLineEach) {
    Select({"Alien", "Brazil", "Heat"});
    shell_.presenceMode = PresenceRequest::SelectionAbsent;
    RelocationSummary summary = SaveSelectionPresence(shell_, "uncle bob", "2004/3/7");

    for (const char* title : {"Alien", "Brazil", "Heat"}) {
        SCOPED_TRACE(title);
        EXPECT_EQ(Presence(title), "Absent");
        EXPECT_EQ(Location(title), "Uncle Bob");
        EXPECT_EQ(Loans(title), Lines{"2004/3/7: loaned to Uncle Bob."});
    }
    EXPECT_EQ(Presence("Casablanca"), "Present");
    EXPECT_TRUE(Loans("Casablanca").empty());
    EXPECT_EQ(shell_.presenceLocation, "Uncle Bob");
    EXPECT_TRUE(c_.knownLocations.Contains("Uncle Bob"));

    EXPECT_EQ(summary.titles[0], "Alien");
    EXPECT_EQ(summary.titles[1], "Brazil");
    EXPECT_EQ(summary.titles[2], "Heat");
    for (std::size_t i = 3; i < summary.titles.size(); ++i) EXPECT_EQ(summary.titles[i], "");
    EXPECT_EQ(summary.location, "Uncle Bob");
    EXPECT_EQ(summary.status, "Absent");
}

TEST_F(PresenceTest, ReturningMoviesWithAnEmptyLocationStoresDefault) {
    Select({"Heat", "Not Here"});
    shell_.presenceMode = PresenceRequest::SelectionPresent;
    c_.main.FindMutable("Heat")->presence = "Absent";
    RelocationSummary summary = SaveSelectionPresence(shell_, "", "2004/3/7");
    EXPECT_EQ(Presence("Heat"), "Present");
    EXPECT_EQ(Location("Heat"), "Default");
    EXPECT_EQ(Loans("Heat"), Lines{"2004/3/7: returned to Default."});
    // A title the Main Movie List does not hold is skipped without a message.
    EXPECT_FALSE(c_.main.Contains("Not Here"));
    EXPECT_TRUE(ui_.shellMessages.empty());
    EXPECT_EQ(summary.titles[1], "Not Here");
    EXPECT_EQ(summary.status, "Present");
}

TEST_F(PresenceTest, TheLocationForAllLinesIsOnlyStored) {
    shell_.presenceMode = PresenceRequest::AllAbsent;
    SaveAllPresenceLocation(shell_, "the pub");
    EXPECT_EQ(shell_.presenceAllLocation, "Pub, The");
    EXPECT_TRUE(c_.knownLocations.Contains("Pub, The"));
    EXPECT_EQ(Presence("Alien"), "Present");
    SaveAllPresenceLocation(shell_, "");
    EXPECT_EQ(shell_.presenceAllLocation, "Default");
    EXPECT_TRUE(ChangesSelection(PresenceRequest::SelectionAbsent));
    EXPECT_TRUE(ChangesSelection(PresenceRequest::SelectionPresent));
    EXPECT_FALSE(ChangesSelection(PresenceRequest::AllPresent));
    EXPECT_FALSE(ChangesSelection(PresenceRequest::AllAbsent));
}

TEST_F(PresenceTest, TheMainListIsRefilledForTheView) {
    c_.main.FindMutable("Heat")->presence = "Absent";
    c_.main.FindMutable("Heat")->location = "Mike";
    struct Case {
        ViewMark mark;
        const char* caption;
        bool erotic;
        Lines lines;
    };
    const Case cases[] = {
        {ViewMark::Main, "Main Movie List", false, {"Alien", "Brazil", "Casablanca", "Heat"}},
        {ViewMark::Main, "Main Movie List", true, {"Alien", "Brazil", "Casablanca", "Emmanuelle", "Heat"}},
        {ViewMark::Main, "Mike", false, {"Heat"}},  // a location view of the Main Movie List
        {ViewMark::None, "Absent", false, {"Heat"}},
        {ViewMark::None, "Absent", true, {"Emmanuelle", "Heat"}},
        {ViewMark::None, "Present", false, {"Alien", "Brazil", "Casablanca"}},
        {ViewMark::None, "Drama", false, {"Alien", "Brazil", "Casablanca", "Heat"}},
        {ViewMark::None, "Erotic", false, {}},
        {ViewMark::None, "Erotic", true, {"Emmanuelle"}},
    };
    for (const Case& view : cases) {
        SCOPED_TRACE(std::string(view.caption) + (view.erotic ? " (erotic shown)" : ""));
        c_.eroticVisible = view.erotic;
        shell_.SetViewMark(view.mark);
        shell_.SetCaptionAndCount(1, view.caption);
        ui_.list.lines = {"stale"};
        RefillAfterPresence(shell_, ui_);
        EXPECT_EQ(ui_.list.lines, view.lines);
        EXPECT_EQ(shell_.Status().caption, view.caption) << "the caption stays";
    }
}

TEST_F(PresenceTest, MoviesMadePresentFromTheImportedGimmeViewLeaveThatList) {
    for (const char* title : {"Vertigo", "Heat", "Alien"}) {
        MovieRecord record;
        record.title = title;
        record.category = "*";
        record.location = "Jim";
        c_.importedGimme.PushFront(std::move(record));
    }
    shell_.SetViewMark(ViewMark::ImportedGimme);
    shell_.SetCaptionAndCount(3, "Gimme Import-> Jim");
    Select({"Alien", "Heat"});
    shell_.presenceMode = PresenceRequest::SelectionPresent;
    SaveSelectionPresence(shell_, "jim", "2004/3/7");
    RefillAfterPresence(shell_, ui_);
    EXPECT_EQ(ui_.list.lines, Lines{"Vertigo"});
    EXPECT_EQ(c_.importedGimme.Count(), 1u);
    EXPECT_EQ(Location("Heat"), "Jim");
    EXPECT_EQ(Loans("Alien"), Lines{"2004/3/7: returned to Jim."});

    Select({"Vertigo"});
    RefillAfterPresence(shell_, ui_);
    EXPECT_TRUE(ui_.list.lines.empty());
    EXPECT_TRUE(c_.importedGimme.Empty());
}

}  // namespace
}  // namespace cl
