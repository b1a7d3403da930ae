// Screen copies of a window (BitBlt from the screen DC into a DIB section) and a small PNG writer: 8-bit RGB in
// stored (uncompressed) deflate blocks, so no image library is needed.
#include "tests/e2e/Screenshot_win.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <string_view>

namespace cl::e2e {
namespace {

void PutBigEndian32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void PutChunk(std::vector<std::uint8_t>& out, std::string_view type, std::span<const std::uint8_t> data) {
    PutBigEndian32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    PutBigEndian32(out, Crc32(std::span(out).subspan(typeAt)));  // over the type and the data
}

// Signature, header, one IDAT of a zlib stream of stored blocks (at most 65535 bytes each), end.
std::vector<std::uint8_t> EncodePng(std::uint32_t width, std::uint32_t height, std::span<const std::uint8_t> rgb) {
    std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    PutBigEndian32(header, width);
    PutBigEndian32(header, height);
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, truecolour, deflate, adaptive filters, no interlace
    PutChunk(out, "IHDR", header);

    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    std::vector<std::uint8_t> raw;
    for (std::uint32_t y = 0; y < height; ++y) {
        raw.push_back(0);  // each row's filter: none
        raw.insert(raw.end(), rgb.begin() + y * rowBytes, rgb.begin() + (y + 1) * rowBytes);
    }
    std::vector<std::uint8_t> zlib = {0x78, 0x01};  // deflate, 32 KiB window, no dictionary, header check
    std::size_t at = 0;
    do {
        const auto length = static_cast<std::uint16_t>(std::min<std::size_t>(65535, raw.size() - at));
        const auto inverse = static_cast<std::uint16_t>(~length);
        zlib.insert(zlib.end(), {at + length == raw.size() ? std::uint8_t{1} : std::uint8_t{0},
                                 static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(length >> 8),
                                 static_cast<std::uint8_t>(inverse), static_cast<std::uint8_t>(inverse >> 8)});
        zlib.insert(zlib.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
                    raw.begin() + static_cast<std::ptrdiff_t>(at + length));
        at += length;
    } while (at < raw.size());
    PutBigEndian32(zlib, Adler32(raw));
    PutChunk(out, "IDAT", zlib);
    PutChunk(out, "IEND", {});
    return out;
}

// The part of the screen inside rect, as RGB rows top to bottom.
std::optional<ScreenCapture> CaptureScreen(const RECT& rect) {
    ScreenCapture capture{rect.right - rect.left, rect.bottom - rect.top, {}};
    if (capture.width <= 0 || capture.height <= 0) return std::nullopt;
    OwnedWindowDc screen = GetWindowDcOwned(nullptr);
    if (!screen) return std::nullopt;
    OwnedDc memory(CreateCompatibleDC(screen.get()));
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, capture.width, -capture.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
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
    capture.rgb.resize(static_cast<std::size_t>(capture.width) * static_cast<std::size_t>(capture.height) * 3);
    for (std::size_t i = 0; i < capture.rgb.size() / 3; ++i)
        for (std::size_t c = 0; c < 3; ++c) capture.rgb[i * 3 + c] = bgrx[i * 4 + 2 - c];
    return capture;
}

// The window's rectangle cut to the screen.
RECT VisibleRect(HWND window) {
    RECT rect = {}, visible = {};
    GetWindowRect(window, &rect);
    RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    IntersectRect(&visible, &rect, &screen);
    return visible;
}

// True when the window (or one of its children) is what the screen shows at the middle of its rectangle.
bool OnTop(HWND window) {
    RECT rect = VisibleRect(window);
    HWND shown = WindowFromPoint(POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
    return shown != nullptr && GetAncestor(shown, GA_ROOT) == window;
}

}  // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> data) {
    static const auto kTable = [] {
        std::array<std::uint32_t, 256> table{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
        return table;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::uint8_t byte : data) crc = kTable[(crc ^ byte) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

std::uint32_t Adler32(std::span<const std::uint8_t> data) {
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return (b << 16) | a;
}

std::uint32_t ScreenCapture::Rgb(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return 0xFFFFFFFFu;
    const std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x) * 3u;
    return std::uint32_t{rgb[at]} << 16 | std::uint32_t{rgb[at + 1]} << 8 | rgb[at + 2];
}

std::optional<ScreenCapture> CaptureWindow(HWND window, Duration timeout) {
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(window);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    if (!IsWindow(window) || !WaitUntil([&] { return OnTop(window); }, timeout)) return std::nullopt;

    // The program paints in its own time and Wine hands the picture to the X server after that: wait until the
    // picture has stayed the same for a while.
    std::optional<ScreenCapture> previous;
    auto unchangedSince = std::chrono::steady_clock::now();
    const bool stable = WaitUntil(
        [&] {
            std::optional<ScreenCapture> current = CaptureScreen(VisibleRect(window));
            const auto now = std::chrono::steady_clock::now();
            if (current && previous && *current == *previous) return now - unchangedSince >= Duration(150);
            previous = std::move(current);
            unchangedSince = now;
            return false;
        },
        timeout);
    return stable ? previous : std::nullopt;
}

std::string Screenshot(HWND window, const std::string& name) {
    const std::filesystem::path pngFile = ScreenshotFolder() / (name + ".png");
    std::optional<ScreenCapture> capture = CaptureWindow(window);
    if (!capture) return "the window did not come to the front or its picture did not settle";
    const std::vector<std::uint8_t> png = EncodePng(static_cast<std::uint32_t>(capture->width),
                                                    static_cast<std::uint32_t>(capture->height), capture->rgb);
    std::ofstream stream(pngFile, std::ios::binary | std::ios::trunc);
    stream.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    return stream ? "" : "cannot write " + pngFile.string();
}

}  // namespace cl::e2e
