#pragma once

#include <cstddef>
#include <cstdint>

#include "drawing/core/dib_format.h"

namespace dlk {

// A segment after clipping: both points lie inside the clip rectangle, with
// X1 <= X2 as the clipper ordered them.
struct ClippedSegment {
    std::int32_t X1 = 0;
    std::int32_t Y1 = 0;
    std::int32_t X2 = 0;
    std::int32_t Y2 = 0;
    std::int32_t XOrder = 1;      // -1 when the clipper exchanged the points
    std::int32_t YDirection = 1;  // +1 when the segment as given runs downwards or level
};

// The surface as the walker sees it.
struct WalkTarget {
    std::uint8_t* TopRow = nullptr;  // row 0
    std::ptrdiff_t RowStep = 0;      // bytes from row y to row y + 1
    DibFormat Format = DibFormat::Rgb24;
    std::uint8_t RasterOp = 0;
    std::uint32_t Pen = 0;  // the pen pixel replicated to 32 bits
};

// Draws the segment from its given start to its end as row, column or
// diagonal runs; `pattern` is rotated once for every pixel position walked.
void WalkLine(const WalkTarget& target, const ClippedSegment& segment, std::uint32_t& pattern);

}  // namespace dlk
