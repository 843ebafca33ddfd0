#include "drawing/core/run_plotters.h"

#include <gtest/gtest.h>

#include <vector>

#include "drawing/core/dib_format.h"
#include "drawing/core/pen_pixel.h"

namespace dlk {
namespace {

constexpr int Index(int op, DibFormat f) {
    return op * 7 + static_cast<int>(f);
}

// One row of `pixels` pixels of `bytes` each, with room on both sides.
struct Row {
    Row(int pixels, int bytes, std::uint8_t fill = 0)
        : memory(static_cast<std::size_t>((pixels + 2) * bytes), fill), bytes(bytes) {}
    std::uint8_t* At(int x) { return memory.data() + (x + 1) * bytes; }
    std::vector<std::uint8_t> memory;
    int bytes;
};

RunState RowRun(std::uint8_t* start, int count, int bytes, std::uint32_t pen, std::uint32_t pattern) {
    RunState s;
    s.Address = start;
    s.Count = count;
    s.Sx = count < 0 ? -1 : 1;
    s.Along = s.Sx * bytes;
    s.Across = 1000;
    s.Pen = pen;
    s.Pattern = pattern;
    return s;
}

TEST(RunPlotters, DottedPatternPlotsEveryOtherPixelAndCarriesThePhase) {
    Row row(5, 1);
    RunState s = RowRun(row.At(0), 5, 1, 0x77777777, 0xAAAAAAAA);
    RowRunPlotters[Index(kRopCopy, DibFormat::Indexed8)](s);
    EXPECT_EQ(row.memory, (std::vector<std::uint8_t>{0, 0x77, 0, 0x77, 0, 0x77, 0}));
    EXPECT_EQ(s.Pattern, 0x55555555u);
    EXPECT_EQ(s.Count, 0);
    EXPECT_EQ(s.Address, row.At(5) + 1000);  // one past the run, one row across
}

TEST(RunPlotters, SingleBitPatternPlotsTheFirstAndThirtyThirdPixel) {
    Row row(33, 4);
    RunState s = RowRun(row.At(0), 33, 4, 0x00ABCDEF, 0x80000000);
    RowRunPlotters[Index(kRopCopy, DibFormat::Rgb32)](s);
    int plotted = 0;
    for (int x = 0; x < 33; ++x) plotted += row.At(x)[0] == 0xEF;
    EXPECT_EQ(plotted, 2);
    EXPECT_EQ(row.At(0)[0], 0xEF);
    EXPECT_EQ(row.At(32)[2], 0xAB);
    EXPECT_EQ(s.Pattern, 0x00000001u);
}

TEST(RunPlotters, LeftwardRunEndsOnePixelLeftAndOneRowAcross) {
    Row row(4, 3);
    RunState s = RowRun(row.At(3), -4, 3, MakePenPixel(DibFormat::Rgb24, 0x112233).Value32, 0xFFFFFFFF);
    RowRunPlotters[Index(kRopCopy, DibFormat::Rgb24)](s);
    EXPECT_EQ(s.Address, row.At(-1) + 1000);
    EXPECT_EQ(s.Pattern, 0xFFFFFFFFu);  // solid stays solid
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(row.At(x)[0], 0x33);  // blue, green, red in memory order
        EXPECT_EQ(row.At(x)[1], 0x22);
        EXPECT_EQ(row.At(x)[2], 0x11);
    }
    EXPECT_EQ(row.At(-1)[0], 0);  // the bytes around the run keep their values
    EXPECT_EQ(row.At(4)[0], 0);
}

TEST(RunPlotters, ThreeBytePixelLeavesTheNextByteAlone) {
    Row row(2, 3, 0x5A);
    RunState s = RowRun(row.At(0), 1, 3, 0xFF000000 | 0x010203, 0xFFFFFFFF);
    RowRunPlotters[Index(kRopCopy, DibFormat::Rgb24)](s);
    EXPECT_EQ(row.At(0)[0], 0x03);
    EXPECT_EQ(row.At(0)[2], 0x01);
    EXPECT_EQ(row.At(1)[0], 0x5A);  // byte 3 of the pen value never lands
}

TEST(RunPlotters, XorTwiceRestoresEveryPixel) {
    for (DibFormat f : {DibFormat::Indexed8, DibFormat::Rgb555, DibFormat::Rgb24, DibFormat::Rgb32}) {
        const int bytes = BytesPerPixel(f);
        Row row(9, bytes);
        for (std::size_t i = 0; i < row.memory.size(); ++i) row.memory[i] = static_cast<std::uint8_t>(i * 37);
        const std::vector<std::uint8_t> before = row.memory;
        for (int pass = 0; pass < 2; ++pass) {
            RunState s = RowRun(row.At(0), 9, bytes, 0x5F3C96E1, 0xCAFEBABE);
            RowRunPlotters[Index(kRopXor, f)](s);
            if (pass == 0) {
                EXPECT_NE(row.memory, before);
            }
        }
        EXPECT_EQ(row.memory, before) << static_cast<int>(f);
    }
}

TEST(RunPlotters, InvertFlipsAllSixteenBitsWithoutThePen) {
    Row row(1, 2);
    row.At(0)[0] = 0x34;
    row.At(0)[1] = 0x12;
    RunState s = RowRun(row.At(0), 1, 2, 0xFFFFFFFF, 0xFFFFFFFF);
    RowRunPlotters[Index(kRopInvert, DibFormat::Rgb555)](s);
    EXPECT_EQ(row.At(0)[0], 0xCB);
    EXPECT_EQ(row.At(0)[1], 0xED);  // the unused top bit of 5-5-5 flips too
}

TEST(RunPlotters, AndOrPerPixelWidth) {
    Row row(2, 4, 0xF0);
    RunState s = RowRun(row.At(0), 1, 4, 0x0F0F3C3C, 0xFFFFFFFF);
    RowRunPlotters[Index(kRopAnd, DibFormat::Rgb32)](s);
    EXPECT_EQ(row.At(0)[0], 0x30);
    EXPECT_EQ(row.At(0)[3], 0x00);
    s = RowRun(row.At(1), 1, 4, 0x0000000F, 0xFFFFFFFF);
    RowRunPlotters[Index(kRopOr, DibFormat::Rgb32)](s);
    EXPECT_EQ(row.At(1)[0], 0xFF);
    EXPECT_EQ(row.At(1)[1], 0xF0);
    Row three(1, 3, 0x0F);
    s = RowRun(three.At(0), 1, 3, 0x00F0F0FF, 0xFFFFFFFF);
    RowRunPlotters[Index(kRopOr, DibFormat::Rgb24)](s);
    EXPECT_EQ(three.At(0)[0], 0xFF);
    EXPECT_EQ(three.At(0)[1], 0xFF);
    EXPECT_EQ(three.At(0)[2], 0xFF);
    EXPECT_EQ(three.At(1)[0], 0x0F);
}

TEST(RunPlotters, BothSixteenBitFormatsStoreTheSameBits) {
    EXPECT_EQ(RowRunPlotters[Index(kRopCopy, DibFormat::Rgb555)], RowRunPlotters[Index(kRopCopy, DibFormat::Rgb565)]);
    EXPECT_EQ(ColumnRunPlotters[Index(kRopXor, DibFormat::Rgb555)],
              ColumnRunPlotters[Index(kRopXor, DibFormat::Rgb565)]);
}

TEST(RunPlotters, ColumnAndDiagonalStepsAfterTheRun) {
    std::vector<std::uint8_t> grid(16, 0);  // 4 x 4, one byte a pixel
    RunState s;
    s.Address = grid.data() + 1;  // (1, 0)
    s.Count = 3;
    s.Sx = 1;
    s.Sy = 1;
    s.Along = 1;
    s.Across = 4;
    s.Pen = 0x09090909;
    s.Pattern = 0xFFFFFFFF;
    ColumnRunPlotters[Index(kRopCopy, DibFormat::Indexed8)](s);
    EXPECT_EQ(grid[1] + grid[5] + grid[9], 27);
    EXPECT_EQ(s.Address, grid.data() + 14);  // (2, 3): one row beyond, one column along
    s.Address = grid.data();
    s.Count = 4;
    s.Along = 5;  // the combined step
    s.Pen = 0x02020202;
    DiagonalRunPlotters[Index(kRopCopy, DibFormat::Indexed8)](s);
    EXPECT_EQ(grid[0] + grid[5] + grid[10] + grid[15], 8);
    EXPECT_EQ(s.Address, grid.data() + 20);  // nothing added after the run
}

TEST(RunPlotters, EmptyEntriesTouchNothing) {
    const int empty[] = {Index(5, DibFormat::Indexed1), Index(5, DibFormat::Indexed4), Index(5, DibFormat::Rgb24),
                         Index(6, DibFormat::Indexed8), Index(6, DibFormat::Indexed1)};
    for (int i : empty) {
        Row row(3, 1);
        RunState s = RowRun(row.At(0), 3, 1, 0xFFFFFFFF, 0x12345678);
        RowRunPlotters[i](s);
        DiagonalRunPlotters[i](s);
        EXPECT_EQ(s.Address, row.At(0));
        EXPECT_EQ(s.Count, 3);
        EXPECT_EQ(s.Pattern, 0x12345678u);
        EXPECT_EQ(row.memory, std::vector<std::uint8_t>(5, 0));
    }
    // Op 5 copies one-byte pixels.
    Row row(1, 1);
    RunState s = RowRun(row.At(0), 1, 1, 0x44444444, 0xFFFFFFFF);
    RowRunPlotters[Index(5, DibFormat::Indexed8)](s);
    EXPECT_EQ(row.At(0)[0], 0x44);
}

}  // namespace
}  // namespace dlk
