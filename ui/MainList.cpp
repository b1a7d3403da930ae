// The main window's movie list: views, refill and status texts.
#include "ui/MainList.h"

namespace cl {

MainList::MainList(ListBoxView& box, StatusDisplay& display, const Collection& collection)
    : box_(box), display_(display), collection_(collection) {}

void MainList::Show(const View& view) {
    view_ = view;
    display_.ShowViewMark(MarkOf(view_));
    ShowCaptionAndCount(box_.Fill(FillFor(view_, collection_)), CaptionOf(view_, collection_));
}

void MainList::Mark(ViewMark mark) {
    view_ = WithMark(view_, mark);
    display_.ShowViewMark(mark);
}

void MainList::ShowKeepingMark(const View& content) {
    const ViewMark mark = MarkOf(view_);
    view_ = WithMark(content, mark);
    ShowCaptionAndCount(box_.Fill(FillFor(content, collection_)), CaptionOf(content, collection_));
}

void MainList::Recount() {
    ShowCaptionAndCount(box_.LineCount(), status_.caption);
}

void MainList::AddLines(const std::vector<std::string>& titles) {
    if (titles.empty()) return;
    {
        RedrawPause pause(box_);
        for (const std::string& title : titles) box_.AddLine(title);
    }
    ShowCaptionAndCount(box_.LineCount(), CaptionOf(view_, collection_));
}

void MainList::SetSelectionCount(std::string_view text) {
    status_.selection = std::string(text);
    display_.ShowStatus(status_);
}

void MainList::ShowCaptionAndCount(int count, std::string caption) {
    if (count >= 1) {
        status_.selection = "1";
        box_.SelectFirst();
    } else {
        status_.selection.clear();
    }
    status_.caption = std::move(caption);
    status_.count = "Number of Movies: " + std::to_string(count);
    display_.ShowStatus(status_);
}

}  // namespace cl
