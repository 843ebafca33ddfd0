#include "tabs/core/pixel_buffer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <cwchar>
#include <vector>

namespace dlk {

namespace {

// The C library's wide-character fill writes 32-bit values with the widest
// stores the processor has; a plain loop here is several times slower.
static_assert(sizeof(wchar_t) == sizeof(std::uint32_t));
void FillPixels(std::uint32_t* to, std::size_t count, std::uint32_t pixel) {
    std::wmemset(reinterpret_cast<wchar_t*>(to), wchar_t(pixel), count);
}

}  // namespace

PixelBuffer::PixelBuffer(int width, int height)
    : width_(std::max(0, width)),
      height_(std::max(0, height)),
      stride_(width_),
      storage_(std::make_unique_for_overwrite<std::uint32_t[]>(std::size_t(width_) * std::size_t(height_))),
      bits_(storage_.get()) {}

PixelBuffer::PixelBuffer(int width, int height, std::uint32_t fill) : PixelBuffer(width, height) {
    FillPixels(bits_, std::size_t(width_) * std::size_t(height_), fill);
}

PixelBuffer PixelBuffer::Over(std::uint32_t* bits, int width, int height, int stride) {
    PixelBuffer view;
    view.width_ = std::max(0, width);
    view.height_ = std::max(0, height);
    view.stride_ = stride;
    view.bits_ = bits;
    return view;
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
    if (right - left <= 8) {  // the bands of a strip: a call would cost more than the pixels
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) Row(y)[x] = pixel;
        return;
    }
    for (int y = top; y < bottom; ++y) FillPixels(Row(y) + left, std::size_t(right - left), pixel);
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
            if (l < r) FillPixels(Row(y) + l, std::size_t(r - l), pixel);
        }
    }
}

void PixelBuffer::CopyRow(int from, int to, int left, int right) {
    left = std::max(left, 0);
    right = std::min(right, width_);
    if (from == to || left >= right || from < 0 || to < 0 || from >= height_ || to >= height_) return;
    std::memcpy(Row(to) + left, Row(from) + left, std::size_t(right - left) * sizeof(std::uint32_t));
}

void PixelBuffer::RepeatInRow(int row, int x, int width, int right) {
    right = std::min(right, width_);
    if (row < 0 || row >= height_ || x < 0 || width <= 0 || x + width >= right) return;
    std::uint32_t* line = Row(row);
    const std::uint32_t first = line[x];
    if (std::all_of(line + x + 1, line + x + width, [first](std::uint32_t p) { return p == first; })) {
        FillPixels(line + x + width, std::size_t(right - (x + width)), first);
        return;
    }
    for (int done = width; x + done < right; done *= 2) {
        const int n = std::min(done, right - (x + done));
        std::memcpy(line + x + done, line + x, std::size_t(n) * sizeof(std::uint32_t));
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
