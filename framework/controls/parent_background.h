#pragma once

#include "framework/canvas/canvas.h"

namespace dlk {

class TControl;

// Paints into canvas, in the control's client coordinates, what the control's
// parent shows behind it: the parent's background, its own painting and its
// children without a window of their own (labels, images, speed buttons), but
// none of the parent's child windows, so never the control itself (that would
// recurse) nor its windowed siblings. Nothing happens for a control without a
// parent.
void PaintParentBackground(const TControl& control, TCanvas& canvas);

}  // namespace dlk
