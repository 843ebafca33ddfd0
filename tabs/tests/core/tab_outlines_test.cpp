#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "tabs/core/draw_commands.h"
#include "tabs/core/paint_walk.h"
#include "tabs/core/tab_errors.h"
#include "tabs/core/tab_shapes.h"

namespace dlk {
namespace {

using Style = TKtTabStyle;
using Orient = TKtTabOrientation;
using Entries = std::vector<std::int32_t>;

TEST(TabShapesTest, EveryStyleHasItsPointsAndTheSelectedRoundTabStandsOut) {
    const TRect r = Rect(10, 3, 60, 22);  // h = 19
    struct Case {
        Style style;
        bool soft;
        std::vector<TPoint> points;
    } const cases[] = {
        {Style::tsSingleSlant, false, {{10, 22}, {10, 5}, {12, 3}, {41, 3}, {60, 22}}},
        {Style::tsSingleSlant, true, {{10, 22}, {10, 5}, {12, 3}, {37, 3}, {43, 5}, {60, 22}}},
        {Style::tsDoubleSlant, false, {{10, 22}, {29, 3}, {41, 3}, {60, 22}}},
        {Style::tsDoubleSlant, true, {{10, 22}, {27, 5}, {33, 3}, {37, 3}, {43, 5}, {60, 22}}},
        {Style::tsCutCorner, true, {{10, 22}, {10, 3}, {55, 3}, {60, 8}, {60, 22}}},
        {Style::tsRoundCorners, false, {{10, 22}, {10, 5}, {12, 3}, {58, 3}, {60, 5}, {60, 22}}},
        {Style::tsBackSlant, false, {{10, 22}, {29, 3}, {58, 3}, {60, 5}, {60, 22}}},
        {Style::tsBackSlant, true, {{10, 22}, {27, 5}, {33, 3}, {58, 3}, {60, 5}, {60, 22}}},
    };
    for (const Case& c : cases) {
        const TKtTabShape shape = ShapePoints(r, c.style, c.soft, 5);
        EXPECT_EQ(std::vector<TPoint>(shape.Points.begin(), shape.Points.begin() + shape.Count), c.points)
            << int(c.style) << c.soft;
        EXPECT_EQ(shape.Count, ExpectedShapePointCount(c.style, c.soft));
    }
    using Seq = TKtTabSequence;
    EXPECT_EQ(ShapeRect(r, 0, 5, Seq::tsStandard, Style::tsRoundCorners, true), Rect(8, 1, 62, 22));
    EXPECT_EQ(ShapeRect(r, 0, 5, Seq::tsStandard, Style::tsCutCorner, true), r);
    EXPECT_EQ(ShapeRect(r, 2, 5, Seq::tsStandard, Style::tsCutCorner, false), Rect(20, 3, 70, 22));
    EXPECT_EQ(ShapeRect(r, 2, 5, Seq::tsReverse, Style::tsRoundCorners, false), Rect(0, 3, 50, 22));
}

TEST(TabOutlinesTest, OutlinesLeaveTheBaseOpenInTheirStylesOrder) {
    TKtDrawCommands list;
    AppendTabOutline(list, Style::tsSingleSlant, false, Orient::toTop,
                     ShapePoints(Rect(10, 3, 60, 22), Style::tsSingleSlant, false, 0));
    EXPECT_EQ(list.Entries(), (Entries{0, 3, 10, 22, 4, 10, 5, 4, 12, 3, 4, 41, 3, 4, 60, 22}));
    // A left strip of 100 pixels: strip (x, y) lies at client (y, 100 - x).
    TKtTabShape shape = ShapePoints(Rect(10, 3, 40, 22), Style::tsRoundCorners, false, 0);
    for (int i = 0; i < shape.Count; ++i) shape.Points[i] = {shape.Points[i].Y, 100 - shape.Points[i].X};
    list.Clear();
    AppendTabOutline(list, Style::tsRoundCorners, false, Orient::toLeft, shape);
    EXPECT_EQ(list.Entries(),
              (Entries{0, 3, 5, 90, 4, 22, 90, 3, 5, 90, 4, 3, 88, 3, 3, 88, 4, 3, 62, 4, 5, 60, 4, 22, 60}));
    shape.Count = 5;
    EXPECT_THROW(AppendTabOutline(list, Style::tsRoundCorners, false, Orient::toLeft, shape), EKtTabControlError);
}

TEST(TabOutlinesTest, CardFramesCloseOrOpenUnderTheSelectedTab) {
    const TRect K = Rect(0, 22, 791, 216);
    struct Case {
        TKtCardFrame frame;
        Entries entries;
    } const cases[] = {
        // No selection, top edge only.
        {{K, Style::tsRoundCorners, Orient::toTop, TKtTabSequence::tsStandard, false, false, false, {}, {}},
         {0, 3, 0, 22, 4, 791, 22}},
        {{K, Style::tsRoundCorners, Orient::toTop, TKtTabSequence::tsStandard, false, true, false, {}, {}},
         {0, 3, 0, 22, 4, 791, 22, 4, 791, 216, 4, 0, 216, 4, 0, 22}},
        // The page control: open from S to E, then the single pixel at E.
        {{K, Style::tsRoundCorners, Orient::toTop, TKtTabSequence::tsStandard, false, true, true, {1, 22}, {70, 22}},
         {0, 3,   0,   216, 4,  0,   22, 4,  1,  22, 3,  70, 22, 4,  791, 22,
          4, 791, 216, 4,   -1, 216, 3,  70, 22, 4,  70, 22, 4,  71, 22}},
        {{K,
          Style::tsSingleSlant,
          Orient::toBottom,
          TKtTabSequence::tsStandard,
          false,
          false,
          true,
          {20, 216},
          {5, 216}},
         {0, 3, 791, 217, 4, 4, 217, 3, 19, 217, 4, -1, 217}},
    };
    for (const Case& c : cases) {
        TKtDrawCommands list;
        AppendCardFrame(list, c.frame);
        EXPECT_EQ(list.Entries(), c.entries);
        EXPECT_FALSE(list.HasShadow());
    }
}

// Records the lines a list draws.
struct Recorder : TKtDrawTarget {
    std::vector<std::pair<TPoint, TPoint>> lines;
    TPoint pen;
    void UseFrameColor() override {}
    void MoveTo(TPoint p) override { pen = p; }
    void LineTo(TPoint p) override { lines.push_back({pen, p}), pen = p; }
    void ShadowPixel(TPoint, std::uint8_t) override {}
};

TEST(TabOutlinesTest, AListCutShortIsNotReadPastItsEnd) {
    TKtDrawCommands cut;
    cut.Add(dcMove, 1, 1);
    cut.Add(dcLine, 5, 1);
    cut.Add(dcLine);
    Recorder r;
    RunDrawCommands(cut, r);
    EXPECT_EQ(r.lines.size(), 1u);
    EXPECT_EQ(ShadowLinePixels({9, 1}, {9, 3}), (std::vector<TPoint>{{9, 1}, {9, 2}, {9, 3}}));
    EXPECT_EQ(ShadowLinePixels({2, 7}, {0, 5}), (std::vector<TPoint>{{0, 5}, {1, 5}, {2, 5}}));
}

TEST(PaintWalkTest, RowsBackToFrontSelectedTabLastCardOfRowZeroAtTheEnd) {
    using S = TKtPaintStep;
    const S::Kind T = S::Tab, C = S::Card;
    struct Case {
        std::vector<int> rows;
        int rowCount, tabIndex, firstShown;
        std::vector<TKtPaintStep> steps;
    } const cases[] = {
        {{0, 0, 0, 0, 0}, 1, 0, 0, {{T, 4}, {T, 3}, {T, 2}, {T, 1}, {T, 0}, {C, 0}}},
        {{0, 0, 1, 1, 2, 2}, 3, 0, 0, {{T, 5}, {T, 4}, {C, 2}, {T, 3}, {T, 2}, {C, 1}, {T, 1}, {T, 0}, {C, 0}}},
        // Row 0 holds only the selected tab: the card of row 1 still comes.
        {{0, 1, 1}, 2, 0, 0, {{T, 2}, {T, 1}, {C, 1}, {T, 0}, {C, 0}}},
        {{1, 0, 0}, 2, -1, 0, {{T, 0}, {C, 1}, {T, 2}, {T, 1}, {C, 0}}},
        {{}, 1, -1, -1, {{C, 0}}},
        // A selection past the end is none; one scrolled out is not drawn.
        {{0, 0, 0}, 1, 7, 0, {{T, 2}, {T, 1}, {T, 0}, {C, 0}}},
        {{0, 0, 0, 0}, 1, 0, 2, {{T, 3}, {T, 2}, {C, 0}}},
    };
    for (const Case& c : cases) {
        const int n = int(c.rows.size());
        auto inRange = [n](int i) {
            EXPECT_TRUE(i >= 0 && i < n) << i;
            return i >= 0 && i < n;
        };
        TKtPaintWalkInput in{n,          c.rowCount,
                             c.tabIndex, c.firstShown,
                             inRange,    [&](int i) { return inRange(i) ? c.rows[std::size_t(i)] : 0; },
                             inRange};
        EXPECT_EQ(PaintWalk(in), c.steps) << n << " tabs, " << c.rowCount << " rows";
    }
}

}  // namespace
}  // namespace dlk
