#include "tabs/core/color_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace dlk {
namespace {

TEST(ColorHelpersTest, RgbToHslOfTheCornersOfTheCube) {
    struct Case {
        TColor color;
        HslTriple hsl;
    };
    for (const Case& c : {Case{clWhite, {0, 0, 240}}, Case{clBlack, {0, 0, 0}}, Case{clRed, {0, 240, 120}},
                          Case{clLime, {80, 240, 120}}, Case{clBlue, {160, 240, 120}}, Case{clGray, {0, 0, 120}},
                          Case{clBtnFace, {0, 0, 226}}}) {
        EXPECT_EQ(RgbToHsl(c.color), c.hsl) << std::hex << c.color;
        EXPECT_EQ(HueOf(c.color), c.hsl.H);
    }
}

TEST(ColorHelpersTest, DerivedColoursOfTheWorkedExamples) {
    struct Case {
        const char* what;
        TColor got;
        TColor expected;
    };
    const TColor light = HslToRgb(100, 120, 230);
    for (const Case& c : {
             Case{"white from HSL", HslToRgb(0, 0, 240), clWhite},
             // Green's hue over the 239 divisor falls just past the sextant boundary.
             Case{"green from HSL", HslToRgb(80, 240, 120), RGB(0, 255, 2)},
             Case{"luminance above 240", HslToRgb(30, 200, 250), clWhite},
             Case{"saturation above 240 cannot wrap", HslToRgb(0, 255, 60), RGB(131, 0, 0)},
             Case{"opposite of red", OppositeHueColor(clRed, 120), RGB(0, 252, 255)},
             Case{"darken by 255", DarkenColor(RGB(10, 200, 90), 255), clBlack},
             Case{"lighten past white", LightenColor(light, 16), clWhite},
             Case{"mix 128 of white", MixColors(clWhite, clBlack, 128), RGB(128, 128, 128)},
             Case{"mix 128 of black", MixColors(clBlack, clWhite, 128), RGB(127, 127, 127)},
             Case{"mix 255", MixColors(clRed, clBlue, 255), clRed},
             Case{"mix 0", MixColors(clRed, clBlue, 0), clBlue},
             Case{"mix of system colours", MixColors(clBtnFace, clWindow, 0), clWhite},
             Case{"adjust by 0 keeps the system code", AdjustLuminance(clBtnFace, 0), clBtnFace},
             Case{"adjust by -30", AdjustLuminance(clBtnFace, -30), DarkenColor(clBtnFace, 30)},
             Case{"adjust by 40", AdjustLuminance(clNavy, 40), LightenColor(clNavy, 40)},
             Case{"adjust by 256 is by 0", AdjustLuminance(clNavy, 256), LightenColor(clNavy, 0)},
             Case{"adjust by -300 is by 44", AdjustLuminance(clNavy, -300), DarkenColor(clNavy, 44)},
         }) {
        EXPECT_EQ(c.got, c.expected) << c.what << std::hex << " got " << c.got;
    }
    EXPECT_EQ(RgbToHsl(light).L, 230);
}

TEST(ColorHelpersTest, ColorsNearComparesHueAndLuminanceWithoutWrapping) {
    struct Case {
        TColor a, b;
        bool near;
    };
    for (const Case& c : {Case{clBlack, RGB(16, 16, 16), true}, Case{clBlack, clBtnFace, false},
                          Case{clRed, RGB(255, 0, 6), false},  // hues 0 and 239
                          Case{HslToRgb(10, 240, 120), HslToRgb(29, 240, 179), true},
                          Case{HslToRgb(10, 240, 120), HslToRgb(30, 240, 120), false},
                          Case{HslToRgb(10, 240, 120), HslToRgb(10, 240, 180), false}}) {
        EXPECT_EQ(ColorsNear(c.a, c.b), c.near) << std::hex << c.a << " " << c.b;
    }
    EXPECT_EQ(HueOf(RGB(255, 0, 6)), 239);
}

TEST(ColorHelpersTest, RoundTripStaysWithinThreeLevelsPlusTheHueDrift) {
    // Hue goes out over 240 and comes back over 239, so the way back drifts
    // by up to H * 6 / (239 * 240) of a sextant: pure blue returns with red 4.
    EXPECT_EQ(HslToRgb(160, 240, 120), RGB(4, 0, 255));
    for (int r = 0; r <= 255; r += 17)
        for (int g = 0; g <= 255; g += 17)
            for (int b = 0; b <= 255; b += 17) {
                const TColor c = RGB(std::uint8_t(r), std::uint8_t(g), std::uint8_t(b));
                const HslTriple t = RgbToHsl(c);
                const TColor back = HslToRgb(t.H, t.S, t.L);
                const int limit = 3 + (t.H * 6 * 255 + 239 * 240 - 1) / (239 * 240);
                const int worst = std::max(
                    {std::abs(GetRValue(back) - r), std::abs(GetGValue(back) - g), std::abs(GetBValue(back) - b)});
                ASSERT_LE(worst, limit) << std::hex << c << " -> " << back;
            }
}

}  // namespace
}  // namespace dlk
