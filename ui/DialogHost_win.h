// What every dialog of the program reaches: the main window, its movie list box and list menu, and the shared
// state and commands (MainShell, ShellUi). Each modal dialog has one entry point that runs it to its end.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "app/MainShell.h"
#include "model/base/MessageIcon.h"

namespace cl {

struct DialogHost {
    HINSTANCE instance;
    HWND mainWindow;
    HWND mainList;
    MainShell& shell;
    ShellUi& ui;
    HMENU listMenu;  // the list's context menu (first popup of menu 107)
};

// Opens the dialog a command asked for, owned by `owner`. Dialogs that arrive with later work do nothing yet.
void RunDialog(DialogHost& host, ShellDialog dialog, HWND owner);

// The entry points, each modal and owned by `owner`.
void RunAddEditDialog(DialogHost& host, HWND owner);           // 106
void RunPresenceDialog(DialogHost& host, HWND owner);          // 108, which opens 102
void RunFindDialog(DialogHost& host, HWND owner);              // 110
void RunSearchResultsDialog(DialogHost& host, HWND owner);     // 230
void RunPasswordEntryDialog(DialogHost& host, HWND owner);     // 115
void RunPasswordChangeDialog(DialogHost& host, HWND owner);    // 116
void RunSettingsDialog(DialogHost& host, HWND owner);          // 210
void RunQuarantineDialog(DialogHost& host, HWND owner);        // 114
void RunUpcomingLocationsDialog(DialogHost& host, HWND owner); // 117
void RunMainLocationsDialog(DialogHost& host, HWND owner);     // 103
void RunCategorySearchDialog(DialogHost& host, HWND owner);    // 229

// The main list box takes over its mouse, keys and context menu (called once, when the list box is created).
void SubclassMovieList(DialogHost& host, HWND list);

// ---- Helpers shared by the dialogs ----

// The one way a dialog is run: `self` is handed over at creation, and from WM_INITDIALOG on every message goes to
// self.Handle(dialog, message, wParam), whose result the dialog manager gets. Returns what EndDialog was given.
template <typename Dialog>
INT_PTR CALLBACK ModalDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    return self != nullptr ? self->Handle(dialog, message, wParam) : FALSE;
}

template <typename Dialog>
INT_PTR RunModal(HINSTANCE instance, int resource, HWND owner, Dialog& self) {
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(resource), owner, &ModalDialogProc<Dialog>,
                           reinterpret_cast<LPARAM>(&self));
}

// A message box owned by `owner`; an empty caption means none of its own.
void ShowMessageBox(HWND owner, std::string_view text, std::string_view caption, MessageIcon icon);
// A Yes/No question with the question icon (or another icon); true for Yes. `noByDefault` focuses No first.
bool AskYesNo(HWND owner, std::string_view text, std::string_view caption, bool noByDefault = false,
              MessageIcon icon = MessageIcon::Question);

// A list box line (LB_GETTEXT), "" for a line that does not exist.
std::string ListBoxLine(HWND list, int index);
// The indexes of the selected lines of a multiple-selection list box, in order.
std::vector<int> ListBoxSelectedLines(HWND list);
// A control's text, at most `limit` characters (GetWindowTextA with a buffer of limit + 1).
std::string ControlText(HWND dialog, int id, std::size_t limit);
// Fills a combo box with the values in order (CB_ADDSTRING); the combo box sorts them when it is sorted.
void FillComboBox(HWND combo, const std::vector<std::string>& values);

}  // namespace cl
