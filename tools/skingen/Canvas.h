// Drawing for the skin generator: filled shapes with rounded or cut corners, gradients, discs, thick lines and
// lettering in the built-in 5 x 7 font, on a 24-bit image. Nothing is anti-aliased, so that the mask colour
// outlines stay exact.
#pragma once

#include <cstdint>
#include <string_view>

#include "skin/Bmp.h"

namespace cl::skingen {

// Colours as 0xRRGGBB.
using Rgb = std::uint32_t;

// A rectangle [left, right) x [top, bottom) whose corners are either rounded (radius) or cut at 45 degrees (chamfer).
struct Shape {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int radius = 0;
    int chamfer = 0;

    bool Inside(int x, int y) const;
    Shape Inset(int by) const;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

Rgb Mix(Rgb a, Rgb b, int num, int den);

class Canvas {
  public:
    explicit Canvas(BgrImage& image) : img_(image) {}

    void Fill(Rgb c);
    void FillShape(const Shape& s, Rgb c);
    // Top colour to bottom colour over the shape's height.
    void FillShapeGradient(const Shape& s, Rgb top, Rgb bottom);
    // A frame `thickness` pixels wide just inside the shape's outline.
    void Outline(const Shape& s, int thickness, Rgb c);
    void Disc(double cx, double cy, double r, Rgb c);
    void Line(double x0, double y0, double x1, double y1, double thickness, Rgb c);
    // Replaces every pixel outside the shape with `c` (the mask colour, normally).
    void ClearOutside(const Shape& s, Rgb c);

    // Text in the 5 x 7 font, each font pixel `scale` x `scale`, glyphs `gap` pixels apart.
    void Text(int x, int y, std::string_view text, int scale, Rgb c, int gap = 1);
    static int TextWidth(std::string_view text, int scale, int gap = 1);
    // Centred in the shape.
    void TextCentred(const Shape& s, std::string_view text, int scale, Rgb c, int dx = 0, int dy = 0);

    void Copy(const BgrImage& from, int sx, int sy, int w, int h, int dx, int dy);

  private:
    void Put(int x, int y, Rgb c);
    BgrImage& img_;
};

}  // namespace cl::skingen
