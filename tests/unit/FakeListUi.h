// A stand-in for the main window behind the dialogs' logic: a list box that sorts its lines and finds them without
// regard to letter case as the real one does, the status texts, the view mark, and a record of every message,
// question and dialog.
#pragma once

#include <algorithm>
#include <cctype>
#include <deque>
#include <set>
#include <string>
#include <vector>

#include "app/MainShell.h"
#include "res/ResourceIds.h"

namespace cl::test {

class FakeListUi : public ShellUi {
  public:
    struct Box {
        std::string text;
        std::string caption;
        MessageIcon icon;
        bool operator==(const Box&) const = default;
    };

    static std::string Folded(std::string_view text) {
        std::string folded(text);
        for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return folded;
    }

    void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override {
        messages.push_back({std::string(text), std::string(caption), icon});
    }
    bool Ask(std::string_view text, std::string_view caption) override {
        questions.push_back({std::string(text), std::string(caption), MessageIcon::Question});
        if (answers.empty()) return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void Beep() override {}
    // Sorted as a list box with LBS_SORT sorts: letter case ignored.
    int FillList(const ListBoxFill& fill) override {
        lines.assign(fill.titles.begin(), fill.titles.end());
        std::stable_sort(lines.begin(), lines.end(),
                         [](const std::string& a, const std::string& b) { return Folded(a) < Folded(b); });
        selected.clear();
        ++fills;
        return static_cast<int>(lines.size());
    }
    void ClearList() override {
        lines.clear();
        selected.clear();
    }
    void SelectFirstLine() override {
        selected.clear();
        if (!lines.empty()) selected.insert(0);
    }
    int SelectedLineCount() override { return static_cast<int>(selected.size()); }
    void FocusList() override { ++focus; }
    int LineCount() override { return static_cast<int>(lines.size()); }
    std::string LineText(int index) override { return lines.at(static_cast<std::size_t>(index)); }
    std::vector<int> SelectedLines() override { return {selected.begin(), selected.end()}; }
    int CurrentLine() override { return selected.empty() ? (lines.empty() ? -1 : 0) : *selected.begin(); }
    void SelectOnlyLine(int index) override { selected = {index}; }
    int FindLineExact(std::string_view text) override {
        lookups.emplace_back(text);
        for (std::size_t i = 0; i < lines.size(); ++i)
            if (Folded(lines[i]) == Folded(text)) return static_cast<int>(i);
        return -1;
    }
    int FindLineStartingWith(std::string_view text) override {
        lookups.emplace_back(text);
        for (std::size_t i = 0; i < lines.size(); ++i)
            if (Folded(lines[i]).starts_with(Folded(text))) return static_cast<int>(i);
        return -1;
    }
    void DeleteLine(int index) override { lines.erase(lines.begin() + index); }
    void ReplaceLine(int index, std::string_view text) override { lines.at(static_cast<std::size_t>(index)) = text; }
    void ShowStatus(const StatusTexts& s) override { status = s; }
    void ShowViewMark(ViewMark m) override { mark = m; }
    void CloseLogo() override {}
    void ShowMainMenu() override {}
    void Minimize() override {}
    void RequestClose() override {}
    void OpenDialog(ShellDialog dialog) override { dialogs.push_back(dialog); }
    bool IsConnected() override { return true; }
    bool AttemptConnect() override { return true; }
    void OpenWithShell(std::string_view) override {}

    std::deque<bool> answers;
    std::vector<Box> messages;
    std::vector<Box> questions;
    std::vector<std::string> lines;
    std::set<int> selected;
    std::vector<std::string> lookups;  // texts handed to FindLineExact and FindLineStartingWith
    std::vector<ShellDialog> dialogs;
    StatusTexts status;
    ViewMark mark = ViewMark::Main;
    int fills = 0;
    int focus = 0;
};

}  // namespace cl::test
