// The skin folders, the preview's fit and the address links.
#include "ui/SkinsDialog.h"

#include <filesystem>
#include <system_error>

#include "model/base/NativePath.h"
#include "skin/SkinScript.h"

namespace cl {

std::vector<std::string> ListSkinFolders(std::string_view dataDirectory) {
    std::vector<std::string> names;
    std::error_code ec;
    const std::filesystem::path skins = PathFromNative(std::string(dataDirectory) + "Skins");
    for (std::filesystem::directory_iterator it(skins, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_directory(typeError)) names.push_back(NativeFromPath(it->path().filename()));
    }
    return names;
}

CoverLayout FitPreview(int himetricWidth, int himetricHeight, int pixelsPerInchX, int pixelsPerInchY, int frameWidth,
                       int frameHeight) {
    const long long width = static_cast<long long>(himetricWidth) * pixelsPerInchX / 2540;
    const long long height = static_cast<long long>(himetricHeight) * pixelsPerInchY / 2540;
    if (width <= 0 || height <= 0) return {};
    // In integers: a ratio in floating point can land a hair under a whole number, which the cut then loses.
    CoverLayout layout;
    layout.frame = {0, 0, frameWidth, frameHeight};
    CoverRect& t = layout.target;
    if (width > height) {
        t.width = frameWidth;
        t.height = static_cast<int>(frameWidth * height / width);
        t.y = (frameHeight - t.height) / 2;
    } else {
        t.height = frameHeight;
        t.width = static_cast<int>(frameHeight * width / height);
        t.x = (frameWidth - t.width) / 2;
    }
    layout.source = {0, himetricHeight, himetricWidth, -himetricHeight};
    return layout;
}

bool OpenAddressLink(AddressLink link, std::string_view address, bool goOnWhenDeclined, Desktop& desktop,
                     Prompts& prompts) {
    if (address.empty()) return false;
    if (!EnsureInternetConnection(desktop, prompts, goOnWhenDeclined ? kConnectOrGoOnQuestion : kConnectQuestion))
        return false;
    desktop.OpenWithShell(link == AddressLink::Email ? "mailto:" + std::string(address) : std::string(address));
    return true;
}

}  // namespace cl
