// A sorted, multiple-selection list box as the commands see it. The main window's movie list and the Upcoming
// Locations dialog's list are both one of these; on Windows a list box handle, in the tests a sorted vector.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/ListOperations.h"

namespace cl {

class ListBoxView {
  public:
    virtual ~ListBoxView() = default;

    // Empties the list box and adds the titles (the list box sorts them itself, letter case ignored), sets the
    // horizontal extent from the longest title; returns the number of lines it then holds.
    virtual int Fill(const ListBoxFill& fill) = 0;
    virtual void Clear() = 0;
    virtual int LineCount() = 0;
    virtual std::string LineText(int index) = 0;
    virtual std::vector<int> SelectedLines() = 0;
    virtual int SelectedCount() = 0;
    // The selected line, or the one with the focus rectangle; -1 for an empty list.
    virtual int CurrentLine() = 0;
    // Deselects every line and selects this one (and gives it the focus rectangle).
    virtual void SelectOnly(int index) = 0;
    // Deselects every line and selects the first.
    virtual void SelectFirst() = 0;
    // The first line equal to the text / beginning with it, letter case ignored; -1 when there is none.
    virtual int FindExact(std::string_view text) = 0;
    virtual int FindStartingWith(std::string_view text) = 0;
    virtual void DeleteLine(int index) = 0;
    // Adds one line where the sorting puts it; the selection stays.
    virtual void AddLine(std::string_view text) = 0;
    // Replaces a line's text; the list box puts the new line where its sorting says and selects it.
    virtual void ReplaceLine(int index, std::string_view text) = 0;
    virtual void Focus() = 0;
    // Off: the list box stops repainting while many lines change; on: it repaints once. A view that draws nothing
    // has nothing to pause.
    virtual void SetRedraw(bool /*on*/) {}
};

// Keeps a list box from repainting for as long as it lives.
class RedrawPause {
  public:
    explicit RedrawPause(ListBoxView& box) : box_(box) { box_.SetRedraw(false); }
    ~RedrawPause() { box_.SetRedraw(true); }
    RedrawPause(const RedrawPause&) = delete;
    RedrawPause& operator=(const RedrawPause&) = delete;

  private:
    ListBoxView& box_;
};

}  // namespace cl
