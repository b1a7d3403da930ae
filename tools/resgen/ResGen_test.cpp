// Writes the resource images into a temporary folder and reads them with a reader of its own (not the writer's code):
// the directory of the icon and the cursor, every image header, the colour and mask bits, the cursor's hotspot, and
// the wait picture through the program's BMP reader.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "skin/Bmp.h"
#include "tools/resgen/IconFile.h"
#include "tools/resgen/ResArt.h"

namespace cl::resgen {
namespace {

namespace fs = std::filesystem;

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t{b[at + 3]} << 24;
}
int U16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8;
}

struct Image {
    int side = 0;
    int planesOrHotspotX = 0;
    int bitsOrHotspotY = 0;
    std::vector<std::uint32_t> argb;  // top row first
    std::vector<bool> masked;         // AND bit set: transparent

    int Alpha(int x, int y) const { return static_cast<int>(argb[static_cast<std::size_t>(y) * side + x] >> 24); }
};

// Reads an .ico or .cur of square 32-bit images whose directory gives them in file order without gaps; anything else
// fails the current test.
std::vector<Image> ParseIconFile(const std::vector<std::uint8_t>& b, int type) {
    std::vector<Image> images;
    if (b.size() < 6 || U16(b, 0) != 0 || U16(b, 2) != type) {
        ADD_FAILURE() << "not a file of type " << type;
        return images;
    }
    const std::size_t count = U16(b, 4);
    std::size_t end = 6 + 16 * count;
    for (std::size_t i = 0; i < count && end <= b.size(); ++i) {
        const std::size_t e = 6 + 16 * i;
        Image img;
        img.side = b[e];
        EXPECT_EQ(b[e + 1], b[e]) << "square";
        EXPECT_EQ(b[e + 2] | b[e + 3], 0) << "colour count and reserved byte";
        img.planesOrHotspotX = U16(b, e + 4);
        img.bitsOrHotspotY = U16(b, e + 6);
        const std::uint32_t bytes = U32(b, e + 8);
        const std::size_t at = U32(b, e + 12);
        const int n = img.side;
        const std::size_t maskRow = (static_cast<std::size_t>(n) + 31) / 32 * 4;
        const std::size_t colourBytes = static_cast<std::size_t>(n) * n * 4;
        EXPECT_EQ(at, end) << "images follow the directory and each other without gaps";
        EXPECT_EQ(bytes, 40 + colourBytes + maskRow * n);
        if (at != end || bytes != 40 + colourBytes + maskRow * n || at + bytes > b.size()) return images;
        end = at + bytes;
        // Header: size, width, height of colour part and mask together, one plane, 32 bits, no compression.
        EXPECT_EQ(U32(b, at), 40u);
        EXPECT_EQ(U32(b, at + 4), static_cast<std::uint32_t>(n));
        EXPECT_EQ(U32(b, at + 8), static_cast<std::uint32_t>(2 * n));
        EXPECT_EQ(U16(b, at + 12), 1);
        EXPECT_EQ(U16(b, at + 14), 32);
        EXPECT_EQ(U32(b, at + 16), 0u);
        for (int row = 0; row < n; ++row) {  // bottom-up
            for (int x = 0; x < n; ++x) {
                img.argb.push_back(U32(b, at + 40 + (static_cast<std::size_t>(n - 1 - row) * n + x) * 4));
                const std::uint8_t bits = b[at + 40 + colourBytes + (n - 1 - row) * maskRow + x / 8];
                img.masked.push_back((bits >> (7 - x % 8) & 1) != 0);
            }
        }
        images.push_back(std::move(img));
    }
    EXPECT_EQ(end, b.size());
    return images;
}

// Every pixel either shows (alpha above 0, mask bit clear) or is cut away (alpha 0, mask bit set).
void ExpectMaskFollowsAlpha(const Image& img) {
    for (std::size_t i = 0; i < img.argb.size(); ++i) ASSERT_EQ(img.masked[i], img.argb[i] >> 24 == 0) << i;
}

class GeneratedImages : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        fs::remove_all(Out());
        std::string error;
        ASSERT_TRUE(GenerateResourceImages(Out(), error)) << error;
    }
    static void TearDownTestSuite() { fs::remove_all(Out()); }
    static fs::path Out() { return fs::temp_directory_path() / ("cl-resgen-test-" + std::to_string(getpid())); }
    static std::vector<std::uint8_t> Read(std::string_view name) {
        std::ifstream in(Out() / name, std::ios::binary);
        EXPECT_TRUE(in) << name;
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
};

TEST_F(GeneratedImages, IconHoldsThreeRoundImagesWithSoftEdges) {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(Out())) names.insert(e.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"CineLedger.ico", "Logo.cur", "Wait.bmp"}));
    const std::vector<Image> images = ParseIconFile(Read(kIconFile), 1);
    ASSERT_EQ(images.size(), 3u);
    for (std::size_t i = 0; i < images.size(); ++i) {
        const Image& img = images[i];
        const int n = img.side;
        SCOPED_TRACE(n);
        EXPECT_EQ(n, 16 * static_cast<int>(i + 1));  // 16, 32 and 48 pixels
        EXPECT_EQ(img.planesOrHotspotX, 1);
        EXPECT_EQ(img.bitsOrHotspotY, 32);
        ExpectMaskFollowsAlpha(img);
        // The reel is round: three corners are empty; the film strip fills the bottom right.
        EXPECT_EQ(img.Alpha(0, 0) + img.Alpha(0, n - 1) + img.Alpha(n - 1, 0), 0);
        EXPECT_EQ(img.Alpha(n - 1, n * 41 / 48), 255);
        const auto partial = std::count_if(img.argb.begin(), img.argb.end(),
                                           [](std::uint32_t p) { return (p >> 24) > 0 && (p >> 24) < 255; });
        EXPECT_GT(partial, n) << "edges are smoothed";
    }
}

TEST_F(GeneratedImages, CursorIsOneCrispImageWithItsHotspotAtTheFingerTip) {
    const std::vector<Image> images = ParseIconFile(Read(kCursorFile), 2);
    ASSERT_EQ(images.size(), 1u);
    const Image& img = images[0];
    EXPECT_EQ(img.side, 32);
    ExpectMaskFollowsAlpha(img);
    // The hotspot is the first pixel of the topmost row that shows: the finger tip, which points up.
    const auto tip = std::find_if(img.argb.begin(), img.argb.end(), [](std::uint32_t p) { return p >> 24 != 0; });
    ASSERT_NE(tip, img.argb.end());
    EXPECT_EQ(img.bitsOrHotspotY, (tip - img.argb.begin()) / 32);
    EXPECT_EQ(img.planesOrHotspotX, (tip - img.argb.begin()) % 32);
    EXPECT_EQ(*tip, 0xFF000000u) << "the tip is outlined in black";
    for (std::uint32_t p : img.argb) EXPECT_TRUE(p >> 24 == 0 || p >> 24 == 255) << "no half-transparent pixel";
}

}  // namespace
}  // namespace cl::resgen
