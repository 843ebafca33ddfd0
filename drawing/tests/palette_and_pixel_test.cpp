#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "drawing/core/dib_error.h"
#include "drawing/core/pen_pixel.h"
#include "drawing/tests/raster_fixture.h"

namespace dlk {
namespace {

using testing::OwnedRaster;

TEST(ColorToPixel, RedInEveryTrueColourFormat) {
    const LogPalette none;
    EXPECT_EQ(ColorToPixel(DibFormat::Rgb555, none, 0x0000FF), 0x7C00u);
    EXPECT_EQ(ColorToPixel(DibFormat::Rgb565, none, 0x0000FF), 0xF800u);
    EXPECT_EQ(ColorToPixel(DibFormat::Rgb24, none, 0x0000FF), 0xFF0000u);
    EXPECT_EQ(ColorToPixel(DibFormat::Rgb32, none, 0x0000FF), 0xFF0000u);
    // Blue and green land in their own fields; the top byte of the colour is dropped.
    EXPECT_EQ(ColorToPixel(DibFormat::Rgb555, none, 0xFF00FF00), 0x03E0u);
    EXPECT_EQ(ColorToPixel(DibFormat::Rgb565, none, 0x00FF0000), 0x001Fu);
    EXPECT_EQ(ColorToPixel(DibFormat::Rgb24, none, 0x80123456), 0x563412u);
}

TEST(PenPixel, ReplicatedForThePlotters) {
    EXPECT_EQ(MakePenPixel(DibFormat::Rgb24, 0xFF0000).Value32, 0x00FF0000u);  // bytes 00 00 FF 00
    const PenPixel p24 = MakePenPixel(DibFormat::Rgb24, 0x123456);
    EXPECT_EQ(p24.Value32, 0x56123456u);  // blue, green, red, blue in memory order
    EXPECT_EQ(std::tie(p24.Blue, p24.Green, p24.Red), std::make_tuple(0x56, 0x34, 0x12));
    EXPECT_EQ(MakePenPixel(DibFormat::Rgb32, 0xAB123456).Value32, 0x00123456u);
    EXPECT_EQ(MakePenPixel(DibFormat::Rgb555, 0xFFFF).Value32, 0x7FFF7FFFu);
    EXPECT_EQ(MakePenPixel(DibFormat::Rgb565, 0xF800).Value16, 0xF800u);
    EXPECT_EQ(MakePenPixel(DibFormat::Indexed8, 0x1A5).Value32, 0xA5A5A5A5u);
    EXPECT_EQ(MakePenPixel(DibFormat::Indexed4, 0x3).Value8, 0x33u);
    EXPECT_EQ(MakePenPixel(DibFormat::Indexed1, 1).Value32, 0xFFFFFFFFu);
    EXPECT_EQ(MakePenPixel(DibFormat::Indexed1, 2).Value32, 0u);
}

TEST(BuiltInPalette, FixedEntriesAndAFullColourCube) {
    const LogPalette& mono = BuiltInPalette(DibFormat::Indexed1);
    ASSERT_EQ(mono.Count, 2);
    EXPECT_EQ(mono.Entries[1].Red, 0xFF);
    const LogPalette& sixteen = BuiltInPalette(DibFormat::Indexed4);
    ASSERT_EQ(sixteen.Count, 16);
    EXPECT_EQ(sixteen.Entries[7].Green, 0x80);
    EXPECT_EQ(sixteen.Entries[8].Blue, 0xC0);

    const LogPalette& full = BuiltInPalette(DibFormat::Indexed8);
    ASSERT_EQ(full.Count, 256);
    EXPECT_EQ(full.Version, 0x300);
    auto rgb = [&](int i) {
        const PaletteEntry& e = full.Entries[i];
        return (e.Red << 16) | (e.Green << 8) | e.Blue;
    };
    EXPECT_EQ(rgb(7), 0xC0C0C0);
    EXPECT_EQ(rgb(9), 0xA6CAF0);
    EXPECT_EQ(rgb(15), 0x1C1C1C);
    EXPECT_EQ(rgb(24), 0xD60093);
    EXPECT_EQ(rgb(31), 0x990000);
    EXPECT_EQ(rgb(240), 0xD7D7D7);
    EXPECT_EQ(rgb(247), 0xA0A0A4);
    EXPECT_EQ(rgb(248), 0x808080);
    EXPECT_EQ(rgb(255), 0x48F966);
    std::set<int> all;
    for (int i = 0; i < 256; ++i) {
        all.insert(rgb(i));
        EXPECT_EQ(full.Entries[i].Flags, 0);
    }
    for (int r = 0; r <= 0xFF; r += 0x33)
        for (int g = 0; g <= 0xFF; g += 0x33)
            for (int b = 0; b <= 0xFF; b += 0x33) EXPECT_TRUE(all.count((r << 16) | (g << 8) | b)) << r << g << b;
}

TEST(ChoosePalette, ShortPaletteIsPaddedWithBlack) {
    LogPalette given;
    given.Count = 3;
    given.Entries[0] = {10, 20, 30, 0};
    std::fill(given.Entries.begin() + 3, given.Entries.end(), PaletteEntry{9, 9, 9, 0});  // stale memory
    const LogPalette p = ChoosePalette(DibFormat::Indexed4, &given);
    EXPECT_EQ(p.Count, 16);
    EXPECT_EQ(p.Entries[0].Red, 10);
    EXPECT_EQ(p.Entries[3].Red, 0);
    EXPECT_EQ(p.Entries[15].Blue, 0);
}

TEST(NearestPaletteIndex, OnlyIndexesTheFormatCanHold) {
    // A 256-colour palette on a 16-colour surface: pure red sits at entry 249,
    // which a 4-bit pixel cannot hold, so the nearest of the first 16 wins.
    OwnedRaster r(4, 4, DibFormat::Indexed4, &BuiltInPalette(DibFormat::Indexed8));
    const std::uint32_t red = r.raster.ColorToPixel(0x0000FF);
    EXPECT_LT(red, 16u);
    EXPECT_EQ(red, 1u);  // 800000, the darker red of the first sixteen
    EXPECT_EQ(NearestPaletteIndex(BuiltInPalette(DibFormat::Indexed8), 256, 0x0000FF), 249u);
    // Mid-grey goes to whichever end is nearer.
    EXPECT_EQ(NearestPaletteIndex(BuiltInPalette(DibFormat::Indexed1), 2, 0x808080), 1u);
    EXPECT_EQ(NearestPaletteIndex(BuiltInPalette(DibFormat::Indexed1), 2, 0x7F7F7F), 0u);
}

TEST(DibRasterCreate, StartsWithBlackPenWhiteBrushAndFullClip) {
    OwnedRaster r(300, 20, DibFormat::Rgb24);
    EXPECT_EQ(r.raster.Stride(), 900u);
    EXPECT_EQ(r.raster.PenColor(), 0u);
    EXPECT_EQ(r.raster.BrushColor(), 0xFFFFFFu);
    EXPECT_EQ(r.raster.LineStyle(), 0xFFFFFFFFu);
    EXPECT_EQ(r.raster.LineWidth(), 1);
    EXPECT_EQ(r.raster.RasterOp(), 0);
    EXPECT_EQ(r.raster.Clip().Right, 299);
    EXPECT_EQ(r.raster.Clip().Bottom, 19);
    EXPECT_EQ(r.raster.CurrentX(), 0);
    // A palette given to a true-colour format is not used.
    LogPalette given;
    given.Count = 1;
    given.Entries[0] = {1, 2, 3, 0};
    OwnedRaster t(2, 2, DibFormat::Rgb565, &given);
    EXPECT_EQ(t.raster.Palette().Count, 0);
    EXPECT_EQ(RowStride(3, DibFormat::Rgb24), 12u);
    EXPECT_EQ(RowStride(33, DibFormat::Indexed1), 8u);
    EXPECT_EQ(RowStride(9, DibFormat::Indexed4), 8u);
    EXPECT_EQ(RowStride(3, DibFormat::Rgb555), 8u);
}

TEST(DibRasterCreate, BlackPenIsBlackWhateverEntryZeroHolds) {
    LogPalette given;
    given.Count = 2;
    given.Entries[0] = {255, 255, 255, 0};
    given.Entries[1] = {0, 0, 0, 0};
    OwnedRaster r(8, 1, DibFormat::Indexed8, &given);
    EXPECT_EQ(r.raster.Pen().Value8, 1);
    r.raster.MoveTo(0, 0);
    r.raster.LineTo(7, 0);
    EXPECT_EQ(testing::ReadPixel(r.raster, 3, 0), 1u);
}

TEST(DibRasterCreate, RejectsSizesTheEngineCannotWalkAndUnknownFormats) {
    std::vector<std::uint8_t> memory(64);
    EXPECT_THROW(DibRaster(memory.data(), 0, 4, DibFormat::Rgb24), DIB_ERROR);
    EXPECT_THROW(DibRaster(memory.data(), 4, 0, DibFormat::Rgb24), DIB_ERROR);
    EXPECT_THROW(DibRaster(memory.data(), 32768, 1, DibFormat::Indexed1), DIB_ERROR);
    EXPECT_THROW(DibRaster(memory.data(), 1, 32768, DibFormat::Indexed1), DIB_ERROR);
    EXPECT_THROW(DibRaster(memory.data(), 2, 2, static_cast<DibFormat>(7)), DIB_ERROR);
    try {
        DibRaster(memory.data(), 0, 0, DibFormat::Rgb24);
    } catch (const DIB_ERROR& e) {
        EXPECT_STREQ(e.what(), "DIB ERROR :\rCan NOT create DIB ? ? !\rImpossible de crйer une image tampon ? ? !");
    }
    EXPECT_NO_THROW(DibRaster(memory.data(), 32767, 1, DibFormat::Indexed1));
}

TEST(DibRasterColors, UnchangedColourReportsNoChange) {
    OwnedRaster r(2, 2, DibFormat::Rgb24);
    EXPECT_FALSE(r.raster.SetPenColor(0));
    EXPECT_TRUE(r.raster.SetPenColor(0x0000FF));
    EXPECT_EQ(r.raster.Pen().Value32, 0x00FF0000u);
    EXPECT_FALSE(r.raster.SetPenColor(0x0000FF));
    EXPECT_FALSE(r.raster.SetBrushColor(0xFFFFFF));
    EXPECT_TRUE(r.raster.SetBrushColor(0x00FF00));
    EXPECT_EQ(r.raster.BrushColor(), 0x00FF00u);
}

}  // namespace
}  // namespace dlk
