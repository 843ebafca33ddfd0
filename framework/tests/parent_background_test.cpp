#include "framework/controls/parent_background.h"

#include <gtest/gtest.h>

#include "framework/controls/control.h"
#include "framework/controls/glyph_buttons.h"
#include "framework/controls/std_controls.h"
#include "framework/tests/qt_test_app.h"

namespace dlk {
namespace {

// Paints every pixel (x, y) in the colour (x, y, 7); the child shows it.
struct Ramp : TCustomControl {
    using TCustomControl::TCustomControl;
    void Paint() override {
        for (int y = 0; y < Height(); ++y)
            for (int x = 0; x < Width(); ++x) Canvas().SetPixel(x, y, RGB(std::uint8_t(x), std::uint8_t(y), 7));
    }
};
struct SeeThrough : TCustomControl {
    using TCustomControl::TCustomControl;
    int Paints = 0;
    void Paint() override {
        ++Paints;
        PaintParentBackground(*this, Canvas());
    }
};

TEST(ParentBackgroundTest, ParentShowsAtTheChildsOffsetWithoutAnyChildren) {
    testing::EnsureApplication();
    Ramp ramp(nullptr);
    ramp.SetBounds(0, 0, 100, 100);
    auto* child = new SeeThrough(&ramp);
    child->SetParent(&ramp);
    child->SetBounds(10, 20, 30, 30);
    auto* sibling = new SeeThrough(&ramp);
    sibling->SetParent(&ramp);
    sibling->SetBounds(5, 5, 10, 10);

    QImage image(30, 30, QImage::Format_RGB32);
    TCanvas canvas(&image);
    struct Case {
        TPoint childAt, origin, probe;
        TColor expected;
    };
    for (const Case& c :
         {Case{{10, 20}, {0, 0}, {0, 0}, RGB(10, 20, 7)}, Case{{10, 20}, {0, 0}, {29, 29}, RGB(39, 49, 7)},
          Case{{10, 20}, {5, 5}, {-5, -5}, RGB(5, 15, 7)},
          Case{{90, 90}, {0, 0}, {9, 9}, RGB(99, 99, 7)},  // the parent ends at 100
          Case{{90, 90}, {0, 0}, {10, 10}, clBlack}}) {
        child->SetBounds(c.childAt.X, c.childAt.Y, 30, 30);
        image.fill(Qt::black);
        canvas.Origin = c.origin;
        PaintParentBackground(*child, canvas);
        EXPECT_EQ(canvas.Pixel(c.probe.X, c.probe.Y), c.expected) << c.probe.X << "," << c.probe.Y;
    }
    EXPECT_EQ(child->Paints + sibling->Paints, 0);

    child->SetBounds(10, 20, 30, 30);  // from the child's own paint
    EXPECT_EQ(FromQColor(child->Widget()->grab().toImage().pixelColor(0, 0)), RGB(10, 20, 7));
    EXPECT_EQ(child->Paints, 1);

    image.fill(Qt::black);
    canvas.Origin = {};
    PaintParentBackground(ramp, canvas);  // no parent: nothing
    EXPECT_EQ(canvas.Pixel(0, 0), clBlack);
}

// Labels, images and speed buttons are part of the parent's picture; child
// windows are not, nor what is hidden.
TEST(ParentBackgroundTest, TheParentsChildrenWithoutAWindowBelongToItsPicture) {
    testing::EnsureApplication();
    Ramp ramp(nullptr);
    ramp.SetBounds(0, 0, 100, 100);
    auto* child = new SeeThrough(&ramp);
    const struct {
        TControl* control;
        bool visible, shown;
    } cases[] = {{child, true, false},
                 {new TSpeedButton(&ramp), true, true},
                 {new TPanel(&ramp), true, false},
                 {new TSpeedButton(&ramp), false, false},
                 {new TLabel(&ramp), true, true}};
    for (int i = 0; i < 5; ++i) {
        cases[i].control->SetParent(&ramp);
        cases[i].control->SetBounds(i == 0 ? 0 : 20 * i - 10, i == 0 ? 0 : 10, i == 0 ? 100 : 18, i == 0 ? 100 : 18);
        cases[i].control->SetVisible(cases[i].visible);
    }
    cases[4].control->SetCaption("WWW");
    QImage image(100, 100, QImage::Format_RGB32);
    TCanvas canvas(&image);
    PaintParentBackground(*child, canvas);
    for (int i = 1; i < 5; ++i) {
        int changed = 0;
        for (int y = 10; y < 28; ++y)
            for (int x = 20 * i - 10; x < 20 * i + 8; ++x)
                changed += canvas.Pixel(x, y) != RGB(std::uint8_t(x), std::uint8_t(y), 7);
        EXPECT_EQ(changed > 0, cases[i].shown) << i << ": " << changed;
    }
    EXPECT_EQ(child->Paints, 0);
}

}  // namespace
}  // namespace dlk
