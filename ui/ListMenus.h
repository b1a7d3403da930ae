// Which entries of the lists' context menus are enabled for a view and a number of selected lines, and the small
// rules the subclassed list boxes follow: the ten-line selection limit, the count they show, the arrow keys and
// the titles captured when the menu opens.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "model/View.h"

namespace cl {

// The entries of menu 107 that are enabled or grayed, by their position in the menu (the others are separators).
enum class ListMenuEntry {
    Presence = 0,  // submenu "Change Presense"
    Edit = 1,
    Delete = 3,
    MovieInfo = 5,
    SearchImdb = 6,
    MainShift = 8,
    AddToGimme = 9,
    PresenceAll = 11,  // submenu "Change Presense All"
};
inline constexpr std::array<ListMenuEntry, 8> kListMenuEntries = {
    ListMenuEntry::Presence,   ListMenuEntry::Edit,      ListMenuEntry::Delete,     ListMenuEntry::MovieInfo,
    ListMenuEntry::SearchImdb, ListMenuEntry::MainShift, ListMenuEntry::AddToGimme, ListMenuEntry::PresenceAll,
};

// The entries of menu 201 by position.
enum class UpcomingMenuEntry { Delete = 0, Edit = 1, AddToGimme = 2, AddAllToGimme = 4 };
inline constexpr std::array<UpcomingMenuEntry, 4> kUpcomingMenuEntries = {
    UpcomingMenuEntry::Delete, UpcomingMenuEntry::Edit, UpcomingMenuEntry::AddToGimme,
    UpcomingMenuEntry::AddAllToGimme};

// Enabled entries, in the order of the entry arrays above.
struct ListMenuState {
    std::array<bool, kListMenuEntries.size()> enabled{};
};
struct UpcomingMenuState {
    std::array<bool, kUpcomingMenuEntries.size()> enabled{};
};

// Menu 107 for the view (the check mark; None is a filtered view of the Main Movie List) and the number of
// selected lines captured (0 to 10).
ListMenuState ListMenuEntries(ViewMark view, int selected);
// Menu 201 for the number of selected lines of the Upcoming Locations list.
UpcomingMenuState UpcomingMenuEntries(int selected);

inline constexpr int kMaxSelectedLines = 10;

// What a list's selection count display shows for a number of selected lines: empty for none, else the number.
std::string SelectionCountText(int selected);

// After a left-button release: how many lines stay selected and whether the line just clicked must be deselected
// again (more than ten selected), which also shows "Too Many Selections; Maximum Is 10.".
struct SelectionLimit {
    int kept = 0;
    bool deselectCaret = false;
};
SelectionLimit LimitSelection(int selected);
inline constexpr std::string_view kTooManySelections = "Too Many Selections; Maximum Is 10.";

// The line an Up or Down arrow selects alone, or -1 when it changes nothing (no line, first line with Up, last
// line with Down).
int LineAfterArrow(int current, int lineCount, bool up);

// The titles a list's menu commands act on, captured when the menu opens: those of the selected lines, at most
// ten, each cut at the length the commands keep of a title.
inline constexpr std::size_t kCapturedTitleMax = 109;
std::vector<std::string> CaptureSelection(const std::vector<std::string>& titles);

}  // namespace cl
