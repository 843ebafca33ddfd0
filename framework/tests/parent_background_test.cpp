#include "framework/controls/parent_background.h"

#include <gtest/gtest.h>

#include "framework/controls/control.h"
#include "framework/controls/form.h"
#include "framework/tests/qt_test_app.h"

namespace dlk {
namespace {

// Paints every pixel (x, y) in the colour (x, y, 7).
struct Ramp : TCustomControl {
    using TCustomControl::TCustomControl;
    void Paint() override {
        for (int y = 0; y < Height(); ++y)
            for (int x = 0; x < Width(); ++x) Canvas().SetPixel(x, y, RGB(std::uint8_t(x), std::uint8_t(y), 7));
    }
};

// Shows its parent where it does not paint itself.
struct SeeThrough : TCustomControl {
    using TCustomControl::TCustomControl;
    int Paints = 0;
    void Paint() override {
        ++Paints;
        PaintParentBackground(*this, Canvas());
        Canvas().Brush.Color = clRed;
        Canvas().FillRect(Rect(20, 20, 30, 30));
    }
};

TEST(ParentBackgroundTest, ParentShowsAtTheChildsOffsetWithoutTheChildren) {
    testing::EnsureApplication();
    TForm form(nullptr);
    auto* ramp = new Ramp(&form);
    ramp->SetParent(&form);
    ramp->SetBounds(0, 0, 100, 100);
    auto* child = new SeeThrough(&form);
    child->SetParent(ramp);
    child->SetBounds(10, 20, 30, 30);
    auto* sibling = new SeeThrough(&form);
    sibling->SetParent(ramp);
    sibling->SetBounds(5, 5, 10, 10);

    QImage image(30, 30, QImage::Format_RGB32);
    image.fill(Qt::black);
    TCanvas canvas(&image);
    PaintParentBackground(*child, canvas);
    struct Case {
        int x, y;
        TColor expected;
    };
    for (const Case& c : {Case{0, 0, RGB(10, 20, 7)}, Case{29, 29, RGB(39, 49, 7)}, Case{25, 25, RGB(35, 45, 7)}}) {
        EXPECT_EQ(canvas.Pixel(c.x, c.y), c.expected) << c.x << "," << c.y;
    }
    EXPECT_EQ(child->Paints, 0);  // neither the child nor its sibling painted
    EXPECT_EQ(sibling->Paints, 0);

    // From the child's own paint, shifted by the canvas origin.
    const QImage shown = child->Widget()->grab().toImage();
    EXPECT_EQ(FromQColor(shown.pixelColor(0, 0)), RGB(10, 20, 7));
    EXPECT_EQ(FromQColor(shown.pixelColor(19, 19)), RGB(29, 39, 7));
    EXPECT_EQ(FromQColor(shown.pixelColor(20, 20)), clRed);
    EXPECT_EQ(child->Paints, 1);

    image.fill(Qt::black);
    canvas.Origin = {5, 5};
    PaintParentBackground(*child, canvas);
    EXPECT_EQ(canvas.Pixel(-5, -5), RGB(5, 15, 7));
    EXPECT_EQ(canvas.Pixel(0, 0), RGB(10, 20, 7));

    // Past the parent's edge nothing is painted.
    child->SetBounds(90, 90, 30, 30);
    image.fill(Qt::black);
    canvas.Origin = {};
    PaintParentBackground(*child, canvas);
    EXPECT_EQ(canvas.Pixel(9, 9), RGB(99, 99, 7));
    EXPECT_EQ(canvas.Pixel(10, 10), clBlack);

    // Without a parent: nothing.
    SeeThrough orphan(nullptr);
    image.fill(Qt::black);
    PaintParentBackground(orphan, canvas);
    EXPECT_EQ(canvas.Pixel(0, 0), clBlack);
}

}  // namespace
}  // namespace dlk
