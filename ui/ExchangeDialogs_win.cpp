// The list exchange dialogs: Externals (113), Movie List Exchange (208) with its list box and popup, and Movie
// Import Info (234). The procedures read the controls and hand them to ui/ListExchange, which decides.
#include <windowsx.h>

#include "imdb/SearchQuery.h"
#include "res/ExchangeDialogIds.h"
#include "ui/Dialogs_win.h"
#include "ui/ListBoxView_win.h"
#include "ui/ListExchange.h"
#include "ui/ListMenus.h"

namespace cl {
namespace {

// ---- Externals (113) ----

class ExternalsDialog final : public ExternalsUi {
  public:
    ExternalsDialog(Workbench& w, FileWriter& writer) : w_(w), writer_(writer) {}

    INT_PTR Handle(HWND dialog, UINT message, WPARAM wParam) {
        if (message == WM_INITDIALOG) {
            dialog_ = dialog;
            prompts_.SetOwner(dialog);
            CheckRadioButton(dialog, IDC_EXTERNALS_MAIN_LIST, IDC_EXTERNALS_GIMME_LIST, IDC_EXTERNALS_MAIN_LIST);
            SendDlgItemMessageA(dialog, IDC_EXTERNALS_SOURCE, EM_LIMITTEXT, kSourceEditLimit, 0);
            return TRUE;
        }
        if (message != WM_COMMAND) return FALSE;
        ExternalsOutcome outcome = ExternalsOutcome::KeepOpen;
        switch (LOWORD(wParam)) {
            case IDOK:  // Enter, should the default button have lost its mark
            case IDC_EXTERNALS_IMPORT:
                outcome = ExternalsImport(w_, *this, prompts_);
                break;
            case IDC_EXTERNALS_EXPORT:
                outcome = ExternalsExport(w_, *this, prompts_, writer_);
                break;
            case IDC_EXTERNALS_CANCEL:
            case IDCANCEL:
                outcome = ExternalsOutcome::End;
                break;
            default:
                return FALSE;
        }
        if (outcome == ExternalsOutcome::End) EndDialog(dialog, 0);
        return TRUE;
    }

    std::string SourceText() override { return ControlText(dialog_, IDC_EXTERNALS_SOURCE, kSourceReadMax); }
    bool GimmeListChosen() override { return IsDlgButtonChecked(dialog_, IDC_EXTERNALS_GIMME_LIST) == BST_CHECKED; }
    void Hide() override { ShowWindow(dialog_, SW_HIDE); }

  private:
    Workbench& w_;
    FileWriter& writer_;
    WindowPrompts prompts_;
    HWND dialog_ = nullptr;
};

// ---- Movie List Exchange (208) ----

// Asked of itself by the list box after a double-click, once the button's release has been handled: a modal
// dialog opened while the list box still holds the mouse capture would lose its clicks to the list box.
constexpr UINT kInfoAfterDoubleClick = WM_APP + 0x32;

// List box 1144: one line at a time with the arrows, no Shift ranges, no drag selection, Ctrl+click for more
// lines, and the popup on the right button's release.
class ExchangeListBox final : public Subclass {
  public:
    ExchangeListBox(ExchangeDialog& logic, HMENU popup) : logic_(logic), popup_(popup) {}

  private:
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
            case WM_KEYDOWN:
                if (wParam == VK_UP || wParam == VK_DOWN) MoveSelection(wParam == VK_UP);
                return 0;
            case WM_CHAR:
                if (GetKeyState(VK_SHIFT) < 0) return 0;
                break;
            case WM_MOUSEMOVE:
                if (wParam & MK_LBUTTON) return 0;
                break;
            case WM_LBUTTONDOWN:
                if (wParam & MK_SHIFT) return 0;
                break;
            case WM_LBUTTONDBLCLK: {
                const LRESULT result = CallOriginal(message, wParam, lParam);
                PostMessageA(Window(), kInfoAfterDoubleClick, 0, 0);
                return result;
            }
            case kInfoAfterDoubleClick:
                logic_.Info();
                return 0;
            case WM_RBUTTONUP:
                ShowPopup({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
                return 0;
            case WM_COMMAND:
                logic_.Execute(LOWORD(wParam));
                return 0;
            default:
                break;
        }
        return CallOriginal(message, wParam, lParam);
    }

    void MoveSelection(bool up) {
        const int count = static_cast<int>(SendMessageA(Window(), LB_GETCOUNT, 0, 0));
        const int caret = count > 0 ? static_cast<int>(SendMessageA(Window(), LB_GETCARETINDEX, 0, 0)) : -1;
        const int next = LineAfterArrow(caret, count, up);
        if (next >= 0) ListBoxWin(false, Window()).SelectOnly(next);
    }

    void ShowPopup(POINT point) {
        if (popup_ == nullptr) return;
        const int selected = static_cast<int>(SendMessageA(Window(), LB_GETSELCOUNT, 0, 0));
        for (const MenuItemState& item : ExchangePopupStates(selected))
            EnableMenuItem(popup_, static_cast<UINT>(item.id), MF_BYCOMMAND | (item.enabled ? MF_ENABLED : MF_GRAYED));
        ClientToScreen(Window(), &point);
        TrackPopupMenu(popup_, TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, 0, Window(), nullptr);
    }

    ExchangeDialog& logic_;
    HMENU popup_;
};

class MovieListExchangeDialog {
  public:
    MovieListExchangeDialog(HINSTANCE instance, Workbench& w, FileWriter& writer)
        : menu_(LoadMenuA(instance, MAKEINTRESOURCEA(IDR_EXCHANGE_MENU))),
          logic_(w, box_, prompts_, writer),
          list_(logic_, menu_ ? GetSubMenu(menu_.get(), 0) : nullptr) {}
    // However the dialog ended, or if it never opened, the offers go: a later import starts from none.
    ~MovieListExchangeDialog() { logic_.Close(); }
    MovieListExchangeDialog(const MovieListExchangeDialog&) = delete;
    MovieListExchangeDialog& operator=(const MovieListExchangeDialog&) = delete;

    INT_PTR Handle(HWND dialog, UINT message, WPARAM wParam) {
        switch (message) {
            case WM_INITDIALOG: {
                HWND list = GetDlgItem(dialog, IDC_EXCHANGE_LIST);
                prompts_.SetOwner(dialog);
                box_.SetWindow(list);
                list_.Attach(list);
                logic_.Open();
                SendMessageA(list, LB_SETCARETINDEX, 0, FALSE);
                SetFocus(list);
                return FALSE;  // the focus is set
            }
            case WM_COMMAND:
                if (LOWORD(wParam) != IDCANCEL) return FALSE;
                EndDialog(dialog, 0);
                return TRUE;
            default:
                return FALSE;
        }
    }

  private:
    OwnedMenu menu_;
    ListBoxWin box_{true};
    WindowPrompts prompts_;
    ExchangeDialog logic_;
    ExchangeListBox list_;
};

// ---- Movie Import Info (234) ----

constexpr COLORREF kValueBackground = RGB(170, 170, 213);

class ImportInfoDialog {
  public:
    explicit ImportInfoDialog(const MediaScratch& offered) : offered_(offered) {}

    INT_PTR Handle(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
            case WM_INITDIALOG:
                valueBrush_.reset(CreateSolidBrush(kValueBackground));
                for (const Field& field : Fields())
                    SetDlgItemTextA(dialog, field.id, field.value ? field.value->c_str() : "");
                return TRUE;
            case WM_CTLCOLORSTATIC:
                if (!IsValue(GetDlgCtrlID(reinterpret_cast<HWND>(lParam)))) return FALSE;
                return PaintValue(reinterpret_cast<HDC>(wParam));
            case WM_COMMAND:
                if (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL) return FALSE;
                EndDialog(dialog, 0);
                return TRUE;
            case WM_DESTROY:
                valueBrush_.reset();
                return FALSE;
            default:
                return FALSE;
        }
    }

  private:
    struct Field {
        int id;
        const std::optional<std::string>& value;
    };
    std::array<Field, 14> Fields() const {
        const MediaFields& f = offered_.fields;
        return {{{IDC_IMPORT_NAME, f.title},
                 {IDC_IMPORT_MEDIUM, offered_.medium},
                 {IDC_IMPORT_FORMAT, f.format},
                 {IDC_IMPORT_CDS, f.cds},
                 {IDC_IMPORT_WIDTH, f.width},
                 {IDC_IMPORT_HEIGHT, f.height},
                 {IDC_IMPORT_LENGTH, f.length},
                 {IDC_IMPORT_VIDEO_BIT_RATE, f.videoBitRate},
                 {IDC_IMPORT_FRAME_RATE, f.frameRate},
                 {IDC_IMPORT_VIDEO_CODEC, f.codec},
                 {IDC_IMPORT_AUDIO_BIT_RATE, f.audioBitRate},
                 {IDC_IMPORT_AUDIO_CODEC, f.audioCodec},
                 {IDC_IMPORT_CHANNELS, f.channels},
                 {IDC_IMPORT_SAMPLES, f.samples}}};
    }

    bool IsValue(int id) const {
        for (const Field& field : Fields())
            if (field.id == id) return true;
        return false;
    }
    // The dialog manager takes the brush a dialog procedure returns for this message.
    INT_PTR PaintValue(HDC dc) const {
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, kValueBackground);
        return reinterpret_cast<INT_PTR>(valueBrush_.get());
    }

    const MediaScratch& offered_;
    OwnedBrush valueBrush_;
};

}  // namespace

void RunExternalsDialog(HINSTANCE instance, HWND owner, Workbench& w, FileWriter& writer) {
    ExternalsDialog dialog(w, writer);
    RunModal(instance, IDD_EXTERNALS, owner, dialog);
}

void RunMovieListExchangeDialog(HINSTANCE instance, HWND owner, Workbench& w, FileWriter& writer) {
    MovieListExchangeDialog dialog(instance, w, writer);
    RunModal(instance, IDD_MOVIE_LIST_EXCHANGE, owner, dialog);
}

void RunImportInfoDialog(HINSTANCE instance, HWND owner, const MediaScratch& offered) {
    ImportInfoDialog dialog(offered);
    RunModal(instance, IDD_MOVIE_IMPORT_INFO, owner, dialog);
}

}  // namespace cl
