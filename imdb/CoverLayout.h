// Where the cover picture and its frame go on the database page: the picture's own size in pixels, kept unless it
// is both wider and higher than the space beside the page's fields allows.
#pragma once

namespace cl {

struct CoverRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const CoverRect&) const = default;
};

struct CoverLayout {
    CoverRect frame;   // the frame control, in page client coordinates
    CoverRect target;  // where the picture is drawn, in pixels
    // The part of the picture drawn, in its own HIMETRIC units: from the bottom-left corner upwards (a negative
    // height), since HIMETRIC counts y upwards and the screen downwards; the picture then stands upright.
    CoverRect source;
    bool operator==(const CoverLayout&) const = default;
};

// The layout of a picture of himetricWidth x himetricHeight (0.01 mm units) on a device of the given pixels per
// logical inch (rounded to the nearest pixel, halves away from zero, as the system's MulDiv does), on a page whose
// client area is pageWidth pixels wide. A picture more than 100 pixels wide and more than 140 high is drawn at
// 99 x 140 (its proportions are not kept); any other at its own size.
CoverLayout LayOutCover(int himetricWidth, int himetricHeight, int pixelsPerInchX, int pixelsPerInchY, int pageWidth);

}  // namespace cl
