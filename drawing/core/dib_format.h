#pragma once

#include <cstddef>
#include <cstdint>

namespace dlk {

// Pixel formats of an off-screen surface; the numbers are the codes callers pass.
enum class DibFormat : std::uint8_t {
    Indexed1 = 0,  // palette index, 8 pixels a byte, leftmost in the high bit
    Indexed4 = 1,  // palette index, 2 pixels a byte, leftmost in the high nibble
    Indexed8 = 2,  // palette index, one byte
    Rgb555 = 3,    // 16 bits: red 14-10, green 9-5, blue 4-0
    Rgb565 = 4,    // 16 bits: red 15-11, green 10-5, blue 4-0
    Rgb24 = 5,     // bytes blue, green, red
    Rgb32 = 6,     // bytes blue, green, red, 0
};

inline constexpr int kDibFormatCount = 7;

// The 16.16 line walker needs side * 65536 to fit in an i32.
inline constexpr int kMaxDibSide = 32767;

constexpr bool IsValidDibFormat(int code) {
    return code >= 0 && code < kDibFormatCount;
}

// At least one pixel each way, at most what the line walker can address.
constexpr bool IsValidDibShape(int width, int height, DibFormat format) {
    return width >= 1 && height >= 1 && width <= kMaxDibSide && height <= kMaxDibSide &&
           IsValidDibFormat(static_cast<int>(format));
}

constexpr int BitsPerPixel(DibFormat f) {
    constexpr int kBits[kDibFormatCount] = {1, 4, 8, 16, 16, 24, 32};
    return kBits[static_cast<int>(f)];
}

// Bytes per pixel for the formats the line engine addresses by byte; 0 for 1 and 4 bits.
constexpr int BytesPerPixel(DibFormat f) {
    return BitsPerPixel(f) / 8;
}

constexpr std::uint32_t PixelMask(DibFormat f) {
    constexpr std::uint32_t kMask[kDibFormatCount] = {0x1, 0xF, 0xFF, 0x7FFF, 0xFFFF, 0xFFFFFF, 0xFFFFFF};
    return kMask[static_cast<int>(f)];
}

constexpr bool IsIndexed(DibFormat f) {
    return static_cast<int>(f) <= 2;
}

// Rows are padded to a multiple of 4 bytes.
constexpr std::size_t RowStride(int width, DibFormat f) {
    return ((static_cast<std::size_t>(width) * BitsPerPixel(f) + 31) & ~std::size_t{31}) / 8;
}

constexpr std::size_t ImageSize(int width, int height, DibFormat f) {
    return RowStride(width, f) * static_cast<std::size_t>(height);
}

// Inclusive on all four edges, like the surface's clip rectangle.
struct ClipRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
};

// Right and bottom are outside the rectangle, as in every fill.
struct DibRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
};

}  // namespace dlk
