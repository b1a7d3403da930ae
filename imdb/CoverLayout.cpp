// The arithmetic of the cover's place on the database page.
#include "imdb/CoverLayout.h"

#include <cstdint>
#include <limits>

namespace cl {
namespace {

constexpr int kHimetricPerInch = 2540;
constexpr int kTop = 11;
constexpr int kMaxWidth = 100;
constexpr int kMaxHeight = 140;
constexpr int kShrunkWidth = 99;

// a * b / c rounded to the nearest integer over a 64-bit product; -1 when c is 0 or the result does not fit an
// int, as MulDiv answers.
int MulDivRounded(int a, int b, int c) {
    if (c == 0) return -1;
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const std::int64_t magnitude = product < 0 ? -product : product;
    const std::int64_t divisor = c < 0 ? -static_cast<std::int64_t>(c) : c;
    std::int64_t quotient = (magnitude + divisor / 2) / divisor;
    if ((product < 0) != (c < 0)) quotient = -quotient;
    if (quotient > std::numeric_limits<int>::max() || quotient < std::numeric_limits<int>::min()) return -1;
    return static_cast<int>(quotient);
}

}  // namespace

CoverLayout LayOutCover(int himetricWidth, int himetricHeight, int pixelsPerInchX, int pixelsPerInchY, int pageWidth) {
    int width = MulDivRounded(himetricWidth, pixelsPerInchX, kHimetricPerInch);
    int height = MulDivRounded(himetricHeight, pixelsPerInchY, kHimetricPerInch);
    if (width > kMaxWidth && height > kMaxHeight) {
        width = kShrunkWidth;
        height = kMaxHeight;
    }
    CoverLayout layout;
    layout.frame = {pageWidth - (width + 4), kTop, width + 3, height + 3};
    layout.target = {pageWidth - (width + 3), kTop, width, height};
    layout.source = {0, himetricHeight, himetricWidth, -himetricHeight};
    return layout;
}

}  // namespace cl
