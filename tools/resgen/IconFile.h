// Icon (.ico) and cursor (.cur) files as the resource compiler takes them: a directory of images, each a 32-bit
// bitmap with straight (not premultiplied) alpha followed by the 1-bit AND mask that older drawing code falls back
// on. The mask is derived from the alpha, so both agree on what is transparent.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace cl::resgen {

// Pixels as 0xAARRGGBB, top row first.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    RgbaImage() = default;
    RgbaImage(int w, int h);  // fully transparent

    bool InBounds(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    void Set(int x, int y, std::uint32_t argb) { pixels[static_cast<std::size_t>(y) * width + x] = argb; }
    std::uint8_t Alpha(int x, int y) const { return static_cast<std::uint8_t>(At(x, y) >> 24); }
};

// One image of the file; the hotspot is only written for cursors.
struct IconImage {
    RgbaImage image;
    int hotspotX = 0;
    int hotspotY = 0;
};

enum class IconKind : std::uint16_t { Icon = 1, Cursor = 2 };

// Largest side a directory entry can describe (256 is written as 0).
inline constexpr int kIconMaxSide = 256;

// The bytes of the file. Images must be 1 to 256 pixels on each side.
std::vector<std::uint8_t> WriteIconFile(IconKind kind, const std::vector<IconImage>& images);

bool WriteBytesFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes, std::string& error);

}  // namespace cl::resgen
