// The Settings dialog (210): the view mode and the five switches of AppSettings.
#include "model/base/FileWriter.h"
#include "res/FindDialogIds.h"
#include "ui/DialogHost_win.h"
#include "ui/SettingsDialog.h"

namespace cl {
namespace {

struct SwitchBox {
    int id;
    bool SettingsChoice::*value;
};
constexpr SwitchBox kSwitches[] = {
    {IDC_SETTINGS_FORMAT, &SettingsChoice::formatConversion},
    {IDC_SETTINGS_AUTO_SAVE, &SettingsChoice::autoSave},
    {IDC_SETTINGS_AUTO_BACKUP, &SettingsChoice::autoBackup},
    {IDC_SETTINGS_AUTO_IMDB, &SettingsChoice::autoImdb},
    {IDC_SETTINGS_TITLE_CORRECTION, &SettingsChoice::titleCorrection},
};

class SettingsDialog {
  public:
    explicit SettingsDialog(DialogHost& host) : host_(host) {}

  private:
    friend INT_PTR CALLBACK ModalDialogProc<SettingsDialog>(HWND, UINT, WPARAM, LPARAM);
    INT_PTR Handle(HWND dialog, UINT message, WPARAM wParam) {
        switch (message) {
            case WM_INITDIALOG:
                OnInit(dialog);
                return TRUE;
            case WM_COMMAND:
                if (HIWORD(wParam) != BN_CLICKED) return FALSE;
                switch (LOWORD(wParam)) {
                    case IDC_SETTINGS_PG13:
                        ratedX_ = false;
                        return TRUE;
                    case IDC_SETTINGS_RATED_X:
                        OnRatedX(dialog);
                        return TRUE;
                    case IDC_SETTINGS_APPLY:
                        OnApply(dialog);
                        return TRUE;
                    case IDC_SETTINGS_CANCEL:
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

    void OnInit(HWND dialog) {
        const SettingsChoice choice = SettingsOnOpening(host_.shell.Data().settings);
        ShowViewMode(dialog, choice.ratedX);
        for (const SwitchBox& box : kSwitches)
            CheckDlgButton(dialog, box.id, choice.*box.value ? BST_CHECKED : BST_UNCHECKED);
    }

    void ShowViewMode(HWND dialog, bool ratedX) {
        CheckRadioButton(dialog, IDC_SETTINGS_PG13, IDC_SETTINGS_RATED_X,
                         ratedX ? IDC_SETTINGS_RATED_X : IDC_SETTINGS_PG13);
        ratedX_ = ratedX;
    }

    // Only the click that makes Rated-X the choice asks for the password; clicking it again asks nothing.
    void OnRatedX(HWND dialog) {
        if (ratedX_) return;
        ShowViewMode(dialog, true);
        RunDialog(host_, RatedXPasswordDialog(host_.shell.Data()), dialog);
        if (!RatedXAfterPassword(host_.shell, host_.ui)) ShowViewMode(dialog, false);
    }

    void OnApply(HWND dialog) {
        SettingsChoice choice;
        choice.ratedX = IsDlgButtonChecked(dialog, IDC_SETTINGS_RATED_X) == BST_CHECKED;
        for (const SwitchBox& box : kSwitches) choice.*box.value = IsDlgButtonChecked(dialog, box.id) == BST_CHECKED;
        std::string error;
        // A failed write is not reported: the options still apply for this run.
        ApplySettings(host_.shell, host_.ui, choice, DefaultFileWriter(), error);
        EndDialog(dialog, 1);
    }

    DialogHost& host_;
    bool ratedX_ = false;  // the view mode the radio buttons show
};

}  // namespace

void RunSettingsDialog(DialogHost& host, HWND owner) {
    SettingsDialog dialog(host);
    RunModal(host.instance, IDD_SETTINGS, owner, dialog);
    host.ui.FocusList();
}

}  // namespace cl
