#pragma once

#include "config/core/chart_surface.h"
#include "drawing/core/dib_raster.h"

namespace dlk::config {

// The marker blit onto a 24- or 32-bit raster, per byte and clipped, so a
// marker half off either edge touches only the pixels on the surface.
void BlendMarker(DibRaster& raster, int x, int y, const MarkerImage& mask, const MarkerImage& image);

// A chart surface over a raster: fills, lines and markers go to its pixel
// memory; text is left to whoever owns the fonts.
class RasterChartSurface : public ChartSurface {
public:
    explicit RasterChartSurface(DibRaster& raster) : raster_(raster) {}

    int Width() const override { return raster_.Width(); }
    int Height() const override { return raster_.Height(); }
    void Clear(std::uint32_t color) override { raster_.Clear(color); }
    void FillRect(const DibRect& rect, std::uint32_t color) override { raster_.FillRect(rect, color); }
    void SetPenColor(std::uint32_t color) override { raster_.SetPenColor(color); }
    void SetLineStyle(std::uint32_t pattern) override { raster_.SetLineStyle(pattern); }
    void MoveTo(int x, int y) override { raster_.MoveTo(x, y); }
    void LineTo(int x, int y) override { raster_.LineTo(x, y); }
    void DrawMarker(int x, int y, const MarkerImage& mask, const MarkerImage& image) override {
        BlendMarker(raster_, x, y, mask, image);
    }

protected:
    DibRaster& Raster() { return raster_; }

private:
    DibRaster& raster_;
};

}  // namespace dlk::config
