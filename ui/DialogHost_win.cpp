// Opening the dialogs by resource number, and the small Win32 helpers they share.
#include "ui/DialogHost_win.h"

namespace cl {
namespace {

UINT IconStyle(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Stop: return MB_ICONSTOP;
        case MessageIcon::Exclamation: return MB_ICONEXCLAMATION;
        case MessageIcon::Question: return MB_ICONQUESTION;
        case MessageIcon::None: break;
    }
    return 0;
}

}  // namespace

void RunDialog(DialogHost& host, ShellDialog dialog, HWND owner) {
    switch (dialog) {
        case ShellDialog::AddEdit: RunAddEditDialog(host, owner); break;
        case ShellDialog::PresenceChange: RunPresenceDialog(host, owner); break;
        case ShellDialog::Find: RunFindDialog(host, owner); break;
        case ShellDialog::SearchResults: RunSearchResultsDialog(host, owner); break;
        case ShellDialog::PasswordEntry: RunPasswordEntryDialog(host, owner); break;
        case ShellDialog::PasswordChange: RunPasswordChangeDialog(host, owner); break;
        case ShellDialog::Settings: RunSettingsDialog(host, owner); break;
        case ShellDialog::Quarantine: RunQuarantineDialog(host, owner); break;
        case ShellDialog::UpcomingLocations: RunUpcomingLocationsDialog(host, owner); break;
        case ShellDialog::MainLocations: RunMainLocationsDialog(host, owner); break;
        case ShellDialog::CategorySearch: RunCategorySearchDialog(host, owner); break;
        // These arrive with the movie database, printing, the about box and the list exchange.
        case ShellDialog::Relocated:
        case ShellDialog::MovieInfo:
        case ShellDialog::About:
        case ShellDialog::Externals:
        case ShellDialog::ServerStatus:
        case ShellDialog::ExportSource:
        case ShellDialog::ReadHelp:
        case ShellDialog::Skins:
        case ShellDialog::Print: break;
    }
}

void ShowMessageBox(HWND owner, std::string_view text, std::string_view caption, MessageIcon icon) {
    const std::string body(text);
    const std::string title(caption);
    MessageBoxA(owner, body.c_str(), title.empty() ? nullptr : title.c_str(), MB_OK | IconStyle(icon));
}

bool AskYesNo(HWND owner, std::string_view text, std::string_view caption, bool noByDefault, MessageIcon icon) {
    const std::string body(text);
    const std::string title(caption);
    const UINT style = MB_YESNO | IconStyle(icon) | (noByDefault ? MB_DEFBUTTON2 : 0);
    return MessageBoxA(owner, body.c_str(), title.empty() ? nullptr : title.c_str(), style) == IDYES;
}

std::string ListBoxLine(HWND list, int index) {
    LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR || length < 0) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    LRESULT copied = SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    if (copied == LB_ERR || copied < 0) return {};
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

std::vector<int> ListBoxSelectedLines(HWND list) {
    LRESULT count = SendMessageA(list, LB_GETSELCOUNT, 0, 0);
    if (count == LB_ERR || count <= 0) return {};
    std::vector<int> lines(static_cast<std::size_t>(count));
    LRESULT got = SendMessageA(list, LB_GETSELITEMS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(lines.data()));
    lines.resize(got == LB_ERR || got < 0 ? 0 : static_cast<std::size_t>(got));
    return lines;
}

std::string ControlText(HWND dialog, int id, std::size_t limit) {
    std::string text(limit + 1, '\0');
    int length = GetDlgItemTextA(dialog, id, text.data(), static_cast<int>(text.size()));
    text.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    return text;
}

void FillComboBox(HWND combo, const std::vector<std::string>& values) {
    for (const std::string& value : values) SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(value.c_str()));
}

}  // namespace cl
