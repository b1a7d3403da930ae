// The Main Locations (103) and Category Search (229) dialogs of the View menu: each picks a value from a
// drop-down list and ends in a view of the Main Movie List.
#include "res/FindDialogIds.h"
#include "ui/DialogHost_win.h"
#include "ui/ViewDialogs.h"

namespace cl {
namespace {

// Both dialogs: a sorted drop-down list filled from known values with its first entry selected, a button that
// takes the chosen value, and Cancel.
class PickValueDialog {
  public:
    using Take = void (*)(DialogHost& host, std::string_view value);

    PickValueDialog(DialogHost& host, const KnownValueList& values, int combo, int takeButton, std::size_t readMax,
                    Take take)
        : host_(host), values_(values), combo_(combo), takeButton_(takeButton), readMax_(readMax), take_(take) {}


    bool taken = false;

  private:
    friend INT_PTR CALLBACK ModalDialogProc<PickValueDialog>(HWND, UINT, WPARAM, LPARAM);
    INT_PTR Handle(HWND dialog, UINT message, WPARAM wParam) {
        switch (message) {
            case WM_INITDIALOG: {
                HWND combo = GetDlgItem(dialog, combo_);
                FillComboBox(combo, values_.Values());
                SendMessageA(combo, CB_SETCURSEL, 0, 0);
                return TRUE;
            }
            case WM_COMMAND: {
                const int id = LOWORD(wParam);
                if (id == takeButton_) {
                    take_(host_, ControlText(dialog, combo_, readMax_));
                    taken = true;
                    EndDialog(dialog, 1);
                    return TRUE;
                }
                if (id == IDC_LOCATIONS_CANCEL || id == IDCANCEL) {
                    EndDialog(dialog, 0);
                    return TRUE;
                }
                return FALSE;
            }
            default:
                return FALSE;
        }
    }

    DialogHost& host_;
    const KnownValueList& values_;
    int combo_;
    int takeButton_;
    std::size_t readMax_;
    Take take_;
};

}  // namespace

void RunMainLocationsDialog(DialogHost& host, HWND owner) {
    PickValueDialog dialog(
        host, host.shell.Data().knownLocations, IDC_LOCATIONS_COMBO, IDC_LOCATIONS_TRACK, kLocationReadMax,
        [](DialogHost& h, std::string_view location) { ShowMainByLocation(h.shell, h.ui, location); });
    RunModal(host.instance, IDD_MAIN_LOCATIONS, owner, dialog);
    host.ui.FocusList();
}

// The main list box gets the focus only after OK: Cancel leaves it where it was.
void RunCategorySearchDialog(DialogHost& host, HWND owner) {
    PickValueDialog dialog(host, host.shell.Data().knownCategories, IDC_CATEGORY_COMBO, IDOK, kCategoryReadMax,
                           [](DialogHost& h, std::string_view category) { ShowMainByCategory(h.shell, category); });
    RunModal(host.instance, IDD_CATEGORY_SEARCH, owner, dialog);
    if (dialog.taken) host.ui.FocusList();
}

}  // namespace cl
