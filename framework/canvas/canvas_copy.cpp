#include <QPainter>
#include <cstdlib>

#include "framework/canvas/canvas.h"
#include "framework/canvas/canvas_painter.h"

namespace dlk {

namespace {

// The source block, mirrored and stretched to the destination's size, in the
// destination's pixel format. Pixels outside the source image come out black.
QImage PrepareBlock(const QImage& image, const TPoint& origin, const TRect& src, int dw, int dh,
                    QImage::Format format) {
    const int sw = std::abs(src.Width());
    const int sh = std::abs(src.Height());
    const QRect area(std::min(src.Left, src.Right) + origin.X, std::min(src.Top, src.Bottom) + origin.Y, sw, sh);
    QImage block(sw, sh, QImage::Format_RGB32);
    block.fill(Qt::black);
    {
        QPainter q(&block);
        q.setCompositionMode(QPainter::CompositionMode_Source);
        q.drawImage(QPoint(0, 0), image, area);
    }
    const bool flipX = (src.Width() < 0) != (dw < 0);
    const bool flipY = (src.Height() < 0) != (dh < 0);
    if (flipX || flipY) block = block.mirrored(flipX, flipY);
    if (sw != std::abs(dw) || sh != std::abs(dh))
        block = block.scaled(std::abs(dw), std::abs(dh), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    return block.convertToFormat(format);
}

// Bitwise AND, OR or XOR of the block into target at (x, y), over area (in
// image pixels, inside both). Done on the bytes of the common format, which is exact
// for every RGB layout; the unused byte of 32-bit RGB stays 0xFF.
void CombineBytes(QImage& target, const QImage& block, int x, int y, const QRect& area, TCopyMode mode) {
    const int bytesPerPixel = target.depth() / 8;
    const bool fixAlpha = target.format() == QImage::Format_RGB32;
    for (int row = area.top(); row <= area.bottom(); ++row) {
        uchar* out = target.scanLine(row) + area.left() * bytesPerPixel;
        const uchar* in = block.constScanLine(row - y) + (area.left() - x) * bytesPerPixel;
        const int count = area.width() * bytesPerPixel;
        for (int i = 0; i < count; ++i) {
            switch (mode) {
                case TCopyMode::cmSrcAnd: out[i] &= in[i]; break;
                case TCopyMode::cmSrcPaint: out[i] |= in[i]; break;
                default: out[i] ^= in[i]; break;
            }
        }
        if (fixAlpha) {
            auto* pixels = reinterpret_cast<QRgb*>(target.scanLine(row)) + area.left();
            for (int i = 0; i < area.width(); ++i) pixels[i] |= 0xFF000000u;
        }
    }
}

}  // namespace

void TCanvas::CopyRect(const TRect& dest, const TCanvas& source, const TRect& src) {
    if (!HandleAllocated() || dest.Width() == 0 || dest.Height() == 0) return;
    const TRect target{std::min(dest.Left, dest.Right), std::min(dest.Top, dest.Bottom),
                       std::max(dest.Left, dest.Right), std::max(dest.Top, dest.Bottom)};
    if (CopyMode == TCopyMode::cmBlackness || CopyMode == TCopyMode::cmWhiteness) {
        CanvasPainter p(*this);
        p.Painter().fillRect(QRect(target.Left, target.Top, target.Width(), target.Height()),
                             CopyMode == TCopyMode::cmBlackness ? Qt::black : Qt::white);
        return;
    }
    if (!source.HandleAllocated() || src.Width() == 0 || src.Height() == 0) return;
    const QImage block =
        PrepareBlock(*source.Handle(), source.Origin, src, dest.Width(), dest.Height(), image_->format());
    if (CopyMode == TCopyMode::cmSrcCopy || image_->depth() < 8 || image_->hasAlphaChannel()) {
        CanvasPainter p(*this);
        QPainter& q = p.Painter();
        switch (CopyMode) {
            case TCopyMode::cmSrcAnd: q.setCompositionMode(QPainter::RasterOp_SourceAndDestination); break;
            case TCopyMode::cmSrcPaint: q.setCompositionMode(QPainter::RasterOp_SourceOrDestination); break;
            case TCopyMode::cmSrcInvert: q.setCompositionMode(QPainter::RasterOp_SourceXorDestination); break;
            default: q.setCompositionMode(QPainter::CompositionMode_Source); break;
        }
        q.drawImage(QPoint(target.Left, target.Top), block);
        return;
    }
    const int x = target.Left + Origin.X;
    const int y = target.Top + Origin.Y;
    QRect limit = image_->rect() & QRect(x, y, block.width(), block.height());
    if (!ClipRect.IsEmpty())
        limit &= QRect(ClipRect.Left + Origin.X, ClipRect.Top + Origin.Y, ClipRect.Width(), ClipRect.Height());
    QRegion allowed(limit);
    if (ClipRegion) allowed &= ClipRegion->ToQRegion().translated(Origin.X, Origin.Y);
    for (const QRect& area : allowed) CombineBytes(*image_, block, x, y, area, CopyMode);
}

}  // namespace dlk
