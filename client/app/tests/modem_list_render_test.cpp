#include "client/app/modem_list_render.h"

#include <gtest/gtest.h>

#include <vector>

#include "client/app/modem_list_images.h"
#include "framework/tests/qt_test_app.h"

namespace dlk::client {
namespace {

// Text is measured and drawn through Qt, which wants its application.
class ModemListRender : public ::testing::Test {
protected:
    void SetUp() override { dlk::testing::EnsureApplication(); }
};

const std::array<int, kModemListColumns> kWidths = {150, 120, 60, 60, 60, 60, 120};

TColor PixelAt(TDibSurface& surface, int x, int y) {
    return surface.Canvas().Pixel(x, y);
}

// Smoothed glyphs: ink is what is much darker than the white ground, or
// much lighter than the navy one.
int Brightness(TColor c) {
    return (int(c & 0xFF) + int((c >> 8) & 0xFF) + int((c >> 16) & 0xFF)) / 3;
}
bool Dark(TColor c) {
    return Brightness(c) < 96;
}
bool Light(TColor c) {
    return Brightness(c) > 160;
}

ListRow Row(int y, const char* name, bool online, bool paused, bool selected) {
    ListRow row;
    row.Y = y;
    row.Name = name;
    row.Online = online;
    row.Paused = paused;
    row.Selected = selected;
    row.Imei = "356938035643809";
    row.Received = "250 (75%)";
    row.Sent = "17";
    row.SignalLevel = 3;
    return row;
}

TEST_F(ModemListRender, AnEmptyListIsWhite) {
    ListFrame frame;
    frame.Width = 300;
    frame.Height = 100;
    auto surface = RenderModemList(frame, kWidths);
    ASSERT_EQ(surface->Width(), 300);
    ASSERT_EQ(surface->Height(), 100);
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 300; ++x) ASSERT_EQ(PixelAt(*surface, x, y), clWhite) << x << "," << y;
    }
}

TEST_F(ModemListRender, TheSelectedRowIsNavyWithWhiteText) {
    ListFrame frame;
    frame.Width = 704;
    frame.Height = 60;
    frame.Rows = {Row(0, "pump", true, false, false), Row(16, "well", true, false, true)};
    auto surface = RenderModemList(frame, kWidths);
    // Beyond the short name, inside the name column.
    EXPECT_EQ(PixelAt(*surface, 140, 16 + 4), kSelectedRowColor);
    EXPECT_EQ(PixelAt(*surface, 140, 4), clWhite);
    // The pause column keeps a white ground even on the selected row.
    EXPECT_EQ(PixelAt(*surface, 0, 16 + 4), clWhite);
    // Below the rows nothing is painted.
    EXPECT_EQ(PixelAt(*surface, 140, 40), clWhite);
    // The name's glyphs on navy are white-ish; on white they are dark.
    int lightOnNavy = 0, darkOnWhite = 0;
    for (int y = 0; y < 15; ++y) {
        for (int x = 19; x < 60; ++x) {
            if (Light(PixelAt(*surface, x, 16 + y))) ++lightOnNavy;
            if (Dark(PixelAt(*surface, x, y))) ++darkOnWhite;
        }
    }
    EXPECT_GT(lightOnNavy, 10);
    EXPECT_GT(darkOnWhite, 10);
}

// Smoothed text has shades between ink and ground at the glyphs' edges; the
// two-colour drawing it replaced had none.
TEST_F(ModemListRender, TextIsDrawnSmoothed) {
    ListFrame frame;
    frame.Width = 704;
    frame.Height = 16;
    frame.Rows = {Row(0, "Pump station", true, false, false)};
    auto surface = RenderModemList(frame, kWidths);
    int shades = 0;
    for (int y = 0; y < 15; ++y) {
        for (int x = 19; x < 140; ++x) {
            const int b = Brightness(PixelAt(*surface, x, y));
            if (b > 40 && b < 215) ++shades;
        }
    }
    EXPECT_GT(shades, 20);
}

TEST_F(ModemListRender, RowsAreSeparatedByDottedGreyLines) {
    ListFrame frame;
    frame.Width = 400;
    frame.Height = 40;
    frame.Rows = {Row(0, "", false, true, false)};
    frame.Rows[0].Imei.clear();
    frame.Rows[0].Received.clear();
    frame.Rows[0].Sent.clear();
    auto surface = RenderModemList(frame, kWidths);
    int grey = 0;
    for (int x = kRowContentLeft; x < 400; ++x) {
        const TColor c = PixelAt(*surface, x, 15);
        ASSERT_TRUE(c == kSeparatorColor || c == clWhite) << x;
        if (c == kSeparatorColor) {
            ++grey;
            EXPECT_EQ(PixelAt(*surface, x + 1, 15), clWhite) << x;
        }
    }
    EXPECT_EQ(grey, (400 - kRowContentLeft) / 2);
    for (int x = 0; x < kRowContentLeft; ++x) EXPECT_EQ(PixelAt(*surface, x, 15), clWhite) << x;
}

TEST_F(ModemListRender, EachStateHasItsOwnPicture) {
    ListFrame frame;
    frame.Width = 300;
    frame.Height = 64;
    frame.Rows = {Row(0, "a", true, false, false), Row(16, "b", false, false, false), Row(32, "c", true, true, false),
                  Row(48, "d", false, true, false)};
    auto surface = RenderModemList(frame, kWidths);
    const int expected[] = {kOnlineActive, kOfflineActive, kOnlinePaused, kOfflinePaused};
    for (int r = 0; r < 4; ++r) {
        const QImage& image = StateImage(expected[r]);
        for (int y = 0; y < 16; ++y) {
            for (int x = 0; x < 16; ++x) {
                const QRgb p = image.pixel(x, y);
                if (qAlpha(p) != 255) continue;
                ASSERT_EQ(PixelAt(*surface, 1 + x, r * 16 + y), RGB(qRed(p), qGreen(p), qBlue(p)))
                    << "row " << r << " at " << x << "," << y;
            }
        }
    }
    // The four pictures differ from one another.
    for (int a = kOnlineActive; a <= kOfflinePaused; ++a) {
        for (int b = a + 1; b <= kOfflinePaused; ++b) EXPECT_NE(StateImage(a), StateImage(b));
    }
}

TEST_F(ModemListRender, SignalAndBatteryPicturesOnlyForOnlineModems) {
    ListFrame frame;
    frame.Width = 704;
    frame.Height = 32;
    frame.Rows = {Row(0, "a", true, false, false), Row(16, "b", false, false, false)};
    frame.Rows[0].SignalLevel = 5;
    frame.Rows[0].BatteryAlarm = true;
    frame.Rows[1].BatteryAlarm = true;
    auto surface = RenderModemList(frame, kWidths);
    // The address column ends at 150 - 3 + 120 + 60 * 4 + 120 = 627.
    const int x = 627 + 4;
    auto differs = [&](const QImage& image, int atX, int atY) {
        for (int y = 0; y < kSignalImageHeight; ++y) {
            for (int dx = 0; dx < kSignalImageWidth; ++dx) {
                const QRgb p = image.pixel(dx, y);
                if (qAlpha(p) != 255) continue;
                if (PixelAt(*surface, atX + dx, atY + y) != RGB(qRed(p), qGreen(p), qBlue(p))) return true;
            }
        }
        return false;
    };
    EXPECT_FALSE(differs(SignalImage(5), x, 0));
    EXPECT_FALSE(differs(SignalImage(kBatteryImage), x + 26, 0));
    EXPECT_TRUE(differs(SignalImage(0), x, 16));
    for (int dx = 0; dx < 52; ++dx) EXPECT_EQ(PixelAt(*surface, x + dx, 16 + 5), clWhite) << dx;
}

TEST_F(ModemListRender, ACountWiderThanItsColumnKeepsItsLeadingDigits) {
    // Right-aligned columns: a text that fits ends at the column's right
    // edge; one that does not starts at the left edge, so that its leading
    // digits stay visible and only its end is cut.
    auto render = [](const char* received) {
        ListFrame frame;
        frame.Width = 704;
        frame.Height = 16;
        frame.Rows = {Row(0, "a", true, false, false)};
        frame.Rows[0].Received = received;
        return RenderModemList(frame, kWidths);
    };
    // The received column's rectangle, after the name and IMEI columns: 271 to 327.
    const int left = 150 - 3 + 4 + 120, right = 150 - 3 + 120 + 60;
    auto inkColumns = [](TDibSurface& s, int from, int to) {
        std::vector<int> xs;
        for (int x = from; x < to; ++x) {
            for (int y = 0; y < 15; ++y) {
                if (Dark(PixelAt(s, x, y))) {
                    xs.push_back(x);
                    break;
                }
            }
        }
        return xs;
    };
    auto narrow = render("17 (5%)");
    const auto fits = inkColumns(*narrow, left, right);
    ASSERT_FALSE(fits.empty());
    EXPECT_GT(fits.front(), left + 10);
    EXPECT_GE(fits.back(), right - 3);

    auto wide = render("4294967295 (100%)");
    auto wider = render("4294967295 (99%)");
    // The same leading digits land on the same pixels whatever follows them.
    for (int x = left; x < left + 30; ++x) {
        for (int y = 0; y < 15; ++y) {
            ASSERT_EQ(PixelAt(*wide, x, y), PixelAt(*wider, x, y)) << x << "," << y;
        }
    }
    const auto cut = inkColumns(*wide, left, right);
    ASSERT_FALSE(cut.empty());
    EXPECT_LT(cut.front(), left + 3);
    // Nothing spills into the next column's gap.
    for (int y = 0; y < 15; ++y) EXPECT_FALSE(Dark(PixelAt(*wide, right + 1, y)));
}

}  // namespace
}  // namespace dlk::client
