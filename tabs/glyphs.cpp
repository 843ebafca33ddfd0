#include "tabs/glyphs.h"

#include "tabs/core/color_helpers.h"
#include "tabs/core/glyph_shapes.h"

namespace dlk {

namespace {

// Sets the glyph colour and no outline for the length of one glyph.
class GlyphPaint {
public:
    GlyphPaint(TCanvas& canvas, TColor color) : canvas_(canvas), saved_(canvas.Brush.Color) {
        canvas_.Brush.Color = color;
        canvas_.Pen.Style = TPenStyle::psClear;
    }
    ~GlyphPaint() {
        canvas_.Pen.Style = TPenStyle::psSolid;
        canvas_.Brush.Color = saved_;
    }
    GlyphPaint(const GlyphPaint&) = delete;
    GlyphPaint& operator=(const GlyphPaint&) = delete;

private:
    TCanvas& canvas_;
    TColor saved_;
};

}  // namespace

void ArrowGlyph(TCanvas& canvas, const TRect& rect, std::uint8_t direction, bool down, bool enabled) {
    TColor color = clBtnShadow;
    if (enabled) color = ColorsNear(canvas.Brush.Color, clBlack) ? cl3DDkShadow : clBlack;
    GlyphPaint paint(canvas, color);
    for (const TPoint& p : ArrowGlyphPixels(rect, direction, down && enabled)) canvas.SetPixel(p.X, p.Y, color);
}

void CloseGlyph(TCanvas& canvas, const TRect& rect, bool down) {
    GlyphPaint paint(canvas, clBlack);
    const auto points = CloseGlyphPolygon(rect, down);
    canvas.Polygon(points.data(), int(points.size()));
}

}  // namespace dlk
