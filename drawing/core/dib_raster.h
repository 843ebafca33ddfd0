#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "drawing/core/dib_format.h"
#include "drawing/core/dib_palette.h"
#include "drawing/core/line_walker.h"
#include "drawing/core/pen_pixel.h"
#include "drawing/core/pixel_fill.h"

namespace dlk {

// Everything of an off-screen surface but its canvas: the pixel memory (owned
// by whoever made it), colours, the clip rectangle and the patterned
// one-pixel line engine. Used on one thread at a time.
class DibRaster {
public:
    // Keeps a coordinate in MoveTo and LineTo.
    static constexpr std::int32_t kKeep = 0x7FFFFFFF;

    // Lays the raster over `memory`, which holds ImageSize(width, height, format)
    // bytes with row 0 first. Throws DIB_ERROR for a size outside 1..32767 or an
    // unknown format. The palette is used by the indexed formats only.
    DibRaster(std::uint8_t* memory, int width, int height, DibFormat format, const LogPalette* palette = nullptr);

    int Width() const { return width_; }
    int Height() const { return height_; }
    DibFormat Format() const { return format_; }
    std::size_t Stride() const { return stride_; }
    std::uint8_t* Memory() const { return memory_; }
    const ClipRect& Clip() const { return clip_; }
    const LogPalette& Palette() const { return palette_; }

    std::uint32_t ColorToPixel(std::uint32_t color) const { return dlk::ColorToPixel(format_, palette_, color); }
    void SetPenPixel(std::uint32_t pixel) { pen_ = MakePenPixel(format_, pixel); }
    const PenPixel& Pen() const { return pen_; }

    // Both return whether the colour changed; an unchanged colour costs nothing.
    bool SetPenColor(std::uint32_t color);
    bool SetBrushColor(std::uint32_t color);
    std::uint32_t PenColor() const { return pen_color_; }
    std::uint32_t BrushColor() const { return brush_color_; }

    // Every pixel, the last row and column included, in `color` (plain 0x00BBGGRR).
    void Clear(std::uint32_t color);
    // `rect` limited to the clip rectangle, then filled without its right
    // column and bottom row, so the surface's last row and column stay untouched.
    void FillRect(const DibRect& rect, std::uint32_t color);

    // Bit 31 goes to the next pixel visited; 0 turns lines off.
    void SetLineStyle(std::uint32_t pattern);
    std::uint32_t LineStyle() const { return pattern_; }
    void MoveTo(std::int32_t x, std::int32_t y);
    // Draws from the current point to (x, y), both ends included, and moves there.
    void LineTo(std::int32_t x, std::int32_t y);
    std::int32_t CurrentX() const { return current_x_; }
    std::int32_t CurrentY() const { return current_y_; }

    // Surfaces draw at width 1 with the copy op; the others exist for the engine's completeness.
    void SetLineWidth(std::int32_t width) { line_width_ = width; }
    std::int32_t LineWidth() const { return line_width_; }
    void SetRasterOp(std::uint8_t op) { raster_op_ = op; }
    std::uint8_t RasterOp() const { return raster_op_; }

    // Lines wider than 3 pixels are drawn by whoever owns the canvas.
    using WideLine =
        std::function<void(std::int32_t width, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2)>;
    void SetWideLine(WideLine draw) { wide_line_ = std::move(draw); }

    PixelRows Rows() const { return PixelRows{top_row_, row_step_, format_}; }

private:
    struct Segment {
        std::int32_t X1, Y1, X2, Y2;
    };
    void DrawSegment(const Segment& segment);
    void DrawLine2(Segment segment);
    void DrawLine3(Segment segment);

    std::uint8_t* memory_;
    int width_;
    int height_;
    DibFormat format_;
    std::size_t stride_;
    std::uint8_t* top_row_;
    std::ptrdiff_t row_step_;
    ClipRect clip_;
    LogPalette palette_;

    std::int32_t current_x_ = 0;
    std::int32_t current_y_ = 0;
    std::int32_t line_width_ = 1;
    std::uint32_t pen_color_ = 0;
    std::uint32_t brush_color_ = 0xFFFFFF;
    std::uint32_t pattern_ = 0xFFFFFFFF;
    std::uint8_t raster_op_ = 0;
    PenPixel pen_;
    bool no_line_ = false;
    WideLine wide_line_;
};

}  // namespace dlk
