#pragma once

#include <cstdint>

#include "framework/canvas/canvas.h"

namespace dlk {

// The glyphs of the tab strip's buttons, centred in rect. Both leave the
// canvas's brush colour as they found it and its pen solid.

// Arrow 0 up, 1 down, 2 left, 3 right (others draw nothing). Disabled: in the
// button shadow colour, and it does not move when pressed; enabled: black, or
// the dark shadow colour on a face (the canvas's brush) too dark for black.
void ArrowGlyph(TCanvas& canvas, const TRect& rect, std::uint8_t direction, bool down, bool enabled);
// The black cross of the close button.
void CloseGlyph(TCanvas& canvas, const TRect& rect, bool down);

}  // namespace dlk
