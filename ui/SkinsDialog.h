// What the Skins and About dialogs decide without the window system: the installed skin folders, where a skin's
// screenshot goes in the preview frame, and what the address links open after the connection check.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "imdb/CoverLayout.h"
#include "ui/Desktop.h"

namespace cl {

// The names of the folders under "<dataDirectory>Skins", "." and ".." not among them, in no particular order
// (the dialog's list box sorts them). None when the folder cannot be read.
std::vector<std::string> ListSkinFolders(std::string_view dataDirectory);

// The screenshot of himetricWidth x himetricHeight (0.01 mm) on a device of the given pixels per logical inch,
// fitted into a frame of frameWidth x frameHeight pixels with its proportions kept: as wide as the frame and
// centred vertically when it is wider than high, else as high as the frame and centred horizontally. Fractions are
// cut toward zero. `source` is the picture's whole HIMETRIC extent from its bottom-left corner, so that it stands
// upright. Nothing (all zero) for a picture without size.
CoverLayout FitPreview(int himetricWidth, int himetricHeight, int pixelsPerInchX, int pixelsPerInchY, int frameWidth,
                       int frameHeight);

// The two address links: the e-mail address opens the mail program with "mailto:", the home page the browser.
enum class AddressLink { Email, HomePage };

// Opens the link after the connection check. The About box's e-mail link still opens when the user declines to
// connect (mail can be written offline); every other link stops there. An empty address opens nothing. True when
// the link was opened.
bool OpenAddressLink(AddressLink link, std::string_view address, bool goOnWhenDeclined, Desktop& desktop,
                     Prompts& prompts);

}  // namespace cl
