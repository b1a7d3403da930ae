// PNG encoding with stored deflate blocks: signature, IHDR, one IDAT holding a zlib stream, IEND.
#include "tests/e2e/Png.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <string_view>

namespace cl::e2e {
namespace {

constexpr std::array<std::uint32_t, 256> MakeCrcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

constexpr auto kCrcTable = MakeCrcTable();

void PutBigEndian32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value >> 24));
    out.push_back(static_cast<std::uint8_t>(value >> 16));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

void PutChunk(std::vector<std::uint8_t>& out, std::string_view type, std::span<const std::uint8_t> data) {
    PutBigEndian32(out, static_cast<std::uint32_t>(data.size()));
    std::size_t typeAt = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    // The CRC covers the type and the data, not the length.
    PutBigEndian32(out, Crc32(std::span(out).subspan(typeAt)));
}

// A zlib stream of stored blocks (at most 65535 bytes each): header, blocks, Adler-32 of the raw data.
std::vector<std::uint8_t> ZlibStored(std::span<const std::uint8_t> raw) {
    constexpr std::size_t kMaxBlock = 65535;
    std::vector<std::uint8_t> out;
    out.reserve(raw.size() + raw.size() / kMaxBlock * 5 + 16);
    out.push_back(0x78);  // deflate, 32 KiB window
    out.push_back(0x01);  // no dictionary; 0x7801 is a multiple of 31 as the header check requires
    std::size_t at = 0;
    do {
        std::size_t length = std::min(kMaxBlock, raw.size() - at);
        bool last = at + length == raw.size();
        out.push_back(last ? 1 : 0);  // BFINAL, BTYPE 00 (stored)
        auto len16 = static_cast<std::uint16_t>(length);
        auto nlen16 = static_cast<std::uint16_t>(~len16);
        out.push_back(static_cast<std::uint8_t>(len16));
        out.push_back(static_cast<std::uint8_t>(len16 >> 8));
        out.push_back(static_cast<std::uint8_t>(nlen16));
        out.push_back(static_cast<std::uint8_t>(nlen16 >> 8));
        out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
                   raw.begin() + static_cast<std::ptrdiff_t>(at + length));
        at += length;
    } while (at < raw.size());
    PutBigEndian32(out, Adler32(raw));
    return out;
}

}  // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> data, std::uint32_t crc) {
    crc = ~crc;
    for (std::uint8_t byte : data) crc = kCrcTable[(crc ^ byte) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

std::uint32_t Adler32(std::span<const std::uint8_t> data) {
    constexpr std::uint32_t kModulus = 65521;
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : data) {
        a = (a + byte) % kModulus;
        b = (b + a) % kModulus;
    }
    return (b << 16) | a;
}

std::vector<std::uint8_t> EncodePng(std::uint32_t width, std::uint32_t height, std::span<const std::uint8_t> rgb) {
    static constexpr std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> out(std::begin(kSignature), std::end(kSignature));

    std::vector<std::uint8_t> header;
    PutBigEndian32(header, width);
    PutBigEndian32(header, height);
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, truecolour, deflate, adaptive filters, no interlace
    PutChunk(out, "IHDR", header);

    // Each row starts with its filter type; 0 (none) keeps the writer trivial.
    std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    std::vector<std::uint8_t> raw;
    raw.reserve((rowBytes + 1) * height);
    for (std::uint32_t y = 0; y < height; ++y) {
        raw.push_back(0);
        auto row = rgb.subspan(y * rowBytes, rowBytes);
        raw.insert(raw.end(), row.begin(), row.end());
    }
    PutChunk(out, "IDAT", ZlibStored(raw));
    PutChunk(out, "IEND", {});
    return out;
}

bool WritePng(const std::filesystem::path& file, std::uint32_t width, std::uint32_t height,
              std::span<const std::uint8_t> rgb) {
    if (rgb.size() != static_cast<std::size_t>(width) * height * 3) return false;
    std::vector<std::uint8_t> png = EncodePng(width, height, rgb);
    std::ofstream stream(file, std::ios::binary | std::ios::trunc);
    stream.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    return static_cast<bool>(stream);
}

}  // namespace cl::e2e
