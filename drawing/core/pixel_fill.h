#pragma once

#include <cstddef>
#include <cstdint>

#include "drawing/core/dib_format.h"

namespace dlk {

// Where a surface's pixels are: row 0 at top_row, row y + 1 at row_step bytes from row y.
struct PixelRows {
    std::uint8_t* TopRow = nullptr;
    std::ptrdiff_t RowStep = 0;
    DibFormat Format = DibFormat::Rgb24;
};

// Sets every pixel with left <= x < right and top <= y < bottom to `pixel`.
// The caller has already limited the rectangle to the surface; an empty one
// writes nothing. Padding bytes at the ends of rows are left alone.
void FillPixels(const PixelRows& rows, std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                std::uint32_t pixel);

}  // namespace dlk
