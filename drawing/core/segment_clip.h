#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "drawing/core/dib_format.h"
#include "drawing/core/line_walker.h"

namespace dlk {

// Region code bits of a point against the clip rectangle.
enum RegionBit : std::uint8_t { kLeftOf = 1, kRightOf = 2, kAbove = 4, kBelow = 8 };

std::uint8_t RegionCode(std::int64_t x, std::int64_t y, const ClipRect& clip);

// What the clipper does for one pair of region codes.
enum class ClipCase : std::uint8_t {
    Impossible,   // cannot happen with ordered end points
    Walk,         // both inside
    Reject,       // both beyond one edge
    EndRight,     // inside -> right
    EndTop,       // inside -> above
    EndBottom,    // inside -> below
    StartLeft,    // left -> inside
    StartTop,     // above -> inside
    StartBottom,  // below -> inside
    LeftRight,    // left -> right
    TopBottom,    // above -> below
    BottomTop,    // below -> above
    EndTopAgain,  // end comes down to the top edge, then look again
    EndBottomAgain,
    StartTopAgain,
    StartBottomAgain,
    TopBottomAgain,
    BottomTopAgain,
};

// Indexed by code(start) * 16 + code(end).
extern const std::array<ClipCase, 176> kClipCases;

// The segment from (x1, y1) to (x2, y2) cut to the clip rectangle, or nothing
// when no part of it lies inside. Throws DIB_ERROR on an impossible state.
std::optional<ClippedSegment> ClipSegment(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                                          const ClipRect& clip);

}  // namespace dlk
