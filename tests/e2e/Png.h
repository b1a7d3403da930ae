// A small PNG writer for the end-to-end screenshots: 8-bit RGB, stored (uncompressed) deflate blocks, so no
// image library is needed. Portable; the checksums are exposed for their own tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace cl::e2e {

// CRC-32 as PNG chunks use it (polynomial 0xEDB88320, initial and final xor 0xFFFFFFFF).
std::uint32_t Crc32(std::span<const std::uint8_t> data, std::uint32_t crc = 0);

// Adler-32 as zlib streams end with.
std::uint32_t Adler32(std::span<const std::uint8_t> data);

// A PNG file of width x height pixels; rgb holds 3 bytes per pixel, rows top to bottom, no padding.
std::vector<std::uint8_t> EncodePng(std::uint32_t width, std::uint32_t height, std::span<const std::uint8_t> rgb);

// Writes EncodePng's result; false when the file cannot be written or rgb is not width * height * 3 bytes.
bool WritePng(const std::filesystem::path& file, std::uint32_t width, std::uint32_t height,
              std::span<const std::uint8_t> rgb);

}  // namespace cl::e2e
