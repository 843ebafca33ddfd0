#include <gtest/gtest.h>

#include <QFontInfo>
#include <climits>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/tests/qt_test_app.h"
#include "tabs/kt_tab_control.h"
#include "tabs/tests/tab_control_fixture.h"

namespace dlk {
namespace {

using testing::TabWindow;

const TColor kBack = RGB(0, 128, 128);

std::unique_ptr<TKtCustomTabControl> Strip(int w, int h, const std::vector<std::string>& captions) {
    testing::EnsureApplication();
    auto c = std::make_unique<TKtCustomTabControl>(nullptr);
    c->SetBounds(0, 0, w, h);
    TFont font = c->Font();
    font.Name = "Verdana";
    font.Height = -11;
    c->SetFont(font);
    c->SetBackgroundColor(kBack);
    for (const std::string& caption : captions) {
        auto tab = std::make_unique<TKtTabData>();
        tab->Caption = caption;
        c->Tabs().Add(std::move(tab));
    }
    c->TabsChanged();
    return c;
}

QImage Grab(TKtCustomTabControl& c) {
    return c.Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The bounding box of the pixels in which two pictures differ.
TRect Difference(const QImage& a, const QImage& b) {
    TRect box{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                box = {std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x + 1),
                       std::max(box.Bottom, y + 1)};
    return box;
}

// Tabs longer than a row each take a row of their own, and every one of
// those rows is a row of the strip.
TEST(TabEdgeCasesTest, EveryMultiLineTabLiesOnARowOfTheStrip) {
    struct Case {
        int w, h, tabWidth, count;
        TKtTabOrientation orientation;
        TKtTabStyle style;
        TKtTabSequence sequence;
    };
    using O = TKtTabOrientation;
    using S = TKtTabStyle;
    const TKtTabSequence st = TKtTabSequence::tsStandard, rv = TKtTabSequence::tsReverse;
    const Case cases[] = {
        {120, 217, 90, 16, O::toTop, S::tsSingleSlant, st},  {120, 217, 90, 16, O::toTop, S::tsRoundCorners, st},
        {120, 217, 90, 16, O::toBottom, S::tsCutCorner, rv}, {120, 217, 110, 16, O::toTop, S::tsDoubleSlant, st},
        {300, 120, 0, 16, O::toLeft, S::tsSingleSlant, st},  {60, 300, 0, 12, O::toTop, S::tsBackSlant, st},
    };
    for (const Case& k : cases) {
        std::vector<std::string> captions;
        for (int i = 0; i < k.count; ++i) captions.push_back("Tab number " + std::to_string(i));
        auto c = Strip(k.w, k.h, captions);
        c->SetTabOrientation(k.orientation);
        c->SetTabStyle(k.style);
        c->SetTabSequence(k.sequence);
        c->SetTabWidth(k.tabWidth);
        c->SetMultiLine(true);
        Grab(*c);
        const std::string what = std::to_string(k.w) + "x" + std::to_string(k.h) + " style " +
                                 std::to_string(int(k.style)) + " " + std::to_string(int(k.orientation));
        for (int i = 0; i < k.count; ++i) {
            EXPECT_LT(c->Tabs().Items(i)->Row, c->RowCount()) << what << " tab " << i;
            EXPECT_GE(c->Tabs().Items(i)->Row, 0) << what << " tab " << i;
        }
    }
}

// A card one pixel thick still shows its edge.
TEST(TabEdgeCasesTest, ACardOnePixelThickIsPainted) {
    for (const TKtTabOrientation o : {TKtTabOrientation::toTop, TKtTabOrientation::toLeft}) {
        auto c = Strip(200, 120, {"A", "B"});
        c->SetTabOrientation(o);
        Grab(*c);
        const int depth = c->StripDepth();
        const bool top = o == TKtTabOrientation::toTop;
        c->SetBounds(0, 0, top ? 200 : depth + 1, top ? depth + 1 : 120);
        const QImage image = Grab(*c);
        const TRect card = c->CardRect(0);
        ASSERT_EQ(top ? card.Top : card.Left, top ? card.Bottom : card.Right) << int(o);
        const TPoint probe = top ? TPoint{150, depth} : TPoint{depth, 5};
        EXPECT_NE(FromQColor(image.pixelColor(probe.X, probe.Y)), kBack) << int(o);
    }
}

// The letter underlined is the one that selects: the first marked line's.
TEST(TabEdgeCasesTest, OnlyTheSelectingLinesAcceleratorIsUnderlined) {
    struct Case {
        const char *a, *b;
        bool same;
    } const cases[] = {
        {"&Ab\r\n&Cd", "&Ab\r\nCd", true},  // a later line's mark is only hidden
        {"&Ab\r\nCd", "Ab\r\nCd", false},   // the first line's is underlined
        {"Ab\r\n&Cd", "Ab\r\nCd", false},   // the first mark may be on a later line
        {"Ab\r\n&Cd\r\n&Ef", "Ab\r\n&Cd\r\nEf", true},
    };
    for (const Case& k : cases) {
        auto a = Strip(300, 100, {k.a, "x"}), b = Strip(300, 100, {k.b, "x"});
        EXPECT_EQ(Grab(*a) == Grab(*b), k.same) << k.a << " / " << k.b;
    }
}

// A focused selected tab draws its focus frame round the text box, with a
// caption or without.
TEST(TabEdgeCasesTest, TheFocusFrameIsARectangleAlsoWithoutACaption) {
    for (const char* caption : {"", "Tab"}) {
        TabWindow w(3);
        ASSERT_TRUE(w.Active);
        auto& c = *w.tabs;
        c.Tabs().Items(0)->Caption = caption;
        c.TabsChanged();
        c.SetTabIndex(0);
        c.SetFocus();
        ASSERT_TRUE(testing::WaitUntil([&] { return c.Focused(); }));
        c.SetShowFocusRect(false);
        const QImage without = Grab(c);
        c.SetShowFocusRect(true);
        const TRect frame = Difference(without, Grab(c));
        EXPECT_GE(frame.Width(), 4) << '"' << caption << '"';
        EXPECT_GE(frame.Height(), 4) << '"' << caption << '"';
    }
}

// Sizes far beyond any screen neither wrap the arithmetic round nor make a
// paint do more work than the control can show.
TEST(TabEdgeCasesTest, ExtremeSizesKeepTheStripInOrder) {
    using Set = std::function<void(TKtCustomTabControl&)>;
    struct Case {
        const char* what;
        Set set;
    };
    const Case cases[] = {
        {"TabWidth", [](TKtCustomTabControl& c) { c.SetTabWidth(INT_MAX); }},
        {"TabHeight", [](TKtCustomTabControl& c) { c.SetTabHeight(INT_MAX); }},
        {"both 100000", [](TKtCustomTabControl& c) { c.SetTabWidth(100000), c.SetTabHeight(100000); }},
        {"Margin", [](TKtCustomTabControl& c) { c.SetMargin(INT_MAX); }},
        {"RowIndent", [](TKtCustomTabControl& c) { c.SetRowIndent(INT_MAX); }},
        {"RowOverlap", [](TKtCustomTabControl& c) { c.SetRowOverlap(INT_MAX); }},
        {"ImageMargin", [](TKtCustomTabControl& c) { c.SetImageMargin(INT_MAX); }},
        {"TabOverlap", [](TKtCustomTabControl& c) { c.SetTabOverlap(INT_MAX); }},
        {"TabOverlap below", [](TKtCustomTabControl& c) { c.SetTabOverlap(INT_MIN); }},
        {"CutCornerSize",
         [](TKtCustomTabControl& c) { c.SetTabStyle(TKtTabStyle::tsCutCorner), c.SetCutCornerSize(INT_MAX); }},
    };
    for (const Case& k : cases)
        for (const TKtTabOrientation o : {TKtTabOrientation::toTop, TKtTabOrientation::toLeft})
            for (const bool multiLine : {false, true}) {
                auto c = Strip(300, 200, {"One", "Two", "Three"});
                c->SetTabOrientation(o);
                c->SetMultiLine(multiLine);
                k.set(*c);
                Grab(*c);
                const std::string what =
                    std::string(k.what) + " " + std::to_string(int(o)) + (multiLine ? " rows" : "");
                EXPECT_GE(c->FixedDimension(), 0) << what;
                EXPECT_GE(c->StripDepth(), c->FixedDimension()) << what;
                const TRect strip = c->StripRect();
                EXPECT_LE(strip.Left, strip.Right) << what;
                EXPECT_LE(strip.Top, strip.Bottom) << what;
                for (int i = 0; i < 3; ++i) {
                    const TRect r = c->Tabs().Items(i)->LayoutRect;
                    EXPECT_LE(r.Left, r.Right) << what << " tab " << i;
                    EXPECT_LE(r.Top, r.Bottom) << what << " tab " << i;
                }
            }
}

}  // namespace
}  // namespace dlk
