// 24-bit BMP reading and writing: padded rows in both row orders, and damaged files refused without reading past
// their bytes.
#include "skin/Bmp.h"

#include <gtest/gtest.h>

namespace cl {
namespace {

BgrImage Pattern(int w, int h) {
    BgrImage img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.Set(x, y, static_cast<std::uint32_t>((x * 37) << 16 | (y * 11) << 8 | (x ^ y)));
    return img;
}

TEST(Bmp, PixelsComeBackInPlaceInBothRowOrders) {
    struct Shape {
        int width, height;
        bool topDown;
    };
    for (const Shape& s :
         {Shape{1, 1, false}, Shape{1, 3, true}, Shape{3, 5, false}, Shape{5, 2, true}, Shape{13, 7, false}}) {
        SCOPED_TRACE(testing::Message() << s.width << "x" << s.height << (s.topDown ? " top-down" : ""));
        const BgrImage img = Pattern(s.width, s.height);
        const std::vector<std::uint8_t> bytes = WriteBmp(img, s.topDown);
        const std::size_t paddedRow = (static_cast<std::size_t>(s.width) * 3 + 3) / 4 * 4;
        EXPECT_EQ(bytes.size(), 54 + paddedRow * static_cast<std::size_t>(s.height));
        BgrImage back;
        std::string error;
        ASSERT_TRUE(ReadBmp(bytes, back, error)) << error;
        EXPECT_EQ(back.width, s.width);
        EXPECT_EQ(back.height, s.height);
        EXPECT_EQ(back.pixels, img.pixels);
    }
}

TEST(Bmp, BottomUpFileStoresTheTopRowLast) {
    BgrImage img(1, 2);
    img.Set(0, 0, 0x112233);  // top
    img.Set(0, 1, 0x445566);  // bottom
    const std::vector<std::uint8_t> bytes = WriteBmp(img);
    ASSERT_EQ(bytes.size(), 54u + 8u);
    EXPECT_EQ(bytes[54], 0x66);  // first stored row is the bottom one, blue first
    EXPECT_EQ(bytes[58 + 2], 0x11);
}

TEST(Bmp, DamagedHeadersAreRefused) {
    struct Damage {
        const char* what;
        std::size_t at;
        std::uint32_t value;
        int bytes;
    };
    for (const Damage& d :
         {Damage{"magic", 0, 'X', 1}, Damage{"32 bits", 28, 32, 2}, Damage{"two planes", 26, 2, 2},
          Damage{"compressed", 30, 1, 4}, Damage{"zero width", 18, 0, 4}, Damage{"negative width", 18, 0xFFFFFFFF, 4},
          Damage{"zero height", 22, 0, 4}, Damage{"smallest height", 22, 0x80000000, 4},
          Damage{"huge width", 18, 100000, 4}, Damage{"more rows than bytes", 22, 4, 4},
          Damage{"offset past the end", 10, 1000, 4}, Damage{"offset inside the header", 10, 20, 4},
          Damage{"info header too short", 14, 12, 4}, Damage{"info header past the end", 14, 0x7FFFFFFF, 4}}) {
        std::vector<std::uint8_t> b = WriteBmp(Pattern(5, 3));
        for (int i = 0; i < d.bytes; ++i) b[d.at + i] = static_cast<std::uint8_t>(d.value >> (8 * i));
        BgrImage img;
        std::string error;
        EXPECT_FALSE(ReadBmp(b, img, error)) << d.what;
        EXPECT_FALSE(error.empty());
    }
}

TEST(Bmp, EveryTruncationIsRefusedExceptTheLastRowsPadding) {
    const std::vector<std::uint8_t> full = WriteBmp(Pattern(5, 3));  // rows of 15 bytes padded to 16
    for (std::size_t n = 0; n < full.size(); ++n) {
        const std::vector<std::uint8_t> cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n));
        BgrImage img;
        std::string error;
        EXPECT_EQ(ReadBmp(cut, img, error), n >= full.size() - 1) << n;
    }
}

}  // namespace
}  // namespace cl
