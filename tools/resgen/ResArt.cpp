// Artwork of the program's resources. The emblem is drawn with the skin generator's canvas at eight times its size
// and scaled down, so that its round edges come out smooth at 16 pixels; the cursor is pixel art, since a pointer
// must stay sharp.
#include "tools/resgen/ResArt.h"

#include <array>
#include <cmath>
#include <functional>

#include "model/base/NativePath.h"
#include "tools/skingen/Canvas.h"

namespace cl::resgen {

using skingen::Canvas;
using skingen::Rgb;
using skingen::Shape;

namespace {

// Never drawn: marks the sub-pixels left empty while rendering at the larger size.
constexpr Rgb kKey = 0xFF00FF;

// The program's colours, those of the default skin: deep blue, amber, and a pale steel.
constexpr Rgb kNavyEdge = 0x45557D;
constexpr Rgb kNavyTop = 0x1E2740;
constexpr Rgb kNavyBottom = 0x0B0F19;
constexpr Rgb kRim = 0x232B44;
constexpr Rgb kAmber = 0xF2B84B;
constexpr Rgb kAmberShade = 0xC98A24;
constexpr Rgb kFilm = 0x161B29;
constexpr Rgb kStripEdge = 0x7C8DB5;
constexpr Rgb kFrame = 0x5F79B3;
constexpr Rgb kSprocket = 0xD9E0EE;

constexpr int kSmoothFactor = 8;

std::uint32_t Argb(Rgb rgb, int alpha) {
    return static_cast<std::uint32_t>(alpha) << 24 | (rgb & 0xFFFFFF);
}

// Renders `draw` on a canvas `factor` times larger and averages each factor x factor block: the share of sub-pixels
// drawn becomes the alpha, the mean of their colours the colour.
RgbaImage RenderSmooth(int width, int height, int factor, const std::function<void(Canvas&)>& draw) {
    BgrImage big(width * factor, height * factor);
    Canvas c(big);
    c.Fill(kKey);
    draw(c);
    RgbaImage out(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            int sum[3] = {0, 0, 0};
            int n = 0;
            for (int sy = 0; sy < factor; ++sy)
                for (int sx = 0; sx < factor; ++sx) {
                    const Rgb px = big.Rgb(x * factor + sx, y * factor + sy);
                    if (px == kKey) continue;
                    sum[0] += static_cast<int>(px >> 16 & 0xFF);
                    sum[1] += static_cast<int>(px >> 8 & 0xFF);
                    sum[2] += static_cast<int>(px & 0xFF);
                    ++n;
                }
            if (n == 0) continue;
            const Rgb mean =
                static_cast<Rgb>(sum[0] / n) << 16 | static_cast<Rgb>(sum[1] / n) << 8 | static_cast<Rgb>(sum[2] / n);
            out.Set(x, y, Argb(mean, (n * 255 + factor * factor / 2) / (factor * factor)));
        }
    return out;
}

// The emblem on a 48-unit grid, `unit` pixels per unit: a film strip leaving the bottom of a reel to the right, then
// the reel over it with five windows cut through and a hub. Below 24 pixels the small parts would only blur, so the
// windows grow, lose their rims, and the strip keeps one row of frames.
void DrawEmblem(Canvas& c, double unit, bool small) {
    const auto px = [unit](double v) { return static_cast<int>(std::lround(v * unit)); };
    const double cx = 21;
    const double cy = 21;

    // The strip: a pale edge so that it shows on dark backgrounds too, sprocket holes along both edges and exposed
    // frames between them.
    c.FillShape(Shape{px(16), px(34.5), px(48), px(47.5)}, kStripEdge);
    c.FillShape(Shape{px(16), px(35.5), px(47), px(46.5)}, kFilm);
    if (small) {
        c.FillShape(Shape{px(24), px(38.5), px(46), px(43.5)}, kFrame);
    } else {
        for (double x = 19; x + 2 <= 46.5; x += 4) {
            c.FillShape(Shape{px(x), px(36.6), px(x + 2), px(38.4)}, kSprocket);
            c.FillShape(Shape{px(x), px(43.6), px(x + 2), px(45.4)}, kSprocket);
        }
        for (double x = 18.5; x + 7 <= 47; x += 8) c.FillShape(Shape{px(x), px(39.4), px(x + 7), px(42.6)}, kFrame);
    }

    // The reel: a dark rim, an amber face lit from the top left, five windows and the hub.
    c.Disc(cx * unit, cy * unit, 21 * unit, kRim);
    c.Disc(cx * unit, cy * unit, 19.2 * unit, kAmberShade);
    c.Disc((cx - 1.1) * unit, (cy - 1.1) * unit, 17.9 * unit, kAmber);
    constexpr double kPi = 3.14159265358979323846;
    for (int i = 0; i < 5; ++i) {
        const double a = -kPi / 2 + i * 2 * kPi / 5;
        const double hx = cx + 11 * std::cos(a);
        const double hy = cy + 11 * std::sin(a);
        if (!small) c.Disc(hx * unit, hy * unit, 5.6 * unit, kRim);
        c.Disc(hx * unit, hy * unit, (small ? 5.2 : 4.4) * unit, kKey);
    }
    c.Disc(cx * unit, cy * unit, (small ? 3.6 : 4.2) * unit, kRim);
    if (!small) {
        c.Disc(cx * unit, cy * unit, 2.4 * unit, kAmberShade);
        c.Disc(cx * unit, cy * unit, 1.1 * unit, kRim);
    }
}

// Source pixels of the pointing hand: '#' outline, '.' fill, 'o' shade, blank transparent. The tip of the index
// finger is the hotspot. One row of the cursor per line, kept as drawn.
// clang-format off
constexpr std::array<std::string_view, 21> kHand = {
    "     ##          ",
    "    #..#         ",
    "    #..#         ",
    "    #..#         ",
    "    #..#         ",
    "    #..###       ",
    "    #..#..###    ",
    "    #..#..#..#   ",
    "    #..#..#..### ",
    " ## #..#..#..#..#",
    "#..##..#..#..#.o#",
    "#..o#...........#",
    "#...............#",
    " #.............o#",
    "  #............o#",
    "  #...........o# ",
    "   #..........o# ",
    "    #........o#  ",
    "    #........o#  ",
    "    #........o#  ",
    "    ###########  ",
};
// clang-format on
constexpr int kHandLeft = 4;
constexpr int kHandTop = 1;
constexpr int kHotspotX = kHandLeft + 5;
constexpr int kHotspotY = kHandTop;

void Blend(BgrImage& onto, const RgbaImage& img, int left, int top) {
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) {
            if (!onto.InBounds(left + x, top + y)) continue;
            const std::uint32_t p = img.At(x, y);
            const int a = static_cast<int>(p >> 24);
            onto.Set(left + x, top + y, skingen::Mix(onto.Rgb(left + x, top + y), p & 0xFFFFFF, a, 255));
        }
}

}  // namespace

RgbaImage Emblem(int size) {
    return RenderSmooth(size, size, kSmoothFactor, [size](Canvas& c) {
        DrawEmblem(c, static_cast<double>(size) * kSmoothFactor / 48, size < 24);
    });
}

std::vector<IconImage> ProgramIcon() {
    std::vector<IconImage> images;
    for (int size : kIconSizes) images.push_back({Emblem(size), 0, 0});
    return images;
}

IconImage LogoCursor() {
    IconImage cursor{RgbaImage(kCursorSide, kCursorSide), kHotspotX, kHotspotY};
    for (std::size_t row = 0; row < kHand.size(); ++row)
        for (std::size_t col = 0; col < kHand[row].size(); ++col) {
            const int x = kHandLeft + static_cast<int>(col);
            const int y = kHandTop + static_cast<int>(row);
            switch (kHand[row][col]) {
                case '#':
                    cursor.image.Set(x, y, Argb(0x000000, 255));
                    break;
                case '.':
                    cursor.image.Set(x, y, Argb(0xFFFFFF, 255));
                    break;
                case 'o':
                    cursor.image.Set(x, y, Argb(0xC4CBD8, 255));
                    break;
                default:
                    break;
            }
        }
    return cursor;
}

BgrImage WaitPicture() {
    BgrImage img(kWaitWidth, kWaitHeight);
    Canvas c(img);
    const Shape all{0, 0, kWaitWidth, kWaitHeight};
    c.FillShape(all, kNavyEdge);
    c.FillShapeGradient(all.Inset(1), kNavyTop, kNavyBottom);
    constexpr int kEmblem = 44;
    Blend(img, Emblem(kEmblem), (kWaitWidth - kEmblem) / 2 + 1, 7);
    const std::string_view text = "Please wait";
    const int x = (kWaitWidth - Canvas::TextWidth(text, 1)) / 2;
    c.Text(x + 1, 59, text, 1, 0x5A4114);
    c.Text(x, 58, text, 1, kAmber);
    return img;
}

bool GenerateResourceImages(const std::filesystem::path& out, std::string& error) {
    std::error_code ec;
    std::filesystem::create_directories(out, ec);
    if (ec) {
        error = "cannot create " + NativeFromPath(out) + ": " + ec.message();
        return false;
    }
    if (!WriteBytesFile(out / kIconFile, WriteIconFile(IconKind::Icon, ProgramIcon()), error)) return false;
    if (!WriteBytesFile(out / kCursorFile, WriteIconFile(IconKind::Cursor, {LogoCursor()}), error)) return false;
    if (!WriteBmpFile(out / kWaitFile, WaitPicture(), error)) {
        error = NativeFromPath(out / kWaitFile) + ": " + error;
        return false;
    }
    return true;
}

}  // namespace cl::resgen
