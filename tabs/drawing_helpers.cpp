#include "tabs/drawing_helpers.h"

#include <cstdlib>

#include "framework/controls/control.h"
#include "framework/controls/parent_background.h"
#include "tabs/core/gradient_engines.h"

namespace dlk {

namespace {

// Beyond this many pixels the temporary picture is not made at all.
constexpr std::int64_t kLargestGradient = std::int64_t(1) << 26;

}  // namespace

void GradientPainter(TCanvas& canvas, const TRect& rect, std::uint8_t direction, TColor colorA, TColor colorB,
                     std::uint8_t band) {
    const std::int64_t w = std::llabs(std::int64_t(rect.Right) - rect.Left);
    const std::int64_t h = std::llabs(std::int64_t(rect.Bottom) - rect.Top);
    if (w == 0 || h == 0 || w * h > kLargestGradient) return;
    const TColor a = ColorToRGB(colorA);
    const TColor b = ColorToRGB(colorB);
    // Where the canvas lets the whole rectangle be written straight, the
    // engines paint there; the result is the one the copy would give.
    int stride = 0;
    if (std::uint32_t* direct = canvas.DirectPixels(Bounds(rect.Left, rect.Top, int(w), int(h)), stride)) {
        PixelBuffer target = PixelBuffer::Over(direct, int(w), int(h), stride);
        PaintGradientPattern(target, direction, a, b, band);
        return;
    }
    PixelBuffer picture{int(w), int(h)};
    PaintGradientPattern(picture, direction, a, b, band);
    canvas.DrawPixels(rect.Left, rect.Top, picture.Bits(), int(w), int(h), int(w));
}

void DrawParentBackground(const TControl* control, TCanvas& canvas) {
    if (control == nullptr) return;
    PaintParentBackground(*control, canvas);
}

}  // namespace dlk
