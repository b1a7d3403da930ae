// Screenshots of the program's windows for the end-to-end tests, saved as PNG files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "model/base/Handle_win.h"
#include "tests/e2e/Harness_win.h"

namespace cl::e2e {

// What the screen showed in a rectangle: RGB rows top to bottom; left and top say where on the screen.
struct ScreenCapture {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
    // The pixel at (x, y) of the capture as 0xRRGGBB; 0xFFFFFFFF outside.
    std::uint32_t Rgb(int x, int y) const;
    bool operator==(const ScreenCapture& other) const {
        return width == other.width && height == other.height && rgb == other.rgb;
    }
};

// Brings the window to the front and captures its rectangle once the picture has settled (see below).
std::optional<ScreenCapture> CaptureWindow(HWND window, std::string& error, Duration timeout = kTimeout);

// Brings the window to the front, waits until it shows on the screen and its picture has stopped changing, and
// saves what the screen shows in its rectangle. Another process's window cannot draw itself into our DC
// (PrintWindow draws nothing there), hence the screen copy. Returns "" on success, else what went wrong.
std::string SaveScreenshot(HWND window, const std::filesystem::path& pngFile, Duration timeout = kTimeout);

}  // namespace cl::e2e
