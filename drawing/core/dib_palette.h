#pragma once

#include <array>
#include <cstdint>

#include "drawing/core/dib_format.h"

namespace dlk {

struct PaletteEntry {
    std::uint8_t Red = 0;
    std::uint8_t Green = 0;
    std::uint8_t Blue = 0;
    std::uint8_t Flags = 0;
};

// A logical palette of up to 256 colours, as callers hand it to a surface.
struct LogPalette {
    std::uint16_t Version = 0x300;
    std::uint16_t Count = 0;
    std::array<PaletteEntry, 256> Entries{};
};

// Number of colours an indexed format can address (2, 16, 256); 0 for the others.
int PaletteTableSize(DibFormat format);

// The palette a surface of an indexed format gets when the caller gives none.
const LogPalette& BuiltInPalette(DibFormat format);

// What an indexed surface keeps: the caller's palette, or the built-in one,
// padded with black up to the format's table so that every index has a colour.
LogPalette ChoosePalette(DibFormat format, const LogPalette* given);

// The entry nearest to a 0x00BBGGRR colour (least squared RGB distance, the
// first on a tie), among the first `usable` entries only: a pixel of a
// narrower format cannot hold a larger index.
std::uint32_t NearestPaletteIndex(const LogPalette& palette, int usable, std::uint32_t color);

}  // namespace dlk
