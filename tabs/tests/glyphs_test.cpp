#include "tabs/glyphs.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "framework/tests/qt_test_app.h"

namespace dlk {
namespace {

using PixelSet = std::set<std::pair<int, int>>;

// Lines of pixels, each from (x0, y0) to (x1, y1) inclusive.
PixelSet Lines(std::initializer_list<std::array<int, 4>> lines, int dx = 0, int dy = 0) {
    PixelSet set;
    for (const auto& l : lines)
        for (int y = l[1]; y <= l[3]; ++y)
            for (int x = l[0]; x <= l[2]; ++x) set.insert({x + dx, y + dy});
    return set;
}

class GlyphsTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::EnsureApplication();
        image_.fill(Qt::white);
    }
    PixelSet Changed() const {
        PixelSet set;
        for (int y = 0; y < image_.height(); ++y)
            for (int x = 0; x < image_.width(); ++x)
                if (canvas_.Pixel(x, y) != clWhite) set.insert({x, y});
        return set;
    }
    QImage image_{20, 20, QImage::Format_RGB32};
    TCanvas canvas_{&image_};
};

TEST_F(GlyphsTest, ArrowsAreSixteenPixelTriangles) {
    struct Case {
        std::uint8_t direction;
        TRect rect;
        PixelSet pixels;
    };
    const TRect square = Rect(0, 0, 16, 16);
    const Case cases[] = {
        {0, square, Lines({{8, 5, 8, 5}, {7, 6, 9, 6}, {6, 7, 10, 7}, {5, 8, 11, 8}})},
        {1, square, Lines({{8, 8, 8, 8}, {7, 7, 9, 7}, {6, 6, 10, 6}, {5, 5, 11, 5}})},
        {2, square, Lines({{6, 7, 6, 7}, {7, 6, 7, 8}, {8, 5, 8, 9}, {9, 4, 9, 10}})},
        {3, square, Lines({{9, 7, 9, 7}, {8, 6, 8, 8}, {7, 5, 7, 9}, {6, 4, 6, 10}})},
        // An odd height keeps the centre row.
        {0, Rect(2, 2, 17, 17), Lines({{9, 7, 9, 7}, {8, 8, 10, 8}, {7, 9, 11, 9}, {6, 10, 12, 10}})},
    };
    for (const Case& c : cases) {
        for (bool down : {false, true}) {
            image_.fill(Qt::white);
            canvas_.Brush.Color = clBtnFace;
            ArrowGlyph(canvas_, c.rect, c.direction, down, true);
            PixelSet shifted;
            for (const auto& [x, y] : c.pixels) shifted.insert({x + 1, y + 1});
            EXPECT_EQ(Changed(), down ? shifted : c.pixels) << int(c.direction) << " down " << down;
            EXPECT_EQ(Changed().size(), 16u);
            for (const auto& [x, y] : Changed()) ASSERT_EQ(canvas_.Pixel(x, y), clBlack);
            EXPECT_EQ(canvas_.Pen.Style, TPenStyle::psSolid);
            EXPECT_EQ(canvas_.Brush.Color, clBtnFace);
        }
    }
}

TEST_F(GlyphsTest, ArrowColourFollowsStateAndFace) {
    const PixelSet up = Lines({{8, 5, 8, 5}, {7, 6, 9, 6}, {6, 7, 10, 7}, {5, 8, 11, 8}});
    struct Case {
        TColor face;
        bool down, enabled;
        TColor color;
        int shift;
    };
    for (const Case& c :
         {Case{clBtnFace, true, false, ColorToRGB(clBtnShadow), 0},
          Case{clWhite, false, false, ColorToRGB(clBtnShadow), 0},
          Case{RGB(16, 16, 16), false, true, ColorToRGB(cl3DDkShadow), 0},
          Case{clBlack, true, true, ColorToRGB(cl3DDkShadow), 1}, Case{clWhite, false, true, clBlack, 0}}) {
        image_.fill(Qt::white);
        canvas_.Brush.Color = c.face;
        canvas_.Pen.Style = TPenStyle::psDot;
        ArrowGlyph(canvas_, Rect(0, 0, 16, 16), 0, c.down, c.enabled);
        PixelSet expected;
        for (const auto& [x, y] : up) expected.insert({x + c.shift, y + c.shift});
        EXPECT_EQ(Changed(), expected) << std::hex << c.face;
        EXPECT_EQ(canvas_.Pixel(8 + c.shift, 5 + c.shift), c.color) << std::hex << c.face;
        EXPECT_EQ(canvas_.Brush.Color, c.face);
        EXPECT_EQ(canvas_.Pen.Style, TPenStyle::psSolid);
    }
    canvas_.Pen.Style = TPenStyle::psClear;
    image_.fill(Qt::white);
    ArrowGlyph(canvas_, Rect(0, 0, 16, 16), 7, false, true);
    EXPECT_TRUE(Changed().empty());
    EXPECT_EQ(canvas_.Pen.Style, TPenStyle::psSolid);
}

TEST_F(GlyphsTest, CrossIsOneBlackPolygonAroundTheCentre) {
    for (bool down : {false, true}) {
        image_.fill(Qt::white);
        canvas_.Brush.Color = clBtnFace;
        CloseGlyph(canvas_, Rect(0, 0, 16, 16), down);
        const int s = down ? 1 : 0;
        // The centre (8, 7), a point on each of the four arms, and none of the
        // gaps between them.
        for (const auto& [x, y] : PixelSet{{8, 7}, {10, 5}, {6, 5}, {10, 9}, {6, 9}})
            EXPECT_EQ(canvas_.Pixel(x + s, y + s), clBlack) << x << "," << y << " down " << down;
        for (const auto& [x, y] : PixelSet{{8, 4}, {8, 10}, {4, 7}, {12, 7}})
            EXPECT_EQ(canvas_.Pixel(x + s, y + s), clWhite) << x << "," << y << " down " << down;
        EXPECT_EQ(canvas_.Brush.Color, clBtnFace);
        EXPECT_EQ(canvas_.Pen.Style, TPenStyle::psSolid);
    }
}

}  // namespace
}  // namespace dlk
