#include <gtest/gtest.h>

#include <QGuiApplication>
#include <vector>

#include "framework/canvas/canvas.h"

namespace dlk {
namespace {

class CanvasPixelsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (QCoreApplication::instance() == nullptr) {
            static int argc = 1;
            static char name[] = "canvas_pixels_test";
            static char* argv[] = {name, nullptr};
            new QGuiApplication(argc, argv);
        }
    }
    void SetUp() override { image_.fill(Qt::white); }
    int Count(TColor c) const {
        int n = 0;
        for (int y = 0; y < image_.height(); ++y)
            for (int x = 0; x < image_.width(); ++x) n += canvas_.Pixel(x, y) == c;
        return n;
    }
    QImage image_{12, 12, QImage::Format_RGB32};
    TCanvas canvas_{&image_};
};

TEST_F(CanvasPixelsTest, DrawPixelsFollowsOriginAndClip) {
    const std::vector<std::uint32_t> red(6 * 4, 0xFFFF0000u);
    struct Case {
        TPoint origin;
        TRect clipRect;
        bool region;
        TPoint at;
        int painted;
        TPoint inside, outside;
    };
    for (const Case& c : {
             Case{{0, 0}, {}, false, {2, 3}, 24, {7, 6}, {8, 6}},
             Case{{0, 0}, {}, false, {-2, 10}, 4 * 2, {0, 11}, {4, 11}},             // cut by the image
             Case{{3, 1}, {}, false, {0, 0}, 24, {8, 4}, {9, 4}},                    // shifted by the origin
             Case{{0, 0}, Rect(0, 0, 4, 12), false, {2, 3}, 2 * 4, {3, 3}, {4, 3}},  // cut by the clip rectangle
             Case{{0, 0}, {}, true, {2, 3}, 2 * 2, {3, 4}, {4, 4}},                  // cut by the clip region
         }) {
        image_.fill(Qt::white);
        canvas_.Origin = c.origin;
        canvas_.ClipRect = c.clipRect;
        if (c.region) canvas_.ClipRegion = TRegion::FromRect(Rect(0, 0, 4, 5));
        canvas_.DrawPixels(c.at.X, c.at.Y, red.data(), 6, 4, 6);
        canvas_.ClipRegion.reset();
        canvas_.Origin = {};
        EXPECT_EQ(Count(clRed), c.painted) << c.at.X << "," << c.at.Y;
        EXPECT_EQ(canvas_.Pixel(c.inside.X, c.inside.Y), clRed) << c.at.X << "," << c.at.Y;
        EXPECT_EQ(canvas_.Pixel(c.outside.X, c.outside.Y), clWhite) << c.at.X << "," << c.at.Y;
    }
}

TEST_F(CanvasPixelsTest, DirectPixelsOnlyWhereEverythingMayBeWritten) {
    int stride = 0;
    std::uint32_t* p = canvas_.DirectPixels(Rect(2, 3, 6, 5), stride);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(stride, 12);
    p[stride + 3] = 0xFF0000FFu;
    EXPECT_EQ(canvas_.Pixel(5, 4), clBlue);

    canvas_.Origin = {1, 1};
    EXPECT_EQ(canvas_.DirectPixels(Rect(0, 0, 11, 11), stride),
              reinterpret_cast<std::uint32_t*>(image_.scanLine(1)) + 1);
    EXPECT_EQ(canvas_.DirectPixels(Rect(0, 0, 12, 11), stride), nullptr);  // past the image
    canvas_.Origin = {};
    canvas_.ClipRect = Rect(0, 0, 6, 6);
    EXPECT_NE(canvas_.DirectPixels(Rect(0, 0, 6, 6), stride), nullptr);
    EXPECT_EQ(canvas_.DirectPixels(Rect(0, 0, 7, 6), stride), nullptr);  // past the clip
    canvas_.ClipRect = {};
    canvas_.ClipRegion = TRegion::FromRect(Rect(0, 0, 12, 12));
    EXPECT_EQ(canvas_.DirectPixels(Rect(0, 0, 2, 2), stride), nullptr);
    canvas_.ClipRegion.reset();
    QImage rgb888(12, 12, QImage::Format_RGB888);
    canvas_.SetImage(&rgb888);
    EXPECT_EQ(canvas_.DirectPixels(Rect(0, 0, 2, 2), stride), nullptr);
    canvas_.SetImage(&image_);
}

}  // namespace
}  // namespace dlk
