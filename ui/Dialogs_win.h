// The dialogs' entry points: each modal, owned by `owner`, given what it uses and returning what happened. The
// main window maps the commands' Dialogs calls onto them.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/base/FileWriter.h"
#include "model/base/Win_win.h"
#include "skin/SkinScript.h"
#include "ui/AddEdit.h"
#include "ui/Desktop.h"
#include "ui/Presence.h"
#include "ui/Workbench.h"

namespace cl {

AddEditOutcome RunAddEditDialog(HINSTANCE instance, HWND owner, Workbench& w, const AddEditRequest& request);  // 106
std::optional<std::string> RunPresenceDialog(HINSTANCE instance, HWND owner, PresenceChange& change);  // 108, 102
// 110, placed under `mainList`; an actor or director search goes on in 230.
void RunFindDialog(HINSTANCE instance, HWND owner, Workbench& w, HWND mainList);
void RunPasswordEntryDialog(HINSTANCE instance, HWND owner, Collection& c, MainList& list);  // 115
// 116; true when a first password was set.
bool RunPasswordChangeDialog(HINSTANCE instance, HWND owner, Collection& c);
void RunSettingsDialog(HINSTANCE instance, HWND owner, Collection& c, MainList& list, const std::string& dataDirectory,
                       FileWriter& writer);                                                   // 210
void RunQuarantineDialog(HINSTANCE instance, HWND owner, Collection& c);                      // 114
void RunUpcomingLocationsDialog(HINSTANCE instance, HWND owner, Workbench& w);                // 117
void RunMainLocationsDialog(HINSTANCE instance, HWND owner, Collection& c, MainList& list);   // 103
void RunCategorySearchDialog(HINSTANCE instance, HWND owner, Collection& c, MainList& list);  // 229
void RunExternalsDialog(HINSTANCE instance, HWND owner, Workbench& w, FileWriter& writer);    // 113
// 208 over the program's import list, which it empties when it closes.
void RunMovieListExchangeDialog(HINSTANCE instance, HWND owner, Workbench& w, FileWriter& writer);
void RunImportInfoDialog(HINSTANCE instance, HWND owner, const MediaScratch& offered);  // 234
// 226: lists the skin folders, previews one and applies it through `apply`, given the folder's name and the
// dialog's own prompts (so the dialog is disabled while a message about the change shows).
using SkinApplier = std::function<void(const std::string&, Prompts&)>;
void RunSkinsDialog(HINSTANCE instance, HWND owner, const std::string& dataDirectory, Desktop& desktop,
                    const SkinApplier& apply);
void RunAboutDialog(HINSTANCE instance, HWND owner, const SkinScript& skin, Desktop& desktop);  // 112
void RunDocumentationDialog(HINSTANCE instance, HWND owner);                                    // 124
// 123, then 118 for the send a command made pending; the pending flags are clear when it returns.
void RunExportSourceDialog(HINSTANCE instance, HWND owner, Workbench& w);
// 121: the server listens while it is open.
void RunServerStatusDialog(HINSTANCE instance, HWND owner, Workbench& w);
// 125 on the program's current movie (ProgramState::currentMovie, its media details, autoRetrieve), in the view the
// main list shows.
void RunMovieInfoDialog(HINSTANCE instance, HWND owner, Workbench& w, MainList& list);
// The innermost modal dialog running over `main` (following the owner chain, hidden dialogs included): the window a
// dialog opened from deep inside a command belongs to. `main` itself when none runs.
HWND InnermostDialog(HWND main);

// ---- What the dialogs share ----

// The one way a dialog is run: `self` is handed over at creation, and from WM_INITDIALOG on every message goes to
// self.Handle(dialog, message, wParam), or self.Handle(dialog, message, wParam, lParam) for a dialog that reads it,
// whose result the dialog manager gets. Returns what EndDialog was given.
template <typename Dialog>
INT_PTR CALLBACK ModalDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_INITDIALOG) SetWindowLongPtrA(dialog, DWLP_USER, lParam);
    auto* self = reinterpret_cast<Dialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (self == nullptr) return FALSE;
    return Guarded(
        [&] {
            if constexpr (requires { self->Handle(dialog, message, wParam, lParam); })
                return self->Handle(dialog, message, wParam, lParam);
            else
                return self->Handle(dialog, message, wParam);
        },
        INT_PTR{FALSE});
}

template <typename Dialog>
INT_PTR RunModal(HINSTANCE instance, int resource, HWND owner, Dialog& self) {
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(resource), owner, &ModalDialogProc<Dialog>,
                           reinterpret_cast<LPARAM>(&self));
}

// A control's text, at most `limit` characters (GetWindowTextA with a buffer of limit + 1).
std::string ControlText(HWND dialog, int id, std::size_t limit);
// Fills a combo box with the values in order (CB_ADDSTRING); the combo box sorts them when it is sorted.
void FillComboBox(HWND combo, const std::vector<std::string>& values);
// The system's open or save dialog for a list file: every file shown, "txt" added when no extension is typed;
// opening wants an existing path and file, saving asks before overwriting. It opens with `lastFile`, which becomes
// the path chosen. The path chosen, nothing when cancelled.
enum class FileChoice { Open, Save };
std::optional<std::string> ChooseListFile(HWND owner, FileChoice choice, std::string& lastFile);
// Enables or grays the entries of a popup menu by position.
template <std::size_t N, typename Entry>
void EnableMenuEntries(HMENU menu, const std::array<Entry, N>& entries, const std::array<bool, N>& enabled) {
    for (std::size_t i = 0; i < N; ++i)
        EnableMenuItem(menu, static_cast<UINT>(entries[i]), MF_BYPOSITION | (enabled[i] ? MF_ENABLED : MF_GRAYED));
}

}  // namespace cl
