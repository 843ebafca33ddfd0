#include "tabs/core/pixel_buffer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace dlk {

PixelBuffer::PixelBuffer(int width, int height)
    : width_(std::max(0, width)),
      height_(std::max(0, height)),
      pixels_(std::make_unique_for_overwrite<std::uint32_t[]>(std::size_t(width_) * std::size_t(height_))) {}

PixelBuffer::PixelBuffer(int width, int height, std::uint32_t fill) : PixelBuffer(width, height) {
    std::fill(pixels_.get(), pixels_.get() + std::size_t(width_) * std::size_t(height_), fill);
}

TColor PixelBuffer::ColorAt(int x, int y) const {
    const std::uint32_t p = At(x, y);
    return RGB(std::uint8_t(p >> 16), std::uint8_t(p >> 8), std::uint8_t(p));
}

void PixelBuffer::FillRect(int left, int top, int right, int bottom, std::uint32_t pixel) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, width_);
    bottom = std::min(bottom, height_);
    if (left >= right || top >= bottom) return;
    for (int y = top; y < bottom; ++y) std::fill(Row(y) + left, Row(y) + right, pixel);
}

void PixelBuffer::FillPolygon(const TPoint* points, int count, std::uint32_t pixel) {
    if (count < 3) return;
    int top = points[0].Y, bottom = points[0].Y;
    for (int i = 1; i < count; ++i) {
        top = std::min(top, points[i].Y);
        bottom = std::max(bottom, points[i].Y);
    }
    top = std::max(top, 0);
    bottom = std::min(bottom, height_);
    std::vector<double> crossings;
    for (int y = top; y < bottom; ++y) {
        const double yc = y + 0.5;
        crossings.clear();
        for (int i = 0; i < count; ++i) {
            const TPoint& a = points[i];
            const TPoint& b = points[(i + 1) % count];
            if ((a.Y <= yc && yc < b.Y) || (b.Y <= yc && yc < a.Y))
                crossings.push_back(a.X + (yc - a.Y) * double(b.X - a.X) / double(b.Y - a.Y));
        }
        std::sort(crossings.begin(), crossings.end());
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
            // Pixel x is inside when x + 0.5 lies in [from, to).
            const double from = std::ceil(crossings[i] - 0.5);
            const double to = std::ceil(crossings[i + 1] - 0.5);
            const int l = int(std::clamp(from, 0.0, double(width_)));
            const int r = int(std::clamp(to, 0.0, double(width_)));
            if (l < r) std::fill(Row(y) + l, Row(y) + r, pixel);
        }
    }
}

void PixelBuffer::CopyBlock(int sx, int sy, int w, int h, int dx, int dy) {
    // Clip against both places at once: the parts that fall outside are lost.
    if (sx < 0) w += sx, dx -= sx, sx = 0;
    if (dx < 0) w += dx, sx -= dx, dx = 0;
    if (sy < 0) h += sy, dy -= sy, sy = 0;
    if (dy < 0) h += dy, sy -= dy, dy = 0;
    w = std::min({w, width_ - sx, width_ - dx});
    h = std::min({h, height_ - sy, height_ - dy});
    if (w <= 0 || h <= 0) return;
    const std::size_t bytes = std::size_t(w) * sizeof(std::uint32_t);
    if (dy <= sy) {
        for (int y = 0; y < h; ++y) std::memmove(Row(dy + y) + dx, Row(sy + y) + sx, bytes);
    } else {
        for (int y = h - 1; y >= 0; --y) std::memmove(Row(dy + y) + dx, Row(sy + y) + sx, bytes);
    }
}

void PixelBuffer::StretchCopy(int sx, int sy, int sw, int sh, int dx, int dy, int dw, int dh) {
    if (sw <= 0 || sh <= 0 || dw == 0 || dh == 0) return;
    const int aw = std::abs(dw);
    const int ah = std::abs(dh);
    // Through a copy of the source block, so that overlapping places are safe.
    std::vector<std::uint32_t> block(std::size_t(sw) * std::size_t(sh), 0xFF000000u);
    for (int y = 0; y < sh; ++y) {
        const int yy = sy + y;
        if (yy < 0 || yy >= height_) continue;
        for (int x = 0; x < sw; ++x) {
            const int xx = sx + x;
            if (xx >= 0 && xx < width_) block[std::size_t(y) * std::size_t(sw) + std::size_t(x)] = At(xx, yy);
        }
    }
    for (int j = 0; j < ah; ++j) {
        const int y = dh > 0 ? dy + j : dy - j;
        if (y < 0 || y >= height_) continue;
        const int from = int((2 * std::int64_t(j) + 1) * sh / (2 * std::int64_t(ah)));
        const std::uint32_t* in = block.data() + std::size_t(from) * std::size_t(sw);
        std::uint32_t* out = Row(y);
        for (int i = 0; i < aw; ++i) {
            const int x = dw > 0 ? dx + i : dx - i;
            if (x < 0 || x >= width_) continue;
            out[x] = in[(2 * std::int64_t(i) + 1) * sw / (2 * std::int64_t(aw))];
        }
    }
}

}  // namespace dlk
