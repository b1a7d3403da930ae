// Runs the resource images generator into a temporary folder and reads what it wrote with a reader of its own (not
// the writer's code): the directory of the icon and the cursor, every image header, the colour and mask bits, the
// cursor's hotspot, and the wait picture through the program's BMP reader.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>

#include "skin/Bmp.h"
#include "tools/resgen/IconFile.h"
#include "tools/resgen/ResArt.h"

namespace cl::resgen {
namespace {

namespace fs = std::filesystem;

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return std::uint32_t{b[at]} | std::uint32_t{b[at + 1]} << 8 | std::uint32_t{b[at + 2]} << 16 |
           std::uint32_t{b[at + 3]} << 24;
}
std::uint16_t U16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

struct Entry {
    int width = 0;
    int height = 0;
    int colourCount = 0;
    int planesOrHotspotX = 0;
    int bitsOrHotspotY = 0;
    std::uint32_t bytes = 0;
    std::uint32_t offset = 0;
};

struct Image {
    std::uint32_t headerSize = 0;
    int width = 0;
    int height = 0;  // as the header gives it: colour part and mask together
    int planes = 0;
    int bits = 0;
    std::uint32_t compression = 0;
    std::vector<std::uint32_t> argb;  // top row first
    std::vector<bool> masked;         // AND bit set: transparent

    std::uint32_t At(int x, int y) const { return argb[static_cast<std::size_t>(y) * width + x]; }
    int Alpha(int x, int y) const { return static_cast<int>(At(x, y) >> 24); }
    bool Masked(int x, int y) const { return masked[static_cast<std::size_t>(y) * width + x]; }
};

struct IconFileContents {
    int type = 0;
    std::vector<Entry> entries;
    std::vector<Image> images;
};

// Reads an .ico or .cur holding 32-bit images; anything else fails the current test.
IconFileContents ParseIconFile(const std::vector<std::uint8_t>& b) {
    IconFileContents f;
    EXPECT_GE(b.size(), 6u);
    if (b.size() < 6) return f;
    EXPECT_EQ(U16(b, 0), 0) << "reserved";
    f.type = U16(b, 2);
    const std::size_t count = U16(b, 4);
    EXPECT_GE(b.size(), 6 + 16 * count);
    if (b.size() < 6 + 16 * count) return f;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = 6 + 16 * i;
        Entry e;
        e.width = b[at] == 0 ? 256 : b[at];
        e.height = b[at + 1] == 0 ? 256 : b[at + 1];
        e.colourCount = b[at + 2];
        EXPECT_EQ(b[at + 3], 0) << "reserved byte of entry " << i;
        e.planesOrHotspotX = U16(b, at + 4);
        e.bitsOrHotspotY = U16(b, at + 6);
        e.bytes = U32(b, at + 8);
        e.offset = U32(b, at + 12);
        f.entries.push_back(e);
    }
    for (const Entry& e : f.entries) {
        Image img;
        EXPECT_LE(std::size_t{e.offset} + e.bytes, b.size());
        EXPECT_GE(e.bytes, 40u);
        if (std::size_t{e.offset} + e.bytes > b.size() || e.bytes < 40) return f;
        const std::size_t at = e.offset;
        img.headerSize = U32(b, at);
        img.width = static_cast<int>(U32(b, at + 4));
        img.height = static_cast<int>(U32(b, at + 8));
        img.planes = U16(b, at + 12);
        img.bits = U16(b, at + 14);
        img.compression = U32(b, at + 16);
        EXPECT_EQ(img.headerSize, 40u);
        EXPECT_EQ(img.bits, 32);
        if (img.bits != 32 || img.headerSize != 40 || img.width <= 0 || img.height <= 0) return f;
        const int h = img.height / 2;
        const std::size_t maskRow = (static_cast<std::size_t>(img.width) + 31) / 32 * 4;
        const std::size_t colourBytes = static_cast<std::size_t>(img.width) * h * 4;
        EXPECT_EQ(e.bytes, 40 + colourBytes + maskRow * h) << "image of " << e.width << " pixels";
        if (e.bytes < 40 + colourBytes + maskRow * h) return f;
        img.argb.resize(static_cast<std::size_t>(img.width) * h);
        img.masked.resize(img.argb.size());
        for (int row = 0; row < h; ++row) {
            const int y = h - 1 - row;  // bottom-up
            for (int x = 0; x < img.width; ++x) {
                img.argb[static_cast<std::size_t>(y) * img.width + x] =
                    U32(b, at + 40 + (static_cast<std::size_t>(row) * img.width + x) * 4);
                const std::uint8_t bits = b[at + 40 + colourBytes + row * maskRow + x / 8];
                img.masked[static_cast<std::size_t>(y) * img.width + x] = (bits >> (7 - x % 8) & 1) != 0;
            }
        }
        f.images.push_back(std::move(img));
    }
    return f;
}

std::vector<std::uint8_t> ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << path;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every pixel either shows (alpha above 0, mask bit clear) or is cut away (alpha 0, mask bit set).
void ExpectMaskFollowsAlpha(const Image& img) {
    for (int y = 0; y < img.height / 2; ++y)
        for (int x = 0; x < img.width; ++x) {
            ASSERT_EQ(img.Masked(x, y), img.Alpha(x, y) == 0) << "pixel " << x << "," << y;
        }
}

class GeneratedImages : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        out_ = std::make_unique<fs::path>(fs::temp_directory_path() / ("cl-resgen-test-" + std::to_string(::getpid())));
        fs::remove_all(*out_);
        const std::string command = std::string("\"") + CL_RESGEN + "\" \"" + out_->string() + "\"";
        status_ = std::system(command.c_str());
    }
    static void TearDownTestSuite() {
        fs::remove_all(*out_);
        out_.reset();
    }
    static fs::path File(std::string_view name) { return *out_ / name; }

    static std::unique_ptr<fs::path> out_;
    static int status_;
};

std::unique_ptr<fs::path> GeneratedImages::out_;
int GeneratedImages::status_ = -1;

TEST_F(GeneratedImages, GeneratorWritesTheThreeFiles) {
    ASSERT_EQ(status_, 0);
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(*out_)) names.insert(e.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"CineLedger.ico", "Logo.cur", "Wait.bmp"}));
}

TEST_F(GeneratedImages, IconHoldsSixteenThirtyTwoAndFortyEightPixelImages) {
    ASSERT_EQ(status_, 0);
    const std::vector<std::uint8_t> bytes = ReadFile(File(kIconFile));
    const IconFileContents f = ParseIconFile(bytes);
    EXPECT_EQ(f.type, 1) << "an icon";
    ASSERT_EQ(f.entries.size(), 3u);
    ASSERT_EQ(f.images.size(), 3u);
    std::size_t end = 6 + 16 * f.entries.size();
    const int sizes[] = {16, 32, 48};
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(sizes[i]);
        const Entry& e = f.entries[i];
        const Image& img = f.images[i];
        EXPECT_EQ(e.width, sizes[i]);
        EXPECT_EQ(e.height, sizes[i]);
        EXPECT_EQ(e.colourCount, 0);
        EXPECT_EQ(e.planesOrHotspotX, 1) << "planes";
        EXPECT_EQ(e.bitsOrHotspotY, 32) << "bits per pixel";
        EXPECT_EQ(e.offset, end) << "images follow the directory and each other without gaps";
        end = e.offset + e.bytes;
        EXPECT_EQ(img.width, sizes[i]);
        EXPECT_EQ(img.height, 2 * sizes[i]) << "colour part and mask";
        EXPECT_EQ(img.planes, 1);
        EXPECT_EQ(img.compression, 0u);
    }
    EXPECT_EQ(end, bytes.size());
}

TEST_F(GeneratedImages, IconIsRoundWithSoftEdgesAndItsMaskFollowsTheAlpha) {
    ASSERT_EQ(status_, 0);
    const IconFileContents f = ParseIconFile(ReadFile(File(kIconFile)));
    ASSERT_EQ(f.images.size(), 3u);
    for (const Image& img : f.images) {
        SCOPED_TRACE(img.width);
        const int n = img.width;
        ExpectMaskFollowsAlpha(img);
        // The reel is round: its top-left and bottom-left corners are empty; the film strip fills the bottom right.
        EXPECT_EQ(img.Alpha(0, 0), 0);
        EXPECT_EQ(img.Alpha(0, n - 1), 0);
        EXPECT_EQ(img.Alpha(n - 1, 0), 0);
        EXPECT_EQ(img.Alpha(n - 1, n * 41 / 48), 255);
        // Coverage in pixels: the reel's disc and the strip, less the windows, fill about half of the square.
        int coverage = 0;
        int partial = 0;
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x) {
                coverage += img.Alpha(x, y);
                partial += img.Alpha(x, y) > 0 && img.Alpha(x, y) < 255;
            }
        coverage /= 255;
        EXPECT_GT(coverage, n * n * 2 / 5);
        EXPECT_LT(coverage, n * n * 3 / 4);
        EXPECT_GT(partial, n) << "edges are smoothed";
    }
}

TEST_F(GeneratedImages, IconIsAmberWhereTheReelFaceIs) {
    ASSERT_EQ(status_, 0);
    const IconFileContents f = ParseIconFile(ReadFile(File(kIconFile)));
    ASSERT_EQ(f.images.size(), 3u);
    const Image& img = f.images[2];
    // Straight below the hub, between the two lower windows.
    const std::uint32_t p = img.At(21, 32);
    EXPECT_EQ(p >> 24, 255u);
    const int r = static_cast<int>(p >> 16 & 0xFF);
    const int g = static_cast<int>(p >> 8 & 0xFF);
    const int b = static_cast<int>(p & 0xFF);
    EXPECT_GT(r, 180);
    EXPECT_GT(r, g);
    EXPECT_GT(g, b + 60);
}

TEST_F(GeneratedImages, CursorIsOneCrispImageWithItsHotspotAtTheFingerTip) {
    ASSERT_EQ(status_, 0);
    const std::vector<std::uint8_t> bytes = ReadFile(File(kCursorFile));
    const IconFileContents f = ParseIconFile(bytes);
    EXPECT_EQ(f.type, 2) << "a cursor";
    ASSERT_EQ(f.entries.size(), 1u);
    ASSERT_EQ(f.images.size(), 1u);
    const Entry& e = f.entries[0];
    const Image& img = f.images[0];
    EXPECT_EQ(e.width, 32);
    EXPECT_EQ(e.height, 32);
    EXPECT_EQ(img.width, 32);
    EXPECT_EQ(img.height, 64);
    EXPECT_EQ(e.offset + e.bytes, bytes.size());
    ExpectMaskFollowsAlpha(img);

    const int hx = e.planesOrHotspotX;
    const int hy = e.bitsOrHotspotY;
    ASSERT_LT(hx, 32);
    ASSERT_LT(hy, 32);
    // The hotspot is the first pixel of the topmost row that shows: the finger tip, which points up.
    int top = -1;
    int left = -1;
    for (int y = 0; y < 32 && top < 0; ++y)
        for (int x = 0; x < 32; ++x) {
            if (img.Alpha(x, y) != 0) {
                top = y;
                left = x;
                break;
            }
        }
    EXPECT_EQ(hy, top);
    EXPECT_EQ(hx, left);
    EXPECT_EQ(img.At(hx, hy), 0xFF000000u) << "the tip is outlined in black";
    // Below the tip the finger widens into a hand: white inside a black outline.
    EXPECT_EQ(img.At(hx, hy + 3), 0xFFFFFFFFu);
    EXPECT_EQ(img.At(hx - 1, hy + 3), 0xFF000000u);
    int shown = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            EXPECT_TRUE(img.Alpha(x, y) == 0 || img.Alpha(x, y) == 255) << "no half-transparent pixel in a pointer";
            shown += img.Alpha(x, y) != 0;
        }
    EXPECT_GT(shown, 150);
    EXPECT_LT(shown, 32 * 32 / 2);
}

TEST_F(GeneratedImages, WaitPictureIsAHundredBySeventyFiveWithTheWordsInAmber) {
    ASSERT_EQ(status_, 0);
    BgrImage img;
    std::string error;
    ASSERT_TRUE(ReadBmpFile(File(kWaitFile), img, error)) << error;
    EXPECT_EQ(img.width, 100);
    EXPECT_EQ(img.height, 75);
    std::set<std::uint32_t> colours;
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) colours.insert(img.Rgb(x, y));
    EXPECT_GT(colours.size(), 40u) << "a picture, not a flat fill";
    EXPECT_EQ(colours.count(0xF2B84B), 1u) << "the lettering";
    EXPECT_EQ(colours.count(0xFF00FF), 0u) << "no sub-pixel key colour left over";
    EXPECT_EQ(img.Rgb(0, 0), img.Rgb(99, 74)) << "a frame all round";
}

TEST(IconWriter, MaskRowsArePaddedToFourBytesAndCursorsCarryTheirHotspot) {
    RgbaImage img(33, 3);
    img.Set(32, 0, 0xFF123456);
    img.Set(0, 2, 0x80ABCDEF);
    const std::vector<std::uint8_t> bytes = WriteIconFile(IconKind::Cursor, {{img, 7, 2}});
    const IconFileContents f = ParseIconFile(bytes);
    ASSERT_EQ(f.images.size(), 1u);
    EXPECT_EQ(f.type, 2);
    EXPECT_EQ(f.entries[0].planesOrHotspotX, 7);
    EXPECT_EQ(f.entries[0].bitsOrHotspotY, 2);
    EXPECT_EQ(f.entries[0].bytes, 40u + 33 * 3 * 4 + 8 * 3) << "33 mask bits take 8 bytes a row";
    EXPECT_EQ(bytes.size(), 6u + 16 + f.entries[0].bytes);
    const Image& read = f.images[0];
    EXPECT_EQ(read.At(32, 0), 0xFF123456u);
    EXPECT_EQ(read.At(0, 2), 0x80ABCDEFu);
    EXPECT_EQ(read.At(1, 1), 0u);
    ExpectMaskFollowsAlpha(read);
}

TEST(IconWriter, SidesOfTwoHundredFiftySixAreWrittenAsZero) {
    const std::vector<std::uint8_t> bytes = WriteIconFile(IconKind::Icon, {{RgbaImage(256, 256), 0, 0}});
    ASSERT_GE(bytes.size(), 22u);
    EXPECT_EQ(bytes[6], 0);
    EXPECT_EQ(bytes[7], 0);
    const IconFileContents f = ParseIconFile(bytes);
    ASSERT_EQ(f.images.size(), 1u);
    EXPECT_EQ(f.images[0].width, 256);
    EXPECT_EQ(f.images[0].height, 512);
}

}  // namespace
}  // namespace cl::resgen
