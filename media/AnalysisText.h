// Small pieces shared by the AVI and MPEG analysers: which CD fills the text fields, byte order
// helpers and the text forms of the values they report.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "media/MediaRecord.h"
#include "model/base/Prompts.h"

namespace cl {

// The scratch's number-of-CDs text as a number; anything but a leading digit counts as 0.
int CdCount(const MediaScratch& scratch);

// Only a single CD, or the first of several, sets the picture, codec and audio texts.
bool FillsTextFields(const MediaScratch& scratch, int cdIndex);

inline std::uint16_t Le16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}
inline std::uint32_t Le32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
inline std::uint16_t Be16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] << 8 | p[1]);
}
inline std::uint32_t Be32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
           static_cast<std::uint32_t>(p[2]) << 8 | static_cast<std::uint32_t>(p[3]);
}

// "%i" of a 32-bit value read from a file: like the C format, values above 2^31 show as negative.
std::string IntText(std::uint32_t value);
std::string KbitText(std::uint64_t kbit);     // "%i kbit/s"
std::string HzText(std::uint32_t hz);         // "%i Hz"
std::string FpsText(double framesPerSecond);  // "%2.3f fps"

}  // namespace cl
