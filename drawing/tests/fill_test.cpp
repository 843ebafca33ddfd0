#include <gtest/gtest.h>

#include "drawing/tests/raster_fixture.h"

namespace dlk {
namespace {

using testing::kAllFormats;
using testing::OwnedRaster;
using testing::ReadPixel;

class FillInEveryFormat : public ::testing::TestWithParam<DibFormat> {};

TEST_P(FillInEveryFormat, ClearReachesEveryPixelFillRectNeverTheLastRowOrColumn) {
    const int w = 13, h = 7;  // odd width: partial bytes and row padding in every format
    OwnedRaster r(w, h, GetParam());
    const std::uint32_t white = r.raster.ColorToPixel(0xFFFFFF);
    const std::uint32_t black = r.raster.ColorToPixel(0);
    ASSERT_NE(white, black);
    r.raster.Clear(0xFFFFFF);
    EXPECT_EQ(testing::PixelsNot(r.raster, white).size(), 0u);

    r.raster.FillRect(DibRect{0, 0, w, h}, 0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const bool edge = x == w - 1 || y == h - 1;
            EXPECT_EQ(ReadPixel(r.raster, x, y), edge ? white : black) << x << "," << y;
        }
    }
    r.raster.Clear(0);
    EXPECT_EQ(testing::PixelsNot(r.raster, black).size(), 0u);
}

TEST_P(FillInEveryFormat, RectanglePartlyOutsideFillsOnlyTheInsidePart) {
    OwnedRaster r(11, 9, GetParam());
    const std::uint32_t black = r.raster.ColorToPixel(0);
    r.raster.Clear(0xFFFFFF);
    const DibRect rect{-5, 3, 6, 100};
    r.raster.FillRect(rect, 0);
    EXPECT_EQ(rect.Left, -5);  // the caller's rectangle is not changed
    EXPECT_EQ(rect.Bottom, 100);
    std::set<std::pair<int, int>> expected;
    for (int y = 3; y < 8; ++y)
        for (int x = 0; x < 6; ++x) expected.insert({x, y});
    EXPECT_EQ(testing::PixelsNot(r.raster, r.raster.ColorToPixel(0xFFFFFF)), expected);
    EXPECT_EQ(ReadPixel(r.raster, 5, 7), black);
}

TEST_P(FillInEveryFormat, EmptyOrInvertedRectangleFillsNothingAndPaddingStays) {
    OwnedRaster r(5, 3, GetParam());
    std::fill(r.memory.begin(), r.memory.end(), std::uint8_t{0xA5});
    const std::vector<std::uint8_t> before = r.memory;
    r.raster.FillRect(DibRect{3, 1, 3, 2}, 0x123456);
    r.raster.FillRect(DibRect{4, 2, 1, 0}, 0x123456);
    r.raster.FillRect(DibRect{100, 100, 200, 200}, 0x123456);
    EXPECT_EQ(r.memory, before);
    // Clear touches pixels only: the bytes that pad each row keep their value.
    r.raster.Clear(0);
    const std::size_t used = (static_cast<std::size_t>(5) * BitsPerPixel(GetParam()) + 7) / 8;
    for (int y = 0; y < 3; ++y)
        for (std::size_t i = used; i < r.raster.Stride(); ++i) EXPECT_EQ(r.memory[y * r.raster.Stride() + i], 0xA5);
}

INSTANTIATE_TEST_SUITE_P(AllFormats, FillInEveryFormat, ::testing::ValuesIn(kAllFormats), testing::FormatName());

TEST(FillPixels, WritesEachFormatsOwnByteLayout) {
    OwnedRaster r24(2, 1, DibFormat::Rgb24);
    r24.raster.Clear(0x0000FF);  // red
    EXPECT_EQ(r24.memory, (std::vector<std::uint8_t>{0, 0, 0xFF, 0, 0, 0xFF, 0, 0}));
    OwnedRaster r32(1, 1, DibFormat::Rgb32);
    r32.raster.Clear(0x00FF00);
    EXPECT_EQ(r32.memory, (std::vector<std::uint8_t>{0, 0xFF, 0, 0}));
    OwnedRaster r555(1, 1, DibFormat::Rgb555);
    r555.raster.Clear(0x0000FF);
    EXPECT_EQ(r555.memory, (std::vector<std::uint8_t>{0x00, 0x7C, 0, 0}));
    OwnedRaster mono(12, 2, DibFormat::Indexed1);          // two rows: the last one is never filled
    mono.raster.FillRect(DibRect{3, 0, 11, 2}, 0xFFFFFF);  // bits 3..10: leftmost pixel in the high bit
    EXPECT_EQ(mono.memory[0], 0x1F);
    EXPECT_EQ(mono.memory[1], 0xE0);
    OwnedRaster nib(5, 2, DibFormat::Indexed4);
    nib.raster.FillRect(DibRect{1, 0, 3, 2}, 0x0000FF);  // index 9 (FF0000) in pixels 1 and 2
    EXPECT_EQ(nib.memory[0], 0x09);
    EXPECT_EQ(nib.memory[1], 0x90);
    EXPECT_EQ(nib.memory[2], 0x00);
}

}  // namespace
}  // namespace dlk
