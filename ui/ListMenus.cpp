// Menu entry states and the list boxes' selection rules.
#include "ui/ListMenus.h"

#include <algorithm>

namespace cl {
namespace {

// One row of the enabling table: Presence, Edit, Delete, Info, Search, Main Shift, Add to Gimme, All.
using Row = std::array<bool, kListMenuEntries.size()>;
constexpr bool E = true;
constexpr bool G = false;

Row RowFor(ViewMark view, bool single) {
    switch (view) {
        case ViewMark::Main:
            return single ? Row{E, E, E, E, E, G, G, E} : Row{E, G, G, G, G, G, G, E};
        case ViewMark::Upcoming:
            return single ? Row{G, E, E, E, E, E, E, G} : Row{G, G, G, G, G, G, E, G};
        case ViewMark::InternalGimme:
            return single ? Row{G, G, E, E, E, G, G, G} : Row{G, G, G, G, G, G, G, G};
        case ViewMark::ImportedGimme:
            return single ? Row{E, G, E, E, E, G, G, E} : Row{E, G, G, G, G, G, G, E};
        case ViewMark::None:
            return single ? Row{E, E, E, E, E, G, E, E} : Row{E, G, G, G, G, G, E, E};
    }
    return Row{};
}

}  // namespace

ListMenuState ListMenuEntries(ViewMark view, int selected) {
    ListMenuState state;
    if (selected >= 1) state.enabled = RowFor(view, selected == 1);
    return state;
}

UpcomingMenuState UpcomingMenuEntries(int selected) {
    UpcomingMenuState state;
    const bool one = selected == 1;
    const bool some = selected >= 1;
    state.enabled = {one, one, some, true};  // Delete, Edit, Add to Gimme List, Add All to Gimme List
    return state;
}

std::string SelectionCountText(int selected) {
    return selected > 0 ? std::to_string(selected) : std::string();
}

SelectionLimit LimitSelection(int selected) {
    if (selected > kMaxSelectedLines) return {selected - 1, true};
    return {std::max(selected, 0), false};
}

int LineAfterArrow(int current, int lineCount, bool up) {
    if (current < 0 || current >= lineCount) return -1;
    if (up) return current > 0 ? current - 1 : -1;
    return current + 1 < lineCount ? current + 1 : -1;
}

std::vector<std::string> CaptureSelection(const std::vector<std::string>& titles) {
    const std::size_t taken = std::min(titles.size(), static_cast<std::size_t>(kMaxSelectedLines));
    std::vector<std::string> captured;
    captured.reserve(taken);
    for (std::size_t i = 0; i < taken; ++i) captured.push_back(titles[i].substr(0, kCapturedTitleMax));
    return captured;
}

}  // namespace cl
