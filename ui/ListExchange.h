// The dialogs of a list exchange by file without their windows: the Externals dialog (113), which exports the
// Main Movie List or the Gimme list and imports a friend's movie list, and the Movie List Exchange dialog (208),
// which moves the offered movies to the Upcoming Movie List or the quarantine.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/base/FileWriter.h"
#include "ui/ListBoxView.h"
#include "ui/Workbench.h"

namespace cl {

inline constexpr int kSourceEditLimit = 20;  // characters the source edit takes
inline constexpr std::size_t kSourceReadMax = 31;

// ---- Externals (113) ----

// What the Externals procedure reads from its controls and does to its own window.
class ExternalsUi {
  public:
    virtual ~ExternalsUi() = default;
    virtual std::string SourceText() = 0;  // at most kSourceReadMax characters
    virtual bool GimmeListChosen() = 0;    // "Gimme List" rather than "Main Movie List"
    virtual void Hide() = 0;
};

enum class ExternalsOutcome { KeepOpen, End };

// The typed source as an exchange file names the sender: formatted as typed entries are (when Format Conversion is
// on) with "*" appended; nothing for an empty source.
std::optional<std::string> SourceLine(std::string_view typed, bool formatConversion);
// The same, after "You Must Supply a Source." (caption "Field Error") when nothing was typed: Externals and Export
// Source then stay open.
std::optional<std::string> RequireSourceLine(std::string_view typed, const Collection& c, Prompts& prompts);

// Import Movie: the open-file dialog, the import, then (the Externals dialog hidden) the Movie List Exchange dialog
// when movies are offered. The Externals dialog ends either way. `prompts` are its message boxes.
ExternalsOutcome ExternalsImport(Workbench& w, ExternalsUi& ui, Prompts& prompts);

// Export Movie: "You Must Supply a Source." (caption "Field Error") keeps the dialog open; otherwise the save-file
// dialog and the Main Movie List or Internal Gimme List written to the chosen file. A failed write is reported.
ExternalsOutcome ExternalsExport(Workbench& w, ExternalsUi& ui, Prompts& prompts, FileWriter& writer);

// ---- Movie List Exchange (208) ----

struct MenuItemState {
    int id;
    bool enabled;
    bool operator==(const MenuItemState&) const = default;
};

// The popup items to set before menu 209 shows, by the number of selected lines; items not named stay as they
// were.
std::vector<MenuItemState> ExchangePopupStates(int selectedCount);

class ExchangeDialog {
  public:
    // `box` is list box 1144, `prompts` the dialog's message boxes.
    ExchangeDialog(Workbench& workbench, ListBoxView& box, Prompts& prompts, FileWriter& writer);

    // Opening: every offered title in the list box (which sorts them), the first selected.
    void Open();
    // A command of menu 209; other ids do nothing.
    void Execute(int command);
    // Double-click and Info...: the Movie Import Info dialog on the current line.
    void Info();
    // Closing: the movies still offered are dropped.
    void Close();

  private:
    // Handles the lines from the last to the first, each deleted from the box and its record (the first of that
    // title) from the import list once `handle(title)` has run; the box repaints once, at the end.
    template <class Handle>
    void Walk(const std::vector<int>& lines, Handle handle);
    std::vector<int> AllLines();
    void AddToUpcomingList(const std::vector<int>& lines);
    void Quarantine(const std::vector<int>& lines);
    void SaveToFile();

    Workbench& w_;
    ListBoxView& box_;
    Prompts& prompts_;
    FileWriter& writer_;
};

}  // namespace cl
