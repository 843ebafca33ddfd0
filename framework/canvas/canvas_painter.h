#pragma once

#include <QPainter>

#include "framework/canvas/canvas.h"

namespace dlk {

// One QPainter on the canvas's image for the length of one drawing call, set up
// with the canvas's origin and clip rectangle and without antialiasing.
class CanvasPainter {
public:
    explicit CanvasPainter(TCanvas& canvas);
    bool Active() const { return painter_.isActive(); }
    QPainter& Painter() { return painter_; }

private:
    QPainter painter_;
};

QPen ToQPen(const TPen& pen);

}  // namespace dlk
