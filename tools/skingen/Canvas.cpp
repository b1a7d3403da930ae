// Pixel-exact drawing primitives for the generated skins.
#include "tools/skingen/Canvas.h"

#include <algorithm>
#include <cmath>

#include "tools/skingen/Font5x7.h"

namespace cl::skingen {

bool Shape::Inside(int x, int y) const {
    if (x < left || x >= right || y < top || y >= bottom) return false;
    // Distances from the nearest vertical and horizontal edge, measured to the pixel's centre.
    const double dx = std::min(x - left, right - 1 - x) + 0.5;
    const double dy = std::min(y - top, bottom - 1 - y) + 0.5;
    if (chamfer > 0 && dx + dy < chamfer) return false;
    if (radius > 0 && dx < radius && dy < radius) {
        const double ex = radius - dx;
        const double ey = radius - dy;
        if (ex * ex + ey * ey > static_cast<double>(radius) * radius) return false;
    }
    return true;
}

Shape Shape::Inset(int by) const {
    return {left + by, top + by, right - by, bottom - by, std::max(0, radius - by), std::max(0, chamfer - by / 2)};
}

Rgb Mix(Rgb a, Rgb b, int num, int den) {
    Rgb out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int ca = static_cast<int>((a >> shift) & 0xFF);
        const int cb = static_cast<int>((b >> shift) & 0xFF);
        const int c = den == 0 ? ca : ca + (cb - ca) * num / den;
        out |= static_cast<Rgb>(std::clamp(c, 0, 255)) << shift;
    }
    return out;
}

void Canvas::Put(int x, int y, Rgb c) {
    if (img_.InBounds(x, y)) img_.Set(x, y, c);
}

void Canvas::Fill(Rgb c) {
    for (int y = 0; y < img_.height; ++y)
        for (int x = 0; x < img_.width; ++x) img_.Set(x, y, c);
}

void Canvas::FillShape(const Shape& s, Rgb c) {
    FillShapeGradient(s, c, c);
}

void Canvas::FillShapeGradient(const Shape& s, Rgb top, Rgb bottom) {
    for (int y = s.top; y < s.bottom; ++y) {
        const Rgb c = Mix(top, bottom, y - s.top, std::max(1, s.Height() - 1));
        for (int x = s.left; x < s.right; ++x) {
            if (s.Inside(x, y)) Put(x, y, c);
        }
    }
}

void Canvas::Outline(const Shape& s, int thickness, Rgb c) {
    const Shape inner = s.Inset(thickness);
    for (int y = s.top; y < s.bottom; ++y)
        for (int x = s.left; x < s.right; ++x) {
            if (s.Inside(x, y) && !inner.Inside(x, y)) Put(x, y, c);
        }
}

void Canvas::Disc(double cx, double cy, double r, Rgb c) {
    for (int y = static_cast<int>(std::floor(cy - r)); y <= static_cast<int>(std::ceil(cy + r)); ++y)
        for (int x = static_cast<int>(std::floor(cx - r)); x <= static_cast<int>(std::ceil(cx + r)); ++x) {
            const double dx = x + 0.5 - cx;
            const double dy = y + 0.5 - cy;
            if (dx * dx + dy * dy <= r * r) Put(x, y, c);
        }
}

void Canvas::Line(double x0, double y0, double x1, double y1, double thickness, Rgb c) {
    const double half = thickness / 2;
    const double vx = x1 - x0;
    const double vy = y1 - y0;
    const double len2 = std::max(vx * vx + vy * vy, 1e-9);
    const int minX = static_cast<int>(std::floor(std::min(x0, x1) - half));
    const int maxX = static_cast<int>(std::ceil(std::max(x0, x1) + half));
    const int minY = static_cast<int>(std::floor(std::min(y0, y1) - half));
    const int maxY = static_cast<int>(std::ceil(std::max(y0, y1) + half));
    for (int y = minY; y <= maxY; ++y)
        for (int x = minX; x <= maxX; ++x) {
            const double px = x + 0.5 - x0;
            const double py = y + 0.5 - y0;
            const double t = std::clamp((px * vx + py * vy) / len2, 0.0, 1.0);
            const double ex = px - t * vx;
            const double ey = py - t * vy;
            if (ex * ex + ey * ey <= half * half) Put(x, y, c);
        }
}

void Canvas::ClearOutside(const Shape& s, Rgb c) {
    for (int y = 0; y < img_.height; ++y)
        for (int x = 0; x < img_.width; ++x) {
            if (!s.Inside(x, y)) img_.Set(x, y, c);
        }
}

int Canvas::TextWidth(std::string_view text, int scale, int gap) {
    if (text.empty()) return 0;
    return static_cast<int>(text.size()) * (kGlyphWidth * scale + gap) - gap;
}

void Canvas::Text(int x, int y, std::string_view text, int scale, Rgb c, int gap) {
    for (char ch : text) {
        const auto& rows = Glyph(ch);
        for (int row = 0; row < kGlyphHeight; ++row)
            for (int col = 0; col < kGlyphWidth; ++col) {
                if ((rows[static_cast<std::size_t>(row)] >> (kGlyphWidth - 1 - col) & 1) == 0) continue;
                for (int sy = 0; sy < scale; ++sy)
                    for (int sx = 0; sx < scale; ++sx) Put(x + col * scale + sx, y + row * scale + sy, c);
            }
        x += kGlyphWidth * scale + gap;
    }
}

void Canvas::TextCentred(const Shape& s, std::string_view text, int scale, Rgb c, int dx, int dy) {
    const int x = s.left + (s.Width() - TextWidth(text, scale)) / 2 + dx;
    const int y = s.top + (s.Height() - kGlyphHeight * scale) / 2 + dy;
    Text(x, y, text, scale, c);
}

void Canvas::Copy(const BgrImage& from, int sx, int sy, int w, int h, int dx, int dy) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (from.InBounds(sx + x, sy + y)) Put(dx + x, dy + y, from.Rgb(sx + x, sy + y));
        }
}

}  // namespace cl::skingen
