#include "tabs/core/strip_geometry.h"

#include <gtest/gtest.h>

namespace dlk {
namespace {

using O = TKtTabOrientation;
using Q = TKtTabSequence;

// 200 x 100, three rows of 20 overlapping by 5, indented by 5: the strip is
// 50 deep.
TKtStripGeometryInput ThreeRows(O o, Q q) {
    TKtStripGeometryInput in;
    in.Width = 200, in.Height = 100, in.Orientation = o, in.Sequence = q;
    in.FixedDimension = 20, in.RowCount = 3, in.TabCount = 4, in.ShowShadow = false;
    return in;
}

TEST(StripGeometryTest, CardsOfTheRowsFormAStaircaseTowardTheTabs) {
    const struct {
        O o;
        Q q;
        TRect row0, row2;
    } cases[] = {
        {O::toTop, Q::tsStandard, {0, 50, 189, 99}, {10, 20, 199, 69}},
        {O::toTop, Q::tsReverse, {10, 50, 199, 99}, {0, 20, 189, 69}},
        {O::toBottom, Q::tsStandard, {0, 0, 189, 49}, {10, 30, 199, 79}},
        {O::toBottom, Q::tsReverse, {10, 0, 199, 49}, {0, 30, 189, 79}},
        {O::toLeft, Q::tsStandard, {50, 10, 199, 99}, {20, 0, 169, 89}},
        {O::toLeft, Q::tsReverse, {50, 0, 199, 89}, {20, 10, 169, 99}},
        {O::toRight, Q::tsStandard, {0, 0, 149, 89}, {30, 10, 179, 99}},
        {O::toRight, Q::tsReverse, {0, 10, 149, 99}, {30, 0, 179, 89}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.o) * 2 + int(c.q));
        TKtStripGeometryInput in = ThreeRows(c.o, c.q);
        EXPECT_EQ(StripDepth(in), 50);
        EXPECT_EQ(CardRect(in, 0), c.row0);
        EXPECT_EQ(CardRect(in, 2), c.row2);
        in.RowCount = 1;
        EXPECT_EQ(StripDepth(in), 20);
        // No tabs: every row's card is the whole control.
        in.TabCount = 0;
        EXPECT_EQ(CardRect(in, 2), Rect(0, 0, 199, 99));
    }
}

TEST(StripGeometryTest, CardsAndDisplayAtTheLimits) {
    TKtStripGeometryInput tiny = ThreeRows(O::toLeft, Q::tsStandard);
    tiny.Width = tiny.Height = 30;
    EXPECT_EQ(CardRect(tiny, 0), TRect{});
    EXPECT_EQ(CardRect(tiny, 2), TRect{});

    // Without a card the strip fills the control and only the card's edge
    // next to the tabs stays inside it.
    TKtStripGeometryInput bare = ThreeRows(O::toTop, Q::tsStandard);
    bare.CardVisible = false;
    EXPECT_EQ(StripDepth(bare), 99);
    EXPECT_EQ(CardRect(bare, 0), Rect(-3, 99, 202, 102));
    EXPECT_EQ(DisplayRect(bare), Rect(-2, -2, -1, -1));
    bare.Orientation = O::toRight, bare.Style = TKtTabStyle::tsRoundCorners;
    EXPECT_EQ(StripDepth(bare), 198);
}

TEST(StripGeometryTest, DisplayRectByFrameAndShadow) {
    TKtStripGeometryInput in;
    in.Width = 792, in.Height = 217, in.Style = TKtTabStyle::tsRoundCorners, in.FixedDimension = 19;
    in.TabCount = 5, in.ShowShadow = false;
    EXPECT_EQ(StripDepth(in), 22);
    EXPECT_EQ(StripRect(in), Rect(0, 0, 791, 22));
    EXPECT_EQ(StripLength(in), 791);
    EXPECT_EQ(CardRect(in, 0), Rect(0, 22, 791, 216));
    const struct {
        bool frame, full, shadow;
        O o;
        TRect display;
    } cases[] = {
        {true, true, false, O::toTop, {1, 23, 791, 216}},     {true, true, true, O::toTop, {1, 23, 789, 214}},
        {true, false, false, O::toTop, {0, 23, 792, 217}},    {false, true, false, O::toTop, {0, 22, 792, 217}},
        {false, false, false, O::toBottom, {0, 0, 792, 196}}, {false, false, false, O::toLeft, {21, 0, 792, 217}},
    };
    for (const auto& c : cases) {
        in.ShowCardFrame = c.frame, in.ShowFullFrame = c.full, in.ShowShadow = c.shadow, in.Orientation = c.o;
        EXPECT_EQ(DisplayRect(in), c.display) << c.frame << c.full << c.shadow << int(c.o);
    }
}

TEST(StripGeometryTest, ButtonSizeFollowsTheTextUpToTheRowUnlessTheTabIsFixed) {
    const struct {
        O o;
        TOrientation text;
        int fd, tabWidth, tabHeight, textHeight, size;
    } cases[] = {
        {O::toTop, TOrientation::orHorizontal, 19, 0, 0, 13, 17},
        {O::toTop, TOrientation::orHorizontal, 10, 0, 0, 13, 8},
        {O::toTop, TOrientation::orHorizontal, 30, 0, 0, 13, 17},
        {O::toTop, TOrientation::orHorizontal, 30, 0, 25, 13, 28},
        {O::toTop, TOrientation::orHorizontal, 10, 0, 25, 13, 17},
        {O::toTop, TOrientation::orVertical, 30, 0, 25, 13, 15},
        {O::toLeft, TOrientation::orVertical, 30, 25, 0, 13, 28},
        {O::toLeft, TOrientation::orHorizontal, 30, 25, 0, 13, 17},
        // A row of 2 pixels or less gives no button rather than a negative one.
        {O::toTop, TOrientation::orHorizontal, 2, 0, 0, 13, 0},
        {O::toTop, TOrientation::orHorizontal, 0, 0, 0, 13, 0},
    };
    for (const auto& c : cases) {
        TKtStripGeometryInput in;
        in.Orientation = c.o, in.TextOrientation = c.text, in.FixedDimension = c.fd;
        in.TabWidth = c.tabWidth, in.TabHeight = c.tabHeight;
        EXPECT_EQ(ButtonSize(in, c.textHeight), c.size) << c.fd << " " << c.tabWidth << " " << c.tabHeight;
    }
    TKtStripGeometryInput in;
    in.ShowCloseButton = true;
    EXPECT_EQ(CloseButtonSize(in, 17), 0);  // no tabs yet
    in.TabCount = 1;
    EXPECT_EQ(CloseButtonSize(in, 17), 17);
    EXPECT_EQ(MenuButtonSize(in, 17), 0);
}

TEST(StripGeometryTest, ButtonsSitAtTheEndOfTheStripInOrderFromTheEdge) {
    // 300 x 100, one row of 19, buttons of 17, Margin 3, both buttons shown.
    const struct {
        O o;
        Q q;
        bool shadow;
        TPoint close, menu;
        TRect scroller;
    } cases[] = {
        {O::toTop, Q::tsStandard, true, {276, 0}, {257, 0}, Bounds(222, 0, 33, 17)},
        {O::toTop, Q::tsStandard, false, {280, 0}, {261, 0}, Bounds(226, 0, 33, 17)},
        {O::toTop, Q::tsReverse, true, {3, 0}, {22, 0}, Bounds(41, 0, 33, 17)},
        {O::toBottom, Q::tsStandard, true, {280, 82}, {261, 82}, Bounds(226, 82, 33, 17)},
        {O::toBottom, Q::tsReverse, true, {3, 82}, {22, 82}, Bounds(41, 82, 33, 17)},
        {O::toLeft, Q::tsStandard, true, {0, 3}, {0, 22}, Bounds(0, 41, 17, 33)},
        {O::toLeft, Q::tsReverse, true, {0, 80}, {0, 61}, Bounds(0, 26, 17, 33)},
        {O::toRight, Q::tsStandard, true, {282, 80}, {282, 61}, Bounds(282, 26, 17, 33)},
        {O::toRight, Q::tsReverse, true, {282, 3}, {282, 22}, Bounds(282, 41, 17, 33)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.o) * 2 + int(c.q));
        TKtStripGeometryInput in;
        in.Width = 300, in.Height = 100, in.FixedDimension = 19, in.Margin = 3, in.TabCount = 2;
        in.Orientation = c.o, in.Sequence = c.q, in.ShowShadow = c.shadow;
        in.ShowCloseButton = in.ShowMenuButton = true;
        EXPECT_EQ(CloseButtonPosition(in, 17), c.close);
        EXPECT_EQ(MenuButtonPosition(in, 17, 17), c.menu);
        EXPECT_EQ(ScrollerBounds(in, 17, 17, 17), c.scroller);
    }
    EXPECT_EQ(HiddenScrollerPosition(33, 17), Point(-34, -18));
}

TEST(StripGeometryTest, ScrollerNeedAndScrollOffset) {
    TKtStripGeometryInput in;
    in.Width = 300, in.Height = 100, in.FixedDimension = 19, in.ShowShadow = false, in.Margin = 3;
    // The strip is 299 long; 293 are left between the margins.
    EXPECT_FALSE(NeedsScroller(in, true, 293, 0, 0));
    EXPECT_TRUE(NeedsScroller(in, true, 294, 0, 0));
    in.ShowCloseButton = true;
    EXPECT_TRUE(NeedsScroller(in, true, 290, 17, 0));
    EXPECT_FALSE(NeedsScroller(in, false, 900, 17, 0));
    in.MultiLine = true;
    EXPECT_FALSE(NeedsScroller(in, true, 900, 17, 0));

    const TRect first = Rect(40, 0, 90, 19);
    EXPECT_EQ(ScrollOffset(in, nullptr), 0);
    EXPECT_EQ(ScrollOffset(in, &first), 37);
    in.Style = TKtTabStyle::tsRoundCorners;
    EXPECT_EQ(ScrollOffset(in, &first), 35);
    in.Sequence = Q::tsReverse;
    EXPECT_EQ(ScrollOffset(in, &first), 95);
}

}  // namespace
}  // namespace dlk
