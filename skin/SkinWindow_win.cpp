// The skin on screen: bitmaps, regions, buttons, painting.
#include "skin/SkinWindow_win.h"

#include <commctrl.h>

#include <vector>

#include "skin/Region.h"

namespace cl {
namespace {

// The hook and the timer callbacks carry no context of their own; there is one set of skinned buttons per program,
// living on the user-interface thread.
SkinButtons* g_buttons = nullptr;

COLORREF ToColorRef(const SkinColor& color) {
    return RGB(color.Red(), color.Green(), color.Blue());
}

OwnedRegion RegionFromRects(const std::vector<PixelRect>& rects) {
    // RGNDATA: a header followed by the rectangles, built in one buffer so that one call makes the region.
    std::vector<std::byte> buffer(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    auto* header = reinterpret_cast<RGNDATAHEADER*>(buffer.data());
    header->dwSize = sizeof(RGNDATAHEADER);
    header->iType = RDH_RECTANGLES;
    header->nCount = static_cast<DWORD>(rects.size());
    header->nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
    PixelRect bounds = Bounds(rects);
    header->rcBound = RECT{bounds.left, bounds.top, bounds.right, bounds.bottom};
    auto* out = reinterpret_cast<RECT*>(buffer.data() + sizeof(RGNDATAHEADER));
    for (std::size_t i = 0; i < rects.size(); ++i)
        out[i] = RECT{rects[i].left, rects[i].top, rects[i].right, rects[i].bottom};
    HRGN region =
        ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), reinterpret_cast<const RGNDATA*>(buffer.data()));
    if (region == nullptr) region = CreateRectRgn(0, 0, 0, 0);  // every pixel masked: an empty window
    return OwnedRegion(region);
}

}  // namespace

bool SkinBitmaps::Load(SkinBitmap which, const std::string& path) {
    // Without LR_CREATEDIBSECTION the file becomes a device-dependent bitmap at its own size.
    HANDLE image = LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    if (image == nullptr) return false;
    OwnedBitmap bitmap(static_cast<HBITMAP>(image));
    switch (which) {
        case SkinBitmap::Main:
            main_ = std::move(bitmap);
            break;
        case SkinBitmap::Button:
            button_ = std::move(bitmap);
            break;
        case SkinBitmap::Logo:
            logo_ = std::move(bitmap);
            break;
    }
    return true;
}

void SkinBitmaps::Free() {
    main_.reset();
    button_.reset();
    logo_.reset();
}

OwnedRegion RegionFromBitmap(HBITMAP bitmap, const SkinColor& mask) {
    BITMAP info = {};
    if (bitmap == nullptr || GetObjectA(bitmap, sizeof(info), &info) == 0) return {};
    const int width = info.bmWidth / 4 * 4;
    const int height = info.bmHeight;
    if (width <= 0 || height <= 0) return {};

    // Top-down 24-bit rows; with a width that is a multiple of 4 each row is exactly width * 3 bytes, which is
    // already DWORD-aligned.
    BITMAPINFO request = {};
    request.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    request.bmiHeader.biWidth = width;
    request.bmiHeader.biHeight = -height;
    request.bmiHeader.biPlanes = 1;
    request.bmiHeader.biBitCount = 24;
    request.bmiHeader.biCompression = BI_RGB;
    const std::size_t stride = static_cast<std::size_t>(width) * 3;
    std::vector<std::uint8_t> pixels(stride * static_cast<std::size_t>(height));
    OwnedWindowDc screen = GetWindowDcOwned(nullptr);
    if (GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(height), pixels.data(), &request, DIB_RGB_COLORS) !=
        height)
        return {};

    BgrPixels image{width, height, stride, pixels};
    auto rects = RegionFromPixels(image, MaskColor{mask.Red(), mask.Green(), mask.Blue()});
    if (!rects) return {};
    return RegionFromRects(*rects);
}

void BlitFromBitmap(HDC target, HBITMAP bitmap, int sourceX, int sourceY, int width, int height) {
    if (bitmap == nullptr) return;
    OwnedDc memory(CreateCompatibleDC(target));
    if (!memory) return;
    SelectGuard select(memory.get(), bitmap);
    BitBlt(target, 0, 0, width, height, memory.get(), sourceX, sourceY, SRCCOPY);
}

void PaintSkinBackground(HDC target, const SkinScript& skin, const SkinBitmaps& bitmaps) {
    BlitFromBitmap(target, bitmaps.Main(), 0, 0, skin.windowWidth, skin.windowHeight);
}

namespace {

OwnedFont UnscaledStockFont(int stockFont, int dpi) {
    LOGFONTA font{};
    if (GetObjectA(GetStockObject(stockFont), sizeof font, &font) != sizeof font || dpi <= 0) return {};
    font.lfHeight = MulDiv(font.lfHeight, USER_DEFAULT_SCREEN_DPI, dpi);
    font.lfWidth = 0;  // the face's own proportions at that height
    return OwnedFont(CreateFontIndirectA(&font));
}

}  // namespace

SkinFonts CreateSkinFonts() {
    const OwnedWindowDc screen = GetWindowDcOwned(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : USER_DEFAULT_SCREEN_DPI;
    return {UnscaledStockFont(SYSTEM_FONT, dpi), UnscaledStockFont(SYSTEM_FIXED_FONT, dpi)};
}

void DrawStatusField(const DRAWITEMSTRUCT& item, const SkinStatusField& field, const SkinBitmaps& bitmaps,
                     const std::string& text, HFONT font) {
    BlitFromBitmap(item.hDC, bitmaps.Main(), field.x, field.y, field.width, field.height);
    SetTextColor(item.hDC, ToColorRef(field.text));
    SetBkMode(item.hDC, TRANSPARENT);
    SelectGuard selected(item.hDC, font != nullptr ? font : GetStockObject(SYSTEM_FIXED_FONT));
    RECT area = item.rcItem;
    area.left += field.textOffsetX;
    area.top += field.textOffsetY;
    DrawTextA(item.hDC, text.c_str(), static_cast<int>(text.size()), &area, DT_LEFT | DT_TOP | DT_NOPREFIX);
}

void DrawLogo(const DRAWITEMSTRUCT& item, const SkinBitmaps& bitmaps) {
    BlitFromBitmap(item.hDC, bitmaps.Logo(), 0, 0, 310, 200);
}

// ---- Buttons ----

SkinButtons::~SkinButtons() {
    if (g_buttons == this) g_buttons = nullptr;
}

void SkinButtons::Attach(HWND mainWindow, const std::array<HWND, kSkinButtonCount>& buttons) {
    mainWindow_ = mainWindow;
    windows_ = buttons;
    looks_.fill(ButtonLook::Default);
    g_buttons = this;
    for (std::size_t i = 0; i < kSkinButtonCount; ++i) {
        buttons_[i].owner = this;
        buttons_[i].Attach(windows_[i]);
    }
}

void SkinButtons::BuildLooks(const SkinScript& skin, const SkinBitmaps& bitmaps) {
    OwnedWindowDc windowDc = GetWindowDcOwned(mainWindow_);
    for (std::size_t i = 0; i < kSkinButtonCount; ++i) {
        const ButtonLookGeometry& look = skin.buttons[i].Look(ButtonLook::Default);
        defaultLooks_[i].reset(CreateCompatibleBitmap(windowDc.get(), look.width, look.height));
        if (!defaultLooks_[i]) continue;
        OwnedDc target(CreateCompatibleDC(windowDc.get()));
        SelectGuard select(target.get(), defaultLooks_[i].get());
        BlitFromBitmap(target.get(), bitmaps.Button(), look.sourceX, look.sourceY, look.width, look.height);
    }
    for (std::size_t i = 0; i < kSkinButtonCount; ++i) {
        OwnedRegion region = RegionFromBitmap(defaultLooks_[i].get(), skin.mask);
        // The window owns the region once it is set.
        if (region && windows_[i] != nullptr && SetWindowRgn(windows_[i], region.get(), TRUE) != 0) region.release();
    }
}

void SkinButtons::AddTooltips(HWND tooltip) {
    tooltip_ = tooltip;
    for (std::size_t i = 0; i < kSkinButtonCount; ++i) {
        std::string text(kSkinButtons[i].tooltip);
        TOOLINFOA tool = {};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_IDISHWND;
        tool.hwnd = mainWindow_;
        tool.uId = reinterpret_cast<UINT_PTR>(windows_[i]);
        tool.lpszText = text.data();
        SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    if (!hook_) hook_.reset(SetWindowsHookExA(WH_GETMESSAGE, MessageHook, nullptr, GetCurrentThreadId()));
}

bool SkinButtons::Draw(const DRAWITEMSTRUCT& item, const SkinScript& skin, const SkinBitmaps& bitmaps) const {
    int index = IndexOf(item.hwndItem);
    if (index < 0) return false;
    const ButtonLookGeometry& look =
        skin.buttons[static_cast<std::size_t>(index)].Look(looks_[static_cast<std::size_t>(index)]);
    BlitFromBitmap(item.hDC, bitmaps.Button(), look.sourceX, look.sourceY, look.width, look.height);
    return true;
}

int SkinButtons::IndexOf(HWND window) const {
    for (std::size_t i = 0; i < kSkinButtonCount; ++i)
        if (windows_[i] == window && window != nullptr) return static_cast<int>(i);
    return -1;
}

void SkinButtons::SetLook(HWND window, ButtonLook look) {
    int index = IndexOf(window);
    if (index < 0) return;
    looks_[static_cast<std::size_t>(index)] = look;
    InvalidateRect(window, nullptr, FALSE);
}

LRESULT SkinButtons::Button::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    return owner->ButtonMessage(*this, message, wParam, lParam);
}

LRESULT SkinButtons::ButtonMessage(Button& button, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = button.Window();
    SkinButtons* self = this;
    switch (message) {
        case WM_MOUSEMOVE:
            self->SetLook(window, ButtonLook::Hover);
            SetTimer(window, 0, 10, HoverTimer);
            return 0;
        case WM_LBUTTONDOWN:
            self->SetLook(window, ButtonLook::Clicked);
            return 0;
        case WM_LBUTTONUP: {
            if (self->tooltip_ != nullptr) SendMessageA(self->tooltip_, TTM_POP, 0, 0);
            self->SetLook(window, ButtonLook::Hover);
            // Sent on every release over the button, also when the press began elsewhere.
            const int id = GetDlgCtrlID(window);
            SendMessageA(self->mainWindow_, WM_COMMAND, MAKEWPARAM(id, 0), 0);
            return 0;
        }
        default:
            break;
    }
    return button.CallOriginal(message, wParam, lParam);
}

void CALLBACK SkinButtons::HoverTimer(HWND window, UINT, UINT_PTR timer, DWORD) noexcept {
    SkinButtons* self = g_buttons;
    if (self == nullptr) {
        KillTimer(window, timer);
        return;
    }
    POINT pointer = {};
    GetCursorPos(&pointer);
    ScreenToClient(window, &pointer);
    // The button's window region is in window coordinates; for a child without a frame those are its client ones.
    OwnedRegion shape(CreateRectRgn(0, 0, 0, 0));
    bool inside;
    if (GetWindowRgn(window, shape.get()) == ERROR) {
        RECT client = {};
        GetClientRect(window, &client);
        inside = PtInRect(&client, pointer) != 0;
    } else {
        inside = PtInRegion(shape.get(), pointer.x, pointer.y) != 0;
    }
    if (inside) return;
    self->looks_.fill(ButtonLook::Default);
    InvalidateRect(window, nullptr, FALSE);
    KillTimer(window, timer);
}

LRESULT CALLBACK SkinButtons::MessageHook(int code, WPARAM wParam, LPARAM lParam) noexcept {
    SkinButtons* self = g_buttons;
    if (code == HC_ACTION && wParam == PM_REMOVE && self != nullptr && self->tooltip_ != nullptr) {
        auto* message = reinterpret_cast<MSG*>(lParam);
        if (message->message == WM_MOUSEMOVE)
            SendMessageA(self->tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(message));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace cl
