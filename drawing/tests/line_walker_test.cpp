#include "drawing/core/line_walker.h"

#include <gtest/gtest.h>

#include "drawing/tests/raster_fixture.h"

namespace dlk {
namespace {

using testing::OwnedRaster;
using testing::Points;

class WalkerInEveryFormat : public ::testing::TestWithParam<DibFormat> {
protected:
    // Walks an already clipped segment given from (x1, y1) to (x2, y2) and
    // returns the pixels it plotted, in the order of the pattern bits.
    std::set<std::pair<int, int>> Walk(int x1, int y1, int x2, int y2, std::uint32_t* pattern = nullptr) {
        r_.raster.Clear(0xFFFFFF);
        ClippedSegment s{x1, y1, x2, y2, 1, y2 >= y1 ? 1 : -1};
        if (x2 < x1) s = ClippedSegment{x2, y2, x1, y1, -1, y2 >= y1 ? 1 : -1};
        const WalkTarget t{r_.raster.Memory(), static_cast<std::ptrdiff_t>(r_.raster.Stride()), GetParam(), 0,
                           r_.raster.Pen().Value32};
        std::uint32_t solid = 0xFFFFFFFF;
        WalkLine(t, s, pattern != nullptr ? *pattern : solid);
        return testing::PixelsNot(r_.raster, r_.raster.ColorToPixel(0xFFFFFF));
    }
    OwnedRaster r_{12, 4, GetParam()};
};

TEST_P(WalkerInEveryFormat, RowRunsOfTheWorkedExamples) {
    EXPECT_EQ(Walk(0, 0, 9, 1),
              Points({{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 1}, {6, 1}, {7, 1}, {8, 1}, {9, 1}}));
    EXPECT_EQ(Walk(0, 0, 10, 1),
              Points({{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 1}, {7, 1}, {8, 1}, {9, 1}, {10, 1}}));
    // Reversed, the runs meet at another place.
    EXPECT_EQ(Walk(10, 0, 0, 1),
              Points({{10, 0}, {9, 0}, {8, 0}, {7, 0}, {6, 0}, {5, 1}, {4, 1}, {3, 1}, {2, 1}, {1, 1}, {0, 1}}));
}

TEST_P(WalkerInEveryFormat, SinglePixelHorizontalVerticalAndDiagonal) {
    std::uint32_t pattern = 0xFFFFFFFF;
    EXPECT_EQ(Walk(3, 3, 3, 3, &pattern), Points({{3, 3}}));
    EXPECT_EQ(Walk(2, 1, 6, 1), Points({{2, 1}, {3, 1}, {4, 1}, {5, 1}, {6, 1}}));
    EXPECT_EQ(Walk(7, 3, 7, 0), Points({{7, 0}, {7, 1}, {7, 2}, {7, 3}}));
    EXPECT_EQ(Walk(4, 3, 1, 0), Points({{4, 3}, {3, 2}, {2, 1}, {1, 0}}));
    EXPECT_EQ(Walk(1, 3, 4, 0), Points({{1, 3}, {2, 2}, {3, 1}, {4, 0}}));
}

TEST_P(WalkerInEveryFormat, ColumnRunsUpAndDown) {
    // Two columns over four rows: two rows each.
    EXPECT_EQ(Walk(5, 0, 6, 3), Points({{5, 0}, {5, 1}, {6, 2}, {6, 3}}));
    EXPECT_EQ(Walk(6, 3, 5, 0), Points({{6, 3}, {6, 2}, {5, 1}, {5, 0}}));
    // Three columns over four rows, rising to the right.
    EXPECT_EQ(Walk(0, 3, 2, 0), Points({{0, 3}, {1, 2}, {1, 1}, {2, 0}}));
}

TEST_P(WalkerInEveryFormat, LastColumnAndRowStayInsideTheMemory) {
    EXPECT_EQ(Walk(11, 3, 11, 3), Points({{11, 3}}));
    EXPECT_EQ(Walk(0, 3, 11, 3).size(), 12u);
}

INSTANTIATE_TEST_SUITE_P(AllFormats, WalkerInEveryFormat, ::testing::ValuesIn(testing::kAllFormats),
                         testing::FormatName());

TEST(WalkerSubBytePixels, NeighboursInTheSameByteKeepTheirValues) {
    OwnedRaster mono(16, 3, DibFormat::Indexed1);
    std::fill(mono.memory.begin(), mono.memory.end(), std::uint8_t{0xFF});
    std::uint32_t pattern = 0xFFFFFFFF;
    const WalkTarget to_black{mono.raster.Memory(), static_cast<std::ptrdiff_t>(mono.raster.Stride()),
                              DibFormat::Indexed1, 0, 0};
    WalkLine(to_black, ClippedSegment{3, 1, 9, 1, 1, 1}, pattern);
    EXPECT_EQ(mono.memory[4], 0xE0);  // row 1: pixels 3-7 of the first byte
    EXPECT_EQ(mono.memory[5], 0x3F);  // and 8-9 of the second
    EXPECT_EQ(mono.memory[0], 0xFF);

    OwnedRaster nibbles(5, 5, DibFormat::Indexed4);
    const WalkTarget index7{nibbles.raster.Memory(), static_cast<std::ptrdiff_t>(nibbles.raster.Stride()),
                            DibFormat::Indexed4, 0, 0x77777777};
    WalkLine(index7, ClippedSegment{0, 0, 4, 4, 1, 1}, pattern);  // the diagonal
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(testing::ReadPixel(nibbles.raster, i, i), 7u);
        EXPECT_EQ(testing::ReadPixel(nibbles.raster, i ^ 1, i), 0u);
    }
}

}  // namespace
}  // namespace dlk
