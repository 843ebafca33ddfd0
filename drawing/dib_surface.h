#pragma once

#include <QImage>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "drawing/core/dib_error.h"
#include "drawing/core/dib_format.h"
#include "drawing/core/dib_palette.h"
#include "drawing/core/dib_raster.h"
#include "framework/canvas/canvas.h"

namespace dlk {

// An off-screen bitmap for flicker-free painting: a frame is drawn into it with
// fills, text through Canvas() and patterned one-pixel lines, then copied to a
// window in one piece (Image() in a paint event, or Canvas() as a copy source).
// Used on the thread that made it.
class TDibSurface {
public:
    // Throws DIB_ERROR when the bitmap cannot be made: a side of 0 or above
    // 32767, a format code above 6, or no memory. The palette is used by formats
    // 0-2 only; without one they get the built-in palette of their size.
    TDibSurface(std::uint16_t width, std::uint16_t height, DibFormat format, const LogPalette* palette = nullptr);
    ~TDibSurface();
    TDibSurface(const TDibSurface&) = delete;
    TDibSurface& operator=(const TDibSurface&) = delete;

    int Width() const { return raster_.Width(); }
    int Height() const { return raster_.Height(); }
    DibFormat Format() const { return raster_.Format(); }
    TCanvas& Canvas() { return canvas_; }

    // The pixels as a Qt image, for painting the frame onto a window. It shares
    // the surface's memory (formats 1 and 2: a true-colour mirror of it); keep
    // it const, since a modifiable copy would detach.
    const QImage& Image();

    void Clear();                   // the whole surface in the brush colour
    void FillRect(const TRect& r);  // r limited to the surface, right column and bottom row left out
    void SetPenColor(TColor color);
    void SetBrushColor(TColor color);
    void SetLineStyle(std::uint32_t pattern) { raster_.SetLineStyle(pattern); }
    void MoveTo(std::int32_t x, std::int32_t y) { raster_.MoveTo(x, y); }
    void LineTo(std::int32_t x, std::int32_t y);

    // The pixel memory and line engine underneath, for callers that read pixels.
    DibRaster& Raster() { return raster_; }
    const DibRaster& Raster() const { return raster_; }

private:
    struct FreeMemory {
        void operator()(std::uint8_t* p) const { std::free(p); }
    };
    using PixelMemory = std::unique_ptr<std::uint8_t[], FreeMemory>;
    static PixelMemory AllocatePixels(std::uint16_t width, std::uint16_t height, DibFormat format);
    void CreateSurface();

    // Formats 1 and 2: Qt cannot paint on indexed images, so the canvas paints on
    // a true-colour mirror; these carry changes between the mirror and the indexes.
    void TakeCanvasChanges();
    void ShowPixelChanges();

    PixelMemory memory_;  // declared first: everything below lives on it
    DibRaster raster_;
    bool mirrored_ = false;
    QImage image_;
    qint64 mirror_key_ = 0;
    TCanvas canvas_;
};

}  // namespace dlk
