// 24-bit BMP reading and writing: padded rows in both row orders, and damaged files refused without reading past
// their bytes.
#include "skin/Bmp.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace cl {
namespace {

BgrImage Pattern(int w, int h) {
    BgrImage img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.Set(x, y, static_cast<std::uint32_t>((x * 37) << 16 | (y * 11) << 8 | (x ^ y)));
    return img;
}

struct Shape {
    int width;
    int height;
    bool topDown;
};

class BmpRoundTrip : public ::testing::TestWithParam<Shape> {};

TEST_P(BmpRoundTrip, PixelsComeBackInPlace) {
    const auto [w, h, topDown] = GetParam();
    const BgrImage img = Pattern(w, h);
    const std::vector<std::uint8_t> bytes = WriteBmp(img, topDown);
    const std::size_t paddedRow = (static_cast<std::size_t>(w) * 3 + 3) / 4 * 4;
    EXPECT_EQ(bytes.size(), 54 + paddedRow * static_cast<std::size_t>(h));
    BgrImage back;
    std::string error;
    ASSERT_TRUE(ReadBmp(bytes, back, error)) << error;
    EXPECT_EQ(back.width, w);
    EXPECT_EQ(back.height, h);
    EXPECT_EQ(back.pixels, img.pixels);
}

INSTANTIATE_TEST_SUITE_P(Shapes, BmpRoundTrip,
                         ::testing::Values(Shape{1, 1, false}, Shape{1, 3, true}, Shape{2, 2, false},
                                           Shape{3, 5, false}, Shape{4, 4, true}, Shape{5, 2, true},
                                           Shape{13, 7, false}));

TEST(Bmp, BottomUpFileStoresTheTopRowLast) {
    BgrImage img(1, 2);
    img.Set(0, 0, 0x112233);  // top
    img.Set(0, 1, 0x445566);  // bottom
    const std::vector<std::uint8_t> bytes = WriteBmp(img);
    ASSERT_EQ(bytes.size(), 54u + 8u);
    EXPECT_EQ(bytes[54], 0x66);  // first stored row is the bottom one, blue first
    EXPECT_EQ(bytes[58 + 2], 0x11);
}

std::vector<std::uint8_t> Valid() {
    return WriteBmp(Pattern(5, 3));
}

void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

struct Damage {
    const char* what;
    std::size_t at;
    std::uint32_t value;
    int width;  // bytes written: 1, 2 or 4
};

class BmpDamaged : public ::testing::TestWithParam<Damage> {};

TEST_P(BmpDamaged, IsRefused) {
    std::vector<std::uint8_t> b = Valid();
    const Damage& d = GetParam();
    if (d.width == 4) {
        Put32(b, d.at, d.value);
    } else {
        for (int i = 0; i < d.width; ++i)
            b[d.at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(d.value >> (8 * i));
    }
    BgrImage img;
    std::string error;
    EXPECT_FALSE(ReadBmp(b, img, error)) << d.what;
    EXPECT_FALSE(error.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BmpDamaged,
    ::testing::Values(Damage{"magic", 0, 'X', 1}, Damage{"32 bits", 28, 32, 2}, Damage{"8 bits", 28, 8, 2},
                      Damage{"two planes", 26, 2, 2}, Damage{"compressed", 30, 1, 4}, Damage{"zero width", 18, 0, 4},
                      Damage{"negative width", 18, 0xFFFFFFFF, 4}, Damage{"zero height", 22, 0, 4},
                      Damage{"smallest height", 22, 0x80000000, 4}, Damage{"huge width", 18, 100000, 4},
                      Damage{"more rows than bytes", 22, 4, 4}, Damage{"offset past the end", 10, 1000, 4},
                      Damage{"offset inside the header", 10, 20, 4}, Damage{"info header too short", 14, 12, 4},
                      Damage{"info header past the end", 14, 0x7FFFFFFF, 4}));

TEST(Bmp, EveryTruncationIsRefusedExceptTheLastRowsPadding) {
    const std::vector<std::uint8_t> full = Valid();  // rows of 15 bytes padded to 16
    for (std::size_t n = 0; n < full.size(); ++n) {
        const std::vector<std::uint8_t> cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n));
        BgrImage img;
        std::string error;
        EXPECT_EQ(ReadBmp(cut, img, error), n >= full.size() - 1) << n;
    }
}

TEST(Bmp, FilesRoundTrip) {
    const std::filesystem::path p = std::filesystem::temp_directory_path() / "cl-bmp-test.bmp";
    std::string error;
    ASSERT_TRUE(WriteBmpFile(p, Pattern(7, 3), error)) << error;
    BgrImage back;
    ASSERT_TRUE(ReadBmpFile(p, back, error)) << error;
    EXPECT_EQ(back.pixels, Pattern(7, 3).pixels);
    std::filesystem::remove(p);
    EXPECT_FALSE(ReadBmpFile(p, back, error));
}

}  // namespace
}  // namespace cl
