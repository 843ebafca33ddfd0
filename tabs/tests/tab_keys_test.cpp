#include <gtest/gtest.h>

#include "framework/controls/image_list.h"
#include "tabs/core/color_helpers.h"
#include "tabs/tests/tab_control_fixture.h"

namespace dlk {
namespace {

using testing::TabWindow;

TEST(TabKeysTest, ArrowsHomeAndEndMoveOverSelectableTabsAsTheStripRuns) {
    using O = TKtTabOrientation;
    const TKtTabSequence st = TKtTabSequence::tsStandard, rv = TKtTabSequence::tsReverse;
    struct Case {
        O orientation;
        TKtTabSequence sequence;
        int from;
        Qt::Key key;
        int to;
    };
    // Five tabs; 0 and 3 cannot be selected.
    const Case cases[] = {
        {O::toTop, st, 2, Qt::Key_Right, 4},  {O::toTop, st, 4, Qt::Key_Down, 1},
        {O::toTop, st, 1, Qt::Key_Left, 4},   {O::toTop, rv, 2, Qt::Key_Left, 4},
        {O::toLeft, st, 2, Qt::Key_Up, 4},    {O::toLeft, st, 2, Qt::Key_Right, 1},
        {O::toLeft, rv, 2, Qt::Key_Down, 4},  {O::toTop, st, 1, Qt::Key_End, 4},
        {O::toTop, st, 2, Qt::Key_Home, 1},   {O::toTop, rv, 2, Qt::Key_Home, 4},
        {O::toLeft, st, 2, Qt::Key_Home, 4},  {O::toLeft, rv, 4, Qt::Key_Home, 1},
        {O::toRight, st, 1, Qt::Key_Down, 2}, {O::toBottom, st, 4, Qt::Key_Home, 1},
        {O::toTop, st, 2, Qt::Key_A, 2},
    };
    for (const Case& k : cases) {
        TabWindow w(5);
        auto& c = *w.tabs;
        c.Tabs().Items(0)->TabEnabled = false;
        c.Tabs().Items(3)->TabEnabled = false;
        c.SetTabOrientation(k.orientation);
        c.SetTabSequence(k.sequence);
        c.SetTabIndex(k.from);
        c.SetFocus();
        ASSERT_TRUE(c.Focused());
        c.Log.clear();
        QTest::keyClick(w.Window(), k.key);
        EXPECT_EQ(c.TabIndex(), k.to) << int(k.orientation) << "/" << int(k.sequence) << " " << k.from << " key "
                                      << k.key;
        if (k.to != k.from) {
            // Asked once, then selected without asking again.
            EXPECT_EQ(c.Log.front(), "changing " + std::to_string(k.to));
            EXPECT_EQ(c.Log.back(), "tab click");
        }
    }
}

TEST(TabKeysTest, ASelectionPastTheEndOrNoSelectableTabEndsTheSearch) {
    TabWindow w(5);
    auto& c = *w.tabs;
    c.SetTabIndex(4);
    c.Tabs().Clear();
    for (int i = 0; i < 3; ++i) c.Tabs().Add(std::make_unique<TKtTabData>());
    c.SetFocus();
    QTest::keyClick(w.Window(), Qt::Key_Right);
    EXPECT_EQ(c.TabIndex(), 0);
    for (int i = 0; i < 3; ++i) c.Tabs().Items(i)->TabEnabled = false;
    c.SetTabIndex(-1);
    for (Qt::Key key : {Qt::Key_Left, Qt::Key_Right, Qt::Key_Home, Qt::Key_End}) {
        QTest::keyClick(w.Window(), key);
        EXPECT_EQ(c.TabIndex(), -1);
    }
}

TEST(TabKeysTest, AltAndTheAcceleratorSelectsAnEnabledVisibleTab) {
    TabWindow w(4);
    auto& c = *w.tabs;
    const char* captions[] = {"&Связь", "&Save", "&Фильтр", "&Time"};
    for (int i = 0; i < 4; ++i) c.Tabs().Items(i)->Caption = captions[i];
    c.Tabs().Items(3)->TabVisible = false;
    struct Case {
        const char* what;
        std::function<void()> type;
        int selected;
    };
    const Case cases[] = {
        {"Alt+s", [&] { QTest::keyClick(w.Window(), Qt::Key_S, Qt::AltModifier); }, 1},
        {"Alt+Shift+S", [&] { QTest::keyClick(w.Window(), Qt::Key_S, Qt::AltModifier | Qt::ShiftModifier); }, 1},
        {"Cyrillic, same case", [&] { c.DialogChar(0x424, ssAlt); }, 2},
        {"Cyrillic, other case", [&] { c.DialogChar(0x444, ssAlt); }, 0},
        {"hidden", [&] { QTest::keyClick(w.Window(), Qt::Key_T, Qt::AltModifier); }, 0},
    };
    c.Tabs().Items(0)->Caption = "С&вязь";
    for (const Case& k : cases) {
        c.SetTabIndex(0);
        k.type();
        EXPECT_EQ(c.TabIndex(), k.selected) << k.what;
    }
    c.Tabs().Items(1)->TabEnabled = false;
    c.SetTabIndex(0);
    QTest::keyClick(w.Window(), Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(c.TabIndex(), 0);
    EXPECT_TRUE(c.Focused());
}

TEST(TabKeysTest, EachSetterRelayoutsOrRepaintsAsItsChangeNeeds) {
    TabWindow w(3);
    auto& c = *w.tabs;
    TImageList images(nullptr);
    struct Case {
        const char* what;
        std::function<void()> set;
        bool relayout, repaint;
    };
    const Case cases[] = {
        {"AlignTabs, one row", [&] { c.SetAlignTabs(true); }, false, false},
        {"BoldCurrentTab", [&] { c.SetBoldCurrentTab(true); }, true, true},
        {"MultiLine", [&] { c.SetMultiLine(true); }, true, true},
        {"AlignTabs, rows", [&] { c.SetAlignTabs(false); }, true, true},
        {"Margin", [&] { c.SetMargin(3); }, true, true},
        {"Margin negative", [&] { c.SetMargin(-1); }, false, false},
        {"RowIndent negative", [&] { c.SetRowIndent(-4); }, false, false},
        {"ImageMargin", [&] { c.SetImageMargin(4); }, true, true},
        {"Images", [&] { c.SetImages(&images); }, true, true},
        {"the same Images", [&] { c.SetImages(&images); }, true, true},
        {"UseGradients", [&] { c.SetUseGradients(false); }, false, true},
        {"HotTrackColor", [&] { c.SetHotTrackColor(clRed); }, false, true},
        {"UseColoredTabs", [&] { c.SetUseColoredTabs(true); }, false, true},
        {"FlatColor", [&] { c.SetFlatColor(clNavy); }, false, true},
        {"HotTrack", [&] { c.SetHotTrack(false); }, false, false},
        {"TabHints", [&] { c.SetTabHints(true); }, false, false},
        {"ShowFocusRect", [&] { c.SetShowFocusRect(false); }, false, false},
        {"equal value", [&] { c.SetMargin(3); }, false, false},
    };
    for (const Case& k : cases) {
        c.SetLayoutPending(false);
        c.FullRepaints = 0;
        k.set();
        EXPECT_EQ(c.LayoutPending(), k.relayout) << k.what;
        EXPECT_EQ(c.FullRepaints > 0, k.repaint) << k.what;
    }
    c.SetImages(nullptr);
    EXPECT_EQ(c.Margin(), 3);

    // However many changes come between two paints, the next lays out once.
    c.Repaint();
    c.Layouts = 0;
    c.SetMargin(4), c.SetRowIndent(2), c.SetTabWidth(50), c.SetBoldCurrentTab(false), c.SetMultiLine(false);
    c.Repaint();
    c.Repaint();
    EXPECT_EQ(c.Layouts, 1);
    // A selected tab that became disabled gives way at that paint.
    c.SetTabIndex(1);
    c.Tabs().Items(1)->TabEnabled = false;
    c.Log.clear();
    c.TabsChanged();
    c.Repaint();
    EXPECT_EQ(c.TabIndex(), 2);
    EXPECT_EQ(c.Log, (std::vector<std::string>{"changing 2", "change 2", "page change"}));

    // The frame and the shadow go together; the buttons' frames follow.
    c.SetShowFullFrame(false);
    EXPECT_FALSE(c.ShowShadow());
    c.SetShowShadow(true);
    EXPECT_TRUE(c.ShowFullFrame());
    c.SetShowCloseButton(true);
    auto* close = static_cast<TKtTabCloseButton*>(c.CloseButton());
    c.SetFlatColorAdjustment(20);
    EXPECT_EQ(close->FrameColor(), AdjustLuminance(clNavy, 20));

    // Its own background colour, until it follows the parent's again.
    w.form->SetColor(clTeal);
    EXPECT_EQ(c.BackgroundColor(), clTeal);
    c.SetBackgroundColor(clRed);
    EXPECT_FALSE(c.ParentBackgroundColor());
    c.SetParentBackgroundColor(true);
    EXPECT_EQ(c.BackgroundColor(), clTeal);
    EXPECT_TRUE(c.ParentBackgroundColor());
}

}  // namespace
}  // namespace dlk
