#pragma once

#include <cstdint>

#include "drawing/core/dib_format.h"
#include "drawing/core/dib_palette.h"

namespace dlk {

// A 0x00BBGGRR colour as a pixel value of the format. Indexed formats take the
// nearest palette entry; the others drop the top byte, so system-colour codes
// are not translated here.
std::uint32_t ColorToPixel(DibFormat format, const LogPalette& palette, std::uint32_t color);

// The pen's pixel value prepared once per colour change, so that the run
// plotters store it with plain 8-, 16- or 32-bit writes.
struct PenPixel {
    std::uint32_t Value32 = 0;  // replicated to 32 bits; for 24 bits: blue, green, red, blue
    std::uint16_t Value16 = 0;
    std::uint8_t Value8 = 0;
    std::uint8_t Blue = 0;  // the three bytes of a 24-bit pixel
    std::uint8_t Green = 0;
    std::uint8_t Red = 0;
};

PenPixel MakePenPixel(DibFormat format, std::uint32_t pixel);

}  // namespace dlk
