// Uncompressed 24-bit BMP files: the skins' bitmaps are written this way by the skin generator, and tests read them
// back to look at pixels. The reader is bounded: any damage is an error, never a read outside the bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "skin/Region.h"

namespace cl {

// A 24-bit image held top-down, rows packed without padding, pixels as blue, green, red.
struct BgrImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;

    BgrImage() = default;
    BgrImage(int w, int h);  // filled with black

    std::size_t Stride() const { return static_cast<std::size_t>(width) * 3; }
    bool InBounds(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    std::uint8_t* At(int x, int y) { return pixels.data() + static_cast<std::size_t>(y) * Stride() + x * 3u; }
    const std::uint8_t* At(int x, int y) const {
        return pixels.data() + static_cast<std::size_t>(y) * Stride() + x * 3u;
    }
    // The pixel as 0xRRGGBB.
    std::uint32_t Rgb(int x, int y) const;
    void Set(int x, int y, std::uint32_t rgb);

    // The view RegionFromPixels takes.
    BgrPixels View() const { return {width, height, Stride(), pixels}; }
};

// Largest width or height accepted when reading; larger claims are treated as damage.
inline constexpr int kBmpMaxSide = 16384;

// Reads a BMP with a 40-byte (or longer, V4/V5) info header, 24 bits per pixel, no compression, rows bottom-up
// (positive height) or top-down (negative height), each row padded to 4 bytes. False with `error` set otherwise.
bool ReadBmp(std::span<const std::uint8_t> bytes, BgrImage& image, std::string& error);
bool ReadBmpFile(const std::filesystem::path& path, BgrImage& image, std::string& error);

// The file bytes: 14-byte file header, 40-byte info header, padded rows, bottom-up unless `topDown`.
std::vector<std::uint8_t> WriteBmp(const BgrImage& image, bool topDown = false);
bool WriteBmpFile(const std::filesystem::path& path, const BgrImage& image, std::string& error);

}  // namespace cl
