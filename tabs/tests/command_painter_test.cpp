#include "tabs/command_painter.h"

#include <gtest/gtest.h>

#include "framework/tests/qt_test_app.h"
#include "tabs/core/color_helpers.h"

namespace dlk {
namespace {

// The card's shadow darkens what the parent shows behind the control, and the
// parent is painted only for a list that holds a shadow. The blend reads the
// parent's picture, never the canvas, so running the list again (a repaint
// for hot-tracking) leaves the shadow as it was instead of darkening it twice.
TEST(CommandPainterTest, ShadowsBlendBlackIntoTheParentsPicture) {
    testing::EnsureApplication();
    const TColor parent = RGB(200, 100, 50), frame = RGB(0, 0, 160), white = clWhite;
    const TColor dark = MixColors(clBlack, parent, 30), light = MixColors(clBlack, parent, 15);
    struct Case {
        TKtTabOrientation orientation;
        int runs;
        int parentPaints;
        TColor inner, outer, bottom;  // at (19, 8), (20, 8), (10, 14)
    } const cases[] = {
        {TKtTabOrientation::toTop, 1, 1, dark, light, light},
        {TKtTabOrientation::toTop, 2, 2, dark, light, light},
        {TKtTabOrientation::toBottom, 1, 0, white, frame, frame},
    };
    for (const Case& c : cases) {
        QImage image(24, 16, QImage::Format_RGB32);
        image.fill(Qt::white);
        TCanvas canvas(&image);
        TKtDrawCommands list;
        AppendCardFrame(list, {Rect(2, 2, 20, 14),
                               TKtTabStyle::tsRoundCorners,
                               c.orientation,
                               TKtTabSequence::tsStandard,
                               true,
                               true,
                               false,
                               {},
                               {}});
        int paints = 0;
        for (int run = 0; run < c.runs; ++run)
            PaintDrawCommands(canvas, list, frame, [&](TCanvas& p) {
                ++paints;
                p.Brush.Color = parent;
                p.FillRect(Rect(0, 0, 24, 16));
            });
        EXPECT_EQ(paints, c.parentPaints);
        EXPECT_EQ(canvas.Pixel(19, 8), c.inner);
        EXPECT_EQ(canvas.Pixel(20, 8), c.outer);
        EXPECT_EQ(canvas.Pixel(10, 14), c.bottom);
        EXPECT_EQ(canvas.Pixel(10, 2), frame);
    }
}

}  // namespace
}  // namespace dlk
