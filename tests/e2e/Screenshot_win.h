// Screenshots of the program's windows for the end-to-end tests, and the PNG writer that saves them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "tests/e2e/Harness_win.h"

namespace cl::e2e {

// What the screen showed in a window's rectangle: RGB rows top to bottom.
struct ScreenCapture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
    // The pixel at (x, y) as 0xRRGGBB; 0xFFFFFFFF outside.
    std::uint32_t Rgb(int x, int y) const;
    bool operator==(const ScreenCapture&) const = default;
};

// Brings the window to the front, waits until it shows on the screen and its picture has stopped changing, and
// copies what the screen shows in its rectangle: another process's window cannot draw itself into our DC
// (PrintWindow draws nothing there). Nothing after the time-out.
std::optional<ScreenCapture> CaptureWindow(HWND window, Duration timeout = kTimeout);
// Saves that picture as ScreenshotFolder()/<name>.png; "" on success, else what went wrong.
std::string Screenshot(HWND window, const std::string& name);

// The PNG writer's checksums: CRC-32 as PNG chunks use it, Adler-32 as zlib streams end with.
std::uint32_t Crc32(std::span<const std::uint8_t> data);
std::uint32_t Adler32(std::span<const std::uint8_t> data);

}  // namespace cl::e2e
