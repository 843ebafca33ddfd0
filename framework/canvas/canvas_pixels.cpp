#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "framework/canvas/canvas.h"

namespace dlk {

namespace {

bool Is32BitRgb(QImage::Format format) {
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
           format == QImage::Format_ARGB32_Premultiplied;
}

}  // namespace

// Straight and diagonal one-pixel solid lines are set pixel by pixel: the
// same pixels as the painter's, without the cost of one per line.
bool TCanvas::PlainLine(TPoint from, TPoint to) {
    const int dx = to.X - from.X;
    const int dy = to.Y - from.Y;
    const int major = std::max(std::abs(dx), std::abs(dy));
    if (Pen.Style != TPenStyle::psSolid || Pen.Width > 1 || (dx != 0 && dy != 0 && std::abs(dx) != std::abs(dy)))
        return false;
    if (!HandleAllocated()) return true;
    if (!Is32BitRgb(image_->format())) return false;
    const QRgb rgb = ToQColor(Pen.Color).rgb();
    const TRect box = ClipBox();
    auto* pixels = reinterpret_cast<QRgb*>(image_->bits());
    const qsizetype stride = image_->bytesPerLine() / 4;
    const int sx = dx / major;
    const int sy = dy / major;
    for (int k = 0; k < major; ++k) {
        const TPoint p{from.X + k * sx, from.Y + k * sy};
        if (!box.Contains(p) || (ClipRegion && !ClipRegion->Contains(p))) continue;
        pixels[(p.Y + Origin.Y) * stride + p.X + Origin.X] = rgb;
    }
    return true;
}

std::uint32_t* TCanvas::DirectPixels(const TRect& r, int& stride) {
    if (!HandleAllocated() || ClipRegion || !Is32BitRgb(image_->format()) || r.IsEmpty()) return nullptr;
    TRect inside;
    if (!IntersectRect(inside, r, ClipBox()) || inside != r) return nullptr;
    stride = int(image_->bytesPerLine() / 4);
    return reinterpret_cast<std::uint32_t*>(image_->scanLine(r.Top + Origin.Y)) + r.Left + Origin.X;
}

void TCanvas::DrawPixels(int x, int y, const std::uint32_t* pixels, int w, int h, int stride) {
    if (!HandleAllocated() || pixels == nullptr || w <= 0 || h <= 0) return;
    if (ClipRegion || !Is32BitRgb(image_->format())) {
        const QImage picture(reinterpret_cast<const uchar*>(pixels), w, h, qsizetype(stride) * 4, QImage::Format_RGB32);
        Draw(x, y, picture);
        return;
    }
    TRect target;
    if (!IntersectRect(target, Bounds(x, y, w, h), ClipBox())) return;
    const int sx = target.Left - x;
    const int sy = target.Top - y;
    const std::size_t bytes = std::size_t(target.Width()) * sizeof(std::uint32_t);
    for (int row = 0; row < target.Height(); ++row) {
        const std::uint32_t* in = pixels + std::size_t(sy + row) * std::size_t(stride) + std::size_t(sx);
        auto* out = reinterpret_cast<std::uint32_t*>(image_->scanLine(target.Top + Origin.Y + row));
        std::memcpy(out + target.Left + Origin.X, in, bytes);
    }
}

}  // namespace dlk
