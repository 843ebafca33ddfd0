#include <gtest/gtest.h>

#include <climits>

#include "framework/controls/drag.h"
#include "tabs/tests/tab_control_fixture.h"

namespace dlk {
namespace {

using testing::TabWindow;
using Log = std::vector<std::string>;

TEST(TabMouseTest, ClicksSelectInOrderAndRefusedOrDisabledTabsStay) {
    TabWindow w(5);
    ASSERT_TRUE(w.Active);
    auto& c = *w.tabs;
    c.Tabs().Items(4)->TabEnabled = false;
    c.Refuse = 3;
    struct Case {
        int tab;
        Log log;
        int selected;
    };
    const Case cases[] = {
        {2, {"changing 2", "change 2", "page change", "tab click"}, 2},
        {3, {"changing 3"}, 2},  // refused
        {4, {}, 2},              // disabled
        {2, {"tab click"}, 2},   // the selected tab again: focus, and a click
    };
    for (const Case& k : cases) {
        c.Log.clear();
        w.Press(c, w.Middle(k.tab));
        w.Release(c, w.Middle(k.tab));
        EXPECT_EQ(c.Log, k.log) << k.tab;
        EXPECT_EQ(c.TabIndex(), k.selected) << k.tab;
        EXPECT_EQ(c.DragCandidate(), k.tab);
    }
    EXPECT_TRUE(c.Focused());
    // Outside the list: no selection, and no change event.
    for (int v : {5, -2}) {
        c.SetTabIndex(2);
        c.Log.clear();
        c.SetTabIndex(v);
        EXPECT_EQ(c.TabIndex(), -1);
        EXPECT_TRUE(c.Log.empty());
    }
}

TEST(TabMouseTest, WhereTabsOverlapTheSelectedOneIsHit) {
    TabWindow w(3);
    auto& c = *w.tabs;
    TPoint overlap{};
    for (int selected : {0, 1}) {
        c.SetTabIndex(selected);
        const TRect a = c.GetTabClientRect(0), b = c.GetTabClientRect(1);
        ASSERT_LT(b.Left, a.Right);
        // A point inside both shapes.
        bool found = false;
        for (int x = b.Left; x < a.Right && !found; ++x)
            for (int y = a.Top; y < a.Bottom && !found; ++y)
                if (c.GetTabRegion(0, a)->Contains({x, y}) && c.GetTabRegion(1, b)->Contains({x, y}))
                    overlap = {x, y}, found = true;
        ASSERT_TRUE(found) << selected;
        EXPECT_EQ(c.TabAtPoint(overlap.X, overlap.Y), selected);
    }
    // Tabs removed while the strip was scrolled: nothing is hit.
    c.SetFirstShownTab(2);
    c.Tabs().Clear();
    w.Move(c, overlap);
    EXPECT_EQ(c.TabAtPoint(overlap.X, overlap.Y), -1);
}

TEST(TabMouseTest, HotTrackingFollowsThePointerWithTheTabsHint) {
    TabWindow w(4);
    auto& c = *w.tabs;
    c.SetTabHints(true);
    c.SetShowHint(true);
    c.SetHint("control");
    struct Step {
        TPoint at;
        int hot;
        const char* hint;
    };
    const TPoint card{50, 120}, freeStrip{390, 5};
    const Step steps[] = {
        {w.Middle(1), 1, "hint 1"},
        {w.Middle(2), 2, "hint 2"},
        {freeStrip, -1, ""},
        {w.Middle(0), 0, "hint 0"},
    };
    for (const Step& s : steps) {
        w.Move(c, s.at);
        EXPECT_EQ(c.HotTabIndex(), s.hot);
        EXPECT_EQ(c.Widget()->toolTip().toStdString(), s.hint) << s.hot;
    }
    // The hover timer notices the pointer has gone without a move.
    SetCursorPosSource([&c, card] { return c.ClientToScreen(card); });
    c.Perform(WM_TIMER, TKtCustomTabControl::kHotTrackTimerId);
    SetCursorPosSource({});
    EXPECT_EQ(c.HotTabIndex(), -1);
    EXPECT_EQ(c.Hint(), "");  // saved when loading finished: none here
    // With neither hot-tracking nor hints a move changes nothing.
    c.SetHotTrack(false);
    c.SetTabHints(false);
    w.Move(c, w.Middle(1));
    EXPECT_EQ(c.HotTabIndex(), -1);
}

TEST(TabMouseTest, DraggingTheSelectedTabShowsTheMarkerAndDropsItThere) {
    TabWindow w(4);
    auto& c = *w.tabs;
    c.SetAllowTabDragging(true);
    c.SetTabIndex(1);
    w.Press(c, w.Middle(1));
    w.Move(c, w.Middle(1), true);  // arms the drag
    const TPoint target = w.Middle(3);
    w.Move(c, target, true);
    ASSERT_TRUE(c.Dragging());
    EXPECT_EQ(c.DropTarget(), 3);
    EXPECT_TRUE(c.DropMarkerShown());
    EXPECT_EQ(c.DropMarkerRect(), c.DropMarkerRectFor(3));
    c.Repaint();                   // drawn into the control's own image
    w.Move(c, w.Middle(1), true);  // over itself: refused, the marker goes
    EXPECT_FALSE(c.DropMarkerShown());
    w.Move(c, target, true);
    c.Log.clear();
    w.Release(c, target);
    EXPECT_EQ(c.Log, Log{"order 1 to 3"});
    EXPECT_FALSE(c.DropMarkerShown());
    EXPECT_FALSE(c.Dragging());

    // A press whose selection was refused arms no drag of the selected tab.
    c.Refuse = 2;
    w.Press(c, w.Middle(2));
    w.Move(c, w.Middle(2), true);
    w.Move(c, w.Middle(0), true);
    EXPECT_EQ(DragSource(), nullptr);
    w.Release(c, w.Middle(0));
}

TEST(TabMouseTest, HoldingADraggedTabBeyondTheStripEndScrollsIt) {
    struct Case {
        TKtTabSequence sequence;
        int first, after;
        bool straightOff = false;  // out of the control from the tab, not over the card
    };
    const Case cases[] = {{TKtTabSequence::tsStandard, 0, 1},
                          {TKtTabSequence::tsReverse, 3, 2},
                          {TKtTabSequence::tsStandard, 0, 1, true},
                          {TKtTabSequence::tsReverse, 3, 2, true}};
    for (const Case& k : cases) {
        TabWindow w(12, 300);
        auto& c = *w.tabs;
        c.SetTabSequence(k.sequence);
        c.SetAllowTabDragging(true);
        c.Relayout();
        c.SetFirstShownTab(k.first);
        c.SetTabIndex(k.first);
        ASSERT_TRUE(c.ScrollerNeeded());
        const TPoint beyond{c.Width() + 5, 10};
        w.Press(c, w.Middle(k.first));
        w.Move(c, w.Middle(k.first), true);
        w.Move(c, {w.Middle(k.first).X + 12, 10}, true);  // the drag starts on the tab
        w.Move(c, k.straightOff ? beyond : TPoint{150, 120}, true);
        TTimer* t = c.DragScrollTimer();
        ASSERT_NE(t, nullptr);
        EXPECT_TRUE(t->Enabled());
        EXPECT_EQ(t->Interval(), 400);
        SetCursorPosSource([&c, beyond] { return c.ClientToScreen(beyond); });
        t->Timer();
        SetCursorPosSource({});
        EXPECT_EQ(t->Interval(), 300);
        EXPECT_EQ(c.FirstShownTab(), k.after) << int(k.sequence);
        c.EndDrag(false);
        w.Release(c, {150, 120});
    }
}

TEST(TabMouseTest, SelectingRotatesRowsOrScrollsTheTabIntoView) {
    TabWindow w(9, 200);
    auto& c = *w.tabs;
    c.SetMultiLine(true);
    c.Relayout();
    ASSERT_EQ(c.RowCount(), 3);
    std::vector<TRect> before;
    for (int i = 0; i < 9; ++i) before.push_back(c.Tabs().Items(i)->LayoutRect);
    const int far = 8;
    const int farRow = c.Tabs().Items(far)->Row;
    ASSERT_EQ(farRow, 2);
    c.SetTabIndex(far);
    for (int i = 0; i < 9; ++i) {
        const TKtTabData& t = *c.Tabs().Items(i);
        EXPECT_EQ(t.LayoutRect.Left, before[std::size_t(i)].Left) << i;
        EXPECT_EQ(t.LayoutRect.Right, before[std::size_t(i)].Right) << i;
    }
    EXPECT_EQ(c.Tabs().Items(far)->Row, 0);
    EXPECT_EQ(c.Tabs().Items(far)->LayoutRect.Top, before[0].Top);

    // One row that does not fit: selecting a tab beyond the shown part
    // scrolls to it, never stopping on a hidden tab (whose rectangle is
    // stale), and back.
    TabWindow s(12, 300);
    auto& d = *s.tabs;
    d.Tabs().Items(1)->TabVisible = false;
    d.Relayout();
    // Left over from before it was hidden: where a later tab is now.
    d.Tabs().Items(1)->LayoutRect = d.Tabs().Items(11)->LayoutRect;
    d.SetTabIndex(11);
    EXPECT_TRUE(d.IsTabFullyShown(11));
    EXPECT_TRUE(d.Tabs().Items(d.FirstShownTab())->TabVisible) << d.FirstShownTab();
    d.SetTabIndex(0);
    EXPECT_EQ(d.FirstShownTab(), 0);
}

}  // namespace
}  // namespace dlk

namespace dlk {
namespace {

// Hot-tracking repaints the strip; the card's shadow below it stays as it was.
TEST(TabMouseTest, TheCardsShadowStaysWhileATabIsHotTracked) {
    TabWindow w(3);
    auto& c = *w.tabs;
    ASSERT_TRUE(c.ShowShadow());
    ASSERT_TRUE(c.HotTrack());
    c.SetTabIndex(0);
    const QImage before = c.Widget()->grab().toImage();
    const TRect strip = c.StripRect();
    for (int hot : {1, 2, 0}) {
        w.Move(c, w.Middle(hot));
        ASSERT_EQ(c.HotTabIndex(), hot);
        const QImage during = c.Widget()->grab().toImage();
        int changed = 0;
        for (int y = strip.Bottom; y < before.height(); ++y)
            for (int x = 0; x < before.width(); ++x) changed += before.pixel(x, y) != during.pixel(x, y);
        EXPECT_EQ(changed, 0) << hot;
    }
}

// Where the marker reaches above a top strip it is moved in, whole.
TEST(TabMouseTest, TheDropMarkerKeepsAllItsRowsInsideTheControl) {
    for (const TKtTabStyle style : {TKtTabStyle::tsSingleSlant, TKtTabStyle::tsRoundCorners}) {
        TabWindow w(4);
        auto& c = *w.tabs;
        c.SetTabStyle(style);
        c.SetAllowTabDragging(true);
        c.Relayout();
        c.SetTabIndex(1);
        const QImage before = c.Widget()->grab().toImage();
        w.Press(c, w.Middle(1));
        w.Move(c, w.Middle(1), true);
        w.Move(c, w.Middle(3), true);
        ASSERT_TRUE(c.DropMarkerShown());
        const QImage marked = c.Widget()->grab().toImage();
        int top = INT_MAX, bottom = INT_MIN;
        for (int y = 0; y < before.height(); ++y)
            for (int x = 0; x < before.width(); ++x)
                if (before.pixel(x, y) != marked.pixel(x, y)) top = std::min(top, y), bottom = std::max(bottom, y);
        // Its last row is all triangle, which the inversion leaves as it was.
        EXPECT_EQ(bottom - top + 1, c.DropMarkerRect().Height() - 1) << int(style);
        c.EndDrag(false);
        w.Release(c, w.Middle(3));
    }
}

}  // namespace
}  // namespace dlk
