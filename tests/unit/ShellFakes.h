// A main window without a window, for the tests of the shell, the list commands and the dialogs' logic: a list
// box that sorts and finds lines without regard to letter case as the real one does, the status fields and View
// menu mark, the dialogs (recorded; a test may play a dialog's part while it is "open"), the desktop, and a
// collection with a few movies to work on.
#pragma once

#include <algorithm>
#include <cctype>
#include <functional>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "app/MainShell.h"
#include "model/ListOperations.h"
#include "tests/unit/TestDoubles.h"
#include "ui/AddEdit.h"
#include "ui/Presence.h"

namespace cl::test {

// A typical movie file's media details, for the tests that send or export one.
inline const MediaFields kAlienMedia = {.format = "MPEG-4",
                                        .cds = "1",
                                        .width = "640",
                                        .height = "272",
                                        .length = "117 min.",
                                        .frameRate = "25.000 fps",
                                        .videoBitRate = "900 kbit/s",
                                        .codec = "XviD",
                                        .audioBitRate = "128 kbit/s",
                                        .audioCodec = "MP3",
                                        .channels = "2",
                                        .samples = "48000 Hz"};

inline std::string Folded(std::string_view text) {
    std::string folded(text);
    for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return folded;
}

class FakeListBox : public ListBoxView {
  public:
    int Fill(const ListBoxFill& fill) override {
        lines.assign(fill.titles.begin(), fill.titles.end());
        std::stable_sort(lines.begin(), lines.end(),
                         [](const std::string& a, const std::string& b) { return Folded(a) < Folded(b); });
        selected.clear();
        ++fills;
        return LineCount();
    }
    void Clear() override {
        lines.clear();
        selected.clear();
    }
    int LineCount() override { return static_cast<int>(lines.size()); }
    std::string LineText(int index) override { return lines.at(static_cast<std::size_t>(index)); }
    std::vector<int> SelectedLines() override { return {selected.begin(), selected.end()}; }
    int SelectedCount() override { return static_cast<int>(selected.size()); }
    int CurrentLine() override { return selected.empty() ? (lines.empty() ? -1 : 0) : *selected.begin(); }
    void SelectOnly(int index) override { selected = {index}; }
    void SelectFirst() override {
        selected.clear();
        if (!lines.empty()) selected.insert(0);
    }
    int FindExact(std::string_view text) override {
        for (std::size_t i = 0; i < lines.size(); ++i)
            if (Folded(lines[i]) == Folded(text)) return static_cast<int>(i);
        return -1;
    }
    int FindStartingWith(std::string_view text) override {
        for (std::size_t i = 0; i < lines.size(); ++i)
            if (Folded(lines[i]).starts_with(Folded(text))) return static_cast<int>(i);
        return -1;
    }
    void AddLine(std::string_view text) override {
        lines.emplace_back(text);
        std::stable_sort(lines.begin(), lines.end(),
                         [](const std::string& a, const std::string& b) { return Folded(a) < Folded(b); });
    }
    void DeleteLine(int index) override {
        lines.erase(lines.begin() + index);
        selected.clear();
    }
    void ReplaceLine(int index, std::string_view text) override {
        lines.erase(lines.begin() + index);
        lines.emplace_back(text);
        std::stable_sort(lines.begin(), lines.end(),
                         [](const std::string& a, const std::string& b) { return Folded(a) < Folded(b); });
        SelectOnly(FindExact(text));
    }
    void Focus() override { ++focus; }

    // Selects the line with this text alone (as a click would).
    void Click(std::string_view text) { SelectOnly(FindExact(text)); }

    std::vector<std::string> lines;
    std::set<int> selected;
    int fills = 0;
    int focus = 0;
};

class FakeShellUi : public ShellUi {
  public:
    void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override {
        prompts.ShowMessage(text, caption, icon);
    }
    bool Ask(std::string_view text, std::string_view caption, MessageIcon icon, bool noByDefault) override {
        return prompts.Ask(text, caption, icon, noByDefault);
    }
    void ShowStatus(const StatusTexts& s) override { status = s; }
    void ShowViewMark(ViewMark m) override { mark = m; }
    void CloseLogo() override { ++logoCloses; }
    void ShowMainMenu() override { ++menus; }
    void Minimize() override { ++minimizes; }
    void RequestClose() override { ++closeRequests; }

    RecordingPrompts prompts;
    StatusTexts status;
    ViewMark mark = ViewMark::None;
    int logoCloses = 0, menus = 0, minimizes = 0, closeRequests = 0;
};

// Records each dialog; `onAddEdit` and `onPresence` play those dialogs (by default they are cancelled).
class FakeDialogs : public Dialogs {
  public:
    AddEditOutcome AddEdit(const AddEditRequest& request) override {
        addEdits.push_back(request);
        return onAddEdit ? onAddEdit(request) : AddEditOutcome::Cancelled;
    }
    std::optional<std::string> ChangePresence(PresenceChange& change) override {
        ++presenceChanges;
        return onPresence ? onPresence(change) : std::nullopt;
    }
    void MovieInfo() override {
        opened.push_back(125);
        if (onMovieInfo) onMovieInfo();
    }
    void Open(SimpleDialog dialog) override { opened.push_back(static_cast<int>(dialog)); }
    void MovieListExchange() override {
        opened.push_back(208);
        if (onExchange) onExchange();
    }
    void ImportInfo(const MediaScratch& offered) override { importInfos.push_back(offered.fields.title.value_or("")); }
    std::optional<std::string> OpenFile() override { return chosenFile; }
    std::optional<std::string> SaveFile() override { return chosenFile; }

    std::vector<AddEditRequest> addEdits;
    std::vector<int> opened;  // resource numbers
    int presenceChanges = 0;
    std::function<AddEditOutcome(const AddEditRequest&)> onAddEdit;
    std::function<std::optional<std::string>(PresenceChange&)> onPresence;
    std::function<void()> onMovieInfo;
    std::function<void()> onExchange;
    std::vector<std::string> importInfos;   // the titles 234 showed
    std::optional<std::string> chosenFile;  // what the file dialogs answer
};

class FakeDesktop : public Desktop {
  public:
    bool IsConnected() override { return connected; }
    bool AttemptConnect() override {
        ++connectAttempts;
        return connectWorks;
    }
    void OpenWithShell(std::string_view target) override { opened.emplace_back(target); }
    void Beep() override { ++beeps; }
    Prompts& OwnerlessPrompts() override { return ownerless; }

    RecordingPrompts ownerless;
    std::vector<std::string> opened;
    bool connected = true;
    bool connectWorks = true;
    int connectAttempts = 0, beeps = 0;
};

// A whole shell over a temporary data directory. `Add` puts Main Movie List movies in place.
struct ShellFixture {
    ShellFixture()
        : dir(std::filesystem::temp_directory_path() / ("cl-shell-" + std::to_string(std::random_device{}()))),
          shell(c, (std::filesystem::create_directories(dir), dir.string() + "/"),
                ShellParts{ui, box, dialogs, desktop, clock, writer}) {}
    ~ShellFixture() {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }

    void Add(std::string_view title, std::string_view category = "Drama", std::string_view presence = "Present",
             std::string_view location = "Home", std::int32_t number = 0) {
        InsertMainMovie(c.main, {title, category, presence, location, "DVD"},
                        number != 0 ? number : static_cast<std::int32_t>(c.main.Count()) + 1);
    }
    void AddUpcoming(std::string_view title, std::string_view location = "Shop") {
        InsertUpcomingMovie(c.upcoming, title, "@", location);
    }
    Workbench& W() { return shell.Bench(); }
    MainList& List() { return shell.List(); }
    RecordingPrompts& Prompts() { return ui.prompts; }

    Collection c;
    std::filesystem::path dir;
    FakeListBox box;
    FakeShellUi ui;
    FakeDialogs dialogs;
    FakeDesktop desktop;
    FixedClock clock;
    RecordingWriter writer;
    MainShell shell;
};

}  // namespace cl::test
