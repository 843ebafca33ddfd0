#include "tabs/core/glyph_shapes.h"

namespace dlk {

namespace {

TPoint GlyphCentre(const TRect& rect) {
    const int height = rect.Bottom - rect.Top;
    return {rect.Left + (rect.Right - rect.Left) / 2, rect.Top + height / 2 - (height % 2 == 0 ? 1 : 0)};
}

}  // namespace

std::vector<TPoint> ArrowGlyphPixels(const TRect& rect, std::uint8_t direction, bool pressed) {
    std::vector<TPoint> pixels;
    if (direction > 3) return pixels;
    TPoint c = GlyphCentre(rect);
    if (direction <= 1)
        c.Y += 1;
    else
        c.X -= 2;
    if (pressed) c = {c.X + 1, c.Y + 1};
    // Lines of 1, 3, 5 and 7 pixels from the tip to the base.
    for (int line = 0; line < 4; ++line) {
        for (int k = -line; k <= line; ++k) {
            switch (direction) {
                case 0: pixels.push_back({c.X + k, c.Y - 3 + line}); break;
                case 1: pixels.push_back({c.X + k, c.Y - line}); break;
                case 2: pixels.push_back({c.X + line, c.Y + k}); break;
                default: pixels.push_back({c.X + 3 - line, c.Y + k}); break;
            }
        }
    }
    return pixels;
}

std::array<TPoint, 12> CloseGlyphPolygon(const TRect& rect, bool pressed) {
    TPoint c = GlyphCentre(rect);
    if (pressed) c = {c.X + 1, c.Y + 1};
    const int x = c.X, y = c.Y;
    return {{{x, y - 1},
             {x + 2, y - 3},
             {x + 5, y - 3},
             {x + 2, y},
             {x + 5, y + 4},
             {x + 2, y + 3},
             {x, y + 1},
             {x - 2, y + 4},
             {x - 4, y + 3},
             {x - 1, y},
             {x - 4, y - 3},
             {x - 1, y - 3}}};
}

}  // namespace dlk
