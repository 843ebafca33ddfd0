#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "drawing/core/dib_raster.h"

namespace dlk::testing {

// A raster over memory the test owns, with helpers to read pixels back.
struct OwnedRaster {
    OwnedRaster(int width, int height, DibFormat format, const LogPalette* palette = nullptr)
        : memory(ImageSize(width, height, format), 0), raster(memory.data(), width, height, format, palette) {}
    std::vector<std::uint8_t> memory;
    DibRaster raster;
};

inline std::uint32_t ReadPixel(const DibRaster& r, int x, int y) {
    const std::uint8_t* row = r.Memory() + static_cast<std::size_t>(y) * r.Stride();
    switch (r.Format()) {
        case DibFormat::Indexed1: return (row[x / 8] >> (7 - x % 8)) & 1;
        case DibFormat::Indexed4: return (row[x / 2] >> ((x % 2) != 0 ? 0 : 4)) & 0xF;
        case DibFormat::Indexed8: return row[x];
        case DibFormat::Rgb555:
        case DibFormat::Rgb565: return row[2 * x] | (row[2 * x + 1] << 8);
        case DibFormat::Rgb24: return row[3 * x] | (row[3 * x + 1] << 8) | (row[3 * x + 2] << 16);
        case DibFormat::Rgb32:
            return row[4 * x] | (row[4 * x + 1] << 8) | (row[4 * x + 2] << 16) | (std::uint32_t{row[4 * x + 3]} << 24);
    }
    return 0;
}

// The pixels that differ from `background`, as (x, y) pairs.
inline std::set<std::pair<int, int>> PixelsNot(const DibRaster& r, std::uint32_t background) {
    std::set<std::pair<int, int>> out;
    for (int y = 0; y < r.Height(); ++y)
        for (int x = 0; x < r.Width(); ++x)
            if (ReadPixel(r, x, y) != background) out.insert({x, y});
    return out;
}

inline std::set<std::pair<int, int>> Points(std::initializer_list<std::pair<int, int>> list) {
    return {list};
}

inline constexpr DibFormat kAllFormats[] = {DibFormat::Indexed1, DibFormat::Indexed4, DibFormat::Indexed8,
                                            DibFormat::Rgb555,   DibFormat::Rgb565,   DibFormat::Rgb24,
                                            DibFormat::Rgb32};

// Names parameterised tests by format code: "Format5".
struct FormatName {
    template <typename Info>
    std::string operator()(const Info& info) const {
        return "Format" + std::to_string(static_cast<int>(info.param));
    }
};

}  // namespace dlk::testing
