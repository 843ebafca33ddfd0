#include <gtest/gtest.h>

#include <vector>

#include "framework/canvas/canvas.h"
#include "framework/tests/canvas/gui_test_app.h"

namespace dlk {
namespace {

TEST(CanvasPixelsTest, DrawPixelsAndDirectPixelsFollowOriginAndClip) {
    testing::EnsureGuiApplication();
    QImage image(12, 12, QImage::Format_RGB32);
    TCanvas canvas(&image);
    const std::vector<std::uint32_t> red(6 * 4, 0xFFFF0000u);
    struct Case {
        TPoint origin, at;
        TRect clipRect, region;
        TRect painted;  // in image pixels
        bool direct;
    };
    for (const Case& c : {Case{{0, 0}, {2, 3}, {}, {}, Rect(2, 3, 8, 7), true},
                          Case{{0, 0}, {-2, 10}, {}, {}, Rect(0, 10, 4, 12), false},  // cut by the image
                          Case{{3, 1}, {0, 0}, {}, {}, Rect(3, 1, 9, 5), true},
                          Case{{0, 0}, {2, 3}, Rect(0, 0, 4, 12), {}, Rect(2, 3, 4, 7), false},
                          Case{{0, 0}, {2, 3}, {}, Rect(0, 0, 4, 5), Rect(2, 3, 4, 5), false}}) {
        image.fill(Qt::white);
        canvas.Origin = c.origin;
        canvas.ClipRect = c.clipRect;
        if (!c.region.IsEmpty()) canvas.ClipRegion = TRegion::FromRect(c.region);
        int stride = 0;
        EXPECT_EQ(canvas.DirectPixels(Bounds(c.at.X, c.at.Y, 6, 4), stride) != nullptr, c.direct);
        canvas.DrawPixels(c.at.X, c.at.Y, red.data(), 6, 4, 6);
        canvas.ClipRegion.reset();
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 12; ++x)
                ASSERT_EQ(image.pixel(x, y) == 0xFFFF0000u, c.painted.Contains({x, y})) << x << "," << y;
    }
    canvas.Origin = {};
    canvas.ClipRect = {};
    int stride = 0;
    std::uint32_t* p = canvas.DirectPixels(Rect(2, 3, 6, 5), stride);
    ASSERT_NE(p, nullptr);
    p[stride + 3] = 0xFF0000FFu;
    EXPECT_EQ(canvas.Pixel(5, 4), clBlue);
    QImage rgb888(12, 12, QImage::Format_RGB888);
    canvas.SetImage(&rgb888);
    EXPECT_EQ(canvas.DirectPixels(Rect(0, 0, 2, 2), stride), nullptr);
}

}  // namespace
}  // namespace dlk
