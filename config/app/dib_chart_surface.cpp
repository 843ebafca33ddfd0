#include "config/app/dib_chart_surface.h"

#include "drawing/dib_surface.h"

namespace dlk::config {

DibChartSurface::DibChartSurface(TDibSurface& surface) : RasterChartSurface(surface.Raster()), surface_(surface) {}

void DibChartSurface::SelectFont(ChartFont font) {
    TFont& f = surface_.Canvas().Font;
    if (font == ChartFont::DayName) {
        f.Name = "MS Sans Serif";
        f.SetSize(8);
    } else {
        f.Name = "Arial";
        f.SetSize(7);
    }
    f.Style = 0;
}

int DibChartSurface::TextWidth(ChartFont font, std::string_view utf8) {
    const auto key = std::pair(font, std::string(utf8));
    const auto found = widths_.find(key);
    if (found != widths_.end()) return found->second;
    SelectFont(font);
    return widths_[key] = surface_.Canvas().TextWidth(utf8);
}

void DibChartSurface::TextOut(ChartFont font, std::uint32_t color, int x, int y, std::string_view utf8) {
    SelectFont(font);
    TCanvas& canvas = surface_.Canvas();
    canvas.Font.Color = color;
    canvas.Brush.Style = TBrushStyle::bsClear;
    // TextRect leaves the pen where it was, which the chart does not rely on,
    // and so needs no measuring.
    canvas.TextRect(TRect{0, 0, Width(), Height()}, x, y, utf8);
}

}  // namespace dlk::config
