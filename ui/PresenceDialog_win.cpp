// The presence dialog (108), which asks for the new location of the selected or of all listed movies, and the
// summary (102) of the movies it relocated.
#include "model/base/Date.h"
#include "res/ListDialogIds.h"
#include "ui/DialogHost_win.h"
#include "ui/Presence.h"

namespace cl {
namespace {

INT_PTR CALLBACK RelocatedProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            const auto& summary = *reinterpret_cast<const RelocationSummary*>(lParam);
            for (std::size_t i = 0; i < summary.titles.size(); ++i)
                SetDlgItemTextA(dialog, IDC_RELOCATED_FIRST_SLOT + static_cast<int>(i), summary.titles[i].c_str());
            SetDlgItemTextA(dialog, IDC_RELOCATED_LOCATION, summary.location.c_str());
            SetDlgItemTextA(dialog, IDC_RELOCATED_STATUS, summary.status.c_str());
            return TRUE;
        }
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDC_RELOCATED_OK:
                case IDOK:
                case IDCANCEL:
                    EndDialog(dialog, 0);
                    return TRUE;
                default:
                    break;
            }
            break;
        default:
            break;
    }
    return FALSE;
}

class PresenceDialog {
  public:
    explicit PresenceDialog(DialogHost& host) : host_(host) {}

    void Run(HWND owner) {
        RunModal(host_.instance, IDD_PRESENCE_CHANGE, owner, *this);
    }

  private:
    friend INT_PTR CALLBACK ModalDialogProc<PresenceDialog>(HWND, UINT, WPARAM, LPARAM);
    INT_PTR Handle(HWND dialog, UINT message, WPARAM wParam) {
        switch (message) {
            case WM_INITDIALOG: {
                HWND combo = GetDlgItem(dialog, IDC_PRESENCE_LOCATION);
                SendMessageA(combo, CB_LIMITTEXT, kPresenceLocationTyped, 0);
                FillComboBox(combo, host_.shell.Data().knownLocations.Values());
                return TRUE;
            }
            case WM_COMMAND:
                switch (LOWORD(wParam)) {
                    case IDC_PRESENCE_SAVE:
                    case IDOK:
                        Save(dialog);
                        return TRUE;
                    case IDC_PRESENCE_CANCEL:
                    case IDCANCEL:
                        host_.shell.presenceMode = PresenceRequest::Cancelled;
                        EndDialog(dialog, 0);
                        return TRUE;
                    default:
                        break;
                }
                break;
            default:
                break;
        }
        return FALSE;
    }

    void Save(HWND dialog) {
        MainShell& shell = host_.shell;
        const std::string typed = ControlText(dialog, IDC_PRESENCE_LOCATION, kPresenceLocationMax);
        if (ChangesSelection(shell.presenceMode)) {
            RelocationSummary summary = SaveSelectionPresence(shell, typed, TodayUtc());
            DialogBoxParamA(host_.instance, MAKEINTRESOURCEA(IDD_RELOCATED), dialog, RelocatedProc,
                            reinterpret_cast<LPARAM>(&summary));
            RefillAfterPresence(shell, host_.ui);
        } else {
            SaveAllPresenceLocation(shell, typed);
        }
        EndDialog(dialog, 1);
    }

    DialogHost& host_;
};

}  // namespace

void RunPresenceDialog(DialogHost& host, HWND owner) {
    PresenceDialog(host).Run(owner);
}

}  // namespace cl
