#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "drawing/core/dib_format.h"

namespace dlk::config {

inline constexpr int kMarkerSide = 16;

// A 16 x 16 marker picture, row 0 at the top, colours 0x00BBGGRR.
using MarkerImage = std::array<std::uint32_t, kMarkerSide * kMarkerSide>;

// The chart's two fonts: "MS Sans Serif" 8 for day names, "Arial" 7 for hours.
enum class ChartFont { DayName, HourNumber };

// What the schedule chart is drawn on: a 24-bit off-screen surface in the
// program, plain memory in tests. Colours are 0x00BBGGRR.
class ChartSurface {
public:
    virtual ~ChartSurface() = default;

    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void Clear(std::uint32_t color) = 0;
    // Limited to the surface, without the right column and the bottom row.
    virtual void FillRect(const DibRect& rect, std::uint32_t color) = 0;
    virtual void SetPenColor(std::uint32_t color) = 0;
    // One bit a pixel from bit 31 on: 0xFFFFFFFF solid, 0xAAAAAAAA dotted.
    virtual void SetLineStyle(std::uint32_t pattern) = 0;
    virtual void MoveTo(int x, int y) = 0;
    virtual void LineTo(int x, int y) = 0;
    virtual int TextWidth(ChartFont font, std::string_view utf8) = 0;
    virtual void TextOut(ChartFont font, std::uint32_t color, int x, int y, std::string_view utf8) = 0;
    // Every byte under the marker ANDed with the mask's, then ORed with the
    // image's, at (x, y) and clipped to the surface.
    virtual void DrawMarker(int x, int y, const MarkerImage& mask, const MarkerImage& image) = 0;
};

}  // namespace dlk::config
