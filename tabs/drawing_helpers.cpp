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
    PixelBuffer picture{int(w), int(h)};
    PaintGradientPattern(picture, direction, ColorToRGB(colorA), ColorToRGB(colorB), band);
    const QImage image(reinterpret_cast<const uchar*>(picture.Bits()), int(w), int(h), qsizetype(w) * 4,
                       QImage::Format_RGB32);
    canvas.Draw(rect.Left, rect.Top, image);
}

void DrawParentBackground(const TControl* control, TCanvas& canvas) {
    if (control == nullptr) return;
    PaintParentBackground(*control, canvas);
}

}  // namespace dlk
