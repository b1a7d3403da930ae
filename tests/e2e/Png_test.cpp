// The screenshot writer's checksums and file layout, checked against known values.
#include "tests/e2e/Png.h"

#include <gtest/gtest.h>

#include <string_view>

namespace cl::e2e {
namespace {

std::span<const std::uint8_t> Bytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

std::uint32_t BigEndianAt(const std::vector<std::uint8_t>& data, std::size_t at) {
    return (std::uint32_t{data[at]} << 24) | (std::uint32_t{data[at + 1]} << 16) | (std::uint32_t{data[at + 2]} << 8) |
           data[at + 3];
}

TEST(Png, Crc32MatchesTheStandardCheckValue) { EXPECT_EQ(Crc32(Bytes("123456789")), 0xCBF43926u); }

TEST(Png, Adler32MatchesTheKnownValue) { EXPECT_EQ(Adler32(Bytes("Wikipedia")), 0x11E60398u); }

TEST(Png, FileStartsWithSignatureAndHeaderAndEndsWithIend) {
    std::vector<std::uint8_t> rgb(2 * 3 * 3, 0x80);
    std::vector<std::uint8_t> png = EncodePng(2, 3, rgb);
    ASSERT_GT(png.size(), 8u + 25u + 12u);
    EXPECT_EQ(std::string_view(reinterpret_cast<const char*>(png.data()) + 1, 3), "PNG");
    EXPECT_EQ(BigEndianAt(png, 8), 13u);  // IHDR length
    EXPECT_EQ(std::string_view(reinterpret_cast<const char*>(png.data()) + 12, 4), "IHDR");
    EXPECT_EQ(BigEndianAt(png, 16), 2u);
    EXPECT_EQ(BigEndianAt(png, 20), 3u);
    EXPECT_EQ(std::string_view(reinterpret_cast<const char*>(png.data()) + png.size() - 8, 4), "IEND");
    EXPECT_EQ(BigEndianAt(png, png.size() - 4), 0xAE426082u);  // the CRC every IEND chunk has
}

TEST(Png, LargeImagesSplitIntoSeveralStoredBlocks) {
    // 200 x 200 RGB is 120,200 bytes of rows: two full stored blocks of 65,535 bytes cannot hold less.
    std::vector<std::uint8_t> rgb(200 * 200 * 3, 7);
    std::vector<std::uint8_t> png = EncodePng(200, 200, rgb);
    std::uint32_t idatLength = BigEndianAt(png, 33);
    EXPECT_EQ(std::string_view(reinterpret_cast<const char*>(png.data()) + 37, 4), "IDAT");
    std::size_t raw = 200 * (200 * 3 + 1);
    EXPECT_EQ(idatLength, 2 + raw + 2 * 5 + 4);  // zlib header, two block headers, Adler-32
}

}  // namespace
}  // namespace cl::e2e
