// The cover picture of the database page: a JPEG file loaded into an OLE picture, and its painting beside the
// page's fields.
#pragma once

#include <ole2.h>
#include <olectl.h>

#include <filesystem>

#include "model/base/Handle_win.h"

namespace cl {

// One reference to a loaded picture, or none.
using CoverPicture = OwnedCom<IPicture>;

// The tab of the Movie Info dialog that shows the database page, the only one a cover is painted on.
inline constexpr int kDatabaseTab = 1;

// Loads the picture file at `path` into `picture`, releasing the one held before. A file that cannot be read, is
// empty or larger than any cover, or does not hold a picture leaves `picture` as it was; callers that must show
// none release it first. Returns whether a new picture was loaded.
bool LoadCoverPicture(const std::filesystem::path& path, CoverPicture& picture);

// Part of the database page's painting: when a picture is held and `currentTab` is the database tab, moves the
// page's `frame` control around the picture's place at the right edge of a page `pageClientWidth` pixels wide and
// draws the picture upright into `dc` (see imdb/CoverLayout.h).
void PaintCover(IPicture* picture, HDC dc, int pageClientWidth, HWND frame, int currentTab);

}  // namespace cl
