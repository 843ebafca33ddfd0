#include "drawing/core/pen_pixel.h"

namespace dlk {

std::uint32_t ColorToPixel(DibFormat format, const LogPalette& palette, std::uint32_t color) {
    switch (format) {
        case DibFormat::Indexed1:
        case DibFormat::Indexed4:
        case DibFormat::Indexed8: return NearestPaletteIndex(palette, PaletteTableSize(format), color);
        case DibFormat::Rgb555: return ((color << 7) & 0x7C00) | ((color >> 6) & 0x03E0) | ((color >> 19) & 0x001F);
        case DibFormat::Rgb565: return ((color << 8) & 0xF800) | ((color >> 5) & 0x07E0) | ((color >> 19) & 0x001F);
        case DibFormat::Rgb24:
        case DibFormat::Rgb32: return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
    }
    return 0;
}

PenPixel MakePenPixel(DibFormat format, std::uint32_t p) {
    PenPixel pen;
    switch (format) {
        case DibFormat::Indexed1: pen.Value32 = (p & 1) != 0 ? 0xFFFFFFFFu : 0u; break;
        case DibFormat::Indexed4: pen.Value32 = (p & 0xF) * 0x11u * 0x01010101u; break;
        case DibFormat::Indexed8: pen.Value32 = (p & 0xFF) * 0x01010101u; break;
        case DibFormat::Rgb555:
        case DibFormat::Rgb565: pen.Value32 = (p & PixelMask(format)) * 0x00010001u; break;
        case DibFormat::Rgb24: pen.Value32 = (p & 0xFFFFFF) | ((p & 0xFF) << 24); break;
        case DibFormat::Rgb32: pen.Value32 = p & 0xFFFFFF; break;
    }
    pen.Value16 = static_cast<std::uint16_t>(pen.Value32);
    pen.Value8 = static_cast<std::uint8_t>(pen.Value32);
    pen.Blue = static_cast<std::uint8_t>(pen.Value32);
    pen.Green = static_cast<std::uint8_t>(pen.Value32 >> 8);
    pen.Red = static_cast<std::uint8_t>(pen.Value32 >> 16);
    return pen;
}

}  // namespace dlk
