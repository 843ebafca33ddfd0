#include <QKeyEvent>
#include <functional>

#include "tabs/core/tab_data.h"
#include "tabs/core/tab_errors.h"
#include "tabs/tests/page_control_fixture.h"

namespace dlk::testing {

const ClassInfo& TRecordingPageControl::StaticClass() {
    static const ClassInfo info("TRecordingPageControl", &TKtPageControl::StaticClass(),
                                Creator<TRecordingPageControl>());
    return info;
}
DLK_REGISTER_CLASS(TRecordingPageControl);

namespace {

using Log = std::vector<std::string>;

TEST_F(PageControlTest, TheConfiguratorsStoredPageControlReadsBackQuietly) {
    TRecordingPageControl& pc = Read(kConfigWindow, "KtPageControl1");
    EXPECT_TRUE(pc.Log.empty());
    EXPECT_EQ(pc.Names(), "TabSheet2 TabSheet4 TabSheet1 TabSheet5 TabSheet3");
    EXPECT_EQ(pc.Names(true), "TabSheet2");
    EXPECT_EQ(pc.TabIndex(), 0);
    EXPECT_EQ(pc.FixedDimension(), 19);
    form->Show();
    pc.Widget()->grab();
    EXPECT_EQ(Page("TabSheet2").BoundsRect(), Rect(1, 23, 791, 216));

    // Without a unit four tabs go, with their pages.
    const char* four[] = {"TabSheet1", "TabSheet3", "TabSheet4", "TabSheet5"};
    for (const char* name : four) Page(name).SetTabVisible(false), Page(name).SetEnabled(false);
    EXPECT_EQ(pc.Tabs().Count(), 1);
    EXPECT_EQ(pc.TabIndex(), 0);
    for (const char* name : four) Page(name).SetTabVisible(true);
    // A disabled page: its controls are off, its tab is not.
    EXPECT_FALSE(Control("Speed").Widget()->isEnabled());
    EXPECT_TRUE(pc.Tabs().Items(1)->TabEnabled);
    pc.SetActivePage(&Page("TabSheet4"));
    pc.Log.clear();
    pc.SetActivePageIndex(0);  // the unit was removed
    EXPECT_EQ(pc.Log, (Log{"changing 0 from TabSheet4", "change TabSheet2", "page TabSheet2"}));
}

TEST_F(PageControlTest, SwitchingPagesRaisesItsEventsInOrder) {
    using Act = std::function<void(PageControlTest&, TRecordingPageControl&)>;
    auto page = [](const char* name) -> Act { return [=](auto& t, auto& pc) { pc.SetActivePage(&t.Page(name)); }; };
    auto ctrlTab = [](int times, bool back) -> Act {
        return [=](auto& t, auto&) {
            t.Control("EditA").SetFocus();
            for (int i = 0; i < times; ++i) {
                QKeyEvent key(QEvent::KeyPress, back ? Qt::Key_Backtab : Qt::Key_Tab,
                              back ? Qt::ControlModifier | Qt::ShiftModifier : Qt::ControlModifier);
                QCoreApplication::sendEvent(QApplication::focusWidget(), &key);
            }
        };
    };
    const Log toB{"changing 1 from A", "change B", "page B"}, toC{"changing 2 from A", "change C", "page C"};
    struct Case {
        const char* what;
        Act act;
        Log log;
        const char* shown;  // the active page, the only one shown
        int tabIndex;
        const char* focused = nullptr;
    };
    const Case cases[] = {
        {"ActivePage", page("C"), toC, "C", 2},
        {"ActivePageIndex", [](auto&, auto& pc) { pc.SetActivePageIndex(1); }, toB, "B", 1},
        {"ActivePageIndex -1", [](auto&, auto& pc) { pc.SetActivePageIndex(-1); }, {}, "A", -1},
        {"ActivePageIndex past the end", [](auto&, auto& pc) { pc.SetActivePageIndex(4); }, {}, "A", -1},
        {"a page without a tab", page("D"), {"page D"}, "D", -1},
        {"refused",
         [](auto& t, auto& pc) { pc.Allow = false, pc.SetActivePage(&t.Page("B")); },
         {"changing 1 from A"},
         "A",
         0},
        {"a disabled tab",
         [](auto& t, auto& pc) { t.Page("B").SetTabEnabled(false), pc.SetActivePage(&t.Page("B")); },
         {},
         "A",
         0},
        {"a click", [](auto& t, auto& pc) { QTest::mouseClick(t.Window(), Qt::LeftButton, {}, t.TabCentre(pc, 1)); },
         toB, "B", 1},
        {"Ctrl+Tab", ctrlTab(1, false), toB, "B", 1, "EditB"},
        {"Ctrl+Tab wraps past the page without a tab",
         ctrlTab(3, false),
         {"changing 1 from A", "change B", "page B", "changing 2 from B", "change C", "page C", "changing 0 from C",
          "change A", "page A"},
         "A",
         0,
         "EditA"},
        {"Ctrl+Shift+Tab wraps back", ctrlTab(1, true), toC, "C", 2, "EditC"},
    };
    for (const Case& c : cases) {
        TRecordingPageControl& pc = Read(kFourPages);
        ShowActive();
        c.act(*this, pc);
        EXPECT_EQ(pc.Log, c.log) << c.what;
        EXPECT_EQ(pc.Active(), c.shown) << c.what;
        EXPECT_EQ(pc.Names(true), c.shown) << c.what;
        EXPECT_EQ(pc.TabIndex(), c.tabIndex) << c.what;
        if (c.focused != nullptr) {
            EXPECT_TRUE(WaitUntil([&] { return Control(c.focused).Focused(); })) << c.what;
        }
    }
    // A page without a tab hands the focus on to its controls.
    page("D")(*this, *FindRequired<TRecordingPageControl>(*form, "Pages"));
    Control("Pages").SetFocus();
    EXPECT_TRUE(WaitUntil([&] { return Control("EditD").Focused(); }));
}

TEST_F(PageControlTest, TheTabsFollowThePages) {
    TRecordingPageControl& pc = Read(kFourPages);
    pc.SetActivePage(&Page("C"));
    pc.Log.clear();
    pc.Allow = false;  // another page's tab goes: the selection follows C unasked
    Page("A").SetTabVisible(false);
    EXPECT_EQ(pc.TabIndex(), 1);
    EXPECT_EQ(Page("A").TabIndexOf(), -1);
    Page("A").SetTabVisible(true);
    pc.Allow = true;
    Page("C").SetPageIndex(0);
    EXPECT_EQ(pc.Names(), "C A B D");
    EXPECT_EQ(pc.Tabs().Items(0)->Caption, "C");
    // C's tab number moved three times, the page never: no changing asked.
    EXPECT_EQ(pc.Log, (Log{"change C", "page C", "change C", "page C", "change C", "page C", "2>0"}));
    try {
        Page("C").SetPageIndex(4);
        ADD_FAILURE();
    } catch (const EKtTabControlError& e) {
        EXPECT_STREQ(e.what(), "4 is an invalid PageIndex value. PageIndex must be between 0 and 3");
    }
    EXPECT_THROW(Page("A").SetVisible(true), EKtTabControlError);

    // Closing selects the tab before; the last page leaves nothing.
    pc.MoveSelectedTab(3);
    EXPECT_EQ(pc.Names(), "A B D C");
    pc.CloseSelectedTab();
    EXPECT_EQ(pc.Active(), "B");
    while (pc.PageCount() > 0) {
        if (pc.ActivePage() == nullptr) pc.SetActivePageIndex(0);
        pc.CloseSelectedTab();
    }
    EXPECT_EQ(pc.TabIndex(), -1);
    EXPECT_EQ(pc.ActivePage(), nullptr);
    pc.MoveSelectedTab(0);  // no active page: nothing to move
}

TEST_F(PageControlTest, DestructionInEitherOrderCallsNoHandler) {
    const std::function<void(PageControlTest&)> orders[] = {
        [](PageControlTest& t) { delete &t.Page("A"); },
        [](PageControlTest& t) { delete &t.Control("Pages"); },
        [](PageControlTest& t) { t.form.reset(); },
    };
    for (const auto& destroy : orders) {
        TRecordingPageControl& pc = Read(kFourPages);
        ShowActive();
        int calls = 0;
        for (const char* name : {"A", "B", "C", "D"})
            Page(name).OnHide = Page(name).OnShow = [&calls](TObject*) { ++calls; };
        destroy(*this);
        EXPECT_EQ(calls, 0);
        if (form == nullptr) continue;
        if (FindOwned<TRecordingPageControl>(*form, "Pages") != nullptr) {
            EXPECT_EQ(pc.Names(), "B C D");  // out of the list and the strip
            EXPECT_EQ(pc.Tabs().Count(), 2);
        } else {
            EXPECT_EQ(FindOwned<TKtTabSheet>(*form, "B"), nullptr);  // the pages went with it
        }
        form.reset();
    }
}

// A press on a tab moves no focus by itself: a page change hands it from the
// old page to the new one, and only a click on the selected tab takes it to
// the strip, from where Tab goes on into the page shown.
TEST_F(PageControlTest, ClickingTabsMovesTheFocusAsThePagesChange) {
    struct Case {
        const char* what;
        const char* focusFirst;
        bool tabStop;
        std::vector<int> clicks;
        const char* focused;   // after the clicks
        const char* afterTab;  // after Tab then, nullptr: not pressed
    };
    const Case cases[] = {
        {"from an edit on the page", "EditA", true, {1}, "EditB", nullptr},
        {"on to a third page", "EditA", true, {1, 2}, "EditC", nullptr},
        {"the selected tab", "EditA", true, {0}, "Pages", "EditA"},
        {"from the strip", "EditA", true, {0, 2}, "Pages", "EditC"},
        {"no tab stop", "EditA", false, {0, 1}, "EditB", nullptr},
    };
    for (const Case& c : cases) {
        TRecordingPageControl& pc = Read(kFourPages);
        pc.SetTabStop(c.tabStop);
        ShowActive();
        Control(c.focusFirst).SetFocus();
        ASSERT_TRUE(WaitUntil([&] { return Control(c.focusFirst).Focused(); })) << c.what;
        for (int tab : c.clicks) QTest::mouseClick(Window(), Qt::LeftButton, {}, TabCentre(pc, tab));
        EXPECT_TRUE(WaitUntil([&] { return Control(c.focused).Focused(); }))
            << c.what << ": "
            << (QApplication::focusWidget() ? ControlOfWidget(QApplication::focusWidget())->Name() : "none");
        if (c.afterTab == nullptr) continue;
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QCoreApplication::sendEvent(QApplication::focusWidget(), &tab);
        EXPECT_TRUE(WaitUntil([&] { return Control(c.afterTab).Focused(); })) << c.what;
    }
}

// What a page's background handler drew stays only when it says so.
TEST_F(PageControlTest, APageIsFilledAfterABackgroundHandlerThatLeavesItUnhandled) {
    for (const bool handled : {false, true}) {
        TRecordingPageControl& pc = Read(kFourPages);
        TKtTabSheet& a = Page("A");
        a.SetColor(RGB(10, 200, 30));
        a.OnPaintBackground = [handled](TObject*, TCanvas& canvas, const TRect& r, bool& done) {
            canvas.Brush.Color = RGB(200, 0, 0);
            canvas.FillRect(r);
            done = handled;
        };
        ShowActive();
        ASSERT_EQ(pc.ActivePage(), &a);
        const QImage image = a.Widget()->grab().toImage();
        EXPECT_EQ(FromQColor(image.pixelColor(image.width() - 5, image.height() - 5)),
                  handled ? RGB(200, 0, 0) : RGB(10, 200, 30))
            << handled;
    }
}

}  // namespace
}  // namespace dlk::testing
