#include <gtest/gtest.h>

#include <QMenu>
#include <stdexcept>
#include <tuple>

#include "framework/application/message_box.h"
#include "tabs/tests/tab_control_fixture.h"

namespace dlk {
namespace {

using testing::TabWindow;

struct Clicks {
    int upRight = 0, downLeft = 0;
    bool operator==(const Clicks&) const = default;
};

TKtTabScroller* MakeScroller(TabWindow& w, TOrientation o, Clicks& clicks) {
    auto* s = new TKtTabScroller(w.tabs);
    s->SetParent(w.tabs);
    s->SetOrientation(o);
    if (o == TOrientation::orHorizontal)
        s->SetBounds(100, 100, 31, 16);
    else
        s->SetBounds(100, 100, 16, 31);
    s->OnUpRightClick = [&clicks](TObject*) { ++clicks.upRight; };
    s->OnDownLeftClick = [&clicks](TObject*) { ++clicks.downLeft; };
    return s;
}

TEST(StripButtonsTest, AScrollerHalfClicksOnReleaseOnlyOverTheHalfThatWasPressed) {
    struct Case {
        const char* what;
        TOrientation orientation;
        TPoint press;
        std::vector<TPoint> moves;
        TPoint release;
        Clicks clicks;
    };
    const TOrientation h = TOrientation::orHorizontal, v = TOrientation::orVertical;
    const Case cases[] = {
        {"right half", h, {20, 8}, {}, {20, 8}, {1, 0}},
        {"middle column is right", h, {15, 8}, {}, {15, 8}, {1, 0}},
        {"left half", h, {14, 8}, {}, {14, 8}, {0, 1}},
        {"dragged off", h, {20, 8}, {{50, 8}}, {50, 8}, {0, 0}},
        {"off the half, still on the button", h, {20, 8}, {{5, 8}}, {5, 8}, {0, 0}},
        {"off and back", h, {20, 8}, {{50, 8}, {22, 9}}, {22, 9}, {1, 0}},
        {"top half", v, {8, 5}, {}, {8, 5}, {1, 0}},
        {"middle row is top", v, {8, 15}, {}, {8, 15}, {1, 0}},
        {"bottom half", v, {8, 16}, {}, {8, 16}, {0, 1}},
        {"bottom, off and back", v, {8, 25}, {{8, 60}, {8, 20}}, {8, 20}, {0, 1}},
    };
    for (const Case& c : cases) {
        TabWindow w(3);
        Clicks clicks;
        TKtTabScroller* s = MakeScroller(w, c.orientation, clicks);
        w.Press(*s, c.press);
        EXPECT_TRUE(s->Captured() && s->Inside() && s->MouseCapture()) << c.what;
        for (TPoint m : c.moves) w.Move(*s, m, true);
        w.Release(*s, c.release);
        EXPECT_EQ(clicks, c.clicks) << c.what;
        EXPECT_FALSE(s->Captured() || s->Inside() || s->MouseCapture()) << c.what;
    }
}

TEST(StripButtonsTest, HoldingAHalfRepeatsAfterTheDelayAndAFailingRepeatStopsOnce) {
    TabWindow w(3);
    Clicks clicks;
    TKtTabScroller* s = MakeScroller(w, TOrientation::orHorizontal, clicks);
    w.Press(*s, {20, 8});
    TTimer* t = s->RepeatTimer();
    ASSERT_NE(t, nullptr);
    EXPECT_TRUE(t->Enabled());
    EXPECT_EQ(t->Interval(), 400);
    for (int i = 0; i < 7; ++i) t->Timer();
    EXPECT_EQ(t->Interval(), 100);
    w.Release(*s, {20, 8});
    EXPECT_EQ(clicks, (Clicks{8, 0}));
    EXPECT_FALSE(t->Enabled());

    // A throwing repeat stops its timer and is shown once.
    int boxes = 0;
    SetMessageBoxAnswerer([&boxes](const MessageBoxRequest&) { return ++boxes, 1; });
    s->OnUpRightClick = [](TObject*) { throw std::runtime_error("scroll failed"); };
    w.Press(*s, {20, 8});
    QMetaObject::invokeMethod(qApp, [t] { Guarded([t] { t->Timer(); }); });
    QCoreApplication::processEvents();
    EXPECT_FALSE(t->Enabled());
    EXPECT_EQ(boxes, 1);
    SetMessageBoxAnswerer({});
    s->OnUpRightClick = nullptr;
    w.Release(*s, {20, 8});
}

TEST(StripButtonsTest, HalvesAreDisabledAtTheEndsTheStripRunsTowards) {
    struct Case {
        TKtTabOrientation orientation;
        TKtTabSequence sequence;
        bool atStartDownLeft, atStartUpRight;  // first shown tab 0
        bool atEndDownLeft, atEndUpRight;      // scrolled to the end
    };
    using O = TKtTabOrientation;
    const TKtTabSequence st = TKtTabSequence::tsStandard, rv = TKtTabSequence::tsReverse;
    const Case cases[] = {
        {O::toTop, st, false, true, true, false},    {O::toLeft, st, false, true, true, false},
        {O::toBottom, st, false, true, true, false}, {O::toRight, st, true, false, false, true},
        {O::toTop, rv, true, false, false, true},    {O::toLeft, rv, true, false, false, true},
        {O::toBottom, rv, true, false, false, true}, {O::toRight, rv, false, true, true, false},
    };
    // With tab 0 hidden the strip starts at tab 1.
    for (const Case& c : cases)
        for (const bool firstHidden : {false, true}) {
            TabWindow w(12, 300);
            w.tabs->SetTabOrientation(c.orientation);
            w.tabs->SetTabSequence(c.sequence);
            w.tabs->Tabs().Items(0)->TabVisible = !firstHidden;
            w.tabs->Relayout();
            ASSERT_TRUE(w.tabs->ScrollerNeeded());
            auto* s = static_cast<TKtTabScroller*>(w.tabs->Scroller());
            ASSERT_NE(s, nullptr);
            w.tabs->SetFirstShownTab(firstHidden ? 1 : 0);
            const std::string what = std::to_string(int(c.orientation)) + "/" + std::to_string(int(c.sequence)) +
                                     (firstHidden ? " tab 0 hidden" : "");
            EXPECT_EQ(s->HalfEnabled(0), c.atStartDownLeft) << what;
            EXPECT_EQ(s->HalfEnabled(1), c.atStartUpRight) << what;
            for (int i = 0; i < 12; ++i) w.tabs->ScrollTabs(true);
            EXPECT_GT(w.tabs->FirstShownTab(), 0) << what;
            EXPECT_EQ(s->HalfEnabled(0), c.atEndDownLeft) << what;
            EXPECT_EQ(s->HalfEnabled(1), c.atEndUpRight) << what;
        }
}

TEST(StripButtonsTest, TheMenuListsVisibleTabsAndTheCloseButtonClosesThroughOnClose) {
    TabWindow w(5);
    testing::TRecordingTabControl& c = *w.tabs;
    c.Tabs().Items(1)->TabVisible = false;
    c.Tabs().Items(3)->TabEnabled = false;
    c.Tabs().Items(3)->DisabledIndex = 4;
    c.Tabs().Items(3)->ImageIndex = 1;
    c.Tabs().Items(4)->ImageIndex = 2;
    c.SetTabIndex(2);
    c.SetShowMenuButton(true);
    c.SetShowCloseButton(true);
    c.Relayout();
    auto* menu = static_cast<TKtTabMenuButton*>(c.MenuButton());
    ASSERT_NE(menu, nullptr);
    w.Press(*menu, {2, 2});
    w.Release(*menu, {2, 2});
    TMenuItem& items = menu->Menu().Items();
    ASSERT_EQ(items.Count(), 4);
    // Tags 0, 2, 3, 4: tab 2 checked, tab 3 greyed with its disabled image.
    const std::vector<std::tuple<std::intptr_t, bool, bool, int>> expected = {
        {0, true, false, -1}, {2, true, true, -1}, {3, false, false, 4}, {4, true, false, 2}};
    for (int i = 0; i < 4; ++i) {
        const TMenuItem& it = *items.Items(i);
        EXPECT_EQ(std::make_tuple(it.Tag, it.Enabled(), it.Checked(), it.ImageIndex()), expected[std::size_t(i)]);
    }
    ASSERT_NE(menu->Menu().ShownMenu(), nullptr);
    menu->Menu().ShownMenu()->close();
    items.Items(3)->Click();
    EXPECT_EQ(c.TabIndex(), 4);

    // Without a handler nothing closes; with one that allows it, the
    // selected tab does.
    auto* close = c.CloseButton();
    ASSERT_NE(close, nullptr);
    w.tabs->Log.clear();
    w.Press(*close, {2, 2});
    w.Release(*close, {2, 2});
    EXPECT_TRUE(w.tabs->Log.empty());
    c.OnClose = [](TObject*, bool& allow) { allow = true; };
    w.Press(*close, {2, 2});
    w.Release(*close, {2, 2});
    EXPECT_EQ(w.tabs->Log, (std::vector<std::string>{"close 4"}));
}

TEST(StripButtonsTest, AShownControlWithAllItsButtonsGoesIdle) {
    TabWindow w(12, 300);
    w.tabs->SetShowMenuButton(true);
    w.tabs->SetShowCloseButton(true);
    w.tabs->Relayout();
    ASSERT_TRUE(w.tabs->Scroller() != nullptr && w.tabs->Scroller()->Showing());
    QTest::qWait(50);
    w.tabs->Paints = 0;
    QTest::qWait(500);
    EXPECT_LT(w.tabs->Paints, 5);
}

}  // namespace
}  // namespace dlk
