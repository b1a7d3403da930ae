// The commands of the movie lists' context menus: menu 107 of the main list box and menu 201 of the Upcoming
// Locations dialog's list. They decide which stores change, what is asked and shown, and how the lists are
// refilled; the list boxes' window procedures only capture the selection and pass the commands on.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ui/AddEdit.h"
#include "ui/Presence.h"
#include "ui/Workbench.h"

namespace cl {

// Asks "Add Movie(s) to Gimme List?"; on Yes puts the titles on the Internal Gimme List (a title already there is
// refused with its message, which belongs to no window, and the next follows), then shows the Internal Gimme List.
void AddSelectionToGimme(Workbench& w, Prompts& prompts, const std::vector<std::string>& titles);

// Search the IMDb on a title: the configured title search opened with the shell, after asking to connect (over
// `prompts`) when the computer is not connected.
void SearchImdbFor(Workbench& w, Prompts& prompts, std::string_view title);

// Menu 107 and the main list box's Enter key and double-click.
class MainListCommands {
  public:
    explicit MainListCommands(Workbench& workbench);

    // The titles the menu's commands act on, captured when it opens (see CaptureSelection).
    void SetSelection(std::vector<std::string> titles) { selection_ = std::move(titles); }
    int SelectionCount() const { return static_cast<int>(selection_.size()); }

    // A command of menu 107 (or 40016 from Enter and double-click); other ids do nothing.
    void Execute(int command);
    // Enter or double-click: Movie Info, or "There Are No Movies In This List." on an empty list.
    void OpenOrRefuse();

  private:
    void Edit();
    void ChangeSelectionPresence(PresenceChangeKind kind);
    void Delete();
    void MovieInfo();
    void SearchImdb();
    void MainShift();
    void ChangeAllPresence(bool present);
    // The current line's title; false with no current line.
    bool CurrentTitle(std::string& title);

    Workbench& w_;
    std::vector<std::string> selection_;
};

// The Upcoming Locations dialog (117) as its commands see it: its count field and location combo.
class UpcomingLocationsUi {
  public:
    virtual ~UpcomingLocationsUi() = default;
    virtual void SetCountText(std::string_view text) = 0;
    // The location combo: its text (at most 30 characters), refilling it (it sorts its entries), and choosing the
    // entry that is the given location or its first entry.
    virtual std::string LocationText() = 0;
    virtual void FillLocations(const std::vector<std::string>& locations) = 0;
    virtual void SelectLocation(std::string_view location) = 0;
    virtual void SelectFirstLocation() = 0;
    // Runs the add/edit dialog over this dialog.
    virtual AddEditOutcome OpenAddEdit(const AddEditRequest& request) = 0;
};

// The commands of dialog 117 and of its list's menu 201.
class UpcomingLocationsCommands {
  public:
    // `box` is the dialog's list, `prompts` its message boxes.
    UpcomingLocationsCommands(Workbench& workbench, ListBoxView& box, UpcomingLocationsUi& ui, Prompts& prompts);

    void SetSelection(std::vector<std::string> titles) { selection_ = std::move(titles); }
    int SelectionCount() const { return static_cast<int>(selection_.size()); }

    // Opening: the combo filled from the known upcoming locations, its first entry chosen; the list starts empty.
    void Open();
    // TRACK: the list shows the upcoming movies expected from the combo's location.
    void Track();
    // A command of menu 201; other ids do nothing.
    void Execute(int command);

  private:
    void Delete();
    void Edit();
    void AddAllToGimme();
    void FillFor(std::string_view location);
    // After an edit made from here: the list refilled for the combo's location, the combo refilled from the known
    // upcoming locations with that location chosen again.
    void Refresh();

    Workbench& w_;
    ListBoxView& box_;
    UpcomingLocationsUi& ui_;
    Prompts& prompts_;
    std::vector<std::string> selection_;
};

}  // namespace cl
