// Region computation: runs of kept pixels per row, and rows with the same runs stacked into taller rectangles, so
// that a 640 x 480 skin gives a few hundred rectangles rather than three hundred thousand single pixels.
#include "skin/Region.h"

#include <algorithm>
#include <cstdint>

namespace cl {

namespace {

struct Run {
    int left;
    int right;
    bool operator==(const Run&) const = default;
};

void RowRuns(const std::uint8_t* row, int width, MaskColor mask, std::vector<Run>& runs) {
    runs.clear();
    int x = 0;
    while (x < width) {
        auto masked = [&](int px) {
            const std::uint8_t* p = row + static_cast<std::size_t>(px) * 3;
            return p[0] == mask.b && p[1] == mask.g && p[2] == mask.r;
        };
        while (x < width && masked(x)) ++x;
        if (x == width) break;
        const int left = x;
        while (x < width && !masked(x)) ++x;
        runs.push_back({left, x});
    }
}

void EmitBand(const std::vector<Run>& runs, int top, int bottom, std::vector<PixelRect>& out) {
    for (const Run& r : runs) out.push_back({r.left, top, r.right, bottom});
}

}  // namespace

std::optional<std::vector<PixelRect>> RegionFromPixels(const BgrPixels& pixels, MaskColor mask) {
    if (pixels.width < 0 || pixels.height < 0) return std::nullopt;
    const int width = pixels.width - pixels.width % 4;
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    if (pixels.height > 0 && width > 0) {
        if (pixels.stride < rowBytes) return std::nullopt;
        const std::size_t lastRow = static_cast<std::size_t>(pixels.height - 1);
        if (lastRow > (SIZE_MAX - rowBytes) / pixels.stride) return std::nullopt;
        if (pixels.bytes.size() < pixels.stride * lastRow + rowBytes) return std::nullopt;
    }

    std::vector<PixelRect> out;
    std::vector<Run> band;
    std::vector<Run> row;
    int bandTop = 0;
    for (int y = 0; y < pixels.height && width > 0; ++y) {
        RowRuns(pixels.bytes.data() + pixels.stride * static_cast<std::size_t>(y), width, mask, row);
        if (y > 0 && row == band) continue;
        EmitBand(band, bandTop, y, out);
        band.swap(row);
        bandTop = y;
    }
    if (width > 0) EmitBand(band, bandTop, pixels.height, out);
    return out;
}

bool Contains(const std::vector<PixelRect>& rects, int x, int y) {
    return std::any_of(rects.begin(), rects.end(),
                       [&](const PixelRect& r) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; });
}

std::size_t Area(const std::vector<PixelRect>& rects) {
    std::size_t total = 0;
    for (const PixelRect& r : rects) {
        total += static_cast<std::size_t>(r.right - r.left) * static_cast<std::size_t>(r.bottom - r.top);
    }
    return total;
}

PixelRect Bounds(const std::vector<PixelRect>& rects) {
    if (rects.empty()) return {};
    PixelRect b = rects.front();
    for (const PixelRect& r : rects) {
        b.left = std::min(b.left, r.left);
        b.top = std::min(b.top, r.top);
        b.right = std::max(b.right, r.right);
        b.bottom = std::max(b.bottom, r.bottom);
    }
    return b;
}

}  // namespace cl
