#pragma once

#include <cstdint>

#include "framework/core/colors.h"
#include "tabs/core/pixel_buffer.h"

namespace dlk {

// The engines behind the ten gradient patterns. They paint bands, not pixels:
// a band covers every consecutive step of one colour (and at least as many
// steps as the band asks), so a gradient of n colours costs about n fills
// whatever its size.
// Colours are RGB values here, already resolved. Arithmetic is 16.16 fixed
// point held in 64 bits, so wide rectangles do not overflow.

// Extends the drawn block (x, y, doneW, doneH) over totalW x totalH by
// copying it onto itself, doubling each time.
void FillByDoubling(PixelBuffer& buf, int x, int y, int totalW, int totalH, int doneW, int doneH);
// Fills the whole buffer with pattern direction (0-9) from a to b; any other
// code leaves a plain fill of a.
void PaintGradientPattern(PixelBuffer& buf, std::uint8_t direction, TColor a, TColor b, std::uint8_t band);

}  // namespace dlk
