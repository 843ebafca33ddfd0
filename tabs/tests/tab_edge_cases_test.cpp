#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "tabs/tests/tab_control_fixture.h"

namespace dlk {
namespace {

std::unique_ptr<TKtCustomTabControl> Strip(int w, int h, const std::vector<std::string>& captions) {
    testing::EnsureApplication();
    auto c = std::make_unique<TKtCustomTabControl>(nullptr);
    c->SetBounds(0, 0, w, h);
    c->SetBackgroundColor(clAqua);
    for (const std::string& caption : captions) {
        c->Tabs().Add(std::make_unique<TKtTabData>());
        c->Tabs().Items(c->Tabs().Count() - 1)->Caption = caption;
    }
    c->TabsChanged();
    return c;
}

QImage Grab(TKtCustomTabControl& c) {
    return c.Widget()->grab().toImage();
}

// Tabs longer than a row take a row each, every one of them a row of the strip.
TEST(TabEdgeCasesTest, EveryMultiLineTabLiesOnARowOfTheStrip) {
    using S = TKtTabStyle;
    const struct {
        int w, h, tabWidth;
        TKtTabOrientation orientation;
        S style;
    } cases[] = {{120, 217, 90, TKtTabOrientation::toTop, S::tsSingleSlant},
                 {120, 217, 90, TKtTabOrientation::toBottom, S::tsRoundCorners},
                 {300, 120, 0, TKtTabOrientation::toLeft, S::tsDoubleSlant},
                 {60, 217, 90, TKtTabOrientation::toBottom, S::tsRoundCorners}};
    for (const auto& k : cases) {
        auto c = Strip(k.w, k.h, std::vector<std::string>(16, "Tab number 12"));
        c->SetTabOrientation(k.orientation), c->SetTabStyle(k.style), c->SetTabWidth(k.tabWidth);
        c->SetMultiLine(true);
        Grab(*c);
        for (int i = 0; i < 16; ++i) EXPECT_LT(c->Tabs().Items(i)->Row, c->RowCount()) << k.w << " tab " << i;
    }
}

// A card one pixel thick still shows; the letter underlined is the one that
// selects, the first marked line's.
TEST(TabEdgeCasesTest, ThinCardsAndOnlyTheSelectingAcceleratorArePainted) {
    for (const bool top : {true, false}) {
        auto c = Strip(200, 120, {"A", "B"});
        c->SetTabOrientation(top ? TKtTabOrientation::toTop : TKtTabOrientation::toLeft);
        Grab(*c);
        const int depth = c->StripDepth();
        c->SetBounds(0, 0, top ? 200 : depth + 1, top ? depth + 1 : 120);
        const QImage image = Grab(*c);
        EXPECT_NE(image.pixelColor(top ? 150 : depth, top ? depth : 5), QColor(Qt::cyan)) << top;
    }
    const struct {
        const char *a, *b;
        bool same;
    } captions[] = {{"&Ab\r\n&Cd", "&Ab\r\nCd", true},
                    {"&Ab\r\nCd", "Ab\r\nCd", false},
                    {"Ab\r\n&Cd", "Ab\r\nCd", false},
                    {"Ab\r\n&Cd\r\n&Ef", "Ab\r\n&Cd\r\nEf", true}};
    for (const auto& k : captions)
        EXPECT_EQ(Grab(*Strip(300, 100, {k.a})) == Grab(*Strip(300, 100, {k.b})), k.same) << k.a << " / " << k.b;
}

// The focus frame of a focused selected tab goes round its text box, with a
// caption or without.
TEST(TabEdgeCasesTest, TheFocusFrameIsARectangleAlsoWithoutACaption) {
    for (const char* caption : {"", "Tab"}) {
        testing::TabWindow w(3);
        auto& c = *w.tabs;
        c.Tabs().Items(0)->Caption = caption;
        c.TabsChanged(), c.SetTabIndex(0), c.SetFocus();
        ASSERT_TRUE(testing::WaitUntil([&] { return c.Focused(); }));
        c.SetShowFocusRect(false);
        const QImage without = Grab(c);
        c.SetShowFocusRect(true);
        const QImage with = Grab(c);
        QRect frame;
        for (int y = 0; y < with.height(); ++y)
            for (int x = 0; x < with.width(); ++x)
                if (with.pixel(x, y) != without.pixel(x, y)) frame |= QRect(x, y, 1, 1);
        EXPECT_GE(std::min(frame.width(), frame.height()), 4) << '"' << caption << '"';
    }
}

// Sizes beyond any screen neither wrap the arithmetic round nor keep a paint
// busy with what cannot show.
TEST(TabEdgeCasesTest, ExtremeSizesKeepTheStripInOrder) {
    using C = TKtCustomTabControl;
    const struct {
        void (C::*set)(int);
        int value;
    } cases[] = {{&C::SetTabWidth, INT_MAX},   {&C::SetTabHeight, INT_MAX}, {&C::SetTabHeight, 100000},
                 {&C::SetMargin, INT_MAX},     {&C::SetRowIndent, INT_MAX}, {&C::SetImageMargin, INT_MAX},
                 {&C::SetTabOverlap, INT_MAX}, {&C::SetTabOverlap, INT_MIN}};
    for (const auto& k : cases)
        for (const TKtTabOrientation o : {TKtTabOrientation::toTop, TKtTabOrientation::toLeft}) {
            const bool multiLine = o == TKtTabOrientation::toLeft;
            auto c = Strip(300, 200, {"One", "Two", "Three"});
            c->SetTabOrientation(o), c->SetMultiLine(multiLine), c->SetTabWidth(100000);
            (c.get()->*k.set)(k.value);
            Grab(*c);
            const TRect strip = c->StripRect();
            EXPECT_GE(c->StripDepth(), std::max(0, c->FixedDimension())) << k.value << " " << int(o);
            EXPECT_TRUE(strip.Left <= strip.Right && strip.Top <= strip.Bottom) << k.value << " " << int(o);
            for (int i = 0; i < 3; ++i)
                EXPECT_LE(c->Tabs().Items(i)->LayoutRect.Left, c->Tabs().Items(i)->LayoutRect.Right);
        }
}

}  // namespace
}  // namespace dlk
