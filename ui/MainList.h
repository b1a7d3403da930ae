// The main window's movie list as the commands and dialogs see it: its list box, the view it shows (a value, see
// model/View.h) and the three status texts under it. Every change of view goes through Show, the one refill.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/Collection.h"
#include "model/View.h"
#include "ui/ListBoxView.h"

namespace cl {

// What the three owner-drawn status fields show.
struct StatusTexts {
    std::string caption;    // the view: "Main Movie List", "Present", a category, ...
    std::string count;      // "Number of Movies: %i"
    std::string selection;  // "", "1", or the number of selected lines
    bool operator==(const StatusTexts&) const = default;
};

// Where the status texts and the check mark of the View menu are drawn.
class StatusDisplay {
  public:
    virtual ~StatusDisplay() = default;
    virtual void ShowStatus(const StatusTexts& status) = 0;
    virtual void ShowViewMark(ViewMark mark) = 0;
};

class MainList {
  public:
    MainList(ListBoxView& box, StatusDisplay& display, const Collection& collection);

    // Marks the view, fills the list box, and shows the caption with the list box's own line count (which leaves
    // out the erotic movies the lock hides) and the first line selected.
    void Show(const View& view);
    void Refill() { Show(view_); }
    // Only the mark changes; the lines stay and keep the meaning WithMark gives them.
    void Mark(ViewMark mark);
    // The lines of `content` under its caption while the mark stays where it is.
    void ShowKeepingMark(const View& content);
    // After lines were removed or added one by one: the count again, the first line selected.
    void Recount();
    // Lines added to the view shown (titles just put on its list): the count again, the first line selected, once.
    void AddLines(const std::vector<std::string>& titles);
    void SetSelectionCount(std::string_view text);

    const View& CurrentView() const { return view_; }
    ViewMark CurrentMark() const { return MarkOf(view_); }
    const StatusTexts& Status() const { return status_; }
    ListBoxView& Box() { return box_; }

  private:
    void ShowCaptionAndCount(int count, std::string caption);

    ListBoxView& box_;
    StatusDisplay& display_;
    const Collection& collection_;
    View view_;
    StatusTexts status_;
};

}  // namespace cl
