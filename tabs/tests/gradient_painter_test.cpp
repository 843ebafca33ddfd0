#include <gtest/gtest.h>

#include "framework/controls/control.h"
#include "framework/tests/qt_test_app.h"
#include "tabs/drawing_helpers.h"

namespace dlk {
namespace {

constexpr TColor kSentinel = RGB(1, 2, 3);

class GradientPainterTest : public ::testing::Test {
protected:
    void SetUp() override { testing::EnsureApplication(); }
    // A canvas of sentinel colour with a margin of 3 around w x h.
    void Prepare(int w, int h) {
        image_ = QImage(w + 6, h + 6, QImage::Format_RGB32);
        image_.fill(QColor(1, 2, 3));
        canvas_.SetImage(&image_);
    }
    int Painted(const TRect& inside, bool wantInside) const {
        int n = 0;
        for (int y = 0; y < image_.height(); ++y)
            for (int x = 0; x < image_.width(); ++x)
                if (inside.Contains({x, y}) == wantInside) n += canvas_.Pixel(x, y) != kSentinel;
        return n;
    }
    QImage image_;
    TCanvas canvas_;
};

TEST_F(GradientPainterTest, EveryPatternPaintsItsRectangleAndNothingElse) {
    for (int direction = 0; direction <= 11; ++direction)
        for (int size : {1, 2, 4, 5, 6, 9, 33, 100}) {
            Prepare(size, size);
            const TRect r = Bounds(3, 3, size, size);
            GradientPainter(canvas_, r, std::uint8_t(direction), clBtnFace, clNavy, 1);
            EXPECT_EQ(Painted(r, true), size * size) << "pattern " << direction << " size " << size;
            EXPECT_EQ(Painted(r, false), 0) << "pattern " << direction << " size " << size;
        }
}

TEST_F(GradientPainterTest, RectangleRulesAndResolvedColours) {
    struct Case {
        TRect given, painted;
    };
    for (const Case& c :
         {Case{Rect(3, 3, 3, 20), {}}, Case{Rect(3, 3, 20, 3), {}}, Case{Rect(3, 3, 20, 11), Rect(3, 3, 20, 11)},
          // Right to left, bottom to top: the absolute size at (Left, Top).
          Case{Rect(10, 5, 4, 1), Rect(10, 5, 16, 9)}, Case{Rect(4, 9, 10, 3), Rect(4, 9, 10, 15)}}) {
        Prepare(20, 20);
        GradientPainter(canvas_, c.given, 2, clWhite, clBlack, 1);
        EXPECT_EQ(Painted(c.painted, true), c.painted.IsEmpty() ? 0 : c.painted.Width() * c.painted.Height());
        EXPECT_EQ(Painted(c.painted, false), 0);
    }
    // System colours are resolved; equal colours still give a plain fill.
    Prepare(10, 10);
    GradientPainter(canvas_, Rect(0, 0, 16, 16), 2, clBtnFace, clBtnFace, 1);
    EXPECT_EQ(canvas_.Pixel(0, 0), ColorToRGB(clBtnFace));
    EXPECT_EQ(canvas_.Pixel(15, 15), ColorToRGB(clBtnFace));
    GradientPainter(canvas_, Rect(0, 0, 16, 16), 5, clWindow, clHighlight, 1);
    EXPECT_EQ(canvas_.Pixel(15, 7), ColorToRGB(clHighlight));
}

TEST_F(GradientPainterTest, ClipRegionOfTheCanvasLimitsTheGradient) {
    Prepare(20, 20);
    const TPoint triangle[] = {{0, 0}, {20, 0}, {0, 20}};
    canvas_.ClipRegion = TRegion::FromPolygon(triangle, 3);
    GradientPainter(canvas_, Rect(0, 0, 20, 20), 5, clWhite, clBlack, 1);
    EXPECT_NE(canvas_.Pixel(2, 2), kSentinel);
    EXPECT_EQ(canvas_.Pixel(17, 17), kSentinel);
}

// Paints every pixel (x, y) in the colour (x, y, 7).
struct Ramp : TCustomControl {
    using TCustomControl::TCustomControl;
    void Paint() override {
        for (int y = 0; y < Height(); ++y)
            for (int x = 0; x < Width(); ++x) Canvas().SetPixel(x, y, RGB(std::uint8_t(x), std::uint8_t(y), 7));
    }
};

TEST_F(GradientPainterTest, ParentBackgroundShowsAtTheControlsOffset) {
    Ramp parent(nullptr);
    parent.SetBounds(0, 0, 60, 60);
    TCustomControl child(nullptr);
    child.SetParent(&parent);
    child.SetBounds(10, 20, 30, 30);
    Prepare(24, 24);
    DrawParentBackground(&child, canvas_);
    EXPECT_EQ(canvas_.Pixel(0, 0), RGB(10, 20, 7));
    EXPECT_EQ(canvas_.Pixel(29, 29), RGB(39, 49, 7));

    Prepare(24, 24);
    DrawParentBackground(&parent, canvas_);  // no parent
    DrawParentBackground(nullptr, canvas_);
    EXPECT_EQ(Painted(Rect(0, 0, 30, 30), true), 0);
}

}  // namespace
}  // namespace dlk
