#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "framework/core/geometry.h"

namespace dlk {

// Where the strip buttons' glyphs go inside their rectangle. Both glyphs are
// centred; a pressed glyph moves one pixel right and down.

// The 16 pixels of the arrow (0 up, 1 down, 2 left, 3 right); none for any
// other direction.
std::vector<TPoint> ArrowGlyphPixels(const TRect& rect, std::uint8_t direction, bool pressed);
// The cross as one polygon of twelve points.
std::array<TPoint, 12> CloseGlyphPolygon(const TRect& rect, bool pressed);

}  // namespace dlk
