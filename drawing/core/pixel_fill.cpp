#include "drawing/core/pixel_fill.h"

#include <algorithm>
#include <cstring>

namespace dlk {
namespace {

// Pixels narrower than a byte: the partial bytes at both ends are merged, the
// whole bytes between them set at once.
void FillBits(std::uint8_t* row, std::int32_t left, std::int32_t right, int bits, std::uint32_t pixel) {
    const std::uint32_t mask = (1u << bits) - 1;
    std::uint8_t full = 0;
    for (int shift = 0; shift < 8; shift += bits) full |= static_cast<std::uint8_t>((pixel & mask) << shift);
    const int per_byte = 8 / bits;
    std::int32_t x = left;
    for (; x < right && x % per_byte != 0; ++x) {
        const int shift = 8 - bits - (x % per_byte) * bits;
        row[x / per_byte] =
            static_cast<std::uint8_t>((row[x / per_byte] & ~(mask << shift)) | ((pixel & mask) << shift));
    }
    const std::int32_t whole_end = right - right % per_byte;
    if (x < whole_end) {
        std::memset(row + x / per_byte, full, static_cast<std::size_t>((whole_end - x) / per_byte));
        x = whole_end;
    }
    for (; x < right; ++x) {
        const int shift = 8 - bits - (x % per_byte) * bits;
        row[x / per_byte] =
            static_cast<std::uint8_t>((row[x / per_byte] & ~(mask << shift)) | ((pixel & mask) << shift));
    }
}

// Byte-sized pixels: write a short repeating pattern, then double it in place.
void FillBytes(std::uint8_t* start, std::size_t pixels, int bytes, std::uint32_t pixel) {
    const std::size_t total = pixels * static_cast<std::size_t>(bytes);
    if (bytes == 1) {
        std::memset(start, static_cast<int>(pixel & 0xFF), total);
        return;
    }
    std::uint8_t unit[4];
    for (int i = 0; i < bytes; ++i) unit[i] = static_cast<std::uint8_t>(pixel >> (8 * i));
    std::size_t done = std::min<std::size_t>(total, static_cast<std::size_t>(bytes));
    std::memcpy(start, unit, done);
    while (done < total) {
        const std::size_t chunk = std::min(done, total - done);
        std::memcpy(start + done, start, chunk);
        done += chunk;
    }
}

}  // namespace

void FillPixels(const PixelRows& rows, std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom,
                std::uint32_t pixel) {
    if (left >= right || top >= bottom) return;
    const int bits = BitsPerPixel(rows.Format);
    std::uint8_t* first = rows.TopRow + static_cast<std::ptrdiff_t>(top) * rows.RowStep;
    if (bits < 8) {
        FillBits(first, left, right, bits, pixel);
        for (std::int32_t y = top + 1; y < bottom; ++y) {
            FillBits(rows.TopRow + static_cast<std::ptrdiff_t>(y) * rows.RowStep, left, right, bits, pixel);
        }
        return;
    }
    const int bytes = bits / 8;
    const std::size_t span = static_cast<std::size_t>(right - left) * static_cast<std::size_t>(bytes);
    std::uint8_t* first_pixel = first + static_cast<std::ptrdiff_t>(left) * bytes;
    FillBytes(first_pixel, static_cast<std::size_t>(right - left), bytes, pixel);
    // Every other row is a copy of the first.
    for (std::int32_t y = top + 1; y < bottom; ++y) {
        std::memcpy(first_pixel + static_cast<std::ptrdiff_t>(y - top) * rows.RowStep, first_pixel, span);
    }
}

}  // namespace dlk
