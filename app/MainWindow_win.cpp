// The main window: start-up, painting, owner-drawn controls, dragging, shut-down; commands go to MainShell.
#include "app/MainWindow_win.h"

#include <commctrl.h>
#include <shellapi.h>
#include <wininet.h>

#include "app/DataDirectory.h"
#include "model/base/ScopeExit.h"
#include "res/ResourceIds.h"
#include "ui/Dialogs_win.h"
#include "ui/Printing_win.h"

namespace cl {
namespace {

constexpr char kWindowClass[] = "CineLedger";
constexpr char kWindowTitle[] = "CineLedger";
constexpr char kMenuResource[] = "CINELEDGER";

std::string ModulePath() {
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, length);
}

COLORREF ToColorRef(const SkinColor& color) {
    return RGB(color.Red(), color.Green(), color.Blue());
}

HWND CreateChild(HWND parent, HINSTANCE instance, const char* className, DWORD style, int id, int x, int y, int width,
                 int height) {
    return CreateWindowExA(0, className, nullptr, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance) : instance_(instance) {}

int MainWindow::Run(HINSTANCE instance, int showCommand) {
    // The window's state lives for the whole process; the loop below is its lifetime.
    auto self = std::make_unique<MainWindow>(instance);

    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_CINELEDGER));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kWindowClass;
    if (RegisterClassA(&wc) == 0) return 1;

    // The skin is loaded while the window is created, so its size is not known yet; ShapeAndShow sets it.
    HWND window = CreateWindowExA(0, kWindowClass, kWindowTitle, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                  CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr, nullptr, instance, self.get());
    if (window == nullptr) return 1;
    // A skin that failed has shown its message and asked the program to end; the window is never shown then.
    if (self->skinLoaded_)
        Guarded(
            [&] {
                self->ShapeAndShow(showCommand);
                return 0;
            },
            0);

    HACCEL accelerators = LoadAcceleratorsA(instance, kMenuResource);
    MSG msg = {};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (accelerators != nullptr && TranslateAcceleratorA(window, accelerators, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    // The window goes before the object its procedure reaches.
    if (IsWindow(window)) DestroyWindow(window);
    return static_cast<int>(msg.wParam);
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* self = static_cast<MainWindow*>(create->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    return Guarded([&] { return self->Handle(message, wParam, lParam); }, LRESULT{0});
}

LRESULT MainWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            OnCreate();
            return 0;
        case WM_DESTROY:
            listBrush_.reset();
            ShowWindow(window_, SW_HIDE);
            PostQuitMessage(0);
            return 0;
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_CLOSE:
            OnClose();
            return 0;
        case WM_DRAWITEM:
            OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return 0;
        case WM_CTLCOLORLISTBOX:
            return OnListColors(reinterpret_cast<HDC>(wParam));
        case WM_LBUTTONDOWN:
            // No caption to drag: every point of the body moves the window.
            SetFocus(window_);
            SendMessageA(window_, WM_NCLBUTTONDOWN, HTCAPTION, 0);
            return 0;
        case WM_COMMAND:
            if (shell_ && !ending_) shell_->Execute(LOWORD(wParam));
            return 0;
        default:
            return DefWindowProcA(window_, message, wParam, lParam);
    }
}

bool MainWindow::OnCreate() {
    dataDirectory_ = DataDirectoryFromModulePath(ModulePath());

    if (LoadSkinAtStart(dataDirectory_, skin_, bitmaps_, *this) != SkinStartResult::Loaded) {
        PostQuitMessage(0);
        return false;
    }
    skinLoaded_ = true;

    logoHandler_.cursor = LoadCursorA(instance_, MAKEINTRESOURCEA(IDC_LOGO_CURSOR));
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_INTERNET_CLASSES};
    InitCommonControlsEx(&controls);
    listBrush_.reset(CreateSolidBrush(ToColorRef(skin_.listBox.background)));
    fonts_ = CreateSkinFonts();

    SetCurrentDirectoryA(dataDirectory_.c_str());
    shell_ = std::make_unique<MainShell>(collection_, dataDirectory_,
                                         ShellParts{*this, listBox_, *this, *this, SystemClock(), DefaultFileWriter()});
    shell_->SetHomePage(skin_.homepage);

    menuResource_.reset(LoadMenuA(instance_, kMenuResource));
    if (menuResource_) mainMenu_ = GetSubMenu(menuResource_.get(), 0);
    listMenuResource_.reset(LoadMenuA(instance_, MAKEINTRESOURCEA(IDR_LIST_MENU)));
    if (listMenuResource_) listMenu_ = GetSubMenu(listMenuResource_.get(), 0);

    shell_->LoadAtStart();
    CreateChildren();
    movieList_ = std::make_unique<MainMovieList>(shell_->Bench(), window_, listMenu_);
    movieList_->Attach(list_);
    return true;
}

void MainWindow::CreateChildren() {
    std::array<HWND, kSkinButtonCount> buttons{};
    for (std::size_t i = 0; i < kSkinButtonCount; ++i) {
        const ButtonLookGeometry& look = skin_.buttons[i].Look(ButtonLook::Default);
        buttons[i] = CreateChild(window_, instance_, "BUTTON", WS_CLIPSIBLINGS | BS_OWNERDRAW,
                                 kSkinButtons[i].controlId, look.destX, look.destY, look.width, look.height);
    }

    const SkinListBox& box = skin_.listBox;
    list_ = CreateChild(window_, instance_, "LISTBOX",
                        WS_BORDER | WS_VSCROLL | WS_HSCROLL | LBS_NOTIFY | LBS_SORT | LBS_EXTENDEDSEL, IDC_MOVIE_LIST,
                        box.x, box.y, box.width, box.height);
    ShowWindow(list_, SW_HIDE);
    // Lines as tall as the list's font at its unscaled size, so that the skin's box holds as many as it was drawn for.
    if (fonts_.list) SendMessageA(list_, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.list.get()), FALSE);
    listBox_.SetWindow(list_);

    for (std::size_t i = 0; i < kSkinStatusCount; ++i) {
        const SkinStatusField& field = skin_.status[i];
        statusFields_[i] = CreateChild(window_, instance_, "STATIC", SS_OWNERDRAW, kSkinStatusFields[i].controlId,
                                       field.x, field.y, field.width, field.height);
    }

    tooltip_.reset(CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, instance_, nullptr));

    const SkinLogo& logo = skin_.logo;
    logo_ = CreateChild(window_, instance_, "STATIC", SS_OWNERDRAW | SS_NOTIFY, IDC_LOGO, logo.x, logo.y, logo.width,
                        logo.height);
    logoHandler_.Attach(logo_);

    buttons_.Attach(window_, buttons);
    buttons_.AddTooltips(tooltip_.get());
    ShowViewMark(ViewMark::Main);
}

void MainWindow::ShapeAndShow(int showCommand) {
    LONG_PTR style = GetWindowLongPtrA(window_, GWL_STYLE);
    SetWindowLongPtrA(window_, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_CAPTION | WS_THICKFRAME));
    OwnedRegion region = RegionFromBitmap(bitmaps_.Main(), skin_.mask);
    if (region && SetWindowRgn(window_, region.get(), TRUE) != 0) region.release();  // the window owns it now
    SetWindowPos(window_, nullptr, 0, 0, skin_.windowWidth, skin_.windowHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
    buttons_.BuildLooks(skin_, bitmaps_);
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
}

LRESULT MainWindow::Logo::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETCURSOR && cursor != nullptr) {
        SetCursor(cursor);
        return 0;
    }
    return CallOriginal(message, wParam, lParam);
}

void MainWindow::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    if (skinLoaded_) PaintSkinBackground(dc, skin_, bitmaps_);
    EndPaint(window_, &paint);
}

void MainWindow::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (!skinLoaded_) return;
    if (item.CtlType == ODT_BUTTON) {
        buttons_.Draw(item, skin_, bitmaps_);
        return;
    }
    if (item.CtlType != ODT_STATIC) return;
    const std::string* texts[kSkinStatusCount] = {&status_.caption, &status_.count, &status_.selection};
    for (std::size_t i = 0; i < kSkinStatusCount; ++i) {
        if (item.hwndItem == statusFields_[i]) {
            DrawStatusField(item, skin_.status[i], bitmaps_, *texts[i], fonts_.status.get());
            return;
        }
    }
    if (item.hwndItem == logo_ && logo_ != nullptr) DrawLogo(item, bitmaps_);
}

LRESULT MainWindow::OnListColors(HDC dc) {
    SetTextColor(dc, ToColorRef(skin_.listBox.text));
    SetBkColor(dc, ToColorRef(skin_.listBox.background));
    SetBkMode(dc, TRANSPARENT);
    SelectObject(dc, fonts_.list ? static_cast<HGDIOBJ>(fonts_.list.get()) : GetStockObject(SYSTEM_FONT));
    return reinterpret_cast<LRESULT>(listBrush_.get());
}

void MainWindow::OnClose() {
    if (ending_) return;
    if (shell_ && !shell_->ConfirmClose()) return;
    EndProgram();
}

void MainWindow::EndProgram() {
    ending_ = true;
    listBrush_.reset();
    ShowWindow(window_, SW_HIDE);
    bitmaps_.Free();
    PostQuitMessage(0);
}

void MainWindow::ChangeSkin(const std::string& folder, Prompts& messages) {
    // The window's side of the change, reached from ApplySkin between hiding and showing the window.
    class Target final : public SkinTarget {
      public:
        explicit Target(MainWindow& w) : w_(w) {}
        bool Load(SkinBitmap which, const std::string& path) override { return w_.bitmaps_.Load(which, path); }
        void Hide() override { ShowWindow(w_.window_, SW_HIDE); }
        void FreeBitmaps() override { w_.bitmaps_.Free(); }
        void Reshape(const SkinScript&) override { w_.FitChildrenToSkin(); }
        void Show() override {
            ShowWindow(w_.window_, SW_SHOW);
            RedrawWindow(w_.window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        }

      private:
        MainWindow& w_;
    } target(*this);
    ApplySkin(dataDirectory_, folder, skin_, target, messages, DefaultFileWriter());
    SetCurrentDirectoryA(dataDirectory_.c_str());
}

void MainWindow::FitChildrenToSkin() {
    OwnedRegion region = RegionFromBitmap(bitmaps_.Main(), skin_.mask);
    if (region && SetWindowRgn(window_, region.get(), FALSE) != 0) {
        region.release();  // the window owns it now
    } else {
        SetWindowRgn(window_, nullptr, FALSE);
    }
    SetWindowPos(window_, nullptr, 0, 0, skin_.windowWidth, skin_.windowHeight, SWP_NOMOVE | SWP_NOZORDER);
    for (std::size_t i = 0; i < kSkinButtonCount; ++i) {
        const ButtonLookGeometry& look = skin_.buttons[i].Look(ButtonLook::Default);
        MoveWindow(buttons_.Window(i), look.destX, look.destY, look.width, look.height, FALSE);
    }
    buttons_.BuildLooks(skin_, bitmaps_);
    const SkinListBox& box = skin_.listBox;
    MoveWindow(list_, box.x, box.y, box.width, box.height, FALSE);
    for (std::size_t i = 0; i < kSkinStatusCount; ++i) {
        const SkinStatusField& field = skin_.status[i];
        MoveWindow(statusFields_[i], field.x, field.y, field.width, field.height, FALSE);
    }
    if (logo_ != nullptr) MoveWindow(logo_, skin_.logo.x, skin_.logo.y, skin_.logo.width, skin_.logo.height, FALSE);
    listBrush_.reset(CreateSolidBrush(ToColorRef(skin_.listBox.background)));
    shell_->SetHomePage(skin_.homepage);
}

// ---- Prompts and status ----

void MainWindow::ShowMessage(std::string_view text, std::string_view caption, MessageIcon icon) {
    ShowMessageBox(window_, text, caption, icon);
}

bool MainWindow::Ask(std::string_view text, std::string_view caption, MessageIcon icon, bool noByDefault) {
    return AskYesNo(window_, text, caption, noByDefault, icon);
}

void MainWindow::ShowStatus(const StatusTexts& status) {
    status_ = status;
    // The fields are owner-drawn, but each also carries its text as window text for screen readers and tests.
    const std::string* texts[kSkinStatusCount] = {&status_.caption, &status_.count, &status_.selection};
    for (std::size_t i = 0; i < kSkinStatusCount; ++i) {
        SetWindowTextA(statusFields_[i], texts[i]->c_str());
        InvalidateRect(statusFields_[i], nullptr, TRUE);
    }
}

void MainWindow::ShowViewMark(ViewMark mark) {
    if (mainMenu_ == nullptr) return;
    for (ViewMark each : {ViewMark::Main, ViewMark::Upcoming, ViewMark::InternalGimme, ViewMark::ImportedGimme}) {
        CheckMenuItem(mainMenu_, static_cast<UINT>(ViewMarkCommand(each)),
                      MF_BYCOMMAND | (each == mark ? MF_CHECKED : MF_UNCHECKED));
    }
}

// ---- ShellUi ----

void MainWindow::CloseLogo() {
    if (logo_ != nullptr) {
        ShowWindow(logo_, SW_HIDE);
        DestroyWindow(logo_);
        logo_ = nullptr;
    }
    ShowWindow(list_, SW_SHOW);
}

void MainWindow::ShowMainMenu() {
    if (mainMenu_ == nullptr) return;
    RECT button = {};
    GetWindowRect(buttons_.Window(static_cast<std::size_t>(SkinButtonId::Menu)), &button);
    TrackPopupMenu(mainMenu_, TPM_LEFTALIGN, button.left, button.top, 0, window_, nullptr);
}

void MainWindow::Minimize() {
    ShowWindow(window_, SW_MINIMIZE);
}

void MainWindow::RequestClose() {
    SendMessageA(window_, WM_CLOSE, 0, 0);
}

// ---- Dialogs ----

AddEditOutcome MainWindow::AddEdit(const AddEditRequest& request) {
    return RunAddEditDialog(instance_, window_, shell_->Bench(), request);
}

std::optional<std::string> MainWindow::ChangePresence(PresenceChange& change) {
    return RunPresenceDialog(instance_, window_, change);
}

// Owned by the main window wherever it opens from. A dialog already open over the main window (the search results)
// takes no input meanwhile, so no second movie's details can open over the first's.
void MainWindow::MovieInfo() {
    HWND over = InnermostDialog(window_);
    const bool takeOver = over != window_ && IsWindowEnabled(over);
    if (takeOver) EnableWindow(over, FALSE);
    const ScopeExit giveBack([&] {
        if (!takeOver) return;
        EnableWindow(over, TRUE);
        SetActiveWindow(over);
    });
    RunMovieInfoDialog(instance_, window_, shell_->Bench(), shell_->List());
}

void MainWindow::Open(SimpleDialog dialog) {
    Workbench& w = shell_->Bench();
    MainList& list = shell_->List();
    switch (dialog) {
        case SimpleDialog::Find:
            RunFindDialog(instance_, window_, w, list_);
            break;
        case SimpleDialog::PasswordEntry:
            RunPasswordEntryDialog(instance_, window_, collection_, list);
            list.Box().Focus();
            break;
        case SimpleDialog::PasswordChange:
            if (RunPasswordChangeDialog(instance_, window_, collection_)) list.Box().Focus();
            break;
        case SimpleDialog::Settings:
            RunSettingsDialog(instance_, window_, collection_, list, dataDirectory_, DefaultFileWriter());
            list.Box().Focus();
            break;
        case SimpleDialog::Quarantine:
            RunQuarantineDialog(instance_, window_, collection_);
            list.Box().Focus();
            break;
        case SimpleDialog::UpcomingLocations:
            RunUpcomingLocationsDialog(instance_, window_, w);
            break;
        case SimpleDialog::MainLocations:
            RunMainLocationsDialog(instance_, window_, collection_, list);
            break;
        case SimpleDialog::CategorySearch:
            RunCategorySearchDialog(instance_, window_, collection_, list);
            break;
        case SimpleDialog::Externals:
            RunExternalsDialog(instance_, window_, w, DefaultFileWriter());
            list.Box().Focus();
            break;
        case SimpleDialog::Print:
            RunPrintCommand(instance_, window_, w);
            break;
        case SimpleDialog::About:
            RunAboutDialog(instance_, window_, skin_, *this);
            list.Box().Focus();
            break;
        case SimpleDialog::ReadHelp:
            RunDocumentationDialog(instance_, window_);
            list.Box().Focus();
            break;
        case SimpleDialog::Skins:
            RunSkinsDialog(instance_, window_, dataDirectory_, *this,
                           [this](const std::string& folder, Prompts& messages) { ChangeSkin(folder, messages); });
            break;
        case SimpleDialog::ExportSource:
            RunExportSourceDialog(instance_, window_, w);
            list.Box().Focus();
            break;
        case SimpleDialog::ServerStatus:
            RunServerStatusDialog(instance_, window_, w);
            break;
    }
}

// The exchange's dialogs and file choices open from inside other dialogs (Externals, Movie List Exchange), which
// own them.
void MainWindow::MovieListExchange() {
    RunMovieListExchangeDialog(instance_, InnermostDialog(window_), shell_->Bench(), DefaultFileWriter());
}

void MainWindow::ImportInfo(const MediaScratch& offered) {
    RunImportInfoDialog(instance_, InnermostDialog(window_), offered);
}

std::optional<std::string> MainWindow::OpenFile() {
    return ChooseListFile(InnermostDialog(window_), FileChoice::Open, shell_->Bench().state.listFile);
}

std::optional<std::string> MainWindow::SaveFile() {
    return ChooseListFile(InnermostDialog(window_), FileChoice::Save, shell_->Bench().state.listFile);
}

// ---- Desktop ----

bool MainWindow::IsConnected() {
    DWORD flags = 0;
    return InternetGetConnectedState(&flags, 0) != FALSE;
}

bool MainWindow::AttemptConnect() {
    return InternetAttemptConnect(0) == ERROR_SUCCESS;
}

void MainWindow::OpenWithShell(std::string_view target) {
    const std::string address(target);
    ShellExecuteA(window_, "open", address.c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
}

void MainWindow::Beep() {
    MessageBeep(MB_ICONEXCLAMATION);
}

}  // namespace cl
