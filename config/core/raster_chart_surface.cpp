#include "config/core/raster_chart_surface.h"

#include <algorithm>

namespace dlk::config {

void BlendMarker(DibRaster& raster, int x, int y, const MarkerImage& mask, const MarkerImage& image) {
    const int bytes_per_pixel = BytesPerPixel(raster.Format());
    if (bytes_per_pixel < 3) return;  // the chart is always true colour
    const int left = std::max(x, 0), right = std::min(x + kMarkerSide, raster.Width());
    const int top = std::max(y, 0), bottom = std::min(y + kMarkerSide, raster.Height());
    const PixelRows rows = raster.Rows();
    for (int row = top; row < bottom; ++row) {
        std::uint8_t* pixel = rows.TopRow + row * rows.RowStep + static_cast<std::ptrdiff_t>(left) * bytes_per_pixel;
        const std::size_t first = static_cast<std::size_t>((row - y) * kMarkerSide + (left - x));
        const std::uint32_t* mask_row = mask.data() + first;
        const std::uint32_t* image_row = image.data() + first;
        for (int i = 0; i < right - left; ++i, pixel += bytes_per_pixel) {
            // Surface bytes are blue, green, red; colours are 0x00BBGGRR.
            const std::uint32_t m = mask_row[i], p = image_row[i];
            pixel[0] = static_cast<std::uint8_t>((pixel[0] & (m >> 16)) | (p >> 16));
            pixel[1] = static_cast<std::uint8_t>((pixel[1] & (m >> 8)) | (p >> 8));
            pixel[2] = static_cast<std::uint8_t>((pixel[2] & m) | p);
        }
    }
}

}  // namespace dlk::config
