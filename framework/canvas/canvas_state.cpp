#include "framework/canvas/canvas.h"

namespace dlk {

int TCanvas::SaveDC() {
    saved_.push_back({Font, Pen, Brush, CopyMode, Origin, ClipRect, ClipRegion, pen_pos_});
    return int(saved_.size());
}

bool TCanvas::RestoreDC(int saved) {
    if (saved < 0) saved = int(saved_.size()) + 1 + saved;
    if (saved < 1 || saved > int(saved_.size())) return false;
    const SavedState& s = saved_[std::size_t(saved - 1)];
    Font = s.Font;
    Pen = s.Pen;
    Brush = s.Brush;
    CopyMode = s.CopyMode;
    Origin = s.Origin;
    ClipRect = s.ClipRect;
    ClipRegion = s.ClipRegion;
    pen_pos_ = s.PenPos;
    saved_.resize(std::size_t(saved - 1));
    return true;
}

TRect TCanvas::ClipBox() const {
    if (!HandleAllocated()) return {};
    const TRect whole = Bounds(-Origin.X, -Origin.Y, image_->width(), image_->height());
    if (ClipRect.IsEmpty()) return whole;
    TRect box;
    IntersectRect(box, ClipRect, whole);
    return box;
}

namespace {

// Inverts the pixel (x, y) of the canvas when it lies on the dotted pattern,
// which is fixed to the image so that neighbouring frames line up.
void InvertDot(QImage& image, const TRect& limit, const TPoint& origin, int x, int y) {
    if (!limit.Contains({x, y})) return;
    const int ix = x + origin.X;
    const int iy = y + origin.Y;
    if (((ix + iy) & 1) != 0) return;
    const QColor c = image.pixelColor(ix, iy);
    image.setPixelColor(ix, iy, QColor(255 - c.red(), 255 - c.green(), 255 - c.blue(), c.alpha()));
}

}  // namespace

void TCanvas::DrawFocusRect(const TRect& r) {
    if (r.IsEmpty()) return;
    const TRect limit = ClipBox();
    if (limit.IsEmpty()) return;
    for (int x = r.Left; x < r.Right; ++x) {
        InvertDot(*image_, limit, Origin, x, r.Top);
        if (r.Bottom - 1 != r.Top) InvertDot(*image_, limit, Origin, x, r.Bottom - 1);
    }
    for (int y = r.Top + 1; y < r.Bottom - 1; ++y) {
        InvertDot(*image_, limit, Origin, r.Left, y);
        if (r.Right - 1 != r.Left) InvertDot(*image_, limit, Origin, r.Right - 1, y);
    }
}

namespace {

// An origin and a signed extent as a rectangle whose edges may be swapped:
// a negative extent ends at the origin itself.
void Span(int origin, int extent, int& first, int& second) {
    first = extent < 0 ? origin + 1 : origin;
    second = first + extent;
}

}  // namespace

void StretchBlt(TCanvas& dest, int x, int y, int w, int h, const TCanvas& source, int sx, int sy, int sw, int sh,
                TCopyMode mode) {
    TRect d;
    TRect s;
    Span(x, w, d.Left, d.Right);
    Span(y, h, d.Top, d.Bottom);
    Span(sx, sw, s.Left, s.Right);
    Span(sy, sh, s.Top, s.Bottom);
    const TCopyMode saved = dest.CopyMode;
    dest.CopyMode = mode;
    dest.CopyRect(d, source, s);
    dest.CopyMode = saved;
}

}  // namespace dlk
