// The password dialogs of the erotic-category lock: Password Entry (115) and Password Change (116).
#include "model/MainListFile.h"
#include "res/FindDialogIds.h"
#include "ui/DialogHost_win.h"
#include "ui/PasswordDialogs.h"

namespace cl {
namespace {

class PasswordEntryDialog {
  public:
    explicit PasswordEntryDialog(DialogHost& host) : host_(host) {}

  private:
    friend INT_PTR CALLBACK ModalDialogProc<PasswordEntryDialog>(HWND, UINT, WPARAM, LPARAM);
    INT_PTR Handle(HWND dialog, UINT message, WPARAM wParam) {
        switch (message) {
            case WM_INITDIALOG:
                SendDlgItemMessageA(dialog, IDC_PASSWORD_EDIT, EM_LIMITTEXT, kPasswordEditLimit, 0);
                return TRUE;
            case WM_COMMAND:
                switch (LOWORD(wParam)) {
                    case IDC_PASSWORD_OK:
                        if (!EnterPassword(host_.shell, ControlText(dialog, IDC_PASSWORD_EDIT, kPasswordReadMax)))
                            ShowMessageBox(dialog, kInvalidPasswordMessage, kPasswordErrorCaption, MessageIcon::Stop);
                        EndDialog(dialog, 0);
                        return TRUE;
                    case IDC_PASSWORD_CANCEL:
                    case IDCANCEL:
                        EndDialog(dialog, 0);
                        return TRUE;
                    default:
                        return FALSE;
                }
            default:
                return FALSE;
        }
    }

    DialogHost& host_;
};

class PasswordChangeDialog {
  public:
    explicit PasswordChangeDialog(DialogHost& host) : host_(host) {}

    // Set when a first password was set: the main list box gets the focus then.
    bool focusList = false;

  private:
    static constexpr int kEdits[] = {IDC_PASSWORD_CURRENT, IDC_PASSWORD_NEW, IDC_PASSWORD_CONFIRM};

    friend INT_PTR CALLBACK ModalDialogProc<PasswordChangeDialog>(HWND, UINT, WPARAM, LPARAM);
    INT_PTR Handle(HWND dialog, UINT message, WPARAM wParam) {
        switch (message) {
            case WM_INITDIALOG:
                return OnInit(dialog);
            case WM_COMMAND:
                switch (LOWORD(wParam)) {
                    case IDC_PASSWORD_CHANGE_OK:
                        OnOk(dialog);
                        return TRUE;
                    case IDC_PASSWORD_CHANGE_CANCEL:
                    case IDCANCEL:
                        EndDialog(dialog, 0);
                        return TRUE;
                    default:
                        return FALSE;
                }
            default:
                return FALSE;
        }
    }

    INT_PTR OnInit(HWND dialog) {
        for (int id : kEdits) SendDlgItemMessageA(dialog, id, EM_LIMITTEXT, kPasswordEditLimit, 0);
        if (AsksCurrentPassword(host_.shell.Data())) {
            SetDlgItemTextA(dialog, IDC_PASSWORD_CURRENT, "");
            return TRUE;
        }
        // A first password is being set: there is no current one to ask for.
        EnableWindow(GetDlgItem(dialog, IDC_PASSWORD_CURRENT), FALSE);
        SetFocus(GetDlgItem(dialog, IDC_PASSWORD_NEW));
        return FALSE;
    }

    void OnOk(HWND dialog) {
        const std::string current = ControlText(dialog, IDC_PASSWORD_CURRENT, kPasswordReadMax);
        const std::string typed = ControlText(dialog, IDC_PASSWORD_NEW, kPasswordReadMax);
        const std::string confirmation = ControlText(dialog, IDC_PASSWORD_CONFIRM, kPasswordReadMax);
        switch (ChangePassword(host_.shell.Data(), current, typed, confirmation)) {
            case PasswordChangeOutcome::Changed:
                EndDialog(dialog, 1);
                return;
            case PasswordChangeOutcome::FirstSet:
                focusList = true;
                EndDialog(dialog, 1);
                return;
            case PasswordChangeOutcome::Mismatch:
                break;
        }
        ShowMessageBox(dialog, kPasswordMismatchMessage, kPasswordErrorCaption, MessageIcon::Stop);
        for (int id : kEdits) SetDlgItemTextA(dialog, id, "");
        const int focus =
            MismatchFocus(host_.shell.Data()) == PasswordField::New ? IDC_PASSWORD_NEW : IDC_PASSWORD_CURRENT;
        SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, focus)), TRUE);
    }

    DialogHost& host_;
};

}  // namespace

// The main list box gets the focus once the dialog has gone and its owner is active again; opened from the
// Settings dialog, the focus goes back to that dialog instead.
void RunPasswordEntryDialog(DialogHost& host, HWND owner) {
    PasswordEntryDialog dialog(host);
    RunModal(host.instance, IDD_PASSWORD_ENTRY, owner, dialog);
    if (owner == host.mainWindow) host.ui.FocusList();
}

void RunPasswordChangeDialog(DialogHost& host, HWND owner) {
    PasswordChangeDialog dialog(host);
    RunModal(host.instance, IDD_PASSWORD_CHANGE, owner, dialog);
    if (dialog.focusList && owner == host.mainWindow) host.ui.FocusList();
}

}  // namespace cl
