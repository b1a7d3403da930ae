// Screen copies of a window: BitBlt from the screen DC into a DIB section, then the PNG writer.
#include "tests/e2e/Screenshot_win.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

#include "tests/e2e/Png.h"

namespace cl::e2e {
namespace {

// The part of the screen inside rect, as RGB rows top to bottom.
std::optional<ScreenCapture> CaptureScreen(const RECT& rect) {
    ScreenCapture capture;
    capture.width = rect.right - rect.left;
    capture.height = rect.bottom - rect.top;
    if (capture.width <= 0 || capture.height <= 0) return std::nullopt;

    OwnedWindowDc screen = GetWindowDcOwned(nullptr);
    if (!screen) return std::nullopt;
    OwnedDc memory(CreateCompatibleDC(screen.get()));
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = capture.width;
    info.bmiHeader.biHeight = -capture.height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    OwnedBitmap bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !bitmap || bits == nullptr) return std::nullopt;
    {
        SelectGuard select(memory.get(), bitmap.get());
        if (!BitBlt(memory.get(), 0, 0, capture.width, capture.height, screen.get(), rect.left, rect.top,
                    SRCCOPY | CAPTUREBLT))
            return std::nullopt;
        GdiFlush();
    }
    const auto* bgrx = static_cast<const std::uint8_t*>(bits);
    std::size_t pixels = static_cast<std::size_t>(capture.width) * static_cast<std::size_t>(capture.height);
    capture.rgb.resize(pixels * 3);
    for (std::size_t i = 0; i < pixels; ++i) {
        capture.rgb[i * 3 + 0] = bgrx[i * 4 + 2];
        capture.rgb[i * 3 + 1] = bgrx[i * 4 + 1];
        capture.rgb[i * 3 + 2] = bgrx[i * 4 + 0];
    }
    return capture;
}

// The window's rectangle cut to the screen.
RECT VisibleRect(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT visible = {};
    IntersectRect(&visible, &rect, &screen);
    return visible;
}

// True when the window itself (or one of its children) is what the screen shows at the middle of its rectangle.
bool OnTop(HWND window) {
    RECT rect = VisibleRect(window);
    POINT middle = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    HWND shown = WindowFromPoint(middle);
    return shown != nullptr && GetAncestor(shown, GA_ROOT) == window;
}

}  // namespace

std::uint32_t ScreenCapture::Rgb(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return 0xFFFFFFFFu;
    const std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x) * 3u;
    return static_cast<std::uint32_t>(rgb[at]) << 16 | static_cast<std::uint32_t>(rgb[at + 1]) << 8 | rgb[at + 2];
}

std::optional<ScreenCapture> CaptureWindow(HWND window, std::string& error, Duration timeout) {
    if (!IsWindow(window)) {
        error = "no such window";
        return std::nullopt;
    }
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(window);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    if (!WaitUntil([&] { return OnTop(window); }, timeout)) {
        error = "the window did not come to the front";
        return std::nullopt;
    }

    // The program paints in its own time and Wine hands the picture to the X server after that: wait until the
    // picture has stayed the same for a while.
    constexpr auto kQuiet = std::chrono::milliseconds(150);
    std::optional<ScreenCapture> previous;
    auto unchangedSince = std::chrono::steady_clock::now();
    bool stable = WaitUntil(
        [&] {
            std::optional<ScreenCapture> current = CaptureScreen(VisibleRect(window));
            if (!current) return false;
            auto now = std::chrono::steady_clock::now();
            if (!previous || !(*previous == *current)) {
                previous = std::move(current);
                unchangedSince = now;
                return false;
            }
            return now - unchangedSince >= kQuiet;
        },
        timeout);
    if (!stable || !previous) {
        error = "the window's picture did not settle";
        return std::nullopt;
    }
    RECT rect = VisibleRect(window);
    previous->left = rect.left;
    previous->top = rect.top;
    return previous;
}

std::string SaveScreenshot(HWND window, const std::filesystem::path& pngFile, Duration timeout) {
    std::string error;
    std::optional<ScreenCapture> settled = CaptureWindow(window, error, timeout);
    if (!settled) return error;
    if (!WritePng(pngFile, static_cast<std::uint32_t>(settled->width), static_cast<std::uint32_t>(settled->height),
                  settled->rgb))
        return "cannot write " + pngFile.string();
    return {};
}

}  // namespace cl::e2e
