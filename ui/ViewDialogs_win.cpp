// The Main Locations (103) and Category Search (229) dialogs of the View menu: each picks a value from a
// drop-down list and ends in a view of the Main Movie List.
#include "model/MainListFile.h"
#include "res/FindDialogIds.h"
#include "ui/Dialogs_win.h"
#include "ui/ViewDialogs.h"

namespace cl {
namespace {

// Both dialogs: a sorted drop-down list filled from known values with its first entry selected, a button that
// takes the chosen value, and Cancel.
class PickValueDialog {
  public:
    PickValueDialog(const KnownValueList& values, int combo, int takeButton, std::size_t readMax)
        : values_(values), combo_(combo), takeButton_(takeButton), readMax_(readMax) {}

    // Runs the dialog; the value taken, nothing after Cancel.
    std::optional<std::string> Run(HINSTANCE instance, int resource, HWND owner) {
        RunModal(instance, resource, owner, *this);
        return taken_;
    }

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
                    taken_ = ControlText(dialog, combo_, readMax_);
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

  private:
    const KnownValueList& values_;
    int combo_;
    int takeButton_;
    std::size_t readMax_;
    std::optional<std::string> taken_;
};

}  // namespace

void RunMainLocationsDialog(HINSTANCE instance, HWND owner, Collection& c, MainList& list) {
    PickValueDialog dialog(c.knownLocations, IDC_LOCATIONS_COMBO, IDC_LOCATIONS_TRACK, kMainLocationMax);
    if (std::optional<std::string> location = dialog.Run(instance, IDD_MAIN_LOCATIONS, owner))
        ShowMainByLocation(list, *location);
    list.Box().Focus();
}

// The main list box gets the focus only after OK: Cancel leaves it where it was.
void RunCategorySearchDialog(HINSTANCE instance, HWND owner, Collection& c, MainList& list) {
    PickValueDialog dialog(c.knownCategories, IDC_CATEGORY_COMBO, IDOK, kMainCategoryMax);
    if (std::optional<std::string> category = dialog.Run(instance, IDD_CATEGORY_SEARCH, owner)) {
        ShowMainByCategory(list, *category);
        list.Box().Focus();
    }
}

}  // namespace cl
