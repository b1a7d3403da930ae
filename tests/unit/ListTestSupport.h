// Recording stand-ins for the main window and the Upcoming Locations dialog, for the tests of the list commands
// and the presence dialog: list lines, message boxes and questions (answered from a queue), dialogs opened.
#pragma once

#include <algorithm>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "app/MainShell.h"
#include "model/base/Title.h"
#include "ui/ListCommands.h"

namespace cl::testing_support {

struct Box {
    std::string text;
    std::string caption;
    MessageIcon icon;
    bool noByDefault = false;
    bool operator==(const Box&) const = default;
};

// Message boxes and questions; an empty answer queue answers No.
class RecordingPrompts : public Prompts {
  public:
    void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override {
        messages.push_back({std::string(text), std::string(caption), icon});
    }
    bool Ask(std::string_view text, std::string_view caption, MessageIcon icon, bool noByDefault) override {
        questions.push_back({std::string(text), std::string(caption), icon, noByDefault});
        if (answers.empty()) return false;
        bool answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::deque<bool> answers;
    std::vector<Box> messages;
    std::vector<Box> questions;
};

// A sorted list box of lines, as the real ones sort (letter case ignored).
struct FakeListBox {
    std::vector<std::string> lines;
    int current = -1;
    int selected = 0;

    int Fill(const ListBoxFill& fill) {
        lines.assign(fill.titles.begin(), fill.titles.end());
        std::stable_sort(lines.begin(), lines.end(),
                         [](const std::string& a, const std::string& b) { return TitleOrder(a, b) < 0; });
        current = lines.empty() ? -1 : 0;
        return static_cast<int>(lines.size());
    }
    void Delete(int index) {
        lines.erase(lines.begin() + index);
        if (current >= static_cast<int>(lines.size())) current = static_cast<int>(lines.size()) - 1;
    }
};

// The main window: its list box, status, view mark and the dialogs the commands open. `onDialog` plays the part
// of a dialog while it is open.
class FakeShellUi : public ShellUi {
  public:
    void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override {
        shellMessages.push_back({std::string(text), std::string(caption), icon});
    }
    bool Ask(std::string_view, std::string_view) override { return false; }
    void Beep() override { ++beeps; }
    int FillList(const ListBoxFill& fill) override { return list.Fill(fill); }
    void ClearList() override {
        list.lines.clear();
        list.current = -1;
    }
    void SelectFirstLine() override { list.selected = list.lines.empty() ? 0 : 1; }
    int SelectedLineCount() override { return list.selected; }
    void FocusList() override { ++focus; }
    int LineCount() override { return static_cast<int>(list.lines.size()); }
    std::string LineText(int index) override { return list.lines.at(static_cast<std::size_t>(index)); }
    std::vector<int> SelectedLines() override { return {}; }
    int CurrentLine() override { return list.current; }
    void SelectOnlyLine(int index) override {
        list.current = index;
        list.selected = 1;
    }
    int FindLineExact(std::string_view) override { return -1; }
    int FindLineStartingWith(std::string_view) override { return -1; }
    void DeleteLine(int index) override { list.Delete(index); }
    void ReplaceLine(int index, std::string_view text) override {
        list.lines.at(static_cast<std::size_t>(index)) = text;
    }
    void ShowStatus(const StatusTexts& s) override { status = s; }
    void ShowViewMark(ViewMark m) override { mark = m; }
    void CloseLogo() override {}
    void ShowMainMenu() override {}
    void Minimize() override {}
    void RequestClose() override {}
    void OpenDialog(ShellDialog dialog) override {
        dialogs.push_back(dialog);
        if (onDialog) onDialog(dialog);
    }
    bool IsConnected() override { return connected; }
    bool AttemptConnect() override {
        ++connectAttempts;
        return connectWorks;
    }
    void OpenWithShell(std::string_view target) override { opened.emplace_back(target); }

    FakeListBox list;
    std::vector<Box> shellMessages;
    std::vector<ShellDialog> dialogs;
    std::function<void(ShellDialog)> onDialog;
    std::vector<std::string> opened;
    StatusTexts status;
    ViewMark mark = ViewMark::Main;
    int beeps = 0, focus = 0, connectAttempts = 0;
    bool connected = true;
    bool connectWorks = true;
};

// Dialog 117: its list, count field and location combo (sorted, as the real one).
class FakeUpcomingUi : public UpcomingLocationsUi {
  public:
    void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override {
        prompts.ShowMessage(text, caption, icon);
    }
    bool Ask(std::string_view text, std::string_view caption, MessageIcon icon, bool noByDefault) override {
        return prompts.Ask(text, caption, icon, noByDefault);
    }
    int LineCount() override { return static_cast<int>(list.lines.size()); }
    std::string LineText(int index) override { return list.lines.at(static_cast<std::size_t>(index)); }
    int CurrentLine() override { return list.current; }
    void DeleteLine(int index) override { list.Delete(index); }
    int FillList(const ListBoxFill& fill) override { return list.Fill(fill); }
    void SetCountText(std::string_view text) override { countText = text; }
    std::string LocationText() override { return chosen < 0 ? std::string() : locations.at(chosen); }
    void FillLocations(const std::vector<std::string>& values) override {
        locations.assign(values.begin(), values.end());
        std::sort(locations.begin(), locations.end(),
                  [](const std::string& a, const std::string& b) { return TitleOrder(a, b) < 0; });
        chosen = -1;
    }
    void SelectLocation(std::string_view location) override {
        auto at = std::find(locations.begin(), locations.end(), location);
        chosen = at == locations.end() ? -1 : static_cast<int>(at - locations.begin());
    }
    void SelectFirstLocation() override { chosen = locations.empty() ? -1 : 0; }
    void OpenAddEdit() override {
        ++addEditOpened;
        if (onAddEdit) onAddEdit();
    }

    RecordingPrompts prompts;
    FakeListBox list;
    std::string countText = "stale";
    std::vector<std::string> locations;
    int chosen = -1;
    int addEditOpened = 0;
    std::function<void()> onAddEdit;
};

}  // namespace cl::testing_support
