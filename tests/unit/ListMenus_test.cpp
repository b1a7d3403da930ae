// The context menus' entry states for every view and selection, and the list boxes' selection rules.
#include "ui/ListMenus.h"

#include <gtest/gtest.h>

namespace cl {
namespace {

// A row of the table as the menu shows it, left to right: Presence, Edit, Delete, Info, Search, Main Shift,
// Add to Gimme, All; 'E' enabled, 'G' grayed.
std::string Row(const ListMenuState& state) {
    std::string row;
    for (bool enabled : state.enabled) row += enabled ? 'E' : 'G';
    return row;
}

TEST(ListMenuEntries, FollowTheViewAndTheNumberOfSelectedLines) {
    struct Case {
        ViewMark view;
        const char* name;
        const char* one;   // one line selected
        const char* many;  // 2 to 10 lines selected
    };
    const Case cases[] = {
        {ViewMark::Main, "Main", "EEEEEGGE", "EGGGGGGE"},
        {ViewMark::Upcoming, "Upcoming", "GEEEEEEG", "GGGGGGEG"},
        {ViewMark::InternalGimme, "Internal Gimme", "GGEEEGGG", "GGGGGGGG"},
        {ViewMark::ImportedGimme, "Imported Gimme", "EGEEEGGE", "EGGGGGGE"},
        {ViewMark::None, "filtered", "EEEEEGEE", "EGGGGGEE"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Row(ListMenuEntries(c.view, 0)), "GGGGGGGG");
        EXPECT_EQ(Row(ListMenuEntries(c.view, 1)), c.one);
        for (int selected = 2; selected <= 10; ++selected)
            EXPECT_EQ(Row(ListMenuEntries(c.view, selected)), c.many) << selected << " selected";
    }
}

TEST(UpcomingMenuEntries, FollowTheNumberOfSelectedLines) {
    // Delete, Edit, Add to Gimme List, Add All to Gimme List.
    using Row = std::array<bool, 4>;
    const std::pair<int, Row> cases[] = {{0, {false, false, false, true}},
                                         {1, {true, true, true, true}},
                                         {2, {false, false, true, true}},
                                         {10, {false, false, true, true}}};
    for (const auto& [selected, row] : cases) EXPECT_EQ(UpcomingMenuEntries(selected).enabled, row) << selected;
}

TEST(SelectionRules, AnEleventhLineIsDeselectedAndTheCountStaysAtTen) {
    struct Case {
        int selected;
        int kept;
        bool deselect;
        const char* shown;
    };
    const Case cases[] = {
        {0, 0, false, ""}, {1, 1, false, "1"}, {7, 7, false, "7"}, {10, 10, false, "10"}, {11, 10, true, "10"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.selected);
        SelectionLimit limit = LimitSelection(c.selected);
        EXPECT_EQ(limit.kept, c.kept);
        EXPECT_EQ(limit.deselectCaret, c.deselect);
        EXPECT_EQ(SelectionCountText(limit.kept), c.shown);
    }
}

TEST(SelectionRules, CaptureTakesAtMostTenTitlesEachCutAtTheTitleLimit) {
    std::vector<std::string> twelve;
    for (int i = 0; i < 12; ++i) twelve.push_back("Movie " + std::to_string(i));
    twelve[3] = std::string(120, 'x');
    const std::vector<std::string> captured = CaptureSelection(twelve);
    ASSERT_EQ(captured.size(), 10u);
    EXPECT_EQ(captured[3], std::string(109, 'x'));
    EXPECT_EQ(captured[9], "Movie 9");
    EXPECT_EQ(CaptureSelection({"Alien", "Heat"}), (std::vector<std::string>{"Alien", "Heat"}));
}

}  // namespace
}  // namespace cl
