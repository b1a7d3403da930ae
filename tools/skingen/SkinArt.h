// The two skins that ship with the program, drawn from code so that they can be rebuilt and checked at any time:
// a dark "Midnight" (the default) and a light "Paper".
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "skin/Bmp.h"
#include "skin/SkinScript.h"

namespace cl::skingen {

struct GeneratedSkin {
    SkinScript script;
    BgrImage main;
    BgrImage buttons;
    BgrImage logo;
};

inline constexpr std::string_view kDefaultSkin = "Midnight";

GeneratedSkin MakeMidnight();
GeneratedSkin MakePaper();
std::vector<GeneratedSkin> AllSkins();

// Writes "<skinsDir>/<name>/<name>.lsk" and the bitmaps the script names, and copies "<screenshots>/<name>.jpg"
// as the skin's screenshot.
bool WriteSkin(const GeneratedSkin& skin, const std::filesystem::path& skinsDir,
               const std::filesystem::path& screenshots, std::string& error);

// Writes "<out>/Skins/<name>/..." for every skin and "<out>/CineLedger.ini" naming the default one.
bool GenerateSkins(const std::filesystem::path& out, const std::filesystem::path& screenshots, std::string& error);

}  // namespace cl::skingen
