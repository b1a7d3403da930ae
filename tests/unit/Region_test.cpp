// Window regions cut out of bitmaps by the mask colour: the reduced width, exact colour matching, holes and pieces,
// and the banded rectangles checked against a pixel-by-pixel count on random images.
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

std::vector<PixelRect> RegionOf(const BgrImage& img) {
    auto r = RegionFromPixels(img.View(), kMask);
    EXPECT_TRUE(r.has_value());
    return r.value_or(std::vector<PixelRect>{});
}

struct WidthCase {
    int width;
    int kept;
};

class RegionWidth : public ::testing::TestWithParam<WidthCase> {};

TEST_P(RegionWidth, RightmostColumnsBeyondAMultipleOfFourAreCut) {
    const auto [width, kept] = GetParam();
    const auto rects = RegionOf(Filled(width, 3, 0x102030));
    if (kept == 0) {
        EXPECT_TRUE(rects.empty());
        return;
    }
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0], (PixelRect{0, 0, kept, 3}));
    EXPECT_TRUE(Contains(rects, kept - 1, 2));
    EXPECT_FALSE(Contains(rects, kept, 0));
}

INSTANTIATE_TEST_SUITE_P(Widths, RegionWidth,
                         ::testing::Values(WidthCase{0, 0}, WidthCase{3, 0}, WidthCase{4, 4}, WidthCase{5, 4},
                                           WidthCase{7, 4}, WidthCase{8, 8}, WidthCase{641, 640}, WidthCase{643, 640}));

class RegionNearMask : public ::testing::TestWithParam<std::uint32_t> {};

TEST_P(RegionNearMask, OneByteOffTheMaskStays) {
    BgrImage img = Filled(8, 2, kMagenta);
    img.Set(5, 1, GetParam());
    const auto rects = RegionOf(img);
    EXPECT_EQ(rects, (std::vector<PixelRect>{{5, 1, 6, 2}}));
}

INSTANTIATE_TEST_SUITE_P(Colours, RegionNearMask,
                         ::testing::Values(0xFE00FF, 0xFF01FF, 0xFF00FE, 0x00FF00, 0xFFFFFF, 0x000000));

TEST(Region, MaskAbsentGivesOneRectangle) {
    const auto rects = RegionOf(Filled(64, 48, 0x00FF00));
    EXPECT_EQ(rects, (std::vector<PixelRect>{{0, 0, 64, 48}}));
}

TEST(Region, AllMaskGivesAnEmptyRegion) {
    EXPECT_TRUE(RegionOf(Filled(16, 16, kMagenta)).empty());
}

TEST(Region, ColoursAreBlueGreenRedInMemory) {
    // A pixel stored as bytes FF 00 FF is magenta whatever the order; 0x0000FF (bytes FF 00 00) is blue, which a
    // red-first reader would mistake for the mask red 255, 0, 0.
    BgrImage img = Filled(4, 1, 0x0000FF);
    auto r = RegionFromPixels(img.View(), MaskColor{255, 0, 0});
    ASSERT_TRUE(r);
    EXPECT_EQ(Area(*r), 4u);
    r = RegionFromPixels(img.View(), MaskColor{0, 0, 255});
    ASSERT_TRUE(r);
    EXPECT_TRUE(r->empty());
}

TEST(Region, HoleSplitsItsRowAndRowsWithTheSameRunsMerge) {
    BgrImage img = Filled(8, 6, 0x334455);
    img.Set(3, 2, kMagenta);
    img.Set(3, 3, kMagenta);
    const auto rects = RegionOf(img);
    const std::vector<PixelRect> expected = {
        {0, 0, 8, 2},
        {0, 2, 3, 4},
        {4, 2, 8, 4},
        {0, 4, 8, 6},
    };
    EXPECT_EQ(rects, expected);
    EXPECT_FALSE(Contains(rects, 3, 2));
    EXPECT_FALSE(Contains(rects, 3, 3));
    EXPECT_TRUE(Contains(rects, 3, 4));
    EXPECT_EQ(Area(rects), 8u * 6u - 2u);
}

TEST(Region, SeveralPiecesStaySeparate) {
    BgrImage img = Filled(12, 4, kMagenta);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) img.Set(x, y, 0x111111);
    for (int y = 2; y < 4; ++y)
        for (int x = 8; x < 12; ++x) img.Set(x, y, 0x222222);
    const auto rects = RegionOf(img);
    EXPECT_EQ(rects, (std::vector<PixelRect>{{0, 0, 3, 2}, {8, 2, 12, 4}}));
    EXPECT_EQ(Bounds(rects), (PixelRect{0, 0, 12, 4}));
}

TEST(Region, RoundedCornersAreNotOneRectangle) {
    BgrImage img = Filled(16, 16, 0x202020);
    for (int i = 0; i < 3; ++i) {
        img.Set(i, 0, kMagenta);
        img.Set(15 - i, 15, kMagenta);
    }
    const auto rects = RegionOf(img);
    EXPECT_GT(rects.size(), 1u);
    EXPECT_FALSE(Contains(rects, 0, 0));
    EXPECT_TRUE(Contains(rects, 3, 0));
    EXPECT_FALSE(Contains(rects, 15, 15));
    EXPECT_EQ(Area(rects), 16u * 16u - 6u);
}

TEST(Region, RowStrideLongerThanTheRowIsHonoured) {
    // Rows of 5 pixels padded to 16 bytes; the padding holds mask bytes that must not be read as pixels.
    std::vector<std::uint8_t> bytes(16 * 2, 0xFF);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) bytes[static_cast<std::size_t>(y * 16 + x * 3 + 1)] = 0x00;  // magenta
    bytes[16 + 3 + 1] = 0x80;  // pixel (1, 1) is not magenta
    const auto r = RegionFromPixels({5, 2, 16, bytes}, kMask);
    ASSERT_TRUE(r);
    EXPECT_EQ(*r, (std::vector<PixelRect>{{1, 1, 2, 2}}));
}

struct BadInput {
    const char* what;
    int width;
    int height;
    std::size_t stride;
    std::size_t bytes;
};

class RegionBadInput : public ::testing::TestWithParam<BadInput> {};

TEST_P(RegionBadInput, GivesNoRegion) {
    const BadInput& c = GetParam();
    const std::vector<std::uint8_t> bytes(c.bytes, 0);
    EXPECT_FALSE(RegionFromPixels({c.width, c.height, c.stride, bytes}, kMask).has_value()) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Cases, RegionBadInput,
                         ::testing::Values(BadInput{"negative height", 4, -1, 12, 12},
                                           BadInput{"negative width", -4, 1, 12, 12},
                                           BadInput{"stride shorter than a row", 8, 2, 12, 48},
                                           BadInput{"one byte short", 4, 2, 12, 23},
                                           BadInput{"stride that overflows", 4, 3, SIZE_MAX / 2, 64}));

TEST(Region, LastRowNeedsNoPaddingAfterIt) {
    const std::vector<std::uint8_t> bytes(16 + 12, 0);
    const auto r = RegionFromPixels({4, 2, 16, bytes}, kMask);
    ASSERT_TRUE(r);
    EXPECT_EQ(*r, (std::vector<PixelRect>{{0, 0, 4, 2}}));
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
        const int kept = w - w % 4;
        std::size_t expectedArea = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const bool in = x < kept && img.Rgb(x, y) != kMagenta;
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
