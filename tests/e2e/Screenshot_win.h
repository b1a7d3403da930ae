// Screenshots of the program's windows for the end-to-end tests, saved as PNG files.
#pragma once

#include <filesystem>
#include <string>

#include "app/Handle_win.h"
#include "tests/e2e/Harness_win.h"

namespace cl::e2e {

// Brings the window to the front, waits until it shows on the screen and its picture has stopped changing, and
// saves what the screen shows in its rectangle. Another process's window cannot draw itself into our DC
// (PrintWindow draws nothing there), hence the screen copy. Returns "" on success, else what went wrong.
std::string SaveScreenshot(HWND window, const std::filesystem::path& pngFile, Duration timeout = kTimeout);

}  // namespace cl::e2e
