#include <gtest/gtest.h>

#include <QFontInfo>
#include <QGuiApplication>
#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "framework/canvas/bitmap.h"
#include "framework/canvas/canvas.h"

namespace dlk {
namespace {

class CanvasStateTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (QCoreApplication::instance() == nullptr) {
            static int argc = 1;
            static char name[] = "canvas_state_test";
            static char* argv[] = {name, nullptr};
            new QGuiApplication(argc, argv);
        }
    }
    void SetUp() override { image_.fill(Qt::white); }
    // The smallest rectangle around every pixel that is not white.
    TRect Ink() const {
        TRect r{image_.width(), image_.height(), 0, 0};
        for (int y = 0; y < image_.height(); ++y)
            for (int x = 0; x < image_.width(); ++x)
                if (image_.pixel(x, y) != qRgb(255, 255, 255))
                    r = {std::min(r.Left, x), std::min(r.Top, y), std::max(r.Right, x + 1), std::max(r.Bottom, y + 1)};
        return r;
    }
    QImage image_{40, 40, QImage::Format_RGB32};
    TCanvas canvas_{&image_};
};

TEST_F(CanvasStateTest, SavedStatesNestAndRestoreInOrder) {
    // Each state: clip, origin, font, pen and brush set from one number.
    auto apply = [this](int n) {
        canvas_.ClipRect = Rect(n, n, 30, 30);
        canvas_.Origin = Point(n, -n);
        canvas_.Font.Name = n == 2 ? "Verdana" : "Tahoma";
        canvas_.Pen.Color = TColor(n);
        canvas_.Brush.Color = TColor(10 + n);
    };
    auto state = [this] {
        return std::tuple(canvas_.ClipRect, canvas_.Origin, canvas_.Font.Name, canvas_.Pen.Color, canvas_.Brush.Color);
    };
    std::vector<decltype(state())> saved;
    for (int n = 1; n <= 3; ++n) {
        apply(n);
        saved.push_back(state());
        EXPECT_EQ(canvas_.SaveDC(), n);
    }
    apply(4);
    EXPECT_TRUE(canvas_.RestoreDC());
    EXPECT_EQ(state(), saved[2]);
    EXPECT_TRUE(canvas_.RestoreDC(-1));
    EXPECT_EQ(state(), saved[1]);
    EXPECT_EQ(canvas_.SaveDC(), 2);  // saving again after a restore reuses the depth
    apply(4);
    EXPECT_TRUE(canvas_.RestoreDC(1));  // a numbered state drops every later one
    EXPECT_EQ(state(), saved[0]);
    EXPECT_EQ(canvas_.SavedDCCount(), 0);
    EXPECT_FALSE(canvas_.RestoreDC());
    EXPECT_FALSE(canvas_.RestoreDC(3));
    EXPECT_EQ(state(), saved[0]);
}

TEST_F(CanvasStateTest, ClipBoxIsTheClipWithinTheImageInCanvasCoordinates) {
    struct Case {
        TRect clip;
        TPoint origin;
        TRect box;
    } const cases[] = {
        {{}, {}, Rect(0, 0, 40, 40)},
        {Rect(-5, 10, 20, 60), {}, Rect(0, 10, 20, 40)},
        {{}, Point(10, -5), Rect(-10, 5, 30, 45)},
        {Rect(0, 0, 5, 5), Point(10, 10), Rect(0, 0, 5, 5)},
        {Rect(50, 50, 60, 60), {}, {}},
    };
    for (const Case& c : cases) {
        canvas_.ClipRect = c.clip;
        canvas_.Origin = c.origin;
        EXPECT_EQ(canvas_.ClipBox(), c.box) << c.clip.Left << "," << c.clip.Top << " at " << c.origin.X;
    }
    EXPECT_EQ(TCanvas().ClipBox(), TRect{});
}

TEST_F(CanvasStateTest, StretchBltWithNegativeExtentsMirrorsOntoTheOrigin) {
    // Source columns: R G B Y.
    QImage strip(4, 2, QImage::Format_RGB32);
    const QRgb colours[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 0), qRgb(0, 0, 0)};
    for (int x = 0; x < 4; ++x) {
        strip.setPixel(x, 0, colours[x]);
        strip.setPixel(x, 1, colours[4]);
    }
    const TCanvas source(&strip);
    auto row = [&](int y) {
        std::string s;
        for (int x = 0; x < 12; ++x) {
            const QRgb* c = std::find(std::begin(colours), std::end(colours), image_.pixel(x, y));
            s += c == std::end(colours) ? '.' : "RGBYk"[c - colours];
        }
        return s;
    };
    struct Case {
        int x, w, sx, sw;
        const char* row;
    } const cases[] = {
        {2, 4, 0, 4, "..RGBY......"},   {7, -4, 0, 4, "....YBGR...."},  // covers 7-4+1 ... 7
        {2, 4, 3, -4, "..YBGR......"},                                  // the source from 3 back to 0
        {7, -4, 3, -4, "....RGBY...."},                                 // both mirrored: upright again
        {9, -8, 0, 4, "..YYBBGGRR.."},                                  // mirrored and stretched
        {0, 3, 1, 2, "GGB........."},                                   // stretched by 3/2, nearest pixel
    };
    for (const Case& c : cases) {
        image_.fill(Qt::white);
        StretchBlt(canvas_, c.x, 0, c.w, 1, source, c.sx, 0, c.sw, 1);
        EXPECT_EQ(row(0), c.row) << c.x << " " << c.w << " " << c.sx << " " << c.sw;
        EXPECT_EQ(row(1), "............");
    }
    // Upside down: origin row 1, height -2 takes the source's rows in reverse.
    image_.fill(Qt::white);
    StretchBlt(canvas_, 0, 1, 4, -2, source, 0, 0, 4, 2);
    EXPECT_EQ(row(0), "kkkk........");
    EXPECT_EQ(row(1), "RGBY........");
    EXPECT_EQ(canvas_.CopyMode, TCopyMode::cmSrcCopy);
}

TEST_F(CanvasStateTest, FocusRectangleInvertsEveryOtherBorderPixelAndUndoesItself) {
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) image_.setPixel(x, y, qRgb(x * 6, y * 6, (x * y) % 256));
    const QImage before = image_.copy();
    const TRect r = Rect(3, 4, 13, 9);
    canvas_.DrawFocusRect(r);
    int inverted = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            const bool border =
                r.Contains({x, y}) && (x == r.Left || x == r.Right - 1 || y == r.Top || y == r.Bottom - 1);
            const bool dot = border && (x + y) % 2 == 0;
            const QRgb expected = dot ? (before.pixel(x, y) ^ 0x00FFFFFFu) : before.pixel(x, y);
            ASSERT_EQ(image_.pixel(x, y), expected) << x << "," << y;
            inverted += dot;
        }
    EXPECT_EQ(inverted, 13);  // of the 26 border pixels
    canvas_.DrawFocusRect(r);
    EXPECT_EQ(image_, before);

    // Through an origin and a clip: only the clipped part, and again undone.
    canvas_.Origin = Point(10, 10);
    canvas_.ClipRect = Rect(0, 0, 4, 40);
    canvas_.DrawFocusRect(Rect(-2, -2, 8, 8));
    EXPECT_EQ(image_.pixel(8, 9), before.pixel(8, 9));      // the top edge is clipped away
    EXPECT_NE(image_.pixel(11, 17), before.pixel(11, 17));  // the bottom edge inside the clip
    EXPECT_EQ(image_.pixel(15, 17), before.pixel(15, 17));  // and outside it
    canvas_.DrawFocusRect(Rect(-2, -2, 8, 8));
    EXPECT_EQ(image_, before);
}

TEST_F(CanvasStateTest, RotatedTextLiesWhereItsReferencePointSays) {
    canvas_.Font.Name = "Verdana";
    canvas_.Font.Height = -11;
    canvas_.Font.Color = clBlack;
    canvas_.Font.Quality = TFontQuality::fqNonAntialiased;
    canvas_.Brush.Style = TBrushStyle::bsClear;
    const TSize extent = canvas_.TextExtent("Tab");
    ASSERT_EQ(extent.cy, 13);
    // The text's top-left corner stays at the reference point; 900 reads
    // upwards, the cell to the right of and above it; 2700 reads downwards,
    // the cell to the left of and below it.
    struct Case {
        int orientation, x, y;
        TRect cell;
    } const cases[] = {
        {0, 5, 5, Bounds(5, 5, extent.cx, extent.cy)},
        {900, 10, 35, Rect(10, 35 - extent.cx, 10 + extent.cy, 35)},
        {2700, 30, 4, Rect(30 + 1 - extent.cy, 4, 30 + 1, 4 + extent.cx)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.orientation);
        image_.fill(Qt::white);
        canvas_.Font.Orientation = c.orientation;
        canvas_.TextOut(c.x, c.y, "Tab");
        const TRect ink = Ink();
        ASSERT_FALSE(ink.IsEmpty());
        TRect inside;
        IntersectRect(inside, ink, c.cell);
        EXPECT_EQ(inside, ink) << "ink " << ink.Left << "," << ink.Top << "," << ink.Right << "," << ink.Bottom;
        // The ink fills most of the cell along the text, so it did turn.
        const bool vertical = c.orientation != 0;
        EXPECT_GT(vertical ? ink.Height() : ink.Width(), extent.cx * 3 / 4);
        EXPECT_LT(vertical ? ink.Width() : ink.Height(), extent.cy + 1);
    }
}

TEST_F(CanvasStateTest, PolygonsOutlineThroughTheirCornersAndFillInside) {
    const TPoint square[] = {{2, 2}, {8, 2}, {8, 8}, {2, 8}};
    canvas_.Pen.Color = clBlue;
    canvas_.Brush.Color = clRed;
    canvas_.Polygon(square, 4);
    EXPECT_EQ(Ink(), Rect(2, 2, 9, 9));  // the outline takes every corner
    EXPECT_EQ(canvas_.Pixel(8, 8), clBlue);
    EXPECT_EQ(canvas_.Pixel(5, 2), clBlue);
    EXPECT_EQ(canvas_.Pixel(3, 3), clRed);
    EXPECT_EQ(canvas_.Pixel(7, 7), clRed);

    // Without a pen the fill leaves out the right and bottom edges.
    image_.fill(Qt::white);
    canvas_.Pen.Style = TPenStyle::psClear;
    canvas_.Polygon(square, 4);
    EXPECT_EQ(Ink(), Rect(2, 2, 8, 8));
}

TEST_F(CanvasStateTest, TabAndDialogFacesArePinnedToInstalledFonts) {
    for (const auto& [face, installed] : {std::pair{"Verdana", "DejaVu Sans"}, std::pair{"verdana", "DejaVu Sans"},
                                          std::pair{"MS Sans Serif", "DejaVu Sans Condensed"}}) {
        TFont f;
        f.Name = face;
        // Asked for by name, so that no other installed font can step in.
        EXPECT_EQ(f.ToQFont().family(), QString::fromUtf8(installed)) << face;
        EXPECT_EQ(QFontInfo(f.ToQFont()).family(), QString::fromUtf8(installed)) << face;
    }
    // Verdana at 11 pixels: the 13-pixel line the tab strips are built on.
    TCanvas measure;
    measure.Font.Name = "Verdana";
    measure.Font.Height = -11;
    EXPECT_EQ(measure.TextExtent("Настройки").cy, 13);
}

TEST_F(CanvasStateTest, BitmapsStartWhiteAndKeepTheirPictureWhenResized) {
    TBitmap bitmap(6, 4);
    QImage white(6, 4, QImage::Format_RGB32);
    white.fill(Qt::white);
    EXPECT_EQ(bitmap.Image(), white);
    bitmap.Canvas().Brush.Color = clRed;
    bitmap.Canvas().FillRect(Rect(0, 0, 6, 4));
    bitmap.SetSize(8, 5);
    EXPECT_EQ(bitmap.Canvas().Pixel(5, 3), clRed);  // the old picture stays
    EXPECT_EQ(bitmap.Canvas().Pixel(6, 0), clWhite);
    EXPECT_EQ(bitmap.Canvas().Pixel(0, 4), clWhite);
    bitmap.SetSize(0, 5);
    EXPECT_FALSE(bitmap.Canvas().HandleAllocated());
}

}  // namespace
}  // namespace dlk
