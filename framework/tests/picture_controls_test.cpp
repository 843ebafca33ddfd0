#include <gtest/gtest.h>

#include <QIcon>
#include <QPushButton>
#include <QTest>

#include "framework/components/description_reader.h"
#include "framework/components/description_writer.h"
#include "framework/controls/form.h"
#include "framework/controls/glyph_buttons.h"
#include "framework/controls/image.h"
#include "framework/tests/qt_test_app.h"

namespace dlk {
namespace {

class PictureControlsTest : public ::testing::Test {
protected:
    void SetUp() override { testing::EnsureApplication(); }
};

// JPEG is lossy: a colour is told by its strongest channel.
char Dominant(const QColor& c) {
    if (c.red() > 200 && c.green() < 60 && c.blue() < 60) return 'R';
    if (c.blue() > 200 && c.red() < 60 && c.green() < 60) return 'B';
    if (c.green() > 200 && c.red() < 60 && c.blue() < 60) return 'G';
    return '?';
}

TEST_F(PictureControlsTest, JpegPictureRoundTripsThroughADescriptionIntoAnImage) {
    const char* text = R"form(
Form1 : TForm {
  ClientWidth = 100  ClientHeight = 60
  Image1 : TImage { Left = 4  Top = 4  Width = 40  Height = 20  Center = True  Picture = resource ":/framework/tests/red_blue.jpg" }
}
)form";
    TForm form(nullptr);
    ReadComponent(form, text, "image.form");
    auto* image = FindOwned<TImage>(form, "Image1");
    ASSERT_EQ(image->Picture().Image().size(), QSize(16, 8));
    EXPECT_EQ(Dominant(image->Picture().Image().pixelColor(2, 4)), 'R');
    EXPECT_EQ(Dominant(image->Picture().Image().pixelColor(13, 4)), 'B');

    // Shown: centred in the control, the rest in the control's colour.
    form.Show();
    const QImage shown = image->Widget()->grab().toImage();
    EXPECT_EQ(Dominant(shown.pixelColor(12 + 2, 6 + 4)), 'R');
    EXPECT_EQ(Dominant(shown.pixelColor(12 + 13, 6 + 4)), 'B');
    EXPECT_EQ(FromQColor(shown.pixelColor(1, 1)), ColorToRGB(clBtnFace));

    const std::string written = WriteComponent(form);
    EXPECT_NE(written.find(R"(Picture = resource ":/framework/tests/red_blue.jpg")"), std::string::npos) << written;
    TForm again(nullptr);
    ReadComponent(again, written, "written.form");
    EXPECT_EQ(FindOwned<TImage>(again, "Image1")->Picture().Image(), image->Picture().Image());
}

TEST_F(PictureControlsTest, APictureThatDoesNotDecodeLeavesTheImageEmpty) {
    for (const char* path : {":/framework/tests/cut_off.jpg", ":/framework/tests/garbage.jpg",
                             ":/framework/tests/missing.jpg", "/nonexistent/picture.jpg"}) {
        SCOPED_TRACE(path);
        TForm form(nullptr);
        const std::string text = std::string("Form1 : TForm {\n  Image1 : TImage { Picture = resource \"") + path +
                                 "\"  Stretch = True }\n}\n";
        EXPECT_NO_THROW(ReadComponent(form, text, "broken.form"));
        auto* image = FindOwned<TImage>(form, "Image1");
        ASSERT_NE(image, nullptr);
        EXPECT_TRUE(image->Picture().Empty());
        EXPECT_TRUE(image->Stretch());  // the rest of the description was read
        EXPECT_NO_THROW(image->Widget()->grab());
    }
    // Only a resource can be a picture's value.
    TForm form(nullptr);
    EXPECT_THROW(ReadComponent(form, "F : TForm { I : TImage { Picture = \"x.jpg\" } }", "bad.form"), EReadError);
}

TEST_F(PictureControlsTest, SpeedButtonPaintsItsGlyphAndGreysItWhenDisabled) {
    TForm form(nullptr);
    ReadComponent(form, R"form(
Form1 : TForm {
  ClientWidth = 100  ClientHeight = 60
  SpeedButton1 : TSpeedButton { Left = 4  Top = 4  Width = 24  Height = 22  Flat = True  Glyph = resource ":/framework/tests/glyph.bmp" }
  SpeedButton2 : TSpeedButton { Left = 40  Top = 4  Width = 60  Height = 40  Caption = "два\rряда" }
}
)form",
                  "speed.form");
    auto* button = FindOwned<TSpeedButton>(form, "SpeedButton1");
    auto* two = FindOwned<TSpeedButton>(form, "SpeedButton2");
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    form.Show();
    ASSERT_EQ(button->Glyph().Image().size(), QSize(6, 6));

    // The 6 x 6 glyph, centred at (9, 8): its magenta border (the colour of
    // its bottom-left pixel) is transparent, its green inside shows.
    auto count = [](const QImage& image, TColor colour) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) n += FromQColor(image.pixelColor(x, y)) == ColorToRGB(colour);
        return n;
    };
    QImage shown = button->Widget()->grab().toImage();
    EXPECT_EQ(count(shown, clLime), 16);
    EXPECT_EQ(count(shown, clFuchsia), 0);
    EXPECT_EQ(FromQColor(shown.pixelColor(10, 9)), clLime);
    EXPECT_EQ(count(shown, clBtnShadow), 0);  // flat: no frame

    button->SetEnabled(false);
    shown = button->Widget()->grab().toImage();
    EXPECT_EQ(count(shown, clLime), 0);
    EXPECT_EQ(count(shown, clBtnShadow), 16);
    EXPECT_EQ(FromQColor(shown.pixelColor(10, 9)), ColorToRGB(clBtnShadow));
    button->SetEnabled(true);

    QTest::mouseClick(button->Widget(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks, 1);

    // Two caption lines, one above the other: two bands of dark rows.
    const QImage caption = two->Widget()->grab().toImage();
    int bands = 0;
    bool inBand = false;
    for (int y = 3; y < caption.height() - 3; ++y) {  // inside the frame
        bool ink = false;
        for (int x = 4; x < caption.width() - 4; ++x) ink |= caption.pixelColor(x, y).lightness() < 128;
        bands += ink && !inBand;
        inBand = ink;
    }
    EXPECT_EQ(bands, 2);
}

TEST_F(PictureControlsTest, BitButtonShowsItsGlyphBesideTheCaption) {
    TForm form(nullptr);
    ReadComponent(form, R"form(
Form1 : TForm {
  ClientWidth = 160  ClientHeight = 60
  BitBtn2 : TBitBtn { Left = 4  Top = 4  Width = 120  Height = 30  Caption = "Применить"  Glyph = resource ":/framework/tests/glyph.bmp" }
}
)form",
                  "bitbtn.form");
    auto* button = FindOwned<TBitBtn>(form, "BitBtn2");
    form.Show();
    auto* widget = static_cast<QPushButton*>(button->Widget());
    ASSERT_FALSE(widget->icon().isNull());
    EXPECT_EQ(widget->iconSize(), QSize(6, 6));
    const QImage normal = widget->icon().pixmap(6, 6).toImage();
    EXPECT_EQ(FromQColor(normal.pixelColor(2, 2)), clLime);
    EXPECT_EQ(normal.pixelColor(0, 5).alpha(), 0);
    const QImage disabled = widget->icon().pixmap(QSize(6, 6), QIcon::Disabled).toImage();
    EXPECT_EQ(FromQColor(disabled.pixelColor(2, 2)), ColorToRGB(clBtnShadow));

    int greens = 0;
    const QImage shown = widget->grab().toImage();
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) greens += FromQColor(shown.pixelColor(x, y)) == clLime;
    EXPECT_EQ(greens, 16);

    const std::string written = WriteComponent(form);
    EXPECT_NE(written.find(R"(Glyph = resource ":/framework/tests/glyph.bmp")"), std::string::npos) << written;
    button->Glyph().Clear();
    EXPECT_TRUE(widget->icon().isNull());
}

}  // namespace
}  // namespace dlk
