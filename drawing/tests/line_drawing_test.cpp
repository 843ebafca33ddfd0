#include <gtest/gtest.h>

#include <bit>
#include <tuple>
#include <vector>

#include "drawing/core/run_plotters.h"
#include "drawing/tests/raster_fixture.h"

namespace dlk {
namespace {

using testing::OwnedRaster;
using testing::Points;

class LinesInEveryFormat : public ::testing::TestWithParam<DibFormat> {
protected:
    LinesInEveryFormat() { r_.raster.Clear(0xFFFFFF); }
    std::set<std::pair<int, int>> Drawn() { return testing::PixelsNot(r_.raster, r_.raster.ColorToPixel(0xFFFFFF)); }
    OwnedRaster r_{20, 10, GetParam()};
    DibRaster& raster_ = r_.raster;
};

TEST_P(LinesInEveryFormat, BothEndsDrawnAndTheCurrentPointMoves) {
    raster_.MoveTo(2, 3);
    raster_.LineTo(6, 3);
    EXPECT_EQ(Drawn(), Points({{2, 3}, {3, 3}, {4, 3}, {5, 3}, {6, 3}}));
    EXPECT_EQ(std::make_pair(raster_.CurrentX(), raster_.CurrentY()), std::make_pair(6, 3));
    raster_.LineTo(6, 3);  // to the current point: one pixel
    EXPECT_EQ(Drawn().size(), 5u);
}

TEST_P(LinesInEveryFormat, KeepValueHoldsACoordinate) {
    raster_.MoveTo(4, 2);
    raster_.MoveTo(DibRaster::kKeep, 5);
    EXPECT_EQ(std::make_pair(raster_.CurrentX(), raster_.CurrentY()), std::make_pair(4, 5));
    raster_.MoveTo(DibRaster::kKeep, DibRaster::kKeep);
    EXPECT_EQ(std::make_pair(raster_.CurrentX(), raster_.CurrentY()), std::make_pair(4, 5));
    raster_.LineTo(7, DibRaster::kKeep);  // horizontal
    raster_.LineTo(DibRaster::kKeep, 7);  // vertical
    EXPECT_EQ(Drawn(), Points({{4, 5}, {5, 5}, {6, 5}, {7, 5}, {7, 6}, {7, 7}}));
}

TEST_P(LinesInEveryFormat, DashPhaseRunsOnAcrossLineToCalls) {
    raster_.SetLineStyle(0xAAAAAAAA);
    raster_.MoveTo(0, 0);
    raster_.LineTo(4, 0);  // pixels 1, 3, 5 of the segment
    EXPECT_EQ(raster_.LineStyle(), 0x55555555u);
    raster_.LineTo(4, 4);  // walks (4,0) again, unplotted this time
    EXPECT_EQ(Drawn(), Points({{0, 0}, {2, 0}, {4, 0}, {4, 1}, {4, 3}}));
    EXPECT_EQ(raster_.LineStyle(), 0xAAAAAAAAu);
}

TEST_P(LinesInEveryFormat, ClippedStartBeginsThePhaseAtTheFirstVisiblePixel) {
    raster_.SetLineStyle(0x80000000);
    raster_.MoveTo(-7, 1);
    raster_.LineTo(30, 1);
    EXPECT_EQ(Drawn(), Points({{0, 1}}));
    // 20 visible positions walked, none for the clipped-away parts.
    EXPECT_EQ(raster_.LineStyle(), std::rotl(0x80000000u, 20));
}

TEST_P(LinesInEveryFormat, RightToLeftLineKeepsItsOwnDirection) {
    raster_.SetLineStyle(0x80000000);
    raster_.MoveTo(19, 0);
    raster_.LineTo(0, 9);
    EXPECT_EQ(Drawn(), Points({{19, 0}}));  // the phase starts at the given start
}

TEST_P(LinesInEveryFormat, ZeroPatternDrawsNothingButMoves) {
    raster_.SetLineStyle(0);
    raster_.MoveTo(1, 1);
    raster_.LineTo(8, 8);
    EXPECT_TRUE(Drawn().empty());
    EXPECT_EQ(raster_.LineStyle(), 0u);
    EXPECT_EQ(raster_.CurrentX(), 8);
    raster_.SetLineStyle(0x40000000);  // any other value turns lines on again
    raster_.LineTo(8, 8);
    EXPECT_EQ(raster_.LineStyle(), 0x80000000u);
    EXPECT_TRUE(Drawn().empty());
    raster_.LineTo(8, 8);
    EXPECT_EQ(Drawn(), Points({{8, 8}}));
}

TEST_P(LinesInEveryFormat, RejectedSegmentKeepsThePhase) {
    raster_.SetLineStyle(0xC0000000);
    raster_.MoveTo(-30, 5);
    raster_.LineTo(5, -30);  // outside the top-left corner
    EXPECT_EQ(raster_.LineStyle(), 0xC0000000u);
    EXPECT_TRUE(Drawn().empty());
}

TEST_P(LinesInEveryFormat, WidthTwoAndThreeAddParallelPasses) {
    raster_.SetLineWidth(2);
    raster_.MoveTo(2, 5);
    raster_.LineTo(6, 5);  // flat: a copy one row up
    raster_.MoveTo(10, 2);
    raster_.LineTo(10, 4);  // steep: a copy one column left
    EXPECT_EQ(Drawn(), Points({{2, 5},
                               {3, 5},
                               {4, 5},
                               {5, 5},
                               {6, 5},
                               {2, 4},
                               {3, 4},
                               {4, 4},
                               {5, 4},
                               {6, 4},
                               {10, 2},
                               {10, 3},
                               {10, 4},
                               {9, 2},
                               {9, 3},
                               {9, 4}}));
    r_.raster.Clear(0xFFFFFF);
    raster_.SetLineWidth(3);
    raster_.MoveTo(2, 5);
    raster_.LineTo(4, 5);  // flat: rows above and below
    raster_.MoveTo(10, 2);
    raster_.LineTo(10, 3);  // steep: columns left and right
    raster_.MoveTo(15, 5);
    raster_.LineTo(17, 7);  // 45 degrees, down-right: one copy up, one copy left
    EXPECT_EQ(Drawn(), Points({{2, 4},  {3, 4},  {4, 4},  {2, 5},  {3, 5},  {4, 5},  {2, 6},  {3, 6},
                               {4, 6},  {9, 2},  {10, 2}, {11, 2}, {9, 3},  {10, 3}, {11, 3}, {15, 5},
                               {16, 6}, {17, 7}, {15, 4}, {16, 5}, {17, 6}, {14, 5}, {15, 6}, {16, 7}}));
}

TEST_P(LinesInEveryFormat, EveryPassOfAWideLineStartsWithTheSamePhase) {
    raster_.SetLineWidth(3);
    raster_.SetLineStyle(0x80000000);
    raster_.MoveTo(3, 5);
    raster_.LineTo(12, 5);
    EXPECT_EQ(Drawn(), Points({{3, 4}, {3, 5}, {3, 6}}));
    EXPECT_EQ(raster_.LineStyle(), std::rotl(0x80000000u, 10));
}

TEST_P(LinesInEveryFormat, RasterOpsThroughLineTo) {
    raster_.SetRasterOp(kRopXor);
    raster_.SetPenColor(0xFFFFFF);  // white on white: every format turns it to zero
    raster_.MoveTo(0, 0);
    raster_.LineTo(19, 9);
    EXPECT_FALSE(Drawn().empty());
    raster_.MoveTo(0, 0);
    raster_.LineTo(19, 9);
    EXPECT_TRUE(Drawn().empty());
}

INSTANTIATE_TEST_SUITE_P(AllFormats, LinesInEveryFormat, ::testing::ValuesIn(testing::kAllFormats),
                         testing::FormatName());

TEST(LinesOnSubBytePixels, OpsWorkOnThePixelsOwnBitsOnly) {
    OwnedRaster r(8, 2, DibFormat::Indexed4);
    r.raster.Clear(0x808080);  // index 7 everywhere: bytes 0x77
    r.raster.SetRasterOp(kRopXor);
    r.raster.SetPenColor(0x0000FF);  // index 9
    r.raster.MoveTo(1, 0);
    r.raster.LineTo(2, 0);
    EXPECT_EQ(r.memory[0], 0x7E);  // 7 ^ 9 = 14 in the right nibble only
    EXPECT_EQ(r.memory[1], 0xE7);
    r.raster.SetRasterOp(kRopInvert);
    r.raster.LineTo(2, 1);  // (2,0) again, then (2,1)
    EXPECT_EQ(r.memory[1], 0x17);
    EXPECT_EQ(r.memory[r.raster.Stride() + 1], 0x87);
}

TEST(WideLines, GoToWhoeverOwnsTheCanvas) {
    OwnedRaster r(8, 8, DibFormat::Rgb24);
    std::vector<std::tuple<int, int, int, int, int>> calls;
    r.raster.SetWideLine([&](int w, int x1, int y1, int x2, int y2) { calls.emplace_back(w, x1, y1, x2, y2); });
    r.raster.SetLineWidth(5);
    r.raster.MoveTo(1, 2);
    r.raster.LineTo(DibRaster::kKeep, 7);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0], std::make_tuple(5, 1, 2, 1, 7));
    r.raster.SetLineStyle(0);  // no-line wins over every width
    r.raster.LineTo(3, 3);
    EXPECT_EQ(calls.size(), 1u);
}

}  // namespace
}  // namespace dlk
