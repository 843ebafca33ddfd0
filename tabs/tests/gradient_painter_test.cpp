#include <gtest/gtest.h>

#include "framework/tests/qt_test_app.h"
#include "tabs/drawing_helpers.h"

namespace dlk {
namespace {

constexpr TColor kSentinel = RGB(1, 2, 3);

// Paints on a sentinel-coloured canvas of w x h; counts the pixels painted
// inside and outside `inside`.
std::pair<int, int> Paint(int w, int h, const TRect& rect, std::uint8_t direction, const TRect& inside,
                          const TRegion* clip = nullptr) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(QColor(1, 2, 3));
    TCanvas canvas(&image);
    if (clip != nullptr) canvas.ClipRegion = *clip;
    GradientPainter(canvas, rect, direction, clBtnFace, clNavy, 1);
    std::pair<int, int> painted;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (canvas.Pixel(x, y) != kSentinel) ++(inside.Contains({x, y}) ? painted.first : painted.second);
    return painted;
}

TEST(GradientPainterTest, EveryPatternPaintsItsRectangleAndNothingElse) {
    testing::EnsureApplication();
    for (int direction = 0; direction <= 11; ++direction)
        for (int size : {1, 2, 4, 5, 6, 9, 33, 100}) {
            const TRect r = Bounds(3, 3, size, size);
            EXPECT_EQ(Paint(size + 6, size + 6, r, std::uint8_t(direction), r), std::make_pair(size * size, 0))
                << "pattern " << direction << " size " << size;
        }
}

TEST(GradientPainterTest, EmptyReversedAndClippedRectangles) {
    testing::EnsureApplication();
    const TPoint triangle[] = {{0, 0}, {20, 0}, {0, 20}};
    const TRegion region = TRegion::FromPolygon(triangle, 3);
    struct Case {
        TRect given, painted;
        const TRegion* clip;
        int inside;
    };
    for (const Case& c : {Case{Rect(3, 3, 3, 20), {}, nullptr, 0}, Case{Rect(3, 3, 20, 3), {}, nullptr, 0},
                          // Right to left, bottom to top: the absolute size at (Left, Top).
                          Case{Rect(10, 5, 4, 1), Rect(10, 5, 16, 9), nullptr, 24},
                          Case{Rect(4, 9, 10, 3), Rect(4, 9, 10, 15), nullptr, 36},
                          Case{Rect(0, 0, 20, 20), Rect(0, 0, 20, 20), &region, 210}}) {
        EXPECT_EQ(Paint(20, 20, c.given, 2, c.painted, c.clip), std::make_pair(c.inside, 0));
    }
    // System colours are resolved; equal colours still run the engine to a plain fill.
    QImage image(4, 4, QImage::Format_RGB32);
    TCanvas canvas(&image);
    GradientPainter(canvas, Rect(0, 0, 4, 4), 2, clBtnFace, clBtnFace, 1);
    EXPECT_EQ(std::make_pair(canvas.Pixel(0, 0), canvas.Pixel(3, 3)),
              std::make_pair(ColorToRGB(clBtnFace), ColorToRGB(clBtnFace)));
    GradientPainter(canvas, Rect(0, 0, 4, 4), 5, clBtnFace, clHighlight, 1);
    EXPECT_EQ(canvas.Pixel(3, 3), ColorToRGB(clHighlight));
}

}  // namespace
}  // namespace dlk
