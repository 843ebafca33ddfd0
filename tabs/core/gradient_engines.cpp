#include "tabs/core/gradient_engines.h"

#include <algorithm>
#include <cmath>

namespace dlk {

namespace {

constexpr std::int64_t kOne = 65536;
// Where a negative 16.16 position lands: far past any picture, so that the
// rectangles and polygons it bounds on the left or top are empty, as the
// unsigned 16-bit reading of the classic engines makes them.
constexpr int kBeyond = 1 << 30;

int PositionOf(std::int64_t fixed) {
    return fixed < 0 ? kBeyond : int(fixed >> 16);
}

// The least number of steps a band covers; k is 255 for the strip and
// diagonal engines, 256 for the box.
int MinRun(std::uint8_t band, int k) {
    if (band == 0) return 1;
    if (band <= 8) return band;
    return k / band + 1;
}

// Red, green and blue stepped from one colour to another in n steps.
class ColorStepper {
public:
    ColorStepper(TColor from, TColor to, std::int64_t steps)
        : r_(GetRValue(from) * kOne), g_(GetGValue(from) * kOne), b_(GetBValue(from) * kOne) {
        if (steps <= 0) return;
        dr_ = (GetRValue(to) * kOne - r_) / steps;
        dg_ = (GetGValue(to) * kOne - g_) / steps;
        db_ = (GetBValue(to) * kOne - b_) / steps;
    }
    void Step() {
        r_ += dr_;
        g_ += dg_;
        b_ += db_;
    }
    TColor Current() const { return RGB(std::uint8_t(r_ >> 16), std::uint8_t(g_ >> 16), std::uint8_t(b_ >> 16)); }

private:
    std::int64_t r_, g_, b_;
    std::int64_t dr_ = 0, dg_ = 0, db_ = 0;
};

enum class StripAxis : std::uint8_t { Vertical, Horizontal };

// Completes a box from its top-left quadrant by two mirrored stretch copies.
void MirrorQuadrant(PixelBuffer& buf, int x, int y, int w, int h) {
    const int hw = w >> 1;
    const int hh = h >> 1;
    const int odd = hw & 1;
    buf.StretchCopy(x, y, hw, hh, x, y + h - 1, hw + 1, -hh);
    buf.StretchCopy(x, y, hw - odd, h, x + w - 1, y, -(hw + odd), h);
}

// One line of bands along the axis, `thickness` pixels thick (8 in the
// classic engine, which then replicates it). control < 0: from a at 0 to b at
// size - 1; control m >= 0: a at both ends, b at m.
void StripGradient(PixelBuffer& buf, StripAxis axis, int control, int size, TColor a, TColor b, std::uint8_t band,
                   int thickness = 8) {
    const int minRun = MinRun(band, 255);
    // Across a horizontal strip every column is one colour: painted in the
    // first row and copied to the others at the end.
    auto paint = [&](int from, int to, TColor c) {
        const std::uint32_t p = PixelOf(c);
        if (axis == StripAxis::Horizontal)
            buf.FillRect(from, 0, to, 1, p);
        else
            buf.FillRect(0, from, thickness, to, p);
    };
    int pos = control < 0 ? size : control + 1;
    int low = 1;
    TColor start = b, end = a;
    for (;;) {
        ColorStepper color(start, end, std::int64_t(pos) - low + 1);
        do {
            const int far = pos;
            const TColor c = color.Current();
            int steps = 0;
            do {
                color.Step();
                --pos;
                ++steps;
            } while ((color.Current() == c || steps < minRun) && pos >= low);
            paint(pos, far, c);
        } while (pos >= low);
        std::swap(start, end);
        if (control <= 0) break;
        low = control + 2;
        pos = size;
        control = 0;
    }
    if (axis == StripAxis::Horizontal) {
        const int right = std::min(size, buf.Width());
        for (int row = 1; row < thickness && row < buf.Height(); ++row) buf.CopyRow(0, row, 0, right);
    }
}

// The top-left quadrant of a box: b at the centre, a at the corner.
void BoxGradient(PixelBuffer& buf, int w, int h, int xInset, int yInset, TColor a, TColor b, std::uint8_t band) {
    if (a == b || w <= 4 || h <= 4) {
        buf.FillRect(0, 0, w + 1, h + 1, PixelOf(a));
        return;
    }
    const int minRun = MinRun(band, 256);
    const int cx = int(unsigned(w - 1) >> 1);
    const int cy = int(unsigned(h - 1) >> 1);
    const int x = cx - xInset;
    const int y = cy - yInset;
    const std::int64_t n = std::max(x, y) + 1;
    ColorStepper color(b, a, n);
    std::int64_t fx = x * kOne;
    std::int64_t fy = y * kOne;
    const std::int64_t dx = fx / n;
    const std::int64_t dy = fy / n;
    // An axis whose step rounds to nothing (a box over 65536 pixels on its
    // other side) counts as done, or the loop would never end.
    auto inside = [&] { return (fx >= 0 && dx > 0) || (fy >= 0 && dy > 0); };
    int prevX = cx + 1;
    int prevY = cy + 1;
    do {
        const TColor c = color.Current();
        int steps = 0;
        do {
            color.Step();
            fx -= dx;
            fy -= dy;
            ++steps;
        } while ((color.Current() == c || steps < minRun) && inside());
        if (fx >= 0 || fy >= 0) {
            const int px = PositionOf(fx);
            const int py = PositionOf(fy);
            const std::uint32_t p = PixelOf(c);
            if (py != prevY) buf.FillRect(px, py, cx + 1, prevY, p);
            if (px != prevX) buf.FillRect(px, prevY, prevX, cy + 1, p);
            prevX = px;
            prevY = py;
        }
    } while (inside());
}

// Bands across the diagonal; a negative signed width sw swaps the corners.
void DiagonalGradient(PixelBuffer& buf, int sw, int h, TColor a, TColor b, std::uint8_t band) {
    const int minRun = MinRun(band, 255);
    const bool forward = sw > 0;
    const int x0 = forward ? 0 : -sw;
    const int xf = forward ? sw : 0;
    const std::int64_t d = std::int64_t(std::sqrt(double(std::int64_t(sw) * sw + std::int64_t(h) * h))) + 1;
    ColorStepper color(forward ? a : b, forward ? b : a, d);
    const std::int64_t d2 = std::max<std::int64_t>(d >> 1, 1);
    const std::int64_t dx = sw * kOne / d2;
    // Far wider than high, the vertical step can round to nothing: the
    // smallest step keeps the bands moving.
    const std::int64_t dy = std::max<std::int64_t>(h * kOne / d2, 1);
    TPoint pts[4] = {{x0, 0}, {x0, h}, {x0, h}, {0, h}};
    TColor c = color.Current();
    auto runBand = [&](std::int64_t& fx, std::int64_t& fy) {
        c = color.Current();
        int steps = 0;
        do {
            color.Step();
            fx += dx;
            fy -= dy;
            ++steps;
        } while ((color.Current() == c || steps < minRun) && fy >= 0);
    };
    auto fill = [&] { buf.FillPolygon(pts, 4, PixelOf(c)); };

    std::int64_t fx = x0 * kOne;
    std::int64_t fy = h * kOne;
    do {
        runBand(fx, fy);
        if (fy >= 0) {
            pts[0].Y = PositionOf(fy);
            pts[3].X = PositionOf(fx);
            if (pts[0].Y < pts[1].Y || pts[3].X != pts[2].X) fill();
            pts[1].Y = pts[0].Y;
            pts[2].X = pts[3].X;
        }
    } while (fy >= 0);
    pts[0].Y = 0;
    pts[3].X = xf;
    if (pts[0].Y < pts[1].Y || pts[3].X != pts[2].X) {
        fill();
        pts[1].Y = pts[0].Y;
        pts[2].X = pts[3].X;
    }

    fx = x0 * kOne;
    fy = h * kOne;
    do {
        runBand(fx, fy);
        if (fy >= 0) {
            pts[0].X = PositionOf(fx);
            pts[3].Y = PositionOf(fy);
            if (pts[0].X != pts[1].X || pts[3].Y < pts[2].Y) fill();
            pts[1].X = pts[0].X;
            pts[2].Y = pts[3].Y;
        }
    } while (fy >= 0);
    pts[0].X = PositionOf(fx);
    pts[3].Y = forward ? sw : 0;
    if (pts[0].X != pts[1].X || pts[3].Y < pts[2].Y) fill();
}

// Whether the pattern paints every pixel itself, so its buffer need not be
// filled first.
bool PatternCoversAll(std::uint8_t direction) {
    return direction == 2 || direction == 3 || direction == 5 || direction == 6;
}

}  // namespace

void FillByDoubling(PixelBuffer& buf, int x, int y, int totalW, int totalH, int doneW, int doneH) {
    if (doneW <= 0 || doneH <= 0) return;
    // Copying the block onto itself, doubling each time, ends in the block
    // repeated across and down, the last copies cut short. Made row by row
    // here: the same pixels, without a copy call per row and doubling.
    const int right = std::min(x + totalW, buf.Width());
    const int bottom = std::min(y + totalH, buf.Height());
    const int left = std::max(x, 0);
    if (left >= right) return;
    const int blockW = std::min(doneW, right - x);
    const int blockBottom = std::min(y + doneH, bottom);
    for (int row = std::max(y, 0); row < blockBottom; ++row) buf.RepeatInRow(row, x, blockW, right);
    for (int row = std::max(blockBottom, 0); row < bottom; ++row) buf.CopyRow(y + (row - y) % doneH, row, left, right);
}

void PaintGradientPattern(PixelBuffer& buf, std::uint8_t direction, TColor a, TColor b, std::uint8_t band) {
    const int w = buf.Width();
    const int h = buf.Height();
    // Patterns that leave pixels unpainted show a there, never stale memory.
    if (!PatternCoversAll(direction)) buf.FillRect(0, 0, w, h, PixelOf(a));
    switch (direction) {
        case 0:
        case 1:
            if (a != b) DiagonalGradient(buf, direction == 0 ? w : -w, h, a, b, band);
            break;
        // Replicating an 8-pixel column across gives rows of one colour each:
        // bands as wide as the picture give the same pixels with one fill a row.
        case 2:
        case 3: StripGradient(buf, StripAxis::Vertical, direction == 2 ? -1 : h / 2, h, a, b, band, w); break;
        case 5:
        case 6:
            StripGradient(buf, StripAxis::Horizontal, direction == 5 ? -1 : w / 2, w, a, b, band);
            FillByDoubling(buf, 0, 0, w, h, w, 8);
            break;
        case 4:
        case 7:
        case 8:
        case 9: {
            const int xInset = direction == 4 || direction == 9 ? w >> 2 : 0;
            const int yInset = direction == 7 || direction == 9 ? h >> 2 : 0;
            BoxGradient(buf, w, h, xInset, yInset, a, b, band);
            MirrorQuadrant(buf, 0, 0, w, h);
            break;
        }
        default: break;
    }
}

}  // namespace dlk
