// Window regions cut out of bitmaps by the mask colour: the reduced width, exact colour matching, holes and bands,
// unusable pixel blocks, and the rectangles checked against a pixel-by-pixel count on random images.
#include "skin/Region.h"

#include <gtest/gtest.h>

#include <random>

#include "skin/Bmp.h"

namespace cl {
namespace {

constexpr std::uint32_t kMagenta = 0xFF00FF;
constexpr MaskColor kMask{255, 0, 255};

BgrImage Filled(int w, int h, std::uint32_t rgb) {
    BgrImage img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.Set(x, y, rgb);
    return img;
}

std::vector<PixelRect> RegionOf(const BgrImage& img, MaskColor mask = kMask) {
    auto r = RegionFromPixels(img.View(), mask);
    EXPECT_TRUE(r.has_value());
    return r.value_or(std::vector<PixelRect>{});
}

TEST(Region, ColumnsBeyondAMultipleOfFourAreCut) {
    const std::pair<int, int> cases[] = {{0, 0}, {3, 0}, {4, 4}, {7, 4}, {643, 640}};
    for (const auto& [width, kept] : cases) EXPECT_EQ(Area(RegionOf(Filled(width, 3, 0x102030))), kept * 3u) << width;
}

TEST(Region, OnlyTheExactMaskColourIsCutAway) {
    BgrImage img = Filled(8, 2, kMagenta);
    img.Set(5, 1, 0xFF01FF);
    EXPECT_EQ(RegionOf(img), (std::vector<PixelRect>{{5, 1, 6, 2}}));
    // Pixels are blue, green, red in memory: blue 0x0000FF is stored FF 00 00, which a red-first reader would take
    // for the mask 255, 0, 0.
    const BgrImage blue = Filled(4, 1, 0x0000FF);
    EXPECT_EQ(Area(RegionOf(blue, {255, 0, 0})), 4u);
    EXPECT_TRUE(RegionOf(blue, {0, 0, 255}).empty());
}

TEST(Region, HoleSplitsItsRowsAndRowsWithTheSameRunsShareABand) {
    BgrImage img = Filled(8, 6, 0x334455);
    img.Set(3, 2, kMagenta);
    img.Set(3, 3, kMagenta);
    const auto rects = RegionOf(img);
    EXPECT_EQ(rects, (std::vector<PixelRect>{{0, 0, 8, 2}, {0, 2, 3, 4}, {4, 2, 8, 4}, {0, 4, 8, 6}}));
    EXPECT_EQ(Bounds(rects), (PixelRect{0, 0, 8, 6}));
}

TEST(Region, RowStrideLongerThanTheRowIsHonoured) {
    // Rows of 5 pixels padded to 16 bytes; the padding holds mask bytes that must not be read as pixels.
    std::vector<std::uint8_t> bytes(16 * 2, 0xFF);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) bytes[static_cast<std::size_t>(y * 16 + x * 3 + 1)] = 0x00;  // magenta
    bytes[16 + 3 + 1] = 0x80;  // pixel (1, 1) is not magenta
    EXPECT_EQ(RegionFromPixels({5, 2, 16, bytes}, kMask), (std::vector<PixelRect>{{1, 1, 2, 2}}));
}

TEST(Region, UnusablePixelBlocksGiveNoRegion) {
    struct Case {
        const char* what;
        int width, height;
        std::size_t stride, bytes;
        bool usable;
    };
    for (const Case& c :
         {Case{"negative height", 4, -1, 12, 12, false}, Case{"negative width", -4, 1, 12, 12, false},
          Case{"stride shorter than a row", 8, 2, 12, 48, false}, Case{"one byte short", 4, 2, 12, 23, false},
          Case{"stride that overflows", 4, 3, SIZE_MAX / 2, 64, false},
          Case{"last row without padding", 4, 2, 16, 16 + 12, true}}) {
        const std::vector<std::uint8_t> bytes(c.bytes, 0);
        EXPECT_EQ(RegionFromPixels({c.width, c.height, c.stride, bytes}, kMask).has_value(), c.usable) << c.what;
    }
}

TEST(Region, RandomImagesMatchPixelByPixel) {
    std::mt19937 rng(1234);
    for (int round = 0; round < 200; ++round) {
        const int w = static_cast<int>(rng() % 23);
        const int h = static_cast<int>(rng() % 17);
        BgrImage img(w, h);
        const unsigned density = rng() % 4;
        for (int y = 0; y < h; ++y) {
            // Repeat the previous row now and then so that bands of several rows occur.
            if (y > 0 && rng() % 3 == 0) {
                std::copy(img.At(0, y - 1), img.At(0, y - 1) + img.Stride(), img.At(0, y));
                continue;
            }
            for (int x = 0; x < w; ++x) img.Set(x, y, rng() % 4 < density ? kMagenta : 0xFE00FF);
        }
        const auto rects = RegionOf(img);
        std::size_t expectedArea = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const bool in = x < w - w % 4 && img.Rgb(x, y) != kMagenta;
                expectedArea += in ? 1 : 0;
                ASSERT_EQ(Contains(rects, x, y), in) << "round " << round << " at " << x << "," << y;
            }
        }
        // Equal area with every kept pixel covered means no two rectangles overlap.
        EXPECT_EQ(Area(rects), expectedArea);
        for (std::size_t i = 1; i < rects.size(); ++i) {
            const PixelRect& a = rects[i - 1];
            const PixelRect& b = rects[i];
            EXPECT_TRUE(a.top < b.top || (a.top == b.top && a.bottom == b.bottom && a.right < b.left))
                << "rectangles out of band order in round " << round;
        }
    }
}

}  // namespace
}  // namespace cl
