#include "drawing/core/dib_raster.h"

#include <algorithm>

#include "drawing/core/dib_error.h"
#include "drawing/core/segment_clip.h"

namespace dlk {
namespace {

// Coordinates wrap like the machine's, so offsets next to the i32 limits do
// not overflow; the clipper rejects what lands far away.
std::int32_t Offset(std::int32_t v, std::int32_t d) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(v) + static_cast<std::uint32_t>(d));
}

struct Direction {
    int Kind;  // 0 flatter than 45 degrees, 1 exactly 45, 2 steeper
    std::int32_t Sx;
    std::int32_t Sy;
};

template <typename Seg>
Direction SegmentDirection(const Seg& s) {
    const std::int64_t dx = std::int64_t{s.X2} - s.X1;
    const std::int64_t dy = std::int64_t{s.Y2} - s.Y1;
    const std::int64_t d = (dx < 0 ? -dx : dx) - (dy < 0 ? -dy : dy);
    return Direction{d == 0 ? 1 : (d < 0 ? 2 : 0), dx >= 0 ? 1 : -1, dy >= 0 ? 1 : -1};
}

}  // namespace

DibRaster::DibRaster(std::uint8_t* memory, int width, int height, DibFormat format, const LogPalette* palette)
    : memory_(memory), width_(width), height_(height), format_(format) {
    if (memory == nullptr || !IsValidDibShape(width, height, format)) throw DIB_ERROR(kDibCreateErrorText);
    stride_ = RowStride(width, format);
    top_row_ = memory;
    row_step_ = static_cast<std::ptrdiff_t>(stride_);
    clip_ = ClipRect{0, 0, width - 1, height - 1};
    if (IsIndexed(format)) palette_ = ChoosePalette(format, palette);
    // Black lines must be black even when palette entry 0 is another colour.
    SetPenPixel(ColorToPixel(0));
}

bool DibRaster::SetPenColor(std::uint32_t color) {
    if (color == pen_color_) return false;
    SetPenPixel(ColorToPixel(color));
    pen_color_ = color;
    return true;
}

bool DibRaster::SetBrushColor(std::uint32_t color) {
    if (color == brush_color_) return false;
    brush_color_ = color;
    return true;
}

void DibRaster::Clear(std::uint32_t color) {
    FillPixels(Rows(), 0, 0, width_, height_, ColorToPixel(color));
}

void DibRaster::FillRect(const DibRect& rect, std::uint32_t color) {
    const std::int32_t left = std::max(rect.Left, clip_.Left);
    const std::int32_t top = std::max(rect.Top, clip_.Top);
    const std::int32_t right = std::min(rect.Right, clip_.Right);
    const std::int32_t bottom = std::min(rect.Bottom, clip_.Bottom);
    FillPixels(Rows(), left, top, right, bottom, ColorToPixel(color));
}

void DibRaster::SetLineStyle(std::uint32_t pattern) {
    pattern_ = pattern;
    no_line_ = pattern == 0;
}

void DibRaster::MoveTo(std::int32_t x, std::int32_t y) {
    if (x != kKeep) current_x_ = x;
    if (y != kKeep) current_y_ = y;
}

void DibRaster::LineTo(std::int32_t x, std::int32_t y) {
    if (x == kKeep) x = current_x_;
    if (y == kKeep) y = current_y_;
    const Segment segment{current_x_, current_y_, x, y};
    current_x_ = x;
    current_y_ = y;
    if (no_line_) return;
    switch (line_width_) {
        case 1: DrawSegment(segment); break;
        case 2: DrawLine2(segment); break;
        case 3: DrawLine3(segment); break;
        default:
            if (wide_line_) wide_line_(line_width_, segment.X1, segment.Y1, segment.X2, segment.Y2);
            break;
    }
}

void DibRaster::DrawSegment(const Segment& s) {
    const std::optional<ClippedSegment> clipped = ClipSegment(s.X1, s.Y1, s.X2, s.Y2, clip_);
    if (!clipped) return;
    const WalkTarget target{top_row_, row_step_, format_, raster_op_, pen_.Value32};
    WalkLine(target, *clipped, pattern_);
}

// Two passes with the same dash phase: the second one row up for a flat or
// 45-degree line, one column left for a steep one.
void DibRaster::DrawLine2(Segment s) {
    const std::uint32_t kept = pattern_;
    DrawSegment(s);
    pattern_ = kept;
    if (SegmentDirection(s).Kind == 2) {
        s.X1 = Offset(s.X1, -1);
        s.X2 = Offset(s.X2, -1);
    } else {
        s.Y1 = Offset(s.Y1, -1);
        s.Y2 = Offset(s.Y2, -1);
    }
    DrawSegment(s);
}

// Three passes with the same dash phase: a flat line gets the rows above and
// below, a steep one the columns left and right, a 45-degree one a copy moved
// against its y direction and one moved against its x direction.
void DibRaster::DrawLine3(Segment s) {
    const std::uint32_t kept = pattern_;
    DrawSegment(s);
    const Direction d = SegmentDirection(s);
    pattern_ = kept;
    std::int32_t dx2 = 0, dy2 = 0, dx3 = 0, dy3 = 0;  // second pass from the first, third from the second
    switch (d.Kind) {
        case 0:
            dy2 = -1;
            dy3 = 2;
            break;
        case 1:
            dy2 = -d.Sy;
            dy3 = d.Sy;
            dx3 = -d.Sx;
            break;
        default:
            dx2 = -1;
            dx3 = 2;
            break;
    }
    s = Segment{Offset(s.X1, dx2), Offset(s.Y1, dy2), Offset(s.X2, dx2), Offset(s.Y2, dy2)};
    DrawSegment(s);
    pattern_ = kept;
    s = Segment{Offset(s.X1, dx3), Offset(s.Y1, dy3), Offset(s.X2, dx3), Offset(s.Y2, dy3)};
    DrawSegment(s);
}

}  // namespace dlk
