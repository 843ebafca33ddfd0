#include "tabs/core/tab_face_layout.h"

#include <gtest/gtest.h>

#include "tabs/core/color_helpers.h"

namespace dlk {
namespace {

using Orient = TKtTabOrientation;

TEST(TabFaceLayoutTest, FillsRunFromTheOuterEdgeToTheCard) {
    const TColor edge = RGB(10, 20, 30), fill = RGB(200, 210, 220), own = RGB(90, 0, 0), white = RGB(255, 255, 255);
    struct Case {
        Orient orientation;
        bool selected, colored, trueColor;
        TColor tab;
        TKtTabFill expected;
    } const cases[] = {
        {Orient::toTop, false, false, true, own, {true, 2, edge, fill}},
        {Orient::toBottom, false, false, true, own, {true, 2, fill, edge}},
        {Orient::toLeft, false, false, true, own, {true, 5, edge, fill}},
        {Orient::toRight, false, false, true, own, {true, 5, fill, edge}},
        {Orient::toTop, false, false, false, own, {false, 0, fill, fill}},
        {Orient::toTop, true, false, true, own, {false, 0, clBtnFace, clBtnFace}},
        {Orient::toTop, false, true, true, own, {true, 2, DarkenColor(own, 30), own}},
        {Orient::toTop, false, true, true, white, {true, 2, ColorToRGB(clBtnFace), white}},
        {Orient::toTop, true, true, true, own, {false, 0, own, own}},
    };
    for (const Case& c : cases) {
        const TKtTabFill f =
            TabFill({c.orientation, c.selected, c.colored, true, c.trueColor, c.tab, clBtnFace, fill, edge});
        EXPECT_EQ(std::tuple(f.Gradient, f.Direction, f.From, f.To),
                  std::tuple(c.expected.Gradient, c.expected.Direction, c.expected.From, c.expected.To))
            << int(c.orientation) << c.selected << c.colored << c.trueColor;
    }
}

TEST(TabFaceLayoutTest, AcceleratorsAreTheCharacterAfterTheFirstMark) {
    struct Case {
        const char* line;
        std::vector<std::string> parts;
        int underlined;
    } const cases[] = {
        {"Связь", {"Связь"}, -1},          {"&Связь", {"", "С", "вязь"}, 1}, {"Fi&le", {"Fi", "l", "e"}, 1},
        {"A&&B&C", {"A&", "", "B&C"}, -1}, {"File&", {"File", "", ""}, 1},
    };
    for (const Case& c : cases) {
        const TKtAcceleratorParts p = SplitAccelerator(c.line);
        EXPECT_EQ(p.Parts, c.parts) << c.line;
        EXPECT_EQ(p.Underlined, c.underlined) << c.line;
    }
}

TEST(TabFaceLayoutTest, CaptionLinesStackDownOrAcrossTheirRotation) {
    using H = TKtHorizontalAlignment;
    using V = TKtVerticalAlignment;
    struct Case {
        TOrientation text;
        Orient tab;
        H h;
        V v;
        TRect fitted;
        std::vector<TPoint> origins;
    } const cases[] = {
        // Box (10, 10, 50, 60), caption 20 x 26 in lines of 20 x 13 and 10 x 13.
        {TOrientation::orHorizontal,
         Orient::toTop,
         H::haCenter,
         V::vaCenter,
         Rect(10, 22, 50, 48),
         {{20, 22}, {25, 35}}},
        {TOrientation::orHorizontal,
         Orient::toTop,
         H::haRight,
         V::vaBottom,
         Rect(10, 34, 50, 60),
         {{30, 34}, {40, 47}}},
        // Vertical: lines measured turned, 13 x 20 and 13 x 10, whole 26 x 20.
        {TOrientation::orVertical, Orient::toLeft, H::haCenter, V::vaTop, Rect(17, 10, 43, 60), {{17, 30}, {30, 20}}},
        {TOrientation::orVertical, Orient::toRight, H::haLeft, V::vaTop, Rect(10, 10, 36, 60), {{36, 10}, {23, 10}}},
    };
    for (const Case& c : cases) {
        const bool v = c.text == TOrientation::orVertical;
        TKtCaptionInput in{Rect(10, 10, 50, 60),
                           c.text,
                           c.tab,
                           c.h,
                           c.v,
                           v ? TSize{26, 20} : TSize{20, 26},
                           v ? std::vector<TSize>{{13, 20}, {13, 10}} : std::vector<TSize>{{20, 13}, {10, 13}}};
        const TKtCaptionPlacement p = PlaceCaption(in);
        EXPECT_EQ(p.Fitted, c.fitted) << int(c.tab) << int(c.h) << int(c.v);
        EXPECT_EQ(p.Origins, c.origins) << int(c.tab) << int(c.h) << int(c.v);
    }
    const TRect tab = Rect(10, 10, 50, 30);
    EXPECT_EQ(HighlightBarRect(tab, Orient::toTop), Rect(9, 9, 51, 15));
    EXPECT_EQ(HighlightBarRect(tab, Orient::toRight), Rect(47, 9, 51, 31));
    EXPECT_EQ(FocusRectFor(tab, Orient::toTop, TKtTabStyle::tsRoundCorners), Rect(9, 11, 51, 31));
    EXPECT_EQ(FocusRectFor(tab, Orient::toLeft, TKtTabStyle::tsRoundCorners), Rect(12, 9, 50, 31));
}

}  // namespace
}  // namespace dlk
