// The Upcoming Locations dialog (117): the upcoming movies expected from one person or place, with its own
// subclassed list box and context menu (201).
#include <memory>

#include "model/base/Handle_win.h"
#include "res/ListDialogIds.h"
#include "ui/DialogHost_win.h"
#include "ui/ListMenus.h"
#include "ui/SelectionListBox_win.h"

namespace cl {
namespace {

constexpr std::size_t kLocationMax = 30;  // characters read from the location combo
constexpr int kListExtent = 445;          // pixels the list scrolls sideways

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
    explicit UpcomingLocationsDialog(DialogHost& host)
        : host_(host), list_(*this), commands_(host.shell, host.ui, *this) {}

    void Run(HWND owner) {
        RunModal(host_.instance, IDD_UPCOMING_LOCATIONS, owner, *this);
        host_.shell.refreshUpcomingLocations = nullptr;
        host_.ui.FocusList();
    }

    // UpcomingLocationsUi
    void ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) override {
        ShowMessageBox(dialog_, text, caption, icon);
    }
    bool Ask(std::string_view text, std::string_view caption, MessageIcon icon, bool noByDefault) override {
        return AskYesNo(dialog_, text, caption, noByDefault, icon);
    }
    int LineCount() override { return static_cast<int>(SendMessageA(List(), LB_GETCOUNT, 0, 0)); }
    std::string LineText(int index) override { return ListBoxLine(List(), index); }
    int CurrentLine() override {
        if (LineCount() == 0) return -1;
        return static_cast<int>(SendMessageA(List(), LB_GETCARETINDEX, 0, 0));
    }
    void DeleteLine(int index) override { SendMessageA(List(), LB_DELETESTRING, static_cast<WPARAM>(index), 0); }
    int FillList(const ListBoxFill& fill) override {
        HWND list = List();
        SendMessageA(list, WM_SETREDRAW, FALSE, 0);
        SendMessageA(list, LB_RESETCONTENT, 0, 0);
        std::string line;
        for (std::string_view title : fill.titles) {
            line.assign(title);
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
        }
        SendMessageA(list, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(list, nullptr, TRUE);
        return LineCount();
    }
    void SetCountText(std::string_view text) override {
        SetDlgItemTextA(dialog_, IDC_UPCOMING_COUNT, std::string(text).c_str());
    }
    std::string LocationText() override { return ControlText(dialog_, IDC_UPCOMING_LOCATION, kLocationMax); }
    void FillLocations(const std::vector<std::string>& locations) override {
        HWND combo = GetDlgItem(dialog_, IDC_UPCOMING_LOCATION);
        SendMessageA(combo, CB_RESETCONTENT, 0, 0);
        FillComboBox(combo, locations);
    }
    void SelectLocation(std::string_view location) override {
        HWND combo = GetDlgItem(dialog_, IDC_UPCOMING_LOCATION);
        const std::string wanted(location);
        LRESULT at =
            SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wanted.c_str()));
        SendMessageA(combo, CB_SETCURSEL, at == CB_ERR ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(at), 0);
    }
    void SelectFirstLocation() override { SendDlgItemMessageA(dialog_, IDC_UPCOMING_LOCATION, CB_SETCURSEL, 0, 0); }
    void OpenAddEdit() override { RunAddEditDialog(host_, dialog_); }

    // What the list box needs.
    MainShell& Shell() { return host_.shell; }
    HMENU Menu() const { return menu_ ? GetSubMenu(menu_.get(), 0) : nullptr; }
    UpcomingLocationsCommands& Commands() { return commands_; }

  private:
    HWND List() const { return GetDlgItem(dialog_, IDC_UPCOMING_LIST); }

    friend INT_PTR CALLBACK ModalDialogProc<UpcomingLocationsDialog>(HWND, UINT, WPARAM, LPARAM);
    INT_PTR Handle(HWND dialog, UINT message, WPARAM wParam) {
        switch (message) {
            case WM_INITDIALOG:
                dialog_ = dialog;
                menu_.reset(LoadMenuA(host_.instance, MAKEINTRESOURCEA(IDR_UPCOMING_MENU)));
                commands_.Open();
                SendMessageA(List(), LB_SETHORIZONTALEXTENT, kListExtent, 0);
                list_.Attach(List());
                host_.shell.refreshUpcomingLocations = [this] { commands_.Refresh(); };
                return TRUE;
            case WM_COMMAND:
                switch (LOWORD(wParam)) {
                    case IDC_UPCOMING_TRACK:
                    case IDOK:
                        commands_.Track();
                        return TRUE;
                    case IDC_UPCOMING_EXIT:
                    case IDCANCEL:
                        host_.shell.refreshUpcomingLocations = nullptr;
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

    DialogHost& host_;
    HWND dialog_ = nullptr;
    OwnedMenu menu_;
    UpcomingList list_;
    UpcomingLocationsCommands commands_;
};

void UpcomingList::ShowCount(std::string_view text) {
    dialog_.SetCountText(text);
}

Prompts& UpcomingList::MessagePrompts() {
    return dialog_;
}

void UpcomingList::ContextMenu(POINT screen) {
    MainShell& shell = dialog_.Shell();
    shell.selection.upcomingCount = CaptureSelection(shell.selection, SelectedTitles());
    HMENU menu = dialog_.Menu();
    if (menu == nullptr) return;
    const UpcomingMenuState state = UpcomingMenuEntries(shell.selection.upcomingCount);
    for (std::size_t i = 0; i < kUpcomingMenuEntries.size(); ++i)
        EnableMenuItem(menu, static_cast<UINT>(kUpcomingMenuEntries[i]),
                       MF_BYPOSITION | (state.enabled[i] ? MF_ENABLED : MF_GRAYED));
    ShowMenu(menu, screen);
}

void UpcomingList::Command(int id) {
    dialog_.Commands().Execute(id);
}

}  // namespace

void RunUpcomingLocationsDialog(DialogHost& host, HWND owner) {
    UpcomingLocationsDialog(host).Run(owner);
}

}  // namespace cl
