// The commands of the movie lists' context menus: menu 107 of the main list box and menu 201 of the Upcoming
// Locations dialog's list. They decide which stores change, what is asked and shown, and how the lists are
// refilled; the list boxes' window procedures only capture the selection and pass the commands on.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/MainShell.h"
#include "model/base/MessageIcon.h"
#include "ui/Prompts.h"

namespace cl {

// The message boxes of the list commands, owned by the window that holds the list (the main window, or the
// Upcoming Locations dialog while it is open).
// Asks "Add Movie(s) to Gimme List?"; on Yes puts the titles on the Internal Gimme List (a title already there is
// refused with its message and the next follows), then shows the Internal Gimme List in the main list box.
void AddSelectionToGimme(MainShell& shell, ShellUi& ui, Prompts& prompts, const std::vector<std::string>& titles);

// Menu 107 and the main list box's Enter key and double-click.
class MainListCommands {
  public:
    MainListCommands(MainShell& shell, ShellUi& ui, Prompts& prompts, std::string titleSearchHost);

    // A command of menu 107 (or 40016 from Enter and double-click); other ids do nothing.
    void Execute(int command);
    // Enter or double-click: Movie Info, or "There Are No Movies In This List." on an empty list.
    void OpenOrRefuse();

    // The date of new loan lines, "%i/%i/%i"; today's UTC date unless a test sets another clock.
    std::function<std::string()> today;

  private:
    void Edit();
    void ChangeSelectionPresence(PresenceRequest mode);
    void Delete();
    void MovieInfo();
    void SearchImdb();
    void MainShift();
    void ChangeAllPresence(bool present);
    // The current line's title; false with no current line.
    bool CurrentTitle(std::string& title);
    void ShowCountUnderCaption();

    MainShell& shell_;
    ShellUi& ui_;
    Prompts& prompts_;
    std::string titleSearchHost_;
};

// The Upcoming Locations dialog (117) as its commands see it: its list box, count field and location combo.
class UpcomingLocationsUi : public Prompts {
  public:
    virtual int LineCount() = 0;
    virtual std::string LineText(int index) = 0;
    // The line with the focus rectangle; -1 for an empty list.
    virtual int CurrentLine() = 0;
    virtual void DeleteLine(int index) = 0;
    // Empties the list box and adds the titles (it sorts them); returns its line count.
    virtual int FillList(const ListBoxFill& fill) = 0;
    virtual void SetCountText(std::string_view text) = 0;
    // The location combo: its text (at most 30 characters), refilling it (it sorts its entries), and choosing the
    // entry that is the given location or its first entry.
    virtual std::string LocationText() = 0;
    virtual void FillLocations(const std::vector<std::string>& locations) = 0;
    virtual void SelectLocation(std::string_view location) = 0;
    virtual void SelectFirstLocation() = 0;
    // Runs the add/edit dialog over this dialog.
    virtual void OpenAddEdit() = 0;
};

// The commands of dialog 117 and of its list's menu 201.
class UpcomingLocationsCommands {
  public:
    UpcomingLocationsCommands(MainShell& shell, ShellUi& mainUi, UpcomingLocationsUi& ui);

    // Opening: the combo filled from the known upcoming locations, its first entry chosen; the list starts empty.
    void Open();
    // TRACK: the combo's location becomes the shared upcoming location and the list shows the upcoming movies
    // expected from there.
    void Track();
    // After an edit made from this dialog: the list refilled for the combo's location, the combo refilled from
    // the known upcoming locations with that location chosen again.
    void Refresh();
    // A command of menu 201; other ids do nothing.
    void Execute(int command);

  private:
    void Delete();
    void Edit();
    void AddAllToGimme();
    void FillFor(std::string_view location);

    MainShell& shell_;
    ShellUi& mainUi_;
    UpcomingLocationsUi& ui_;
};

}  // namespace cl
