// Names shown for the video compression FourCC and the wave format tag found in an AVI file.
#pragma once

#include <cstdint>
#include <string>

namespace cl {

// The name of a compression value (little-endian FourCC as read from the file); exact match, so
// "divx" is known but "xvid" is not. Everything not listed is "Unknown".
std::string CodecName(std::uint32_t fourcc);

// The name of a wave format tag; plain PCM (tag 1) and everything not listed is "Unknown".
std::string AudioFormatName(std::uint16_t tag);

// The compression value of a four-character text in file order, e.g. FourCc("XVID").
constexpr std::uint32_t FourCc(const char (&s)[5]) {
    return static_cast<std::uint32_t>(static_cast<std::uint8_t>(s[0])) |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(s[1])) << 8 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(s[2])) << 16 |
           static_cast<std::uint32_t>(static_cast<std::uint8_t>(s[3])) << 24;
}

}  // namespace cl
