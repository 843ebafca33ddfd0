#include "drawing/dib_surface.h"

#include <cstdlib>

namespace dlk {
namespace {

QImage::Format SharedImageFormat(DibFormat format) {
    switch (format) {
        case DibFormat::Indexed1: return QImage::Format_Mono;
        case DibFormat::Rgb555: return QImage::Format_RGB555;
        case DibFormat::Rgb565: return QImage::Format_RGB16;
        case DibFormat::Rgb24: return QImage::Format_BGR888;
        case DibFormat::Rgb32: return QImage::Format_RGB32;
        default: return QImage::Format_RGB32;  // indexed 4 and 8: a mirror, not shared
    }
}

QRgb EntryRgb(const PaletteEntry& e) {
    return qRgb(e.Red, e.Green, e.Blue);
}

TColor RgbToColor(QRgb c) {
    return RGB(qRed(c), qGreen(c), qBlue(c));
}

}  // namespace

TDibSurface::PixelMemory TDibSurface::AllocatePixels(std::uint16_t width, std::uint16_t height, DibFormat format) {
    if (!IsValidDibShape(width, height, format)) throw DIB_ERROR(kDibCreateErrorText);
    // Zeroed, as a fresh system bitmap is; calloc gets large blocks as untouched
    // zero pages, so a big surface costs no time until it is drawn on.
    auto* bytes = static_cast<std::uint8_t*>(std::calloc(ImageSize(width, height, format), 1));
    if (bytes == nullptr) throw DIB_ERROR(kDibCreateErrorText);
    return PixelMemory(bytes);
}

TDibSurface::TDibSurface(std::uint16_t width, std::uint16_t height, DibFormat format, const LogPalette* palette)
    : memory_(AllocatePixels(width, height, format)),
      raster_(memory_.get(), width, height, format, palette),
      mirrored_(format == DibFormat::Indexed4 || format == DibFormat::Indexed8) {
    CreateSurface();
    canvas_.SetImage(&image_);
    // Pen black, brush white, as the canvas starts; the raster agrees already.
    canvas_.Brush.Color = raster_.BrushColor();
    raster_.SetWideLine([this](std::int32_t w, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
        canvas_.Pen.Width = w;
        canvas_.MoveTo(x1, y1);
        canvas_.LineTo(x2, y2);
        TakeCanvasChanges();  // into the indexes before the mirror is redrawn from them
    });
}

// The Qt image the canvas paints on: over the pixel memory itself, or for the
// indexed formats Qt cannot paint on, a true-colour mirror of it.
void TDibSurface::CreateSurface() {
    const int width = raster_.Width();
    const int height = raster_.Height();
    if (mirrored_) {
        image_ = QImage(width, height, QImage::Format_RGB32);
    } else {
        image_ = QImage(memory_.get(), width, height, static_cast<qsizetype>(raster_.Stride()),
                        SharedImageFormat(raster_.Format()));
        if (raster_.Format() == DibFormat::Indexed1) {
            const LogPalette& p = raster_.Palette();
            image_.setColorTable({EntryRgb(p.Entries[0]), EntryRgb(p.Entries[1])});
        }
    }
    if (image_.isNull()) throw DIB_ERROR(kDibCreateErrorText);
    ShowPixelChanges();
}

TDibSurface::~TDibSurface() {
    // The canvas lets go of the image before the memory under it goes.
    canvas_.SetImage(nullptr);
}

const QImage& TDibSurface::Image() {
    TakeCanvasChanges();
    ShowPixelChanges();
    return image_;
}

void TDibSurface::Clear() {
    canvas_.Brush.Color = raster_.BrushColor();
    raster_.Clear(ColorToRGB(raster_.BrushColor()));
    ShowPixelChanges();
}

void TDibSurface::FillRect(const TRect& r) {
    if (canvas_.Brush.Style == TBrushStyle::bsClear) return;
    TakeCanvasChanges();
    raster_.FillRect(DibRect{r.Left, r.Top, r.Right, r.Bottom}, ColorToRGB(canvas_.Brush.Color));
    ShowPixelChanges();
}

void TDibSurface::SetPenColor(TColor color) {
    if (raster_.SetPenColor(color)) canvas_.Pen.Color = color;
}

void TDibSurface::SetBrushColor(TColor color) {
    if (raster_.SetBrushColor(color)) canvas_.Brush.Color = color;
}

void TDibSurface::LineTo(std::int32_t x, std::int32_t y) {
    TakeCanvasChanges();
    raster_.LineTo(x, y);
    ShowPixelChanges();
}

// A mirror pixel that no longer shows its index's colour was painted by the
// canvas: it takes the nearest palette entry. Callers redraw the mirror after.
void TDibSurface::TakeCanvasChanges() {
    if (!mirrored_ || image_.cacheKey() == mirror_key_) return;  // nothing wrote to the mirror since
    const LogPalette& palette = raster_.Palette();
    const int usable = PaletteTableSize(raster_.Format());
    const bool nibbles = raster_.Format() == DibFormat::Indexed4;
    const QImage& mirror = image_;
    for (int y = 0; y < Height(); ++y) {
        const QRgb* from = reinterpret_cast<const QRgb*>(mirror.constScanLine(y));
        std::uint8_t* row = memory_.get() + static_cast<std::size_t>(y) * raster_.Stride();
        for (int x = 0; x < Width(); ++x) {
            const int index = nibbles ? (row[x / 2] >> ((x & 1) ? 0 : 4)) & 0xF : row[x];
            const QRgb shown = from[x] | 0xFF000000u;
            if (shown == EntryRgb(palette.Entries[index])) continue;
            const std::uint32_t nearest = NearestPaletteIndex(palette, usable, RgbToColor(shown));
            if (nibbles) {
                const int shift = (x & 1) ? 0 : 4;
                row[x / 2] = static_cast<std::uint8_t>((row[x / 2] & ~(0xF << shift)) | (nearest << shift));
            } else {
                row[x] = static_cast<std::uint8_t>(nearest);
            }
        }
    }
}

void TDibSurface::ShowPixelChanges() {
    if (!mirrored_) return;
    const LogPalette& palette = raster_.Palette();
    const bool nibbles = raster_.Format() == DibFormat::Indexed4;
    for (int y = 0; y < Height(); ++y) {
        QRgb* to = reinterpret_cast<QRgb*>(image_.scanLine(y));
        const std::uint8_t* row = memory_.get() + static_cast<std::size_t>(y) * raster_.Stride();
        for (int x = 0; x < Width(); ++x) {
            const int index = nibbles ? (row[x / 2] >> ((x & 1) ? 0 : 4)) & 0xF : row[x];
            to[x] = EntryRgb(palette.Entries[index]);
        }
    }
    mirror_key_ = image_.cacheKey();
}

}  // namespace dlk
