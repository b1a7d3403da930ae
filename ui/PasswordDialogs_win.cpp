// The password dialogs of the erotic-category lock: Password Entry (115) and Password Change (116).
#include "model/MainListFile.h"
#include "res/FindDialogIds.h"
#include "ui/Dialogs_win.h"
#include "ui/PasswordDialogs.h"

namespace cl {
namespace {

class PasswordEntryDialog {
  public:
    PasswordEntryDialog(Collection& c, MainList& list) : c_(c), list_(list) {}

    INT_PTR Handle(HWND dialog, UINT message, WPARAM wParam) {
        switch (message) {
            case WM_INITDIALOG:
                SendDlgItemMessageA(dialog, IDC_PASSWORD_EDIT, EM_LIMITTEXT, kPasswordEditLimit, 0);
                return TRUE;
            case WM_COMMAND:
                switch (LOWORD(wParam)) {
                    case IDC_PASSWORD_OK:
                        if (!EnterPassword(c_, list_, ControlText(dialog, IDC_PASSWORD_EDIT, kPasswordMax)))
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

  private:
    Collection& c_;
    MainList& list_;
};

class PasswordChangeDialog {
  public:
    explicit PasswordChangeDialog(Collection& c) : c_(c) {}

    // Set when a first password was set: the main list box gets the focus then.
    bool focusList = false;

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
        if (AsksCurrentPassword(c_)) {
            SetDlgItemTextA(dialog, IDC_PASSWORD_CURRENT, "");
            return TRUE;
        }
        // A first password is being set: there is no current one to ask for.
        EnableWindow(GetDlgItem(dialog, IDC_PASSWORD_CURRENT), FALSE);
        SetFocus(GetDlgItem(dialog, IDC_PASSWORD_NEW));
        return FALSE;
    }

    void OnOk(HWND dialog) {
        const std::string current = ControlText(dialog, IDC_PASSWORD_CURRENT, kPasswordMax);
        const std::string typed = ControlText(dialog, IDC_PASSWORD_NEW, kPasswordMax);
        const std::string confirmation = ControlText(dialog, IDC_PASSWORD_CONFIRM, kPasswordMax);
        switch (ChangePassword(c_, current, typed, confirmation)) {
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
        const int focus = MismatchFocus(c_) == PasswordField::New ? IDC_PASSWORD_NEW : IDC_PASSWORD_CURRENT;
        SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(dialog, focus)), TRUE);
    }

  private:
    static constexpr int kEdits[] = {IDC_PASSWORD_CURRENT, IDC_PASSWORD_NEW, IDC_PASSWORD_CONFIRM};

    Collection& c_;
};

}  // namespace

void RunPasswordEntryDialog(HINSTANCE instance, HWND owner, Collection& c, MainList& list) {
    PasswordEntryDialog dialog(c, list);
    RunModal(instance, IDD_PASSWORD_ENTRY, owner, dialog);
}

bool RunPasswordChangeDialog(HINSTANCE instance, HWND owner, Collection& c) {
    PasswordChangeDialog dialog(c);
    RunModal(instance, IDD_PASSWORD_CHANGE, owner, dialog);
    return dialog.focusList;
}

}  // namespace cl
