// Start-up loading of the skin in use.
#include "skin/SkinLoad.h"

#include "model/base/NativePath.h"
#include "model/base/ScopeExit.h"

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

namespace {

// One attempt at a skin; the window is hidden and shown around it by the caller.
bool TrySkin(std::string_view dataDirectory, std::string_view folder, SkinScript& skin, SkinTarget& target,
             Prompts& messages, FileWriter& writer) {
    skin.FreeStrings();
    target.FreeBitmaps();
    if (!LoadSkinScriptFile(PathFromNative(SkinScriptPath(dataDirectory, folder)), skin, messages)) {
        messages.ShowMessage("Unable To Load Skin Script.", {}, MessageIcon::Stop);
        return false;
    }
    if (!LoadSkinBitmaps(dataDirectory, skin, target, messages)) {
        messages.ShowMessage("Could Not Load Skin Bitmaps.", kSkinScriptErrorCaption, MessageIcon::Stop);
        return false;
    }
    skin.scriptPath = SkinScriptPath(dataDirectory, folder);
    target.Reshape(skin);
    // The skin is on screen whether or not the ini can be written; the next start then keeps the old one.
    std::string ignored;
    WriteSkinIni(dataDirectory, skin.name, writer, ignored);
    return true;
}

}  // namespace

SkinApplyResult ApplySkin(std::string_view dataDirectory, std::string_view wanted, SkinScript& skin, SkinTarget& target,
                          Prompts& messages, FileWriter& writer) {
    const std::string fallback = skin.name;
    target.Hide();
    // Shown again however the attempts end, a failure that throws included: a hidden main window with no other
    // window of the program on screen could not be brought back by the user.
    const ScopeExit showAgain([&target] { target.Show(); });
    if (TrySkin(dataDirectory, wanted, skin, target, messages, writer)) return SkinApplyResult::Applied;
    return TrySkin(dataDirectory, fallback, skin, target, messages, writer) ? SkinApplyResult::FellBack
                                                                            : SkinApplyResult::Failed;
}

}  // namespace cl
