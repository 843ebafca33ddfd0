#include "tabs/glyphs.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "framework/tests/qt_test_app.h"

namespace dlk {
namespace {

using PixelSet = std::set<std::pair<int, int>>;

// Lines of pixels (x0, y0)-(x1, y1), ends included, moved by (d, d).
PixelSet Lines(std::initializer_list<std::array<int, 4>> lines, int d = 0) {
    PixelSet set;
    for (const auto& l : lines)
        for (int y = l[1]; y <= l[3]; ++y)
            for (int x = l[0]; x <= l[2]; ++x) set.insert({x + d, y + d});
    return set;
}

struct GlyphsTest : ::testing::Test {
    void SetUp() override { testing::EnsureApplication(); }
    // The pixels the glyph set, all of the colour given.
    PixelSet Draw(const std::function<void()>& draw, TColor face, TColor color) {
        image.fill(Qt::white);
        canvas.Brush.Color = face;
        canvas.Pen.Style = TPenStyle::psDot;
        draw();
        EXPECT_EQ(canvas.Brush.Color, face);
        EXPECT_EQ(canvas.Pen.Style, TPenStyle::psSolid);
        PixelSet set;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                if (canvas.Pixel(x, y) != clWhite) {
                    set.insert({x, y});
                    EXPECT_EQ(canvas.Pixel(x, y), ColorToRGB(color)) << x << "," << y;
                }
        return set;
    }
    QImage image{20, 20, QImage::Format_RGB32};
    TCanvas canvas{&image};
};

TEST_F(GlyphsTest, ArrowsAreSixteenPixelTrianglesInTheColourOfTheirState) {
    const TRect square = Rect(0, 0, 16, 16);
    const PixelSet up = Lines({{8, 5, 8, 5}, {7, 6, 9, 6}, {6, 7, 10, 7}, {5, 8, 11, 8}});
    struct Case {
        std::uint8_t direction;
        TRect rect;
        TColor face;
        bool down, enabled;
        TColor color;
        PixelSet pixels;
    };
    const Case cases[] = {
        {0, square, clBtnFace, false, true, clBlack, up},
        {0, square, clBtnFace, true, true, clBlack,
         Lines({{8, 5, 8, 5}, {7, 6, 9, 6}, {6, 7, 10, 7}, {5, 8, 11, 8}}, 1)},
        {1, square, clBtnFace, false, true, clBlack, Lines({{8, 8, 8, 8}, {7, 7, 9, 7}, {6, 6, 10, 6}, {5, 5, 11, 5}})},
        {2, square, clBtnFace, false, true, clBlack, Lines({{6, 7, 6, 7}, {7, 6, 7, 8}, {8, 5, 8, 9}, {9, 4, 9, 10}})},
        {3, square, clBtnFace, true, true, clBlack,
         Lines({{9, 7, 9, 7}, {8, 6, 8, 8}, {7, 5, 7, 9}, {6, 4, 6, 10}}, 1)},
        // An odd height keeps its centre row.
        {0, Rect(2, 2, 17, 17), clWhite, false, true, clBlack,
         Lines({{9, 7, 9, 7}, {8, 8, 10, 8}, {7, 9, 11, 9}, {6, 10, 12, 10}})},
        // Disabled: the shadow colour, and pressing does not move it.
        {0, square, clBtnFace, true, false, clBtnShadow, up},
        // Too dark a face for black.
        {0, square, RGB(16, 16, 16), false, true, cl3DDkShadow, up},
        {0, square, clBlack, true, false, clBtnShadow, up},
        {7, square, clBtnFace, false, true, clBlack, {}},
    };
    for (const Case& c : cases) {
        const PixelSet got = Draw([&] { ArrowGlyph(canvas, c.rect, c.direction, c.down, c.enabled); }, c.face, c.color);
        EXPECT_EQ(got, c.pixels) << int(c.direction) << " down " << c.down << " enabled " << c.enabled;
        EXPECT_EQ(got.size(), c.direction <= 3 ? 16u : 0u);
    }
}

TEST_F(GlyphsTest, CrossIsOneBlackPolygonAroundTheCentre) {
    for (int d : {0, 1}) {
        const PixelSet got = Draw([&] { CloseGlyph(canvas, Rect(0, 0, 16, 16), d == 1); }, clBtnFace, clBlack);
        // The centre (8, 7) and a point of each arm are set, the gaps between the arms not.
        for (const auto& [x, y] : PixelSet{{8, 7}, {10, 5}, {6, 5}, {10, 9}, {6, 9}})
            EXPECT_TRUE(got.contains({x + d, y + d})) << x << "," << y << " pressed " << d;
        for (const auto& [x, y] : PixelSet{{8, 4}, {8, 10}, {4, 7}, {12, 7}})
            EXPECT_FALSE(got.contains({x + d, y + d})) << x << "," << y << " pressed " << d;
    }
}

}  // namespace
}  // namespace dlk
