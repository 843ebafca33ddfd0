#include <algorithm>
#include <cstring>

#include "framework/canvas/canvas.h"

namespace dlk {

namespace {

bool Is32BitRgb(QImage::Format format) {
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
           format == QImage::Format_ARGB32_Premultiplied;
}

}  // namespace

std::uint32_t* TCanvas::DirectPixels(const TRect& r, int& stride) {
    if (!HandleAllocated() || ClipRegion || !Is32BitRgb(image_->format()) || r.IsEmpty()) return nullptr;
    const QRect target(r.Left + Origin.X, r.Top + Origin.Y, r.Width(), r.Height());
    if (!image_->rect().contains(target)) return nullptr;
    if (!ClipRect.IsEmpty() &&
        !(ClipRect.Left <= r.Left && ClipRect.Top <= r.Top && r.Right <= ClipRect.Right && r.Bottom <= ClipRect.Bottom))
        return nullptr;
    stride = int(image_->bytesPerLine() / 4);
    return reinterpret_cast<std::uint32_t*>(image_->scanLine(target.top())) + target.left();
}

void TCanvas::DrawPixels(int x, int y, const std::uint32_t* pixels, int w, int h, int stride) {
    if (!HandleAllocated() || pixels == nullptr || w <= 0 || h <= 0) return;
    if (ClipRegion || !Is32BitRgb(image_->format())) {
        const QImage picture(reinterpret_cast<const uchar*>(pixels), w, h, qsizetype(stride) * 4, QImage::Format_RGB32);
        Draw(x, y, picture);
        return;
    }
    // The target in image pixels, limited by the image and the clip rectangle.
    QRect target = QRect(x + Origin.X, y + Origin.Y, w, h) & image_->rect();
    if (!ClipRect.IsEmpty())
        target &= QRect(ClipRect.Left + Origin.X, ClipRect.Top + Origin.Y, ClipRect.Width(), ClipRect.Height());
    if (target.isEmpty()) return;
    const int sx = target.left() - (x + Origin.X);
    const int sy = target.top() - (y + Origin.Y);
    const std::size_t bytes = std::size_t(target.width()) * sizeof(std::uint32_t);
    for (int row = 0; row < target.height(); ++row) {
        const std::uint32_t* in = pixels + std::size_t(sy + row) * std::size_t(stride) + std::size_t(sx);
        std::memcpy(reinterpret_cast<std::uint32_t*>(image_->scanLine(target.top() + row)) + target.left(), in, bytes);
    }
}

}  // namespace dlk
