#pragma once

#include <cstdint>

#include "framework/core/colors.h"

namespace dlk {

// Shades are derived in a hue/saturation/luminance model whose three values
// run from 0 to 240. Every function resolves a system colour to its RGB value
// first (AdjustLuminance by 0 excepted: it hands the colour back untouched).
struct HslTriple {
    std::uint8_t H = 0;
    std::uint8_t S = 0;
    std::uint8_t L = 0;
    friend bool operator==(const HslTriple&, const HslTriple&) = default;
};

HslTriple RgbToHsl(TColor color);
std::uint8_t HueOf(TColor color);
// H is read over 239, S and L over 240; luminances from 240 up give white.
TColor HslToRgb(std::uint8_t h, std::uint8_t s, std::uint8_t l);

TColor DarkenColor(TColor color, std::uint8_t amount);
TColor LightenColor(TColor color, std::uint8_t amount);
// Negative darkens, positive lightens, by the low 8 bits of the amount.
TColor AdjustLuminance(TColor color, int amount);
// Weight 255 gives a, 0 gives b.
TColor MixColors(TColor a, TColor b, std::uint8_t weight);
// Too close for contrast: hues less than 20 apart (no wrap-around) and
// luminances less than 60 apart.
bool ColorsNear(TColor a, TColor b);
// The fully saturated colour of the opposite hue at luminance l.
TColor OppositeHueColor(TColor color, std::uint8_t l);

}  // namespace dlk
