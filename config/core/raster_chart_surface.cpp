#include "config/core/raster_chart_surface.h"

#include <algorithm>

namespace dlk {

void BlendMarker(DibRaster& raster, int x, int y, const MarkerImage& mask, const MarkerImage& image) {
    const int bytes_per_pixel = BytesPerPixel(raster.Format());
    if (bytes_per_pixel < 3) return;  // the chart is always true colour
    const int left = std::max(x, 0), right = std::min(x + kMarkerSide, raster.Width());
    const int top = std::max(y, 0), bottom = std::min(y + kMarkerSide, raster.Height());
    const PixelRows rows = raster.Rows();
    for (int row = top; row < bottom; ++row) {
        std::uint8_t* pixel = rows.TopRow + row * rows.RowStep + static_cast<std::ptrdiff_t>(left) * bytes_per_pixel;
        for (int column = left; column < right; ++column, pixel += bytes_per_pixel) {
            const std::size_t k = static_cast<std::size_t>((row - y) * kMarkerSide + (column - x));
            // Surface bytes are blue, green, red; colours are 0x00BBGGRR.
            for (int c = 0; c < 3; ++c) {
                const int shift = 8 * (2 - c);
                pixel[c] = static_cast<std::uint8_t>((pixel[c] & (mask[k] >> shift)) | (image[k] >> shift));
            }
        }
    }
}

}  // namespace dlk
