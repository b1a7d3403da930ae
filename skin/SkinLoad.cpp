// Start-up loading of the skin in use.
#include "skin/SkinLoad.h"

#include "model/base/NativePath.h"

namespace cl {

bool LoadSkinBitmaps(std::string_view dataDirectory, const SkinScript& skin, SkinBitmapLoader& loader,
                     Prompts& messages) {
    // The bitmaps come from the folder named by the script's <Name>, which may differ from the folder the script
    // itself was found in.
    const std::string folder = SkinFolderPath(dataDirectory, skin.name);
    struct Step {
        SkinBitmap which;
        const std::string* file;
        std::string_view failure;
    };
    const Step steps[] = {
        {SkinBitmap::Main, &skin.mainBitmap, "Could Not Load Main Bitmap."},
        {SkinBitmap::Button, &skin.buttonBitmap, "Could Not Load Button Bitmap."},
        {SkinBitmap::Logo, &skin.logo.bitmap, "Could Not Load Logo Bitmap."},
    };
    for (const Step& step : steps) {
        if (!loader.Load(step.which, folder + *step.file)) {
            messages.ShowMessage(step.failure, {}, MessageIcon::None);
            return false;
        }
    }
    return true;
}

SkinStartResult LoadSkinAtStart(std::string_view dataDirectory, SkinScript& skin, SkinBitmapLoader& loader,
                                Prompts& messages) {
    if (!ReadSkinIni(dataDirectory, skin)) {
        messages.ShowMessage("Could Not Load File \"CineLedger.ini\"", kSkinScriptErrorCaption, MessageIcon::Stop);
        return SkinStartResult::NoIni;
    }
    if (!LoadSkinScriptFile(PathFromNative(skin.scriptPath), skin, messages)) {
        messages.ShowMessage("Could Not Load Skin Script.", kSkinScriptErrorCaption, MessageIcon::Stop);
        return SkinStartResult::BadScript;
    }
    if (!LoadSkinBitmaps(dataDirectory, skin, loader, messages)) {
        messages.ShowMessage("Could Not Load Skin Bitmaps.", kSkinScriptErrorCaption, MessageIcon::Stop);
        return SkinStartResult::BadBitmaps;
    }
    return SkinStartResult::Loaded;
}

}  // namespace cl
