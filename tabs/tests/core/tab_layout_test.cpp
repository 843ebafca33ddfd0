#include "tabs/core/tab_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace dlk {
namespace {

using O = TKtTabOrientation;
using S = TKtTabStyle;

// 7 pixels a character, 13 a line: sizes come out exact and font-free.
class FixedMeasurer : public TKtTextMeasurer {
public:
    TSize Extent(std::string_view line) const override {
        if (line.empty()) return {};
        return {7 * int(line.size()), 13};
    }
};
const FixedMeasurer kFont;

TKtTabLayoutInput Input(S style, int width = 792) {
    TKtTabLayoutInput in;
    in.Strip.Width = width, in.Strip.Height = 217, in.Strip.Style = style, in.Strip.ShowShadow = false;
    in.TabFont = in.ControlFont = &kFont;
    in.ButtonTextHeight = 13;
    return in;
}

void AddTabs(TKtTabDataList& list, TKtTabLayoutInput& in, std::vector<std::string> captions) {
    for (std::string& c : captions) {
        auto tab = std::make_unique<TKtTabData>();
        tab->Caption = std::move(c);
        list.Add(std::move(tab));
    }
    in.Strip.TabCount = list.Count();
}

TEST(TabLayoutTest, CaptionsAreMeasuredWithoutTheirFirstMarkAndLineByLine) {
    const struct {
        const char* caption;
        bool horizontal;
        TSize size;
    } cases[] = {
        {"&File", true, {28, 13}}, {"A&&B", true, {21, 13}},      {"File&", true, {35, 13}},
        {"&A&B", true, {21, 13}},  {"ab\r\ncde", true, {21, 26}}, {"ab\r\ncde", false, {26, 21}},
        {"", true, {0, 0}},        {"a\r\n\r\nb", true, {7, 26}},
    };
    for (const auto& c : cases) EXPECT_EQ(MeasureCaption(kFont, c.caption, c.horizontal), c.size) << c.caption;
    std::vector<std::string> lines;
    SplitLines("a\r\n\r\nb", lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "", "b"}));
    SplitLines("a\r\n", lines);
    EXPECT_EQ(lines, (std::vector<std::string>{"a"}));
    SplitLines("", lines);
    EXPECT_TRUE(lines.empty());
    EXPECT_EQ(AcceleratorMark("S&ave"), 1u);
    EXPECT_EQ(AcceleratorMark("A&&B"), std::string_view::npos);
    EXPECT_EQ(AcceleratorMark("File&"), std::string_view::npos);
}

TEST(TabLayoutTest, TabSizesByStyleImageAndFixedExtent) {
    const struct {
        S style;
        O o;
        TOrientation text;
        TKtImagePosition image;
        bool images;
        int tabWidth, tabHeight;
        const char* caption;
        int fixedDimension, length;
    } cases[] = {
        // "Abc" is 21 x 13; with the image margin of 2 its content is 23 wide.
        {S::tsRoundCorners, O::toTop, TOrientation::orHorizontal, TKtImagePosition::ipLeft, false, 0, 0, "Abc", 19, 39},
        {S::tsSingleSlant, O::toTop, TOrientation::orHorizontal, TKtImagePosition::ipLeft, false, 0, 0, "Abc", 19, 47},
        {S::tsBackSlant, O::toLeft, TOrientation::orHorizontal, TKtImagePosition::ipLeft, false, 0, 0, "Abc", 29, 47},
        {S::tsDoubleSlant, O::toTop, TOrientation::orHorizontal, TKtImagePosition::ipLeft, false, 0, 0, "Abc", 19, 59},
        {S::tsCutCorner, O::toTop, TOrientation::orHorizontal, TKtImagePosition::ipLeft, false, 0, 0, "Abc", 20, 43},
        {S::tsCutCorner, O::toTop, TOrientation::orVertical, TKtImagePosition::ipLeft, false, 0, 0, "Abc", 34, 25},
        {S::tsCutCorner, O::toRight, TOrientation::orVertical, TKtImagePosition::ipLeft, false, 0, 0, "Abc", 22, 41},
        {S::tsCutCorner, O::toRight, TOrientation::orHorizontal, TKtImagePosition::ipLeft, false, 0, 0, "Abc", 36, 23},
        {S::tsRoundCorners, O::toLeft, TOrientation::orVertical, TKtImagePosition::ipLeft, false, 0, 0, "Abc", 21, 37},
        {S::tsRoundCorners, O::toTop, TOrientation::orHorizontal, TKtImagePosition::ipLeft, true, 0, 0, "Abc", 22, 55},
        {S::tsRoundCorners, O::toTop, TOrientation::orHorizontal, TKtImagePosition::ipTop, true, 0, 0, "Abc", 37, 37},
        {S::tsRoundCorners, O::toTop, TOrientation::orHorizontal, TKtImagePosition::ipStretch, true, 0, 0, "Abc", 19,
         37},
        {S::tsRoundCorners, O::toTop, TOrientation::orHorizontal, TKtImagePosition::ipLeft, false, 0, 0, "Ab\r\ncd", 32,
         37},
        {S::tsRoundCorners, O::toTop, TOrientation::orHorizontal, TKtImagePosition::ipLeft, false, 60, 30, "Abc", 30,
         60},
        {S::tsRoundCorners, O::toTop, TOrientation::orHorizontal, TKtImagePosition::ipLeft, false, 0, 0, "", 17, 37},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        TKtTabLayoutInput in = Input(c.style);
        in.Strip.Orientation = c.o, in.Strip.TextOrientation = c.text, in.ImagePosition = c.image;
        in.HasImages = c.images, in.ImageSize = {16, 16};
        in.Strip.TabWidth = c.tabWidth, in.Strip.TabHeight = c.tabHeight;
        TKtTabDataList list;
        AddTabs(list, in, {c.caption});
        list.Items(0)->ImageIndex = 0;
        const TKtLayoutResult r = LayoutTabs(in, list);
        EXPECT_EQ(r.FixedDimension, c.fixedDimension);
        EXPECT_EQ(r.RowCount, 1);
        const TRect& t = list.Items(0)->LayoutRect;
        EXPECT_EQ(t.Width(), c.length);  // along the strip in every orientation
    }
}

TEST(TabLayoutTest, OneRowPlacesTabsByTheirOverlapAndKeepsRoomForTheScroller) {
    TKtTabLayoutInput in = Input(S::tsRoundCorners);
    TKtTabDataList list;
    AddTabs(list, in, {"Abc", "Abc", "Abc"});
    list.Items(1)->TabVisible = false;
    list.Items(1)->LayoutRect = Rect(1, 2, 3, 4);
    EXPECT_EQ(LayoutTabs(in, list).FixedDimension, 19);
    // Round corners leave two pixels between tabs; the hidden tab keeps its
    // old place.
    EXPECT_EQ(list.Items(0)->LayoutRect, Rect(0, 3, 39, 22));
    EXPECT_EQ(list.Items(2)->LayoutRect, Rect(41, 3, 80, 22));
    EXPECT_EQ(list.Items(1)->LayoutRect, Rect(1, 2, 3, 4));

    // Slanted tabs overlap by half their thickness less one.
    in.Strip.Style = S::tsSingleSlant;
    LayoutTabs(in, list);
    EXPECT_EQ(list.Items(2)->LayoutRect.Left, list.Items(0)->LayoutRect.Right - 19 / 2 + 1);

    // Reversed: laid out from the far end, then shifted back by the length
    // used.
    in.Strip.Style = S::tsRoundCorners, in.Strip.Sequence = TKtTabSequence::tsReverse;
    LayoutTabs(in, list);
    EXPECT_EQ(list.Items(0)->LayoutRect, Rect(43, 3, 82, 22));
    EXPECT_EQ(list.Items(2)->LayoutRect, Rect(2, 3, 41, 22));

    // A tab longer than the row less the scroller (2 x 17 + 2) is cut to it.
    in.Strip.Sequence = TKtTabSequence::tsStandard, in.Strip.Width = 60;
    LayoutTabs(in, list);
    EXPECT_EQ(list.Items(0)->LayoutRect.Width(), 59 - 36 - 4);
}

TEST(TabLayoutTest, SeveralRowsShortenEveryRowAndAlignTabsFillsThem) {
    TKtTabLayoutInput in = Input(S::tsRoundCorners, 120);
    in.Strip.MultiLine = true;
    TKtTabDataList list;
    AddTabs(list, in, {"Abc", "Abc", "Abc", "Abc", "Abc"});
    EXPECT_EQ(LayoutTabs(in, list).RowCount, 3);
    const TRect placed[] = {{0, 31, 39, 50}, {41, 31, 80, 50}, {0, 17, 39, 36}, {41, 17, 80, 36}, {0, 3, 39, 22}};
    const int rows[] = {0, 0, 1, 1, 2};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(list.Items(i)->LayoutRect, placed[i]) << i;
        EXPECT_EQ(list.Items(i)->Row, rows[i]) << i;
    }
    // 109 long rows: 25 free in row 0 go 13 and 12, 66 to the lone tab.
    in.AlignTabs = true;
    LayoutTabs(in, list);
    EXPECT_EQ(list.Items(0)->LayoutRect, Rect(0, 31, 52, 50));
    EXPECT_EQ(list.Items(1)->LayoutRect, Rect(54, 31, 105, 50));
    EXPECT_EQ(list.Items(4)->LayoutRect, Rect(0, 3, 105, 22));
    // A fixed length is never stretched.
    in.Strip.TabWidth = 39;
    LayoutTabs(in, list);
    EXPECT_EQ(list.Items(4)->LayoutRect, Rect(0, 3, 39, 22));

    // A tab longer than a row sits alone on its own and is cut to the row.
    in.Strip.TabWidth = 0, in.AlignTabs = false;
    list.Items(2)->Caption = std::string(30, 'x');
    EXPECT_EQ(LayoutTabs(in, list).RowCount, 3);
    EXPECT_EQ(list.Items(2)->Row, 1);
    EXPECT_EQ(list.Items(2)->LayoutRect.Width(), 119 - 2 * 5 - 4);
    EXPECT_EQ(list.Items(3)->Row, 2);
}

TEST(TabLayoutTest, NoVisibleTabsGiveOneRowOfTheFixedHeight) {
    TKtTabLayoutInput in = Input(S::tsRoundCorners);
    TKtTabDataList list;
    EXPECT_EQ(LayoutTabs(in, list).FixedDimension, 0);
    in.Strip.TabHeight = 25;
    const TKtLayoutResult r = LayoutTabs(in, list);
    EXPECT_EQ(r.FixedDimension, 25);
    EXPECT_EQ(r.RowCount, 1);
}

TEST(TabLayoutTest, StripToClientInEveryOrientationAndSequence) {
    // 200 x 100, a strip 20 deep, scrolled by 3; the strip point (10, 4).
    const struct {
        O o;
        TKtTabSequence q;
        TPoint client;
    } cases[] = {
        {O::toTop, TKtTabSequence::tsStandard, {7, 4}},     {O::toTop, TKtTabSequence::tsReverse, {206, 4}},
        {O::toBottom, TKtTabSequence::tsStandard, {7, 95}}, {O::toBottom, TKtTabSequence::tsReverse, {206, 95}},
        {O::toLeft, TKtTabSequence::tsStandard, {4, 92}},   {O::toLeft, TKtTabSequence::tsReverse, {4, -7}},
        {O::toRight, TKtTabSequence::tsStandard, {195, 7}}, {O::toRight, TKtTabSequence::tsReverse, {195, 106}},
    };
    for (const auto& c : cases) {
        TKtStripGeometryInput in;
        in.Width = 200, in.Height = 100, in.FixedDimension = 20, in.ShowShadow = false;
        in.Orientation = c.o, in.Sequence = c.q;
        EXPECT_EQ(StripToClient(in, 3, {10, 4}), c.client) << int(c.o) << int(c.q);
    }
    TKtStripGeometryInput left;
    left.Width = 200, left.Height = 100, left.FixedDimension = 20, left.Orientation = O::toLeft;
    EXPECT_EQ(TabRectToClient(left, 3, Rect(10, 4, 30, 20)), Rect(4, 72, 20, 92));
}

TEST(TabLayoutTest, ContentRectLeavesTheShapesEdgesClear) {
    TKtTabLayoutInput in = Input(S::tsRoundCorners);
    // A round tab around content w x h is (w + 16) x (h + 6).
    EXPECT_EQ(TabContentRect(in, Rect(0, 3, 39, 22)), Rect(5, 6, 34, 19));
    in.Strip.Style = S::tsSingleSlant;
    EXPECT_EQ(TabContentRect(in, Rect(0, 3, 47, 22)), Rect(5, 7, 28, 20));
    in.Strip.Orientation = O::toBottom;
    EXPECT_EQ(TabContentRect(in, Rect(0, 3, 47, 22)), Rect(5, 6, 28, 19));
    in.Strip.Style = S::tsCutCorner, in.Strip.Orientation = O::toRight, in.CutCornerSize = 6;
    EXPECT_EQ(TabContentRect(in, Rect(0, 0, 36, 23)), Rect(3, 5, 24, 18));
}

}  // namespace
}  // namespace dlk
