// Draws the segments the input describes on an exactly sized raster: the
// sanitizer catches any write outside the pixel memory, and the bytes that pad
// the rows out to 4 bytes must keep their value.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "drawing/core/dib_raster.h"

namespace {

struct Reader {
    const std::uint8_t* data;
    std::size_t size;
    template <typename T>
    bool Take(T& out) {
        if (size < sizeof out) return false;
        std::memcpy(&out, data, sizeof out);
        data += sizeof out;
        size -= sizeof out;
        return true;
    }
};

constexpr std::uint8_t kPadding = 0xA7;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Reader in{data, size};
    std::uint8_t format_code = 0, width = 0, height = 0;
    if (!in.Take(format_code) || !in.Take(width) || !in.Take(height)) return 0;
    const auto format = static_cast<dlk::DibFormat>(format_code % dlk::kDibFormatCount);
    const int w = 1 + width % 70;
    const int h = 1 + height % 70;
    std::vector<std::uint8_t> memory(dlk::ImageSize(w, h, format), kPadding);
    dlk::DibRaster raster(memory.data(), w, h, format);
    std::uint8_t mode = 0;
    std::uint32_t pattern = 0;
    std::int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    while (in.Take(mode) && in.Take(pattern) && in.Take(x1) && in.Take(y1) && in.Take(x2) && in.Take(y2)) {
        raster.SetLineWidth(1 + mode % 3);
        raster.SetRasterOp(static_cast<std::uint8_t>((mode >> 2) % 8));
        raster.SetPenColor(pattern ^ 0x5A5A5A);
        raster.SetLineStyle(pattern);
        raster.MoveTo(x1, y1);
        raster.LineTo(x2, y2);
    }
    const std::size_t used = (static_cast<std::size_t>(w) * dlk::BitsPerPixel(format) + 7) / 8;
    for (int y = 0; y < h; ++y)
        for (std::size_t i = used; i < raster.Stride(); ++i)
            if (memory[y * raster.Stride() + i] != kPadding) std::abort();
    return 0;
}
