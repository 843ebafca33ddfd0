#include "framework/canvas/canvas.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <cstdlib>

namespace dlk {
namespace {

class CanvasTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (QCoreApplication::instance() == nullptr) {
            static int argc = 1;
            static char name[] = "canvas_test";
            static char* argv[] = {name, nullptr};
            new QGuiApplication(argc, argv);
        }
    }
    void SetUp() override {
        image_.fill(Qt::white);
        canvas_.Font.Name = "DejaVu Sans";
        canvas_.Font.Quality = TFontQuality::fqNonAntialiased;
    }
    // Count of pixels of the given colour.
    int Count(TColor c) const {
        int n = 0;
        for (int y = 0; y < image_.height(); ++y)
            for (int x = 0; x < image_.width(); ++x) n += canvas_.Pixel(x, y) == c;
        return n;
    }
    QImage image_{20, 20, QImage::Format_RGB32};
    TCanvas canvas_{&image_};
};

TEST_F(CanvasTest, FillAndRectangleLeaveOutRightAndBottomEdges) {
    canvas_.Brush.Color = clRed;
    canvas_.FillRect(Rect(2, 3, 5, 7));
    EXPECT_EQ(Count(clRed), 3 * 4);
    EXPECT_EQ(canvas_.Pixel(4, 6), clRed);
    EXPECT_EQ(canvas_.Pixel(5, 6), clWhite);
    EXPECT_EQ(canvas_.Pixel(4, 7), clWhite);

    image_.fill(Qt::white);
    canvas_.Pen.Color = clBlue;
    canvas_.Rectangle(0, 0, 4, 4);
    EXPECT_EQ(Count(clBlue), 12);  // the 4x4 border
    EXPECT_EQ(Count(clRed), 4);    // the 2x2 inside
    EXPECT_EQ(canvas_.Pixel(4, 0), clWhite);
}

TEST_F(CanvasTest, EmptyOrInvertedRectanglesDrawNothing) {
    canvas_.Brush.Color = clRed;
    canvas_.Pen.Color = clRed;
    canvas_.FillRect(Rect(5, 5, 5, 9));
    canvas_.FillRect(Rect(9, 9, 4, 4));
    canvas_.Rectangle(9, 9, 4, 4);
    canvas_.FrameRect(Rect(3, 3, 3, 3));
    EXPECT_EQ(Count(clRed), 0);
    canvas_.Brush.Style = TBrushStyle::bsClear;
    canvas_.FillRect(Rect(0, 0, 10, 10));
    EXPECT_EQ(Count(clRed), 0);
}

TEST_F(CanvasTest, LineToLeavesOutTheEndPointAndMovesThePen) {
    canvas_.Pen.Color = clBlack;
    canvas_.MoveTo(1, 1);
    canvas_.LineTo(6, 1);
    canvas_.LineTo(6, 4);
    EXPECT_EQ(canvas_.PenPos(), Point(6, 4));
    EXPECT_EQ(canvas_.Pixel(1, 1), clBlack);
    EXPECT_EQ(canvas_.Pixel(5, 1), clBlack);
    EXPECT_EQ(canvas_.Pixel(6, 1), clBlack);  // the start of the second line
    EXPECT_EQ(canvas_.Pixel(6, 3), clBlack);
    EXPECT_EQ(canvas_.Pixel(6, 4), clWhite);
    EXPECT_EQ(Count(clBlack), 5 + 3);
}

TEST_F(CanvasTest, LinesKeepTheirStartAndLeaveOutTheirEndInEveryDirection) {
    struct Case {
        TPoint from, to, in, out;
    } const cases[] = {
        {{1, 1}, {6, 1}, {1, 1}, {6, 1}}, {{6, 1}, {1, 1}, {6, 1}, {1, 1}}, {{2, 0}, {2, 5}, {2, 0}, {2, 5}},
        {{2, 5}, {2, 0}, {2, 5}, {2, 0}}, {{1, 1}, {6, 6}, {1, 1}, {6, 6}}, {{6, 6}, {1, 1}, {6, 6}, {1, 1}},
        {{6, 1}, {1, 6}, {6, 1}, {1, 6}}, {{1, 6}, {6, 1}, {1, 6}, {6, 1}},
    };
    for (const Case& c : cases) {
        image_.fill(Qt::white);
        canvas_.Pen.Color = clBlack;
        canvas_.MoveTo(c.from.X, c.from.Y);
        canvas_.LineTo(c.to.X, c.to.Y);
        EXPECT_EQ(canvas_.Pixel(c.in.X, c.in.Y), clBlack) << c.from.X << "," << c.from.Y << " to " << c.to.X;
        EXPECT_EQ(canvas_.Pixel(c.out.X, c.out.Y), clWhite) << c.from.X << "," << c.from.Y << " to " << c.to.X;
        EXPECT_EQ(Count(clBlack), std::max(std::abs(c.to.X - c.from.X), std::abs(c.to.Y - c.from.Y)));
    }
}

TEST_F(CanvasTest, OriginAndClipLimitPainting) {
    canvas_.Origin = Point(10, 10);
    canvas_.ClipRect = Rect(0, 0, 3, 3);
    canvas_.Brush.Color = clLime;
    canvas_.FillRect(Rect(-5, -5, 20, 20));
    EXPECT_EQ(canvas_.Pixel(0, 0), clLime);  // reads go through the origin too
    canvas_.Origin = {};
    canvas_.ClipRect = {};
    EXPECT_EQ(Count(clLime), 9);
    EXPECT_EQ(canvas_.Pixel(10, 10), clLime);
    EXPECT_EQ(canvas_.Pixel(13, 12), clWhite);
}

TEST_F(CanvasTest, TextExtentAndOpaqueBackground) {
    EXPECT_EQ(canvas_.TextExtent(""), (TSize{0, 0}));
    const TSize size = canvas_.TextExtent("Модем 1");
    EXPECT_GT(size.cx, 20);
    EXPECT_GE(size.cy, 11);
    EXPECT_EQ(canvas_.TextWidth("Модем 1"), size.cx);

    canvas_.Brush.Color = clYellow;
    canvas_.Font.Color = clBlack;
    canvas_.TextOut(0, 0, "ab");
    const TSize ab = canvas_.TextExtent("ab");
    EXPECT_EQ(Count(clYellow) + Count(clBlack), ab.cx * ab.cy);
    EXPECT_GT(Count(clBlack), 0);
    EXPECT_EQ(canvas_.PenPos(), Point(ab.cx, 0));

    image_.fill(Qt::white);
    canvas_.Brush.Style = TBrushStyle::bsClear;
    canvas_.TextOut(0, 0, "ab");
    EXPECT_EQ(Count(clYellow), 0);
    EXPECT_GT(Count(clBlack), 0);
}

TEST_F(CanvasTest, TextRectFillsAndClipsToItsRectangle) {
    canvas_.Brush.Color = clYellow;
    canvas_.Font.Color = clBlack;
    canvas_.TextRect(Rect(2, 2, 8, 6), 2, 2, "WWWWWW");
    EXPECT_EQ(Count(clYellow) + Count(clBlack), 6 * 4);
    for (int x = 0; x < 20; ++x) EXPECT_EQ(canvas_.Pixel(x, 6), clWhite);
    EXPECT_EQ(canvas_.Pixel(8, 3), clWhite);
}

TEST_F(CanvasTest, CopiesCombinePixelsByCopyMode) {
    QImage srcImage(4, 4, QImage::Format_RGB32);
    srcImage.fill(QColor(0x0F, 0xF0, 0x33));
    TCanvas src(&srcImage);
    image_.fill(QColor(0x3C, 0x3C, 0x3C));

    BitBlt(canvas_, 0, 0, 1, 1, src, 0, 0, TCopyMode::cmSrcAnd);
    BitBlt(canvas_, 1, 0, 1, 1, src, 0, 0, TCopyMode::cmSrcPaint);
    BitBlt(canvas_, 2, 0, 1, 1, src, 0, 0, TCopyMode::cmSrcInvert);
    BitBlt(canvas_, 3, 0, 1, 1, src, 0, 0, TCopyMode::cmSrcCopy);
    EXPECT_EQ(canvas_.Pixel(0, 0), RGB(0x0C, 0x30, 0x30));
    EXPECT_EQ(canvas_.Pixel(1, 0), RGB(0x3F, 0xFC, 0x3F));
    EXPECT_EQ(canvas_.Pixel(2, 0), RGB(0x33, 0xCC, 0x0F));
    EXPECT_EQ(canvas_.Pixel(3, 0), RGB(0x0F, 0xF0, 0x33));
    EXPECT_EQ(canvas_.Pixel(4, 0), RGB(0x3C, 0x3C, 0x3C));
    EXPECT_EQ(image_.pixel(2, 0) >> 24, 0xFFu) << "32-bit RGB keeps its unused byte";
}

TEST_F(CanvasTest, CopyOnTwentyFourBitImagesAndMirroredStretch) {
    QImage rgb(4, 1, QImage::Format_RGB888);
    rgb.fill(Qt::white);
    TCanvas target(&rgb);
    QImage srcImage(2, 1, QImage::Format_RGB32);
    srcImage.setPixel(0, 0, qRgb(255, 0, 0));
    srcImage.setPixel(1, 0, qRgb(0, 0, 255));
    TCanvas src(&srcImage);

    // Negative width on the destination: mirrored, and stretched 2x.
    target.CopyRect(Rect(4, 0, 0, 1), src, Rect(0, 0, 2, 1));
    EXPECT_EQ(target.Pixel(0, 0), clBlue);
    EXPECT_EQ(target.Pixel(1, 0), clBlue);
    EXPECT_EQ(target.Pixel(2, 0), clRed);
    EXPECT_EQ(target.Pixel(3, 0), clRed);

    target.CopyMode = TCopyMode::cmSrcAnd;
    target.CopyRect(Rect(0, 0, 2, 1), src, Rect(0, 0, 2, 1));
    EXPECT_EQ(target.Pixel(0, 0), clBlack);  // blue AND red
    EXPECT_EQ(target.Pixel(1, 0), clBlue);
}

TEST_F(CanvasTest, SystemColoursComeFromTheFixedTable) {
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(240, 240, 240));
    EXPECT_EQ(ColorToRGB(clWindow), clWhite);
    EXPECT_EQ(ColorToRGB(SystemColor(SystemColorIndex(200))), clBlack);
    EXPECT_EQ(ColorToRGB(0x12345678), 0x00345678u);
    canvas_.Brush.Color = clHighlight;
    canvas_.FillRect(Rect(0, 0, 1, 1));
    EXPECT_EQ(canvas_.Pixel(0, 0), RGB(51, 153, 255));
}

TEST_F(CanvasTest, FontSizeAndHeightConvertAtNinetySixDpi) {
    TFont f;
    f.SetSize(8);
    EXPECT_EQ(f.Height, -11);
    EXPECT_EQ(f.Size(), 8);
    f.SetSize(10);
    EXPECT_EQ(f.Height, -13);
}

TEST_F(CanvasTest, CanvasWithoutImageMeasuresButDoesNotDraw) {
    TCanvas empty;
    empty.Font = canvas_.Font;
    EXPECT_EQ(empty.TextExtent("ab").cx, canvas_.TextExtent("ab").cx);
    empty.FillRect(Rect(0, 0, 5, 5));
    empty.LineTo(3, 3);
    EXPECT_EQ(empty.Pixel(0, 0), clNone);
}

}  // namespace
}  // namespace dlk
