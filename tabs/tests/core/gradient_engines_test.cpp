#include "tabs/core/gradient_engines.h"

#include <gtest/gtest.h>

#include <set>

namespace dlk {
namespace {

constexpr std::uint32_t kSentinel = 0xFF010203u;

// Runs of equal colour down column 0 (pattern 2) or along row 0 (pattern 5).
std::vector<int> Runs(const PixelBuffer& buf, bool down) {
    std::vector<int> runs;
    const int n = down ? buf.Height() : buf.Width();
    std::uint32_t last = 0;
    for (int i = 0; i < n; ++i) {
        const std::uint32_t p = down ? buf.At(0, i) : buf.At(i, 0);
        if (i == 0 || p != last) runs.push_back(0);
        ++runs.back();
        last = p;
    }
    return runs;
}

TEST(GradientEnginesTest, EveryPatternEndsAndPaintsEveryPixel) {
    for (int direction = 0; direction <= 10; ++direction)
        for (int size : {1, 2, 4, 5, 6, 9, 33, 100}) {
            PixelBuffer buf(size, size, kSentinel);
            PaintGradientPattern(buf, std::uint8_t(direction), RGB(250, 240, 230), RGB(5, 10, 20), 1);
            int unpainted = 0;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x) unpainted += buf.At(x, y) == kSentinel;
            EXPECT_EQ(unpainted, 0) << "pattern " << direction << " size " << size;
        }
}

TEST(GradientEnginesTest, StripPatternsAreUniformAcrossTheirAxis) {
    struct Case {
        int direction, w, h;
    };
    for (const Case& c : {Case{2, 1, 7}, Case{2, 9, 17}, Case{2, 100, 8}, Case{2, 37, 300}, Case{5, 7, 1},
                          Case{5, 17, 9}, Case{5, 100, 33}, Case{3, 23, 100}, Case{6, 1, 5}, Case{6, 101, 19}}) {
        PixelBuffer buf(c.w, c.h, kSentinel);
        PaintGradientPattern(buf, std::uint8_t(c.direction), clWhite, clBlack, 1);
        const bool down = c.direction <= 3;
        for (int y = 0; y < c.h; ++y)
            for (int x = 0; x < c.w; ++x)
                ASSERT_EQ(buf.At(x, y), down ? buf.At(0, y) : buf.At(x, 0))
                    << "pattern " << c.direction << " " << c.w << "x" << c.h << " at " << x << "," << y;
        // Every colour changes by at most one step, monotonically from white to black.
        const int n = down ? c.h : c.w;
        if (c.direction == 2 || c.direction == 5) {
            EXPECT_EQ(buf.ColorAt(down ? 0 : n - 1, down ? n - 1 : 0), clBlack);
            for (int i = 1; i < n; ++i) {
                const int before = GetRValue(down ? buf.ColorAt(0, i - 1) : buf.ColorAt(i - 1, 0));
                const int here = GetRValue(down ? buf.ColorAt(0, i) : buf.ColorAt(i, 0));
                ASSERT_GE(before, here);
            }
        }
    }
}

TEST(GradientEnginesTest, MirroredStripMeetsColorBInTheMiddle) {
    PixelBuffer buf(3, 100);
    PaintGradientPattern(buf, 3, clWhite, clBlack, 1);
    EXPECT_EQ(buf.ColorAt(0, 50), clBlack);
    EXPECT_EQ(buf.ColorAt(0, 99), clWhite);
    EXPECT_EQ(buf.ColorAt(0, 0), RGB(250, 250, 250));  // one step of 5 short of white
    EXPECT_EQ(buf.ColorAt(0, 51), RGB(5, 5, 5));
    EXPECT_EQ(buf.ColorAt(0, 49), RGB(5, 5, 5));
}

TEST(GradientEnginesTest, BandsCoverAtLeastTheirMinimumRun) {
    struct Case {
        int band, minimum;
    };
    for (const Case& c : {Case{0, 1}, Case{1, 1}, Case{8, 8}, Case{16, 16}, Case{100, 3}}) {
        PixelBuffer down(4, 300);
        PaintGradientPattern(down, 2, clWhite, clBlack, std::uint8_t(c.band));
        PixelBuffer across(300, 4);
        PaintGradientPattern(across, 5, clWhite, clBlack, std::uint8_t(c.band));
        for (const auto& runs : {Runs(down, true), Runs(across, false)}) {
            // Painted from the far end: the run next to pixel 0 is the last and may be short.
            for (std::size_t i = 1; i < runs.size(); ++i) EXPECT_GE(runs[i], c.minimum) << "band " << c.band;
            if (c.band == 8 || c.band == 16) {
                for (std::size_t i = 1; i < runs.size(); ++i) EXPECT_EQ(runs[i], c.minimum) << "band " << c.band;
            }
        }
    }
    // Band 1 on 300 rows of 256 levels: a new band wherever the colour changes.
    PixelBuffer fine(1, 300);
    PaintGradientPattern(fine, 2, clWhite, clBlack, 1);
    std::set<std::uint32_t> levels;
    for (int y = 0; y < 300; ++y) levels.insert(fine.At(0, y));
    EXPECT_EQ(Runs(fine, true).size(), levels.size());
}

TEST(GradientEnginesTest, BoxesAreSymmetricWithColorBInside) {
    for (int direction : {4, 7, 8, 9})
        for (int size : {5, 9, 33, 101}) {
            PixelBuffer buf(size, size, kSentinel);
            PaintGradientPattern(buf, std::uint8_t(direction), clWhite, clBlack, 1);
            const int c = size / 2;
            if (size > 5) {  // a 5-pixel box has too few steps for its corner to lighten
                EXPECT_GT(GetRValue(buf.ColorAt(0, 0)), GetRValue(buf.ColorAt(c, c))) << direction << " " << size;
            }
            EXPECT_LT(GetRValue(buf.ColorAt(c, c)), 128) << direction << " " << size;
            // The bottom-left quadrant mirrors the top-left one.
            for (int y = 0; y < c; ++y) EXPECT_EQ(buf.At(1, y), buf.At(1, size - 1 - y)) << direction << " " << size;
        }
    PixelBuffer narrow(4, 30);
    PaintGradientPattern(narrow, 8, clRed, clBlue, 1);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 4; ++x) ASSERT_EQ(narrow.ColorAt(x, y), clRed);
}

TEST(GradientEnginesTest, DiagonalsRunBetweenTheirCorners) {
    PixelBuffer buf(40, 30);
    PaintGradientPattern(buf, 0, clWhite, clBlack, 1);
    EXPECT_GT(GetRValue(buf.ColorAt(0, 29)), 240);  // ColorA bottom left
    EXPECT_LT(GetRValue(buf.ColorAt(39, 0)), 15);   // ColorB top right
    PaintGradientPattern(buf, 1, clWhite, clBlack, 1);
    EXPECT_LT(GetRValue(buf.ColorAt(39, 29)), 15);  // ColorB bottom right
    EXPECT_GT(GetRValue(buf.ColorAt(0, 0)), 240);   // ColorA top left
}

TEST(GradientEnginesTest, WideRectanglesDoNotOverflow) {
    // Above 32767 pixels the classic 32-bit accumulators overflowed.
    for (int direction : {0, 1, 4, 5, 8}) {
        PixelBuffer buf(40000, 5, kSentinel);
        PaintGradientPattern(buf, std::uint8_t(direction), clWhite, clBlack, 1);
        EXPECT_NE(buf.At(39999, 4), kSentinel) << direction;
        if (direction == 5) {
            EXPECT_EQ(buf.ColorAt(39999, 0), clBlack);
            EXPECT_GT(GetRValue(buf.ColorAt(0, 0)), 250);
        }
    }
}

TEST(GradientEnginesTest, FillByDoublingRepeatsTheBlockWithPartialLastCopies) {
    struct Case {
        int doneW, doneH, totalW, totalH;
    };
    for (const Case& c : {Case{3, 2, 8, 5}, Case{1, 1, 7, 3}, Case{4, 3, 4, 10}, Case{5, 1, 17, 1}, Case{3, 3, 2, 2}}) {
        PixelBuffer buf(c.totalW + 2, c.totalH + 2, kSentinel);
        for (int y = 0; y < c.doneH; ++y)
            for (int x = 0; x < c.doneW; ++x)
                buf.FillRect(x, y, x + 1, y + 1, PixelOf(RGB(std::uint8_t(x), std::uint8_t(y), 9)));
        FillByDoubling(buf, 0, 0, c.totalW, c.totalH, c.doneW, c.doneH);
        for (int y = 0; y < c.totalH + 2; ++y)
            for (int x = 0; x < c.totalW + 2; ++x) {
                const bool inside = x < std::max(c.totalW, c.doneW) && y < std::max(c.totalH, c.doneH);
                const TColor expected =
                    inside ? RGB(std::uint8_t(x % c.doneW), std::uint8_t(y % c.doneH), 9) : TColor(0x030201);
                ASSERT_EQ(buf.ColorAt(x, y), expected) << c.doneW << "x" << c.doneH << " at " << x << "," << y;
            }
    }
}

TEST(PixelBufferTest, StretchCopyMirrorsOnANegativeExtent) {
    PixelBuffer buf(6, 1, 0);
    for (int x = 0; x < 3; ++x) buf.FillRect(x, 0, x + 1, 1, PixelOf(RGB(std::uint8_t(x + 1), 0, 0)));
    buf.StretchCopy(0, 0, 3, 1, 5, 0, -3, 1);
    std::vector<int> reds;
    for (int x = 0; x < 6; ++x) reds.push_back(GetRValue(buf.ColorAt(x, 0)));
    EXPECT_EQ(reds, (std::vector<int>{1, 2, 3, 3, 2, 1}));
}

TEST(PixelBufferTest, PolygonFillLeavesOutRightAndBottomEdges) {
    PixelBuffer buf(8, 8, 0);
    const TPoint square[] = {{1, 1}, {5, 1}, {5, 4}, {1, 4}};
    buf.FillPolygon(square, 4, 0xFFFFFFFFu);
    int count = 0;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) count += buf.At(x, y) == 0xFFFFFFFFu;
    EXPECT_EQ(count, 4 * 3);
    EXPECT_EQ(buf.At(4, 3), 0xFFFFFFFFu);
    EXPECT_EQ(buf.At(5, 3), 0u);
}

}  // namespace
}  // namespace dlk
