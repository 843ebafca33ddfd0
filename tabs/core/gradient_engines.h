#pragma once

#include <cstdint>

#include "framework/canvas/colors.h"
#include "tabs/core/pixel_buffer.h"

namespace dlk {

// The engines behind the ten gradient patterns. They paint bands, not pixels:
// a band covers every consecutive step of one colour (and at least MinRun
// steps), so a gradient of n colours costs about n fills whatever its size.
// Colours are RGB values here, already resolved. Arithmetic is 16.16 fixed
// point held in 64 bits, so wide rectangles do not overflow.

// The least number of steps a band covers; k is 255 for the strip and
// diagonal engines, 256 for the box.
int MinRun(std::uint8_t band, int k);

// Red, green and blue stepped from one colour to another in n steps.
class ColorStepper {
public:
    ColorStepper(TColor from, TColor to, std::int64_t steps);
    void Step() {
        r_ += dr_;
        g_ += dg_;
        b_ += db_;
    }
    TColor Current() const { return RGB(std::uint8_t(r_ >> 16), std::uint8_t(g_ >> 16), std::uint8_t(b_ >> 16)); }

private:
    std::int64_t r_, g_, b_;
    std::int64_t dr_ = 0, dg_ = 0, db_ = 0;
};

enum class StripAxis : std::uint8_t { Vertical, Horizontal };

// Extends the drawn block (x, y, doneW, doneH) over totalW x totalH by
// copying it onto itself, doubling each time.
void FillByDoubling(PixelBuffer& buf, int x, int y, int totalW, int totalH, int doneW, int doneH);
// Completes a box from its top-left quadrant by two mirrored stretch copies.
void MirrorQuadrant(PixelBuffer& buf, int x, int y, int w, int h);
// One line of bands along the axis, `thickness` pixels thick (8 in the
// classic engine, which then replicates it). control < 0: from a at 0 to b at
// size - 1; control m >= 0: a at both ends, b at m.
void StripGradient(PixelBuffer& buf, StripAxis axis, int control, int size, TColor a, TColor b, std::uint8_t band,
                   int thickness = 8);
// The top-left quadrant of a box: b at the centre, a at the corner.
void BoxGradient(PixelBuffer& buf, int w, int h, int xInset, int yInset, TColor a, TColor b, std::uint8_t band);
// Bands across the diagonal; a negative signed width sw swaps the corners.
void DiagonalGradient(PixelBuffer& buf, int sw, int h, TColor a, TColor b, std::uint8_t band);

// Fills the whole buffer with pattern direction (0-9) from a to b; any other
// code leaves a plain fill of a.
void PaintGradientPattern(PixelBuffer& buf, std::uint8_t direction, TColor a, TColor b, std::uint8_t band);
// Whether the pattern paints every pixel itself, so its buffer need not be
// filled first.
bool PatternCoversAll(std::uint8_t direction);

}  // namespace dlk
