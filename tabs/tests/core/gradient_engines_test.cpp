#include "tabs/core/gradient_engines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <tuple>

namespace dlk {
namespace {

constexpr std::uint32_t kSentinel = 0xFF010203u;

// Red levels along column 0 (down) or row 0.
std::vector<int> Line(const PixelBuffer& buf, bool down) {
    std::vector<int> v;
    for (int i = 0; i < (down ? buf.Height() : buf.Width()); ++i)
        v.push_back(GetRValue(down ? buf.ColorAt(0, i) : buf.ColorAt(i, 0)));
    return v;
}

TEST(GradientEnginesTest, StripsAreUniformAcrossMonotoneAlongAndMeetBInTheMiddle) {
    struct Case {
        int direction, w, h;
    };
    for (const Case& c : {Case{2, 1, 7}, Case{2, 9, 17}, Case{2, 37, 300}, Case{5, 7, 1}, Case{5, 17, 9},
                          Case{5, 100, 33}, Case{3, 23, 100}, Case{6, 1, 5}, Case{6, 101, 19}}) {
        PixelBuffer buf(c.w, c.h, kSentinel);
        PaintGradientPattern(buf, std::uint8_t(c.direction), clWhite, clBlack, 1);
        const bool down = c.direction <= 3;
        for (int y = 0; y < c.h; ++y)
            for (int x = 0; x < c.w; ++x)
                ASSERT_EQ(buf.At(x, y), down ? buf.At(0, y) : buf.At(x, 0)) << c.direction << " at " << x << "," << y;
        const std::vector<int> line = Line(buf, down);
        if (c.direction == 2 || c.direction == 5) {
            EXPECT_EQ(line.back(), 0);
            EXPECT_TRUE(std::is_sorted(line.rbegin(), line.rend())) << c.direction;
        }
    }
    PixelBuffer mirrored(3, 100);
    PaintGradientPattern(mirrored, 3, clWhite, clBlack, 1);
    const std::vector<int> line = Line(mirrored, true);
    // Steps of 5 from black at row 50; row 0 one step short of white, row 99 white.
    EXPECT_EQ((std::vector<int>{line[0], line[49], line[50], line[51], line[99]}),
              (std::vector<int>{250, 5, 0, 5, 255}));
}

TEST(GradientEnginesTest, BandsCoverTheirMinimumRun) {
    struct Case {
        int band, minimum;
        bool exact;
    };
    for (const Case& c :
         {Case{0, 1, false}, Case{1, 1, false}, Case{8, 8, true}, Case{16, 16, true}, Case{100, 3, false}}) {
        for (bool down : {true, false}) {
            PixelBuffer buf(down ? 4 : 300, down ? 300 : 4);
            PaintGradientPattern(buf, down ? 2 : 5, clWhite, clBlack, std::uint8_t(c.band));
            const std::vector<int> line = Line(buf, down);
            // Bands are painted from the far end; the one at pixel 0 comes last and may be short.
            std::vector<int> runs{1};
            for (std::size_t i = 1; i < line.size(); ++i) {
                if (line[i] == line[i - 1])
                    ++runs.back();
                else
                    runs.push_back(1);
            }
            for (std::size_t i = 1; i < runs.size(); ++i) {
                EXPECT_GE(runs[i], c.minimum) << c.band;
                if (c.exact) {
                    EXPECT_EQ(runs[i], c.minimum) << c.band;
                }
            }
            // Band 1: a new band wherever the computed colour changes.
            if (c.band == 1) {
                EXPECT_EQ(runs.size(), std::set<int>(line.begin(), line.end()).size());
            }
        }
    }
}

TEST(GradientEnginesTest, BoxesMirrorTheirQuadrantWithBInside) {
    for (int direction : {4, 7, 8, 9})
        for (int size : {5, 9, 33, 101}) {
            PixelBuffer buf(size, size, kSentinel);
            PaintGradientPattern(buf, std::uint8_t(direction), clWhite, clBlack, 1);
            const int c = size / 2;
            EXPECT_LT(GetRValue(buf.ColorAt(c, c)), 128) << direction << " " << size;
            if (size > 5) {
                EXPECT_GT(GetRValue(buf.ColorAt(0, 0)), GetRValue(buf.ColorAt(c, c)));
            }
            for (int y = 0; y < c; ++y) ASSERT_EQ(buf.At(1, y), buf.At(1, size - 1 - y)) << direction << " " << size;
        }
    PixelBuffer narrow(4, 30);  // too narrow for a box: plain ColorA
    PaintGradientPattern(narrow, 8, clRed, clBlue, 1);
    EXPECT_EQ(narrow.ColorAt(2, 15), clRed);
}

TEST(GradientEnginesTest, WideRectanglesDoNotOverflow) {
    // Above 32767 pixels 32-bit 16.16 accumulators overflow (the sanitizer build catches it).
    for (int direction : {0, 1, 4, 5, 8}) {
        PixelBuffer buf(40000, 5, kSentinel);
        PaintGradientPattern(buf, std::uint8_t(direction), clWhite, clBlack, 1);
        EXPECT_NE(buf.At(39999, 4), kSentinel) << direction;
        if (direction == 5) {
            EXPECT_EQ(std::make_pair(Line(buf, false)[0], Line(buf, false)[39999]), std::make_pair(254, 0));
        }
    }
}

TEST(GradientEnginesTest, CopiesDoubleMirrorAndPolygonsLeaveOutRightAndBottom) {
    struct Case {
        int doneW, doneH, totalW, totalH;
    };
    for (const Case& c : {Case{3, 2, 8, 5}, Case{1, 1, 7, 3}, Case{4, 3, 4, 10}, Case{5, 1, 17, 1}}) {
        PixelBuffer buf(c.totalW + 2, c.totalH + 2, kSentinel);
        for (int y = 0; y < c.doneH; ++y)
            for (int x = 0; x < c.doneW; ++x)
                buf.FillRect(x, y, x + 1, y + 1, PixelOf(RGB(std::uint8_t(x), std::uint8_t(y), 9)));
        FillByDoubling(buf, 0, 0, c.totalW, c.totalH, c.doneW, c.doneH);
        for (int y = 0; y < c.totalH + 2; ++y)
            for (int x = 0; x < c.totalW + 2; ++x) {
                const bool inside = x < c.totalW && y < c.totalH;
                ASSERT_EQ(buf.ColorAt(x, y),
                          inside ? RGB(std::uint8_t(x % c.doneW), std::uint8_t(y % c.doneH), 9) : 0x030201)
                    << c.doneW << "x" << c.doneH << " at " << x << "," << y;
            }
    }
    PixelBuffer row(6, 1, 0);
    for (int x = 0; x < 3; ++x) row.FillRect(x, 0, x + 1, 1, PixelOf(RGB(std::uint8_t(x + 1), 0, 0)));
    row.StretchCopy(0, 0, 3, 1, 5, 0, -3, 1);  // a negative extent mirrors into 3..5
    EXPECT_EQ(Line(row, false), (std::vector<int>{1, 2, 3, 3, 2, 1}));

    PixelBuffer square(8, 8, 0);
    const TPoint corners[] = {{1, 1}, {5, 1}, {5, 4}, {1, 4}};
    square.FillPolygon(corners, 4, 0xFFFFFFFFu);
    EXPECT_EQ(std::make_tuple(square.At(1, 1), square.At(4, 3), square.At(5, 3), square.At(4, 4)),
              std::make_tuple(0xFFFFFFFFu, 0xFFFFFFFFu, 0u, 0u));
}

}  // namespace
}  // namespace dlk
