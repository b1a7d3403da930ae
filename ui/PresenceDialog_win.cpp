// The presence dialog (108), which asks for the new location of the selected or of all listed movies, and the
// summary (102) of the movies it relocated.
#include "res/ListDialogIds.h"
#include "ui/Dialogs_win.h"

namespace cl {
namespace {

INT_PTR CALLBACK RelocatedProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
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
    PresenceDialog(HINSTANCE instance, PresenceChange& change) : instance_(instance), change_(change) {}

    std::optional<std::string> Run(HWND owner) {
        RunModal(instance_, IDD_PRESENCE_CHANGE, owner, *this);
        return location_;
    }

    INT_PTR Handle(HWND dialog, UINT message, WPARAM wParam) {
        switch (message) {
            case WM_INITDIALOG: {
                HWND combo = GetDlgItem(dialog, IDC_PRESENCE_LOCATION);
                SendMessageA(combo, CB_LIMITTEXT, kPresenceLocationTyped, 0);
                FillComboBox(combo, change_.KnownLocations());
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
        const std::string typed = ControlText(dialog, IDC_PRESENCE_LOCATION, kPresenceLocationMax);
        if (std::optional<RelocationSummary> summary = change_.Save(typed)) {
            DialogBoxParamA(instance_, MAKEINTRESOURCEA(IDD_RELOCATED), dialog, RelocatedProc,
                            reinterpret_cast<LPARAM>(&*summary));
            change_.RefillAfterSummary();
        }
        location_ = change_.Location();
        EndDialog(dialog, 1);
    }

  private:
    HINSTANCE instance_;
    PresenceChange& change_;
    std::optional<std::string> location_;
};

}  // namespace

std::optional<std::string> RunPresenceDialog(HINSTANCE instance, HWND owner, PresenceChange& change) {
    return PresenceDialog(instance, change).Run(owner);
}

}  // namespace cl
