#include "framework/canvas/region.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <utility>

#include "framework/canvas/canvas.h"
#include "framework/tests/canvas/gui_test_app.h"

namespace dlk {
namespace {

using PixelSet = std::set<std::pair<int, int>>;

class RegionTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { testing::EnsureGuiApplication(); }
    void SetUp() override { image_.fill(Qt::white); }
    PixelSet Pixels(TColor c) const {
        PixelSet set;
        for (int y = 0; y < image_.height(); ++y)
            for (int x = 0; x < image_.width(); ++x)
                if (canvas_.Pixel(x, y) == c) set.insert({x, y});
        return set;
    }
    static PixelSet Block(int left, int top, int right, int bottom) {
        PixelSet set;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) set.insert({x, y});
        return set;
    }
    QImage image_{16, 16, QImage::Format_RGB32};
    TCanvas canvas_{&image_};
};

TEST_F(RegionTest, PolygonsLeaveOutRightAndBottomAndFillAlternately) {
    const TPoint square[] = {{2, 3}, {6, 3}, {6, 8}, {2, 8}};
    const TRegion r = TRegion::FromPolygon(square, 4);
    struct Case {
        TPoint p;
        bool inside;
    };
    for (const Case& c : {Case{{2, 3}, true}, Case{{5, 7}, true}, Case{{6, 7}, false}, Case{{5, 8}, false},
                          Case{{1, 3}, false}, Case{{2, 2}, false}}) {
        EXPECT_EQ(r.Contains(c.p), c.inside) << c.p.X << "," << c.p.Y;
    }
    EXPECT_EQ(r, TRegion::FromRect(Rect(2, 3, 6, 8)));

    // One outline running twice round the middle square leaves it out.
    const TPoint twice[] = {{0, 0}, {9, 0}, {9, 9}, {0, 9}, {0, 3}, {6, 3}, {6, 6}, {3, 6}, {3, 3}, {0, 3}};
    const TRegion ring = TRegion::FromPolygon(twice, 10);
    EXPECT_TRUE(ring.Contains({1, 1}));
    EXPECT_FALSE(ring.Contains({4, 4}));
}

TEST_F(RegionTest, ClipRegionLimitsPaintingWithTheClipRectangle) {
    canvas_.ClipRegion = TRegion::FromRect(Rect(4, 4, 8, 8));
    canvas_.Brush.Color = clRed;
    canvas_.FillRect(Rect(0, 0, 16, 16));
    canvas_.SetPixel(2, 2, clRed);
    EXPECT_EQ(Pixels(clRed), Block(4, 4, 8, 8));
    canvas_.ClipRect = Rect(6, 0, 16, 16);
    canvas_.Brush.Color = clLime;
    canvas_.FillRect(Rect(0, 0, 16, 16));
    EXPECT_EQ(Pixels(clLime), Block(6, 4, 8, 8));
}

// Text limited to a rectangle, XOR and AND copies and a saved state all keep
// to the clip region; nothing may paint at (2, 2), outside it.
TEST_F(RegionTest, TextCopiesAndSavedStatesKeepTheClipRegion) {
    QImage sourceImage(16, 16, QImage::Format_RGB32);
    sourceImage.fill(qRgb(128, 128, 128));
    TCanvas source(&sourceImage);
    const std::function<void()> paints[] = {
        [&] {
            canvas_.Brush.Color = clRed;
            canvas_.TextRect(Rect(0, 0, 16, 16), 0, 0, "W");
        },
        [&] {
            canvas_.CopyMode = TCopyMode::cmSrcInvert;
            canvas_.CopyRect(Rect(0, 0, 16, 16), source, Rect(0, 0, 16, 16));
        },
        [&] {
            canvas_.CopyMode = TCopyMode::cmSrcAnd;
            canvas_.CopyRect(Rect(0, 0, 16, 16), source, Rect(0, 0, 16, 16));
        },
        [&] {
            canvas_.SaveDC();
            canvas_.ClipRegion.reset();
            canvas_.RestoreDC();
            canvas_.Brush.Color = clRed;
            canvas_.FillRect(Rect(0, 0, 16, 16));
        },
    };
    int n = 0;
    for (const auto& paint : paints) {
        SCOPED_TRACE(n++);
        image_.fill(Qt::white);
        canvas_.CopyMode = TCopyMode::cmSrcCopy;
        canvas_.ClipRect = {};
        canvas_.ClipRegion = TRegion::FromRect(Rect(4, 4, 12, 12));
        paint();
        EXPECT_EQ(canvas_.Pixel(2, 2), clWhite);
        EXPECT_NE(canvas_.Pixel(8, 8), clWhite);
    }
}

TEST_F(RegionTest, PolygonPenAndBrushStyles) {
    const TPoint square[] = {{1, 1}, {5, 1}, {5, 4}, {1, 4}};
    struct Case {
        TPenStyle pen;
        TBrushStyle brush;
        PixelSet fill, outline;
    };
    PixelSet frame = Block(1, 1, 6, 5);
    for (const auto& p : Block(2, 2, 5, 4)) frame.erase(p);
    for (const Case& c : {Case{TPenStyle::psClear, TBrushStyle::bsSolid, Block(1, 1, 5, 4), {}},
                          Case{TPenStyle::psSolid, TBrushStyle::bsSolid, Block(2, 2, 5, 4), frame},
                          Case{TPenStyle::psSolid, TBrushStyle::bsClear, {}, frame}}) {
        image_.fill(Qt::white);
        canvas_.Pen = TPen{clBlue, 1, c.pen};
        canvas_.Brush = TBrush{clRed, c.brush};
        canvas_.Polygon(square, 4);
        EXPECT_EQ(Pixels(clRed), c.fill) << int(c.pen) << " " << int(c.brush);
        EXPECT_EQ(Pixels(clBlue), c.outline) << int(c.pen) << " " << int(c.brush);
    }
}

}  // namespace
}  // namespace dlk
