#include "tabs/core/color_helpers.h"

#include <cmath>
#include <cstdlib>

namespace dlk {

namespace {

// Halves go to the even neighbour, as the processor rounds by default.
std::uint8_t RoundToByte(double v) {
    return std::uint8_t(std::nearbyint(v));
}

double Clamp01(double v) {
    return v < 0 ? 0 : (v > 1 ? 1 : v);
}

}  // namespace

HslTriple RgbToHsl(TColor color) {
    const TColor rgb = ColorToRGB(color);
    const double r = GetRValue(rgb) / 255.0;
    const double g = GetGValue(rgb) / 255.0;
    const double b = GetBValue(rgb) / 255.0;
    double max = r > g ? r : g;
    if (b > max) max = b;
    double min = r < g ? r : g;
    if (b < min) min = b;
    const double l = (max + min) / 2;
    double h = 0;
    double s = 0;
    if (max != min) {
        const double d = max - min;
        s = l < 0.5 ? d / (max + min) : d / (2 - max - min);
        if (r == max)
            h = (g - b) / d;
        else if (g == max)
            h = 2 + (b - r) / d;
        else
            h = 4 + (r - g) / d;
        h /= 6;
        if (h < 0) h += 1;
    }
    return {RoundToByte(h * 240), RoundToByte(s * 240), RoundToByte(l * 240)};
}

std::uint8_t HueOf(TColor color) {
    return RgbToHsl(color).H;
}

TColor HslToRgb(std::uint8_t hue, std::uint8_t saturation, std::uint8_t luminance) {
    const double h = hue / 239.0;
    const double s = saturation / 240.0;
    const double l = luminance / 240.0;
    const double m2 = l < 0.5 ? l * (1 + s) : l + s - l * s;
    if (m2 <= 0) return RGB(0, 0, 0);
    const double m1 = 2 * l - m2;
    const double sv = (m2 - m1) / m2;
    const double h6 = h * 6;
    const int sextant = int(h6);
    const double v = m2 * sv * (h6 - sextant);
    const double mid1 = m1 + v;
    const double mid2 = m2 - v;
    double r = m2, g = mid1, b = m1;
    switch (sextant) {
        case 1: r = mid2, g = m2, b = m1; break;
        case 2: r = m1, g = m2, b = mid1; break;
        case 3: r = m1, g = mid2, b = m2; break;
        case 4: r = mid1, g = m1, b = m2; break;
        case 5: r = m2, g = m1, b = mid2; break;
        default: break;
    }
    // Saturations above 240 push m1 below 0; clamped, the byte cannot wrap.
    return RGB(RoundToByte(Clamp01(r) * 255), RoundToByte(Clamp01(g) * 255), RoundToByte(Clamp01(b) * 255));
}

TColor DarkenColor(TColor color, std::uint8_t amount) {
    const HslTriple t = RgbToHsl(color);
    return HslToRgb(t.H, t.S, std::uint8_t(t.L > amount ? t.L - amount : 0));
}

TColor LightenColor(TColor color, std::uint8_t amount) {
    const HslTriple t = RgbToHsl(color);
    const int l = t.L + amount;
    return HslToRgb(t.H, t.S, std::uint8_t(l > 255 ? 255 : l));
}

TColor AdjustLuminance(TColor color, int amount) {
    if (amount < 0) return DarkenColor(color, std::uint8_t(0u - unsigned(amount)));
    if (amount > 0) return LightenColor(color, std::uint8_t(amount));
    return color;
}

TColor MixColors(TColor a, TColor b, std::uint8_t weight) {
    const float x = float(weight) / 255.0f;
    const TColor ca = ColorToRGB(a);
    const TColor cb = ColorToRGB(b);
    auto mix = [x](std::uint8_t va, std::uint8_t vb) { return RoundToByte(va * double(x) + vb * (1 - double(x))); };
    return RGB(mix(GetRValue(ca), GetRValue(cb)), mix(GetGValue(ca), GetGValue(cb)), mix(GetBValue(ca), GetBValue(cb)));
}

bool ColorsNear(TColor a, TColor b) {
    const HslTriple ta = RgbToHsl(a);
    const HslTriple tb = RgbToHsl(b);
    return std::abs(ta.H - tb.H) < 20 && std::abs(ta.L - tb.L) < 60;
}

TColor OppositeHueColor(TColor color, std::uint8_t l) {
    const std::uint8_t h = HueOf(color);
    return HslToRgb(std::uint8_t(h >= 120 ? h - 120 : h + 120), 240, l);
}

}  // namespace dlk
