// The outline of a skinned window: the pixels of a bitmap that do not have the mask colour, as a list of rectangles
// that the Windows side turns into a window region in one call.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace cl {

// Half-open: covers left <= x < right, top <= y < bottom.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const PixelRect&) const = default;
};

struct MaskColor {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
};

// The pixels handed to RegionFromPixels: a top-down 24-bit image, three bytes per pixel in the order blue, green,
// red, each row starting `stride` bytes after the previous one (stride >= width * 3).
struct BgrPixels {
    int width = 0;   // the bitmap's own width; only the largest multiple of 4 not above it is used
    int height = 0;  // rows, top row first
    std::size_t stride = 0;
    std::span<const std::uint8_t> bytes;
};

// The kept pixels of the bitmap cut to a width that is a multiple of 4, whose rows are then exactly width * 3 bytes
// as the window's pixels are fetched. Rectangles come in bands from top to bottom, left to right within a band, and
// never overlap; identical neighbouring rows share one band. nullopt when the pixels cannot be used (negative size,
// a stride shorter than a row, or fewer bytes than the rows need) — the window then keeps no region.
std::optional<std::vector<PixelRect>> RegionFromPixels(const BgrPixels& pixels, MaskColor mask);

// Whether pixel (x, y) lies in one of the rectangles.
bool Contains(const std::vector<PixelRect>& rects, int x, int y);

// Number of pixels covered (the rectangles never overlap).
std::size_t Area(const std::vector<PixelRect>& rects);

// The smallest rectangle holding them all; an empty one for no rectangles.
PixelRect Bounds(const std::vector<PixelRect>& rects);

}  // namespace cl
