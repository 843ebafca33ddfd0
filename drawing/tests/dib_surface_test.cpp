#include "drawing/dib_surface.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QGuiApplication>
#include <QPainter>

#include "drawing/tests/raster_fixture.h"

namespace dlk {
namespace {

using testing::ReadPixel;

class Gui : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (QGuiApplication::instance() == nullptr) {
            static int argc = 1;
            static char name[] = "drawing_surface_tests";
            static char* argv[] = {name, nullptr};
            static QGuiApplication app(argc, argv);
        }
    }
};

using DibSurfaceTest = Gui;

std::set<std::pair<int, int>> Changed(const DibRaster& r, std::uint32_t background) {
    return testing::PixelsNot(r, background);
}

TEST_F(DibSurfaceTest, TrueColourSurfaceAsBothCallersMakeIt) {
    TDibSurface s(40, 12, DibFormat::Rgb24);
    EXPECT_EQ(s.Width(), 40);
    EXPECT_EQ(s.Height(), 12);
    EXPECT_EQ(s.Raster().Palette().Count, 0);
    EXPECT_EQ(s.Raster().Clip().Right, 39);
    EXPECT_EQ(s.Raster().Clip().Bottom, 11);
    EXPECT_EQ(s.Canvas().Brush.Color, clWhite);
    EXPECT_EQ(s.Canvas().Pen.Color, clBlack);
    const QImage& image = s.Image();
    EXPECT_EQ(image.format(), QImage::Format_BGR888);
    EXPECT_EQ(image.constBits(), s.Raster().Memory());
    EXPECT_EQ(s.Canvas().Handle(), &image);
    s.SetBrushColor(0x0000FF);
    s.Clear();
    EXPECT_EQ(image.pixel(39, 11), qRgb(255, 0, 0));
    EXPECT_EQ(s.Raster().Memory()[2], 0xFF);  // blue, green, red in memory
}

TEST_F(DibSurfaceTest, RejectsWhatItCannotMake) {
    EXPECT_THROW(TDibSurface(0, 10, DibFormat::Rgb24), DIB_ERROR);
    EXPECT_THROW(TDibSurface(10, 40000, DibFormat::Rgb24), DIB_ERROR);
    EXPECT_THROW(TDibSurface(10, 10, static_cast<DibFormat>(9)), DIB_ERROR);
}

TEST_F(DibSurfaceTest, UnchangedPenColourLeavesTheCanvasPenAlone) {
    TDibSurface s(8, 8, DibFormat::Rgb24);
    s.Canvas().Pen.Color = clLime;
    s.SetPenColor(clBlack);  // the surface's pen is black already
    EXPECT_EQ(s.Canvas().Pen.Color, clLime);
    s.SetPenColor(clRed);
    EXPECT_EQ(s.Canvas().Pen.Color, clRed);
    EXPECT_EQ(s.Raster().Pen().Value32, 0x00FF0000u);
    s.Canvas().Brush.Color = clLime;
    s.SetBrushColor(clWhite);
    EXPECT_EQ(s.Canvas().Brush.Color, clLime);
    s.SetBrushColor(clBlue);
    EXPECT_EQ(s.Canvas().Brush.Color, clBlue);
}

TEST_F(DibSurfaceTest, ClearTakesTheSurfaceBrushFillRectTheCanvasBrush) {
    TDibSurface s(6, 5, DibFormat::Rgb24);
    s.Canvas().Brush.Color = clRed;
    s.Clear();  // undoes the caller's change of the canvas brush
    EXPECT_EQ(s.Canvas().Brush.Color, clWhite);
    EXPECT_TRUE(Changed(s.Raster(), 0xFFFFFF).empty());
    s.Canvas().Brush.Color = clBtnFace;  // system colours are resolved for fills
    const TRect all{0, 0, 6, 5};
    s.FillRect(all);
    const std::uint32_t face = s.Raster().ColorToPixel(ColorToRGB(clBtnFace));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(ReadPixel(s.Raster(), x, y), (x == 5 || y == 4) ? 0xFFFFFFu : face) << x << "," << y;
    s.Canvas().Brush.Style = TBrushStyle::bsClear;
    s.Canvas().Brush.Color = clBlack;
    s.FillRect(all);
    EXPECT_EQ(ReadPixel(s.Raster(), 0, 0), face);
}

TEST_F(DibSurfaceTest, TextStaysInItsRectangleAndInTheSharedMemory) {
    TDibSurface s(120, 30, DibFormat::Rgb24);
    s.Clear();
    const std::uint8_t* memory = s.Raster().Memory();
    s.Canvas().Font.Name = "DejaVu Sans";
    s.Canvas().Font.Height = -11;
    s.Canvas().Font.Color = clBlack;
    s.Canvas().Brush.Style = TBrushStyle::bsClear;
    const TRect box{10, 5, 60, 20};
    s.Canvas().TextRect(box, 12, 6, "Модем 12345678901234");
    EXPECT_EQ(s.Image().constBits(), memory);  // the canvas painted into the surface, not into a copy
    const auto changed = Changed(s.Raster(), 0xFFFFFF);
    EXPECT_GT(changed.size(), 20u);
    for (auto [x, y] : changed) {
        EXPECT_GE(x, box.Left);
        EXPECT_LT(x, box.Right);
        EXPECT_GE(y, box.Top);
        EXPECT_LT(y, box.Bottom);
    }
    EXPECT_GT(s.Canvas().TextWidth("Модем"), 10);
}

class SurfaceInEveryFormat : public Gui, public ::testing::WithParamInterface<DibFormat> {};

TEST_P(SurfaceInEveryFormat, CanvasAndLineEngineMeetInOnePicture) {
    TDibSurface s(64, 24, GetParam());
    s.Clear();
    const std::uint32_t white = s.Raster().ColorToPixel(0xFFFFFF);
    // A filled block through the canvas and a line through the engine.
    s.Canvas().Brush.Color = clBlack;
    s.Canvas().FillRect(TRect{2, 2, 10, 10});
    s.SetPenColor(clBlack);
    s.MoveTo(20, 5);
    s.LineTo(40, 5);
    const QImage& image = s.Image();
    EXPECT_EQ(image.pixel(5, 5), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(15, 5), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(30, 5), qRgb(0, 0, 0));
    // The block reached the pixel memory itself.
    EXPECT_NE(ReadPixel(s.Raster(), 5, 5), white);
    EXPECT_EQ(ReadPixel(s.Raster(), 15, 5), white);
    // A fill after canvas painting keeps what the canvas drew.
    s.SetBrushColor(clWhite);
    s.FillRect(TRect{12, 12, 20, 20});
    EXPECT_NE(ReadPixel(s.Raster(), 5, 5), white);
    EXPECT_EQ(s.Image().pixel(5, 5), qRgb(0, 0, 0));
}

TEST_P(SurfaceInEveryFormat, CopiesToAWindowImageThroughTheCanvasHandle) {
    TDibSurface s(16, 8, GetParam());
    s.SetBrushColor(clBlack);
    s.Clear();
    s.Image();  // brings indexed pixels into the image the canvas copies from
    QImage window(16, 8, QImage::Format_RGB32);
    window.fill(Qt::white);
    TCanvas target(&window);
    BitBlt(target, 0, 0, 16, 8, s.Canvas(), 0, 0);
    EXPECT_EQ(window.pixel(15, 7), qRgb(0, 0, 0));
    // And into a paint event, straight from the shared image.
    QImage painted(16, 8, QImage::Format_RGB32);
    painted.fill(Qt::white);
    QPainter p(&painted);
    p.drawImage(0, 0, s.Image());
    p.end();
    EXPECT_EQ(painted.pixel(3, 3), qRgb(0, 0, 0));
}

TEST_F(DibSurfaceTest, IndexedSurfacesTakeTheNearestPaletteEntryForCanvasColours) {
    TDibSurface s(8, 8, DibFormat::Indexed4);
    s.Clear();
    s.Canvas().Brush.Color = RGB(250, 10, 5);  // near red, entry 9
    s.Canvas().FillRect(TRect{0, 0, 4, 4});
    s.Image();
    EXPECT_EQ(ReadPixel(s.Raster(), 1, 1), 9u);
    EXPECT_EQ(s.Image().pixel(1, 1), qRgb(255, 0, 0));
}

TEST_P(SurfaceInEveryFormat, WideLinesGoThroughTheCanvasInThePenColour) {
    TDibSurface s(20, 20, GetParam());
    s.Clear();
    s.SetPenColor(clBlack);
    s.Raster().SetLineWidth(5);
    s.MoveTo(2, 10);
    s.LineTo(17, 10);
    EXPECT_EQ(s.Canvas().Pen.Width, 5);
    const std::uint32_t white = s.Raster().ColorToPixel(0xFFFFFF);
    EXPECT_NE(ReadPixel(s.Raster(), 10, 8), white);  // in the pixel memory, not only in a picture of it
    EXPECT_NE(ReadPixel(s.Raster(), 10, 12), white);
    EXPECT_EQ(ReadPixel(s.Raster(), 10, 16), white);
    EXPECT_EQ(s.Image().pixel(10, 8), qRgb(0, 0, 0));
}

INSTANTIATE_TEST_SUITE_P(AllFormats, SurfaceInEveryFormat, ::testing::ValuesIn(testing::kAllFormats),
                         testing::FormatName());

}  // namespace
}  // namespace dlk
