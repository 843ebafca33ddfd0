#pragma once

#include <cstdint>
#include <memory>

#include "framework/core/colors.h"
#include "framework/core/geometry.h"

namespace dlk {

// A plain 32-bit picture, one 0xFFRRGGBB value a pixel (the layout of Qt's
// RGB32 images, so the drawing layer copies it out without converting). The
// operations have the classic pixel rules: right and bottom edges are left
// out, and everything is clipped to the picture.
class PixelBuffer {
public:
    PixelBuffer(int width, int height, std::uint32_t fill);
    // Content undefined: for callers that paint every pixel anyway.
    PixelBuffer(int width, int height);
    // Over someone else's pixels, rows stride values apart; nothing is owned.
    static PixelBuffer Over(std::uint32_t* bits, int width, int height, int stride);
    PixelBuffer(PixelBuffer&&) = default;

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Stride() const { return stride_; }
    const std::uint32_t* Bits() const { return bits_; }
    std::uint32_t At(int x, int y) const { return bits_[std::size_t(y) * std::size_t(stride_) + std::size_t(x)]; }
    TColor ColorAt(int x, int y) const;

    void FillRect(int left, int top, int right, int bottom, std::uint32_t pixel);
    // Alternate (odd-even) fill; a pixel belongs when its centre lies inside.
    void FillPolygon(const TPoint* points, int count, std::uint32_t pixel);
    // Row `to` from `left` to `right` (exclusive) becomes row `from`'s pixels there.
    void CopyRow(int from, int to, int left, int right);
    // The width pixels of row from x on, repeated up to right (exclusive).
    void RepeatInRow(int row, int x, int width, int right);
    // Nearest-pixel stretch. A negative destination extent mirrors: the block
    // then covers origin + extent + 1 up to origin.
    void StretchCopy(int sx, int sy, int sw, int sh, int dx, int dy, int dw, int dh);

private:
    PixelBuffer() = default;
    std::uint32_t* Row(int y) { return bits_ + std::size_t(y) * std::size_t(stride_); }

    int width_ = 0;
    int height_ = 0;
    int stride_ = 0;
    std::unique_ptr<std::uint32_t[]> storage_;
    std::uint32_t* bits_ = nullptr;
};

constexpr std::uint32_t PixelOf(TColor rgb) {
    return 0xFF000000u | ((rgb & 0xFFu) << 16) | (rgb & 0xFF00u) | ((rgb >> 16) & 0xFFu);
}

}  // namespace dlk
