#include "drawing/core/dib_palette.h"

#include <algorithm>
#include <initializer_list>

namespace dlk {
namespace {

LogPalette FromRgb(std::initializer_list<std::uint32_t> rgb) {
    LogPalette p;
    for (std::uint32_t v : rgb) {
        p.Entries[p.Count++] = PaletteEntry{static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
                                            static_cast<std::uint8_t>(v), 0};
    }
    return p;
}

bool Holds(const LogPalette& p, int from, int to, PaletteEntry e) {
    for (int i = from; i < to; ++i) {
        const PaletteEntry& x = p.Entries[i];
        if (x.Red == e.Red && x.Green == e.Green && x.Blue == e.Blue) return true;
    }
    return false;
}

LogPalette MakePalette256() {
    LogPalette p = FromRgb({
        0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,  // 0-7
        0xC0DCC0, 0xA6CAF0, 0x040404, 0x080808, 0x0C0C0C, 0x111111, 0x161616, 0x1C1C1C,  // 8-15
    });
    // 16-23: the dark greys go on.
    constexpr std::uint8_t kGreys16[] = {0x22, 0x29, 0x39, 0x42, 0x4D, 0x55, 0x5F, 0x77};
    for (std::uint8_t g : kGreys16) p.Entries[p.Count++] = PaletteEntry{g, g, g, 0};
    constexpr std::uint32_t kFixed24[] = {0xD60093, 0xCCECFF, 0xEFD6C6, 0xE7E7D6,
                                          0xADA990, 0x330000, 0x660000, 0x990000};
    for (std::uint32_t v : kFixed24) {
        p.Entries[p.Count++] = PaletteEntry{static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
                                            static_cast<std::uint8_t>(v), 0};
    }
    LogPalette tail = FromRgb({
        0xD7D7D7, 0xDDDDDD, 0xE3E3E3, 0xEAEAEA, 0xF1F1F1, 0xF8F8F8, 0xFFFBF0, 0xA0A0A4,  // 240-247
        0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0x48F966,  // 248-255
    });
    std::copy(tail.Entries.begin(), tail.Entries.begin() + 16, p.Entries.begin() + 240);
    // 32-239: the 6-level colour cube, less what the fixed entries already
    // hold, then lighter greys in the slots that are left.
    constexpr std::uint8_t kLevels[] = {0x00, 0x33, 0x66, 0x99, 0xCC, 0xFF};
    int next = 32;
    for (std::uint8_t r : kLevels) {
        for (std::uint8_t g : kLevels) {
            for (std::uint8_t b : kLevels) {
                const PaletteEntry e{r, g, b, 0};
                if (Holds(p, 0, next, e) || Holds(p, 240, 256, e)) continue;
                p.Entries[next++] = e;
            }
        }
    }
    for (std::uint8_t g = 0x86; next < 240; g = static_cast<std::uint8_t>(g + 0x0B)) {
        p.Entries[next++] = PaletteEntry{g, g, g, 0};
    }
    p.Count = 256;
    return p;
}

}  // namespace

int PaletteTableSize(DibFormat format) {
    switch (format) {
        case DibFormat::Indexed1: return 2;
        case DibFormat::Indexed4: return 16;
        case DibFormat::Indexed8: return 256;
        default: return 0;
    }
}

const LogPalette& BuiltInPalette(DibFormat format) {
    static const LogPalette kMono = FromRgb({0x000000, 0xFFFFFF});
    static const LogPalette kSixteen =
        FromRgb({0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0x808080, 0xC0C0C0, 0xFF0000,
                 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF});
    static const LogPalette kFull = MakePalette256();
    switch (format) {
        case DibFormat::Indexed1: return kMono;
        case DibFormat::Indexed4: return kSixteen;
        default: return kFull;
    }
}

LogPalette ChoosePalette(DibFormat format, const LogPalette* given) {
    LogPalette chosen = given != nullptr ? *given : BuiltInPalette(format);
    const int table = PaletteTableSize(format);
    if (chosen.Count > 256) chosen.Count = 256;
    for (int i = chosen.Count; i < table; ++i) chosen.Entries[i] = PaletteEntry{};
    chosen.Count = static_cast<std::uint16_t>(std::max<int>(chosen.Count, table));
    return chosen;
}

std::uint32_t NearestPaletteIndex(const LogPalette& palette, int usable, std::uint32_t color) {
    const int red = static_cast<int>(color & 0xFF);
    const int green = static_cast<int>((color >> 8) & 0xFF);
    const int blue = static_cast<int>((color >> 16) & 0xFF);
    const int n = std::min<int>(usable, palette.Count);
    std::uint32_t best = 0;
    int best_distance = 1 << 30;
    for (int i = 0; i < n; ++i) {
        const PaletteEntry& e = palette.Entries[i];
        const int dr = e.Red - red;
        const int dg = e.Green - green;
        const int db = e.Blue - blue;
        const int d = dr * dr + dg * dg + db * db;
        if (d < best_distance) {
            best_distance = d;
            best = static_cast<std::uint32_t>(i);
            if (d == 0) break;
        }
    }
    return best;
}

}  // namespace dlk
