// The Settings dialog (210): the view mode and the five switches of AppSettings.
#include "model/base/FileWriter.h"
#include "res/FindDialogIds.h"
#include "ui/Dialogs_win.h"
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
    SettingsDialog(HINSTANCE instance, Collection& c, MainList& list, const std::string& dataDirectory,
                   FileWriter& writer)
        : instance_(instance), c_(c), list_(list), dataDirectory_(dataDirectory), writer_(writer) {}

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
        const SettingsChoice choice = SettingsOnOpening(c_.settings);
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
        if (RatedXPasswordDialog(c_) == SimpleDialog::PasswordChange) {
            RunPasswordChangeDialog(instance_, dialog, c_);
        } else {
            RunPasswordEntryDialog(instance_, dialog, c_, list_);
        }
        if (!RatedXAfterPassword(c_, list_)) ShowViewMode(dialog, false);
    }

    void OnApply(HWND dialog) {
        SettingsChoice choice;
        choice.ratedX = IsDlgButtonChecked(dialog, IDC_SETTINGS_RATED_X) == BST_CHECKED;
        for (const SwitchBox& box : kSwitches) choice.*box.value = IsDlgButtonChecked(dialog, box.id) == BST_CHECKED;
        std::string error;
        // A failed write is not reported: the options still apply for this run.
        ApplySettings(c_, list_, choice, writer_, dataDirectory_, error);
        EndDialog(dialog, 1);
    }

  private:
    HINSTANCE instance_;
    Collection& c_;
    MainList& list_;
    const std::string& dataDirectory_;
    FileWriter& writer_;
    bool ratedX_ = false;  // the view mode the radio buttons show
};

}  // namespace

void RunSettingsDialog(HINSTANCE instance, HWND owner, Collection& c, MainList& list, const std::string& dataDirectory,
                       FileWriter& writer) {
    SettingsDialog dialog(instance, c, list, dataDirectory, writer);
    RunModal(instance, IDD_SETTINGS, owner, dialog);
}

}  // namespace cl
