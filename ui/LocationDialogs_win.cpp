// The Upcoming Locations dialog (117): the upcoming movies expected from one person or place, with its own
// subclassed list box and context menu (201).
#include "model/MainListFile.h"
#include "res/ListDialogIds.h"
#include "ui/Dialogs_win.h"
#include "ui/ListBoxView_win.h"
#include "ui/ListCommands.h"
#include "ui/ListMenus.h"
#include "ui/SelectionListBox_win.h"

namespace cl {
namespace {

constexpr int kListExtent = 445;  // pixels the list scrolls sideways

class UpcomingLocationsDialog;

// The dialog's list box: the count goes to field 1119, typed characters jump to a line unless Shift is held.
class UpcomingList final : public SelectionListBox {
  public:
    explicit UpcomingList(UpcomingLocationsDialog& dialog) : dialog_(dialog) {}

  protected:
    void ShowCount(std::string_view text) override;
    Prompts& MessagePrompts() override;
    bool TakesCharacter() override { return (GetKeyState(VK_SHIFT) & 0x8000) == 0; }
    void ContextMenu(POINT screen) override;
    void Command(int id) override;

  private:
    UpcomingLocationsDialog& dialog_;
};

class UpcomingLocationsDialog final : public UpcomingLocationsUi {
  public:
    UpcomingLocationsDialog(HINSTANCE instance, Workbench& w)
        : instance_(instance), w_(w), box_(false), list_(*this), commands_(w, box_, *this, prompts_) {}

    void Run(HWND owner) {
        RunModal(instance_, IDD_UPCOMING_LOCATIONS, owner, *this);
        w_.list.Box().Focus();
    }

    // UpcomingLocationsUi
    void SetCountText(std::string_view text) override {
        SetDlgItemTextA(dialog_, IDC_UPCOMING_COUNT, std::string(text).c_str());
    }
    std::string LocationText() override { return ControlText(dialog_, IDC_UPCOMING_LOCATION, kMainLocationMax); }
    void FillLocations(const std::vector<std::string>& locations) override {
        HWND combo = GetDlgItem(dialog_, IDC_UPCOMING_LOCATION);
        SendMessageA(combo, CB_RESETCONTENT, 0, 0);
        FillComboBox(combo, locations);
    }
    void SelectLocation(std::string_view location) override {
        HWND combo = GetDlgItem(dialog_, IDC_UPCOMING_LOCATION);
        const std::string wanted(location);
        const LRESULT at =
            SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wanted.c_str()));
        SendMessageA(combo, CB_SETCURSEL, at == CB_ERR ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(at), 0);
    }
    void SelectFirstLocation() override { SendDlgItemMessageA(dialog_, IDC_UPCOMING_LOCATION, CB_SETCURSEL, 0, 0); }
    AddEditOutcome OpenAddEdit(const AddEditRequest& request) override {
        return RunAddEditDialog(instance_, dialog_, w_, request);
    }

    // What the list box needs.
    Prompts& DialogPrompts() { return prompts_; }
    HMENU Menu() const { return menu_ ? GetSubMenu(menu_.get(), 0) : nullptr; }
    UpcomingLocationsCommands& Commands() { return commands_; }

    INT_PTR Handle(HWND dialog, UINT message, WPARAM wParam) {
        switch (message) {
            case WM_INITDIALOG:
                dialog_ = dialog;
                prompts_.SetOwner(dialog);
                box_.SetWindow(GetDlgItem(dialog, IDC_UPCOMING_LIST));
                menu_.reset(LoadMenuA(instance_, MAKEINTRESOURCEA(IDR_UPCOMING_MENU)));
                commands_.Open();
                SendMessageA(box_.Window(), LB_SETHORIZONTALEXTENT, kListExtent, 0);
                list_.Attach(box_.Window());
                return TRUE;
            case WM_COMMAND:
                switch (LOWORD(wParam)) {
                    case IDC_UPCOMING_TRACK:
                    case IDOK:
                        commands_.Track();
                        return TRUE;
                    case IDC_UPCOMING_EXIT:
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

  private:
    HINSTANCE instance_;
    Workbench& w_;
    HWND dialog_ = nullptr;
    WindowPrompts prompts_;
    ListBoxWin box_;
    OwnedMenu menu_;
    UpcomingList list_;
    UpcomingLocationsCommands commands_;
};

void UpcomingList::ShowCount(std::string_view text) {
    dialog_.SetCountText(text);
}

Prompts& UpcomingList::MessagePrompts() {
    return dialog_.DialogPrompts();
}

void UpcomingList::ContextMenu(POINT screen) {
    UpcomingLocationsCommands& commands = dialog_.Commands();
    commands.SetSelection(CaptureSelection(SelectedTitles()));
    HMENU menu = dialog_.Menu();
    if (menu == nullptr) return;
    EnableMenuEntries(menu, kUpcomingMenuEntries, UpcomingMenuEntries(commands.SelectionCount()).enabled);
    ShowMenu(menu, screen);
}

void UpcomingList::Command(int id) {
    dialog_.Commands().Execute(id);
}

}  // namespace

void RunUpcomingLocationsDialog(HINSTANCE instance, HWND owner, Workbench& w) {
    UpcomingLocationsDialog(instance, w).Run(owner);
}

}  // namespace cl
