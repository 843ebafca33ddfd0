#pragma once

#include <map>
#include <string>
#include <utility>

#include "config/core/raster_chart_surface.h"

namespace dlk {
class TDibSurface;
}  // namespace dlk

namespace dlk::config {

// The chart surface over the window's off-screen bitmap: fills, lines and
// markers straight into its pixels, the day and hour texts through its canvas.
// The chart is redrawn on every mouse move of a drag, and text is the dearest
// part of it, so each text is measured once and drawn without being measured.
class DibChartSurface : public RasterChartSurface {
public:
    explicit DibChartSurface(TDibSurface& surface);

    int TextWidth(ChartFont font, std::string_view utf8) override;
    void TextOut(ChartFont font, std::uint32_t color, int x, int y, std::string_view utf8) override;

private:
    void SelectFont(ChartFont font);

    TDibSurface& surface_;
    std::map<std::pair<ChartFont, std::string>, int> widths_;
};

}  // namespace dlk::config
