#include <QKeyEvent>
#include <functional>

#include "framework/base/list_error.h"
#include "framework/controls/std_controls.h"
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

// The configurator's window as it stores its page control.
constexpr const char* kConfigWindow = R"form(
Form1 : TForm {
  ClientWidth = 792
  ClientHeight = 277
  KtPageControl1 : TRecordingPageControl {
    Align = alTop
    Width = 792
    Height = 217
    ActivePage = @TabSheet2
    TabIndex = 0
    TabStyle = tsRoundCorners
    HotTrack = False
    HotTrackColor = clBlack
    ShowFocusRect = False
    ShowShadow = False
    DblClickUndocks = False
    ParentFont = False
    Font.Name = "Verdana"
    Font.Height = -11
    FixedDimension = 19
    TabSheet2 : TKtTabSheet { Caption = "График работы" }
    TabSheet4 : TKtTabSheet { Caption = "RS-232 (COM-порт)"
      Speed : TEdit { Left = 8  Top = 8  Width = 80  Height = 21 } }
    TabSheet1 : TKtTabSheet { Caption = "Настройки" }
    TabSheet5 : TKtTabSheet { Caption = "SMS-сообщения" }
    TabSheet3 : TKtTabSheet { Caption = "Перепрошивка" }
  }
}
)form";

TEST_F(PageControlTest, TheConfiguratorsStoredPageControlReadsBackQuietly) {
    TRecordingPageControl& pc = Read(kConfigWindow, "KtPageControl1");
    EXPECT_TRUE(pc.Log.empty());
    EXPECT_EQ(pc.Order(), "TabSheet2 TabSheet4 TabSheet1 TabSheet5 TabSheet3");
    EXPECT_EQ(pc.Active(), "TabSheet2");
    EXPECT_EQ(pc.Shown(), "TabSheet2");
    EXPECT_EQ(pc.TabIndex(), 0);
    EXPECT_EQ(pc.FixedDimension(), 19);
    EXPECT_FALSE(pc.DblClickUndocks);

    form->Show();
    pc.Widget()->grab();
    EXPECT_EQ(Page("TabSheet2").BoundsRect(), Rect(1, 23, 791, 216));

    // The configurator without a unit: four tabs off, with their pages.
    for (const char* name : {"TabSheet1", "TabSheet3", "TabSheet4", "TabSheet5"}) {
        Page(name).SetTabVisible(false);
        Page(name).SetEnabled(false);
    }
    EXPECT_EQ(pc.Tabs().Count(), 1);
    EXPECT_EQ(pc.TabIndex(), 0);
    for (const char* name : {"TabSheet1", "TabSheet3", "TabSheet4", "TabSheet5"}) Page(name).SetTabVisible(true);
    pc.Log.clear();

    // A disabled page: its controls are off, its tab is not.
    EXPECT_FALSE(Control("Speed").Widget()->isEnabled());
    EXPECT_TRUE(pc.Tabs().Items(1)->TabEnabled);
    pc.SetActivePage(&Page("TabSheet4"));
    EXPECT_EQ(pc.Active(), "TabSheet4");
    pc.Log.clear();

    // The unit was removed: back to the first page.
    pc.SetActivePageIndex(0);
    EXPECT_EQ(pc.Log, (std::vector<std::string>{"changing 0 from TabSheet4", "change TabSheet2", "page TabSheet2"}));
}

TEST_F(PageControlTest, SwitchingPagesRaisesItsEventsInOrder) {
    using Log = std::vector<std::string>;
    struct Case {
        const char* what;
        std::function<void(PageControlTest&, TRecordingPageControl&)> act;
        Log log;
        const char* active;
        int tabIndex;
        const char* shown;
    };
    auto page = [](const char* name) {
        return [name](PageControlTest& t, TRecordingPageControl& pc) { pc.SetActivePage(&t.Page(name)); };
    };
    auto ctrlTab = [](const char* edit, int times, bool back) {
        return [=](PageControlTest& t, TRecordingPageControl&) {
            t.Control(edit).SetFocus();
            for (int i = 0; i < times; ++i) {
                QKeyEvent key(QEvent::KeyPress, back ? Qt::Key_Backtab : Qt::Key_Tab,
                              back ? Qt::ControlModifier | Qt::ShiftModifier : Qt::ControlModifier);
                QCoreApplication::sendEvent(QApplication::focusWidget(), &key);
            }
        };
    };
    const Case cases[] = {
        {"ActivePage", page("C"), {"changing 2 from A", "change C", "page C"}, "C", 2, "C"},
        {"ActivePageIndex",
         [](auto&, auto& pc) { pc.SetActivePageIndex(1); },
         {"changing 1 from A", "change B", "page B"},
         "B",
         1,
         "B"},
        {"ActivePageIndex -1", [](auto&, auto& pc) { pc.SetActivePageIndex(-1); }, {}, "A", -1, "A"},
        {"ActivePageIndex past the end", [](auto&, auto& pc) { pc.SetActivePageIndex(4); }, {}, "A", -1, "A"},
        {"a page without a tab", page("D"), {"page D"}, "D", -1, "D"},
        {"refused",
         [](auto& t, auto& pc) {
             pc.Allow = false;
             pc.SetActivePage(&t.Page("B"));
         },
         {"changing 1 from A"},
         "A",
         0,
         "A"},
        {"a disabled tab",
         [](auto& t, auto& pc) {
             t.Page("B").SetTabEnabled(false);
             pc.SetActivePage(&t.Page("B"));
         },
         {},
         "A",
         0,
         "A"},
        {"Ctrl+Tab", ctrlTab("EditA", 1, false), {"changing 1 from A", "change B", "page B"}, "B", 1, "B"},
        {"Ctrl+Tab wraps past the page without a tab",
         ctrlTab("EditA", 3, false),
         {"changing 1 from A", "change B", "page B", "changing 2 from B", "change C", "page C", "changing 0 from C",
          "change A", "page A"},
         "A",
         0,
         "A"},
        {"Ctrl+Shift+Tab wraps back",
         ctrlTab("EditA", 1, true),
         {"changing 2 from A", "change C", "page C"},
         "C",
         2,
         "C"},
    };
    for (const Case& c : cases) {
        TRecordingPageControl& pc = Read(kFourPages);
        ShowActive();
        c.act(*this, pc);
        EXPECT_EQ(pc.Log, c.log) << c.what;
        EXPECT_EQ(pc.Active(), c.active) << c.what;
        EXPECT_EQ(pc.TabIndex(), c.tabIndex) << c.what;
        EXPECT_EQ(pc.Shown(), c.shown) << c.what;
    }
}

TEST_F(PageControlTest, TheFocusGoesToTheFirstControlOfTheNewPage) {
    TRecordingPageControl& pc = Read(kFourPages);
    ShowActive();
    Control("EditA").SetFocus();
    ASSERT_TRUE(WaitUntil([&] { return Control("EditA").Focused(); }));
    pc.SetActivePage(&Page("B"));
    EXPECT_TRUE(WaitUntil([&] { return Control("EditB").Focused(); }));
    // A page without a tab hands the focus on to its controls.
    pc.SetActivePage(&Page("D"));
    pc.SetFocus();
    EXPECT_TRUE(WaitUntil([&] { return Control("EditD").Focused(); }));
}

TEST_F(PageControlTest, TheTabsFollowThePages) {
    TRecordingPageControl& pc = Read(kFourPages);
    pc.SetActivePage(&Page("C"));
    pc.Log.clear();
    // Another page's tab goes: the selection follows C without asking.
    pc.Allow = false;
    Page("A").SetTabVisible(false);
    EXPECT_EQ(pc.TabIndex(), 1);
    EXPECT_EQ(pc.Log, (std::vector<std::string>{"change C", "page C"}));
    EXPECT_EQ(Page("B").TabIndexOf(), 0);
    EXPECT_EQ(Page("A").TabIndexOf(), -1);
    pc.Allow = true;
    Page("A").SetTabVisible(true);
    pc.Log.clear();

    // Moving: C to the front, then past the end (refused, nothing moves).
    Page("C").SetPageIndex(0);
    EXPECT_EQ(pc.Order(), "C A B D");
    EXPECT_EQ(pc.Tabs().Items(0)->Caption, "C");
    struct Bad {
        int index;
        const char* message;
    };
    for (const Bad& b : {Bad{4, "4 is an invalid PageIndex value. PageIndex must be between 0 and 3"},
                         Bad{-1, "-1 is an invalid PageIndex value. PageIndex must be between 0 and 3"}}) {
        try {
            Page("C").SetPageIndex(b.index);
            ADD_FAILURE() << b.index;
        } catch (const EKtTabControlError& e) {
            EXPECT_STREQ(e.what(), b.message);
        }
    }
    EXPECT_EQ(pc.Order(), "C A B D");
    // C's tab number changed: the change events, then the order.
    EXPECT_EQ(pc.Log, (std::vector<std::string>{"change C", "page C", "order 2>0"}));
    EXPECT_THROW(Page("A").SetVisible(true), EKtTabControlError);
    EXPECT_THROW(pc.Pages(4), EListError);

    // A page's own colour turns coloured tabs on; the control's colour
    // reaches the pages only while they are off.
    Page("B").SetColor(clRed);
    EXPECT_TRUE(pc.UseColoredTabs());
    EXPECT_EQ(pc.Tabs().Items(2)->Color, clRed);
    pc.SetUseColoredTabs(false);
    EXPECT_EQ(Page("B").GetColor(), pc.Color());

    // Closing: the tab before is selected; the last page leaves nothing.
    pc.MoveSelectedTab(3);  // C is active: to the end
    EXPECT_EQ(pc.Order(), "A B D C");
    pc.CloseSelectedTab();
    EXPECT_EQ(pc.Active(), "B");
    EXPECT_EQ(pc.TabIndex(), 1);
    while (pc.PageCount() > 0) {
        if (pc.ActivePage() == nullptr) pc.SetActivePageIndex(0);
        pc.CloseSelectedTab();
    }
    EXPECT_EQ(pc.TabIndex(), -1);
    EXPECT_EQ(pc.ActivePage(), nullptr);
    pc.MoveSelectedTab(0);  // no active page: nothing to move
}

TEST_F(PageControlTest, SaveResourcesDropsTheHiddenPagesAndShowingTakesThemBack) {
    TRecordingPageControl& pc = Read(kFourPages);
    pc.SetSaveResources(true);
    EXPECT_TRUE(Page("A").HandleAllocated());
    EXPECT_FALSE(Page("B").HandleAllocated());
    pc.SetActivePage(&Page("B"));
    EXPECT_TRUE(Page("B").HandleAllocated());
    EXPECT_FALSE(Page("A").HandleAllocated());
    EXPECT_EQ(Page("A").ControlCount(), 1);
}

TEST_F(PageControlTest, PagesPaintTheirBackgroundUnlessTheHandlerDid) {
    TRecordingPageControl& pc = Read(kFourPages);
    ShowActive();
    TKtTabSheet& a = Page("A");
    a.SetColor(clLime);
    struct Case {
        bool handled;
        QColor corner;
    };
    for (const Case& c : {Case{true, QColor(Qt::blue)}, Case{false, QColor(Qt::green)}}) {
        a.OnPaintBackground = [&](TObject*, TCanvas& canvas, const TRect& r, bool& handled) {
            canvas.Brush.Color = clBlue;
            canvas.FillRect(r);
            handled = c.handled;
        };
        EXPECT_EQ(a.Widget()->grab().toImage().pixelColor(0, 0), c.corner) << c.handled;
    }
    (void)pc;
}

TEST_F(PageControlTest, DestructionInEitherOrderCallsNoHandler) {
    struct Case {
        const char* what;
        std::function<void(PageControlTest&)> destroy;
    };
    const Case cases[] = {
        {"a page first", [](PageControlTest& t) { delete &t.Page("A"); }},
        {"the page control first", [](PageControlTest& t) { delete &t.Control("Pages"); }},
        {"the whole window", [](PageControlTest& t) { t.form.reset(); }},
    };
    for (const Case& c : cases) {
        TRecordingPageControl& pc = Read(kFourPages);
        ShowActive();
        int calls = 0;
        for (const char* name : {"A", "B", "C", "D"}) {
            Page(name).OnHide = [&calls](TObject*) { ++calls; };
            Page(name).OnShow = [&calls](TObject*) { ++calls; };
        }
        c.destroy(*this);
        EXPECT_EQ(calls, 0) << c.what;
        if (form == nullptr) continue;
        if (std::string(c.what) == "a page first") {
            // Gone from the list and the strip; no page is active.
            EXPECT_EQ(pc.Order(), "B C D");
            EXPECT_EQ(pc.Tabs().Count(), 2);
            EXPECT_EQ(pc.Active(), "none");
        } else {
            EXPECT_EQ(FindOwned<TKtTabSheet>(*form, "A"), nullptr);
        }
        form.reset();
    }
}

}  // namespace
}  // namespace dlk::testing
