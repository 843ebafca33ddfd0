#pragma once

#include <cstdint>

#include "framework/canvas/canvas.h"

namespace dlk {

class TControl;

// Fills rect of canvas with gradient pattern direction (0-9) from colorA to
// colorB, in bands of at least `band` steps (0 counts as 1). A rectangle given
// right to left or bottom to top is painted with its absolute size at (Left,
// Top); an empty one paints nothing; an unknown pattern paints colorA. The
// canvas's clip applies.
void GradientPainter(TCanvas& canvas, const TRect& rect, std::uint8_t direction, TColor colorA, TColor colorB,
                     std::uint8_t band);

// What the control's parent would show behind the control, painted into
// canvas in the control's client coordinates. Nothing without a parent.
void DrawParentBackground(const TControl* control, TCanvas& canvas);

}  // namespace dlk
