// A 5 x 7 pixel font for the printable ASCII characters, so that the skin generator can letter buttons and logos
// without any font file.
#pragma once

#include <array>
#include <cstdint>

namespace cl::skingen {

inline constexpr int kGlyphWidth = 5;
inline constexpr int kGlyphHeight = 8;  // the last row only holds descenders

// Rows top first, the baseline under the seventh; bit 4 is the leftmost column. Characters outside 32..126 draw as '?'.
const std::array<std::uint8_t, kGlyphHeight>& Glyph(char c);

}  // namespace cl::skingen
