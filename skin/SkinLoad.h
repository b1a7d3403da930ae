// Loading the skin in use at start-up: the ini file, the script it names and the three bitmaps, each failure with
// its own message. The bitmaps themselves are the Windows side's business, reached through SkinBitmapLoader.
#pragma once

#include <string>
#include <string_view>

#include "skin/SkinScript.h"

namespace cl {

enum class SkinBitmap { Main, Button, Logo };

class SkinBitmapLoader {
  public:
    virtual ~SkinBitmapLoader() = default;
    // Loads one bitmap from a file at its own size; false when it cannot be read.
    virtual bool Load(SkinBitmap which, const std::string& path) = 0;
};

// Loads main, button and logo bitmap from the folder of the skin's name, in that order. The first failure shows
// "Could Not Load Main Bitmap." (or Button, Logo; no caption, no icon) and the later bitmaps are not tried.
bool LoadSkinBitmaps(std::string_view dataDirectory, const SkinScript& skin, SkinBitmapLoader& loader,
                     Prompts& messages);

enum class SkinStartResult { Loaded, NoIni, BadScript, BadBitmaps };

inline constexpr std::string_view kSkinScriptErrorCaption = "Skin Script Error";

// The skin steps of start-up. Each failure shows its message under "Skin Script Error" with the stop icon, after
// whatever the script reader or the bitmap loading showed first; the program then ends.
SkinStartResult LoadSkinAtStart(std::string_view dataDirectory, SkinScript& skin, SkinBitmapLoader& loader,
                                Prompts& messages);

// The main window's side of changing the skin: it loads the bitmaps (SkinBitmapLoader) and is hidden, freed,
// fitted to a loaded skin and shown again.
class SkinTarget : public SkinBitmapLoader {
  public:
    virtual void Hide() = 0;
    virtual void FreeBitmaps() = 0;
    // Cuts the window and buttons from the new bitmaps and moves every child to the skin's places.
    virtual void Reshape(const SkinScript& skin) = 0;
    virtual void Show() = 0;
};

enum class SkinApplyResult { Applied, FellBack, Failed };

// Replaces the skin in use by the skin in the folder `wanted`, with the window hidden meanwhile. A script that
// cannot be loaded shows "Unable To Load Skin Script." (stop icon, no caption), bitmaps that cannot be loaded
// "Could Not Load Skin Bitmaps." under "Skin Script Error"; either way the skin that was in use is applied again
// by the same steps, once: when that fails too the window is shown as it is (Failed). A skin that took is named
// in "CineLedger.ini".
SkinApplyResult ApplySkin(std::string_view dataDirectory, std::string_view wanted, SkinScript& skin, SkinTarget& target,
                          Prompts& messages, FileWriter& writer);

}  // namespace cl
