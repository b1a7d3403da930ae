// A list box window as a ListBoxView: the main window's movie list and the Upcoming Locations dialog's list.
#pragma once

#include <windows.h>

#include "ui/ListBoxView.h"

namespace cl {

class ListBoxWin final : public ListBoxView {
  public:
    // With `extentFromTitles` each Fill sets how far the list scrolls sideways from its longest title; otherwise
    // the extent stays what the list's owner set.
    explicit ListBoxWin(bool extentFromTitles, HWND list = nullptr)
        : list_(list), extentFromTitles_(extentFromTitles) {}
    void SetWindow(HWND list) { list_ = list; }
    HWND Window() const { return list_; }

    int Fill(const ListBoxFill& fill) override;
    void Clear() override;
    int LineCount() override;
    std::string LineText(int index) override;
    std::vector<int> SelectedLines() override;
    int SelectedCount() override;
    int CurrentLine() override;
    void SelectOnly(int index) override;
    void SelectFirst() override;
    int FindExact(std::string_view text) override;
    int FindStartingWith(std::string_view text) override;
    void DeleteLine(int index) override;
    void AddLine(std::string_view text) override;
    void ReplaceLine(int index, std::string_view text) override;
    void Focus() override;
    void SetRedraw(bool on) override;

  private:
    HWND list_;
    bool extentFromTitles_;
};

}  // namespace cl
