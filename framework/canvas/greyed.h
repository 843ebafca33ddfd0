#pragma once

#include <QImage>

#include "framework/canvas/canvas.h"

namespace dlk {

// The greyed form of a picture for a disabled control: its opaque pixels
// that are not white, as an embossed shape, clBtnHighlight one pixel down
// and to the right, clBtnShadow on top at (x, y).
void DrawGreyed(TCanvas& canvas, int x, int y, const QImage& picture);
// The same on a transparent picture of the same size (the highlight's last
// row and column fall outside, as on a glyph of its own size).
QImage GreyedImage(const QImage& picture);

// A glyph's transparent colour is that of its bottom-left pixel; the glyph
// with those pixels transparent.
QImage GlyphWithTransparency(const QImage& glyph);

}  // namespace dlk
