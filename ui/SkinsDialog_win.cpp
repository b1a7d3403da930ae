// The Skins dialog (226), the About box (112) and the documentation dialog (124).
#include <windows.h>

#include "imdb/CoverPicture_win.h"
#include "model/base/NativePath.h"
#include "res/ResourceIds.h"
#include "res/SkinDialogIds.h"
#include "ui/Dialogs_win.h"
#include "ui/ReadOnlyGuard_win.h"
#include "ui/SkinsDialog.h"

namespace cl {
namespace {

constexpr COLORREF kSkinValueColor = RGB(170, 170, 213);
constexpr COLORREF kLinkColor = RGB(0, 0, 255);
// Addresses and names are held to the script's own limit for a text value.
constexpr std::size_t kValueLimit = kSkinTextLimit;

// A dialog procedure's answer to a message whose result is not its return value (WM_SETCURSOR).
INT_PTR Answer(HWND dialog, LRESULT result) {
    SetWindowLongPtrA(dialog, DWLP_MSGRESULT, result);
    return TRUE;
}

// The hand over the controls that open an address; the arrow everywhere else is the system's business.
bool ShowHandOver(HWND dialog, WPARAM over, HCURSOR hand, std::initializer_list<int> links) {
    for (int id : links) {
        if (reinterpret_cast<HWND>(over) == GetDlgItem(dialog, id) && hand != nullptr) {
            SetCursor(hand);
            return true;
        }
    }
    return false;
}

// The links are SS_NOTIFY statics, which report a double-click besides its first click: only the click opens one.
bool IsLinkClick(int code) {
    return code == STN_CLICKED;
}

class SkinsDialog {
  public:
    SkinsDialog(HINSTANCE instance, const std::string& dataDirectory, Desktop& desktop, const SkinApplier& apply)
        : instance_(instance), dataDirectory_(dataDirectory), desktop_(desktop), apply_(apply) {}

    void Run(HWND owner) { RunModal(instance_, IDD_SKINS, owner, *this); }

    INT_PTR Handle(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
            case WM_INITDIALOG:
                Open(dialog);
                return TRUE;
            case WM_COMMAND:
                return Command(LOWORD(wParam), HIWORD(wParam));
            case WM_PAINT:
                Paint();
                return TRUE;
            case WM_CTLCOLORSTATIC:
                return ValueColors(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
            case WM_SETCURSOR:
                if (ShowHandOver(dialog, wParam, hand_, {IDC_SKINS_EMAIL, IDC_SKINS_HOMEPAGE}))
                    return Answer(dialog, TRUE);
                break;
            default:
                break;
        }
        return FALSE;
    }

  private:
    // The list box previews the skin double-clicked instead of passing the click on.
    class PreviewList final : public Subclass {
      public:
        SkinsDialog* owner = nullptr;

      private:
        LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam) override {
            if (message != WM_LBUTTONDBLCLK) return CallOriginal(message, wParam, lParam);
            owner->Preview();
            return 0;
        }
    };

    void Open(HWND dialog) {
        dialog_ = dialog;
        prompts_.SetOwner(dialog);
        list_ = GetDlgItem(dialog, IDC_SKINS_LIST);
        previewList_.owner = this;
        previewList_.Attach(list_);
        hand_ = LoadCursorA(instance_, MAKEINTRESOURCEA(IDC_LOGO_CURSOR));
        brush_.reset(CreateSolidBrush(kSkinValueColor));
        // The skins folder stays the current directory, as it would after a file dialog opened there.
        SetCurrentDirectoryA((dataDirectory_ + "Skins\\").c_str());
        for (const std::string& name : ListSkinFolders(dataDirectory_))
            SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        EnableWindow(GetDlgItem(dialog, IDC_SKINS_INSERT), FALSE);
    }

    INT_PTR Command(int id, int code) {
        switch (id) {
            case IDC_SKINS_APPLY:
                if (const std::optional<std::string> name = Selected()) apply_(*name, prompts_);
                return TRUE;
            case IDC_SKINS_EMAIL:
            case IDC_SKINS_HOMEPAGE:
                if (!IsLinkClick(code)) return TRUE;
                OpenAddressLink(id == IDC_SKINS_EMAIL ? AddressLink::Email : AddressLink::HomePage,
                                ControlText(dialog_, id, kValueLimit), false, desktop_, prompts_);
                return TRUE;
            case IDC_SKINS_EXIT:
                brush_.reset();
                picture_.reset();
                preview_.FreeStrings();
                EndDialog(dialog_, 0);
                return TRUE;
            case IDCANCEL:  // Escape: only Exit ends the dialog
            default:
                return TRUE;
        }
    }

    std::optional<std::string> Selected() const {
        const LRESULT index = SendMessageA(list_, LB_GETCURSEL, 0, 0);
        if (index == LB_ERR) return std::nullopt;
        const LRESULT length = SendMessageA(list_, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
        if (length == LB_ERR) return std::nullopt;
        std::string text(static_cast<std::size_t>(length) + 1, '\0');
        SendMessageA(list_, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(length));
        return text;
    }

    void Preview() {
        const std::optional<std::string> name = Selected();
        if (!name) return;
        preview_.FreeStrings();
        picture_.reset();
        std::string author, email, homepage;
        if (!LoadSkinScriptFile(PathFromNative(SkinScriptPath(dataDirectory_, *name)), preview_, prompts_)) {
            prompts_.ShowMessage("Unable to Load Skin Script.", {}, MessageIcon::Stop);
        } else {
            author = preview_.author;
            email = preview_.email;
            homepage = preview_.homepage;
            LoadCoverPicture(PathFromNative(SkinFolderPath(dataDirectory_, preview_.name) + preview_.screenshot),
                             picture_);
        }
        SetDlgItemTextA(dialog_, IDC_SKINS_AUTHOR, author.c_str());
        SetDlgItemTextA(dialog_, IDC_SKINS_EMAIL, email.c_str());
        SetDlgItemTextA(dialog_, IDC_SKINS_HOMEPAGE, homepage.c_str());
        InvalidateRect(dialog_, nullptr, TRUE);
    }

    void Paint() {
        PAINTSTRUCT paint;
        BeginPaint(dialog_, &paint);
        EndPaint(dialog_, &paint);
        if (!picture_) return;
        OLE_XSIZE_HIMETRIC width = 0;
        OLE_YSIZE_HIMETRIC height = 0;
        if (FAILED(picture_.get()->get_Width(&width)) || FAILED(picture_.get()->get_Height(&height))) return;
        HWND frame = GetDlgItem(dialog_, IDC_SKINS_PREVIEW);
        RECT r = {};
        GetClientRect(frame, &r);
        OwnedWindowDc dc = GetWindowDcOwned(frame);
        if (!dc) return;
        const CoverLayout layout = FitPreview(width, height, GetDeviceCaps(dc.get(), LOGPIXELSX),
                                              GetDeviceCaps(dc.get(), LOGPIXELSY), r.right, r.bottom);
        const CoverRect& t = layout.target;
        const CoverRect& s = layout.source;
        picture_.get()->Render(dc.get(), t.x, t.y, t.width, t.height, s.x, s.y, s.width, s.height, nullptr);
    }

    INT_PTR ValueColors(HDC dc, HWND control) {
        const int id = GetDlgCtrlID(control);
        if (id != IDC_SKINS_AUTHOR && id != IDC_SKINS_EMAIL && id != IDC_SKINS_HOMEPAGE) return FALSE;
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, kSkinValueColor);
        return reinterpret_cast<INT_PTR>(brush_.get());
    }

    HINSTANCE instance_;
    const std::string& dataDirectory_;
    Desktop& desktop_;
    const SkinApplier& apply_;
    HWND dialog_ = nullptr;
    HWND list_ = nullptr;
    HCURSOR hand_ = nullptr;
    WindowPrompts prompts_;
    PreviewList previewList_;
    OwnedBrush brush_;
    SkinScript preview_;
    CoverPicture picture_;
};

class AboutDialog {
  public:
    AboutDialog(HINSTANCE instance, const SkinScript& skin, Desktop& desktop)
        : instance_(instance), skin_(skin), desktop_(desktop) {}

    void Run(HWND owner) { RunModal(instance_, IDD_ABOUT, owner, *this); }

    INT_PTR Handle(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
            case WM_INITDIALOG:
                prompts_.SetOwner(dialog);
                face_.reset(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
                hand_ = LoadCursorA(instance_, MAKEINTRESOURCEA(IDC_LOGO_CURSOR));
                SetDlgItemTextA(dialog, IDC_ABOUT_SKIN_NAME, skin_.name.c_str());
                SetDlgItemTextA(dialog, IDC_ABOUT_SKIN_ARTIST, skin_.author.c_str());
                return TRUE;
            case WM_SYSCOLORCHANGE:
                face_.reset(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
                return FALSE;
            case WM_CTLCOLORSTATIC: {
                const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
                if (id != IDC_ABOUT_HOMEPAGE && id != IDC_ABOUT_EMAIL) return FALSE;
                HDC dc = reinterpret_cast<HDC>(wParam);
                SetTextColor(dc, kLinkColor);
                SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
                SetBkMode(dc, TRANSPARENT);
                return reinterpret_cast<INT_PTR>(face_.get());
            }
            case WM_SETCURSOR:
                if (ShowHandOver(dialog, wParam, hand_, {IDC_ABOUT_HOMEPAGE, IDC_ABOUT_EMAIL}))
                    return Answer(dialog, TRUE);
                return FALSE;
            case WM_COMMAND:
                switch (LOWORD(wParam)) {
                    case IDC_ABOUT_HOMEPAGE:
                    case IDC_ABOUT_EMAIL: {
                        const int id = LOWORD(wParam);
                        if (!IsLinkClick(HIWORD(wParam))) return TRUE;
                        const bool email = id == IDC_ABOUT_EMAIL;
                        if (OpenAddressLink(email ? AddressLink::Email : AddressLink::HomePage,
                                            ControlText(dialog, id, kValueLimit), email, desktop_, prompts_))
                            End(dialog);
                        return TRUE;
                    }
                    case IDCANCEL:
                        End(dialog);
                        return TRUE;
                    default:
                        return FALSE;
                }
            default:
                return FALSE;
        }
    }

  private:
    void End(HWND dialog) {
        EndDialog(dialog, 0);
        face_.reset();
    }

    HINSTANCE instance_;
    const SkinScript& skin_;
    Desktop& desktop_;
    WindowPrompts prompts_;
    HCURSOR hand_ = nullptr;
    OwnedBrush face_;
};

class DocumentationDialog {
  public:
    explicit DocumentationDialog(HINSTANCE instance) : instance_(instance) {}

    void Run(HWND owner) { RunModal(instance_, IDD_DOCUMENTATION, owner, *this); }

    INT_PTR Handle(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
            case WM_INITDIALOG: {
                black_.reset(CreateSolidBrush(RGB(0, 0, 0)));
                HWND text = GetDlgItem(dialog, IDC_DOC_TEXT);
                SendMessageA(text, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(OEM_FIXED_FONT)), FALSE);
                SetWindowTextA(text, GuideText().c_str());
                guard_.Attach(text);
                // Focus without the whole text selected and without a caret: nothing there can be edited.
                SetFocus(text);
                SendMessageA(text, EM_SETSEL, 0, 0);
                HideCaret(text);
                return FALSE;
            }
            case WM_CTLCOLORSTATIC:
            case WM_CTLCOLOREDIT: {
                if (GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) != IDC_DOC_TEXT) return FALSE;
                HDC dc = reinterpret_cast<HDC>(wParam);
                SetTextColor(dc, RGB(255, 255, 255));
                SetBkColor(dc, RGB(0, 0, 0));
                SelectObject(dc, GetStockObject(OEM_FIXED_FONT));
                return reinterpret_cast<INT_PTR>(black_.get());
            }
            case WM_COMMAND:
                if (LOWORD(wParam) != IDCANCEL) return FALSE;
                EndDialog(dialog, 0);
                black_.reset();
                return TRUE;
            default:
                return FALSE;
        }
    }

  private:
    // The user guide, a text resource kept with the program; empty when the program was built without it.
    std::string GuideText() const {
        HRSRC found = FindResourceA(instance_, "README", "TEXT");
        if (found == nullptr) return {};
        HGLOBAL loaded = LoadResource(instance_, found);
        const char* bytes = loaded != nullptr ? static_cast<const char*>(LockResource(loaded)) : nullptr;
        if (bytes == nullptr) return {};
        return std::string(bytes, SizeofResource(instance_, found));
    }

    HINSTANCE instance_;
    ReadOnlyGuard guard_;
    OwnedBrush black_;
};

}  // namespace

void RunSkinsDialog(HINSTANCE instance, HWND owner, const std::string& dataDirectory, Desktop& desktop,
                    const SkinApplier& apply) {
    SkinsDialog(instance, dataDirectory, desktop, apply).Run(owner);
}

void RunAboutDialog(HINSTANCE instance, HWND owner, const SkinScript& skin, Desktop& desktop) {
    AboutDialog(instance, skin, desktop).Run(owner);
}

void RunDocumentationDialog(HINSTANCE instance, HWND owner) {
    DocumentationDialog(instance).Run(owner);
}

}  // namespace cl
