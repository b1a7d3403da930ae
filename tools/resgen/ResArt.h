// The pictures CineLedger.exe carries as resources, drawn from code like the shipped skins: the program icon (a film
// reel trailing a strip of film), the pointing hand shown over the logo and over web links, and the picture of the
// "please wait" windows.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "skin/Bmp.h"
#include "tools/resgen/IconFile.h"

namespace cl::resgen {

// The names res/Images.rc gives the files.
inline constexpr std::string_view kIconFile = "CineLedger.ico";
inline constexpr std::string_view kCursorFile = "Logo.cur";
inline constexpr std::string_view kWaitFile = "Wait.bmp";

inline constexpr int kIconSizes[] = {16, 32, 48};
inline constexpr int kCursorSide = 32;
inline constexpr int kWaitWidth = 100;
inline constexpr int kWaitHeight = 75;

// The reel emblem, `size` pixels square, with soft (alpha) edges.
RgbaImage Emblem(int size);

std::vector<IconImage> ProgramIcon();
// Hotspot at the tip of the pointing finger.
IconImage LogoCursor();
BgrImage WaitPicture();

// Writes the three files into `out`, creating it when needed.
bool GenerateResourceImages(const std::filesystem::path& out, std::string& error);

}  // namespace cl::resgen
