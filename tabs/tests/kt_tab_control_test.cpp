#include "tabs/kt_tab_control.h"

#include <gtest/gtest.h>

#include "framework/components/description_reader.h"
#include "framework/components/description_writer.h"
#include "framework/components/properties.h"
#include "framework/controls/form.h"
#include "framework/controls/std_controls.h"
#include "framework/tests/qt_test_app.h"
#include "tabs/environment.h"

namespace dlk {
namespace {

// A tab control that counts its relayout requests and, like a page control
// whose pages attach while they are read, takes its tabs from the
// description.
class TTabProbe : public TKtCustomTabControl {
    DLK_COMPONENT(TTabProbe)
public:
    explicit TTabProbe(TComponent* owner) : TKtCustomTabControl(owner) {}
    int Changes = 0;
    int IndexBeforeLoaded = -5;
    void TabsChanged() override {
        ++Changes;
        TKtCustomTabControl::TabsChanged();
    }
    void Loaded() override {
        IndexBeforeLoaded = TabIndex();
        TKtCustomTabControl::Loaded();
    }
    int TabCount() const { return Tabs().Count(); }
    void SetTabCount(int n) {
        while (Tabs().Count() < n) {
            auto tab = std::make_unique<TKtTabData>();
            tab->Caption = "Tab " + std::to_string(Tabs().Count());
            Tabs().Add(std::move(tab));
        }
    }
    void SetFirstShownTab(int v) { first_shown_tab_ = v; }
};

const ClassInfo& TTabProbe::StaticClass() {
    using T = TTabProbe;
    static const ClassInfo info("TTabProbe", &TKtCustomTabControl::StaticClass(), Creator<T>(),
                                {prop::Int<T>("TabCount", &T::TabCount, &T::SetTabCount, 0)});
    return info;
}
DLK_REGISTER_CLASS(TTabProbe);

class TabControlCoreTest : public ::testing::Test {
protected:
    void SetUp() override { testing::EnsureApplication(); }
};

TEST_F(TabControlCoreTest, NewControlDefaults) {
    ASSERT_NE(FindClass("TKtCustomTabControl"), nullptr);
    TKtCustomTabControl c(nullptr);
    const struct {
        const char* what;
        long long got, want;
    } cases[] = {
        {"Width", c.Width(), 300},
        {"Height", c.Height(), 100},
        {"tabs", c.Tabs().Count(), 0},
        {"TabIndex", c.TabIndex(), -1},
        {"RowCount", c.RowCount(), 1},
        {"LayoutPending", c.LayoutPending(), 1},
        {"TabStop", c.TabStop(), 1},
        {"CutCornerSize", c.CutCornerSize(), 6},
        {"FlatColor", c.FlatColor(), clBtnShadow},
        {"HotTrackColor", c.HotTrackColor(), 0x00149BF0},
        {"ImageMargin", c.ImageMargin(), 2},
        {"RowIndent", c.RowIndent(), 5},
        {"RowOverlap", c.RowOverlap(), 5},
        {"TabOverlap", c.TabOverlap(), -1},
        {"ShowShadow", c.ShowShadow(), 1},
        {"ParentBackgroundColor", c.ParentBackgroundColor(), 1},
        {"UseGradients", c.UseGradients(), 1},
        {"HotTrack", c.HotTrack(), 1},
        {"TabStyle", int(c.TabStyle()), int(TKtTabStyle::tsSingleSlant)},
        {"HotTrackColorType", int(c.HotTrackColorType()), int(TKtHotTrackColorType::htctActual)},
        {"RegionCacheCapacity", c.RegionCacheCapacity(), 1},
        {"StoredTabIndex", c.StoredTabIndex(), 0},
        {"CardVisible", c.CardVisible(), 1},
        {"HotTabIndex", c.HotTabIndex(), -1},
    };
    for (const auto& k : cases) EXPECT_EQ(k.got, k.want) << k.what;
    EXPECT_FALSE(c.DoClose());  // no handler: no tab ever closes
    c.OnClose = [](TObject*, bool& allow) { allow = true; };
    EXPECT_TRUE(c.DoClose());
}

TEST_F(TabControlCoreTest, ShapeSettersRefuseNegativeSizesAndRelayoutOnlyWhenItMatters) {
    TTabProbe c(nullptr);
    const struct {
        const char* what;
        std::function<void()> set;
        std::function<int()> get;
        int value, changes;
    } cases[] = {
        {"TabHeight -1", [&] { c.SetTabHeight(-1); }, [&] { return c.TabHeight(); }, 0, 0},
        {"TabWidth -5", [&] { c.SetTabWidth(-5); }, [&] { return c.TabWidth(); }, 0, 0},
        {"CutCornerSize -1", [&] { c.SetCutCornerSize(-1); }, [&] { return c.CutCornerSize(); }, 6, 0},
        {"TabHeight 20", [&] { c.SetTabHeight(20); }, [&] { return c.TabHeight(); }, 20, 1},
        {"TabHeight 20 again", [&] { c.SetTabHeight(20); }, [&] { return c.TabHeight(); }, 20, 0},
        {"TabOverlap -3", [&] { c.SetTabOverlap(-3); }, [&] { return c.TabOverlap(); }, -3, 1},
        {"round corners", [&] { c.SetTabStyle(TKtTabStyle::tsRoundCorners); }, [&] { return int(c.TabStyle()); },
         int(TKtTabStyle::tsRoundCorners), 1},
        {"CutCornerSize 10, not cut", [&] { c.SetCutCornerSize(10); }, [&] { return c.CutCornerSize(); }, 10, 0},
        {"cut corners", [&] { c.SetTabStyle(TKtTabStyle::tsCutCorner); }, [&] { return int(c.TabStyle()); },
         int(TKtTabStyle::tsCutCorner), 1},
        {"CutCornerSize 8, cut", [&] { c.SetCutCornerSize(8); }, [&] { return c.CutCornerSize(); }, 8, 1},
        {"capacity 0", [&] { c.SetRegionCacheCapacity(0); }, [&] { return c.RegionCache().Capacity(); }, 1, 0},
        {"capacity -2", [&] { c.SetRegionCacheCapacity(-2); }, [&] { return c.RegionCacheCapacity(); }, 1, 0},
        {"capacity -1", [&] { c.SetRegionCacheCapacity(-1); }, [&] { return c.RegionCache().Capacity(); }, -1, 0},
    };
    for (const auto& k : cases) {
        const int before = c.Changes;
        EXPECT_NO_THROW(k.set()) << k.what;
        EXPECT_EQ(k.get(), k.value) << k.what;
        EXPECT_EQ(c.Changes - before, k.changes) << k.what;
    }
}

TEST_F(TabControlCoreTest, VerticalTextTurnsABitmapFontIntoVerdana) {
    TKtCustomTabControl c(nullptr);
    TFont f = c.Font();
    f.Name = "MS Sans Serif";
    c.SetFont(f);
    SetTrueTypeFontTest([](const TFont& font) { return font.Name != "MS Sans Serif"; });
    c.SetTextOrientation(TOrientation::orVertical);
    EXPECT_EQ(c.Font().Name, "Verdana");
    EXPECT_EQ(c.TabFont().Name, "Verdana");
    f.Name = "DejaVu Sans";
    c.SetFont(f);
    c.SetTextOrientation(TOrientation::orHorizontal);
    EXPECT_EQ(c.Font().Name, "DejaVu Sans");
    SetTrueTypeFontTest(nullptr);
}

TEST_F(TabControlCoreTest, TabFontIsTurnedForVerticalTextAndRestoredInTurn) {
    TKtCustomTabControl c(nullptr);
    const TCanvas& canvas = c.OffscreenBitmap().Canvas();
    const struct {
        TOrientation text;
        TKtTabOrientation strip;
        int escapement;
    } cases[] = {
        {TOrientation::orHorizontal, TKtTabOrientation::toRight, 0},
        {TOrientation::orVertical, TKtTabOrientation::toTop, 900},
        {TOrientation::orVertical, TKtTabOrientation::toLeft, 900},
        {TOrientation::orVertical, TKtTabOrientation::toBottom, 900},
        {TOrientation::orVertical, TKtTabOrientation::toRight, 2700},
    };
    for (const auto& k : cases) {
        c.SetTextOrientation(k.text);
        c.SetTabOrientation(k.strip);
        c.SelectTabFont();
        EXPECT_EQ(canvas.Font.Orientation, k.escapement) << int(k.strip);
        c.SelectTabFont();  // calls nest
        c.RestoreTabFont();
        EXPECT_EQ(canvas.Font.Orientation, k.escapement);
        c.RestoreTabFont();
        EXPECT_EQ(canvas.Font.Orientation, 0);
        EXPECT_EQ(canvas.SavedDCCount(), 0);
    }
}

TEST_F(TabControlCoreTest, StoredTabIndexWaitsForLoadedAndFixedDimensionIsAlwaysWritten) {
    TForm form(nullptr);
    int changes = 0;
    // While reading, the font is left as stored; Loaded turns it.
    SetTrueTypeFontTest([](const TFont& font) { return font.Name != "MS Sans Serif"; });
    ReadComponent(form, R"(
Form1 : TForm {
  Tab1 : TTabProbe {
    TabIndex = 2  FixedDimension = 19  TabCount = 3
    TextOrientation = orVertical  Font.Name = "MS Sans Serif"
  }
}
)",
                  "probe.form");
    SetTrueTypeFontTest(nullptr);
    auto* tab = FindRequired<TTabProbe>(form, "Tab1");
    tab->OnChange = [&](TObject*) { ++changes; };
    EXPECT_EQ(tab->IndexBeforeLoaded, -1);
    EXPECT_EQ(tab->TabIndex(), 2);
    EXPECT_EQ(tab->FixedDimension(), 19);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(tab->Font().Name, "Verdana");

    tab->SetFixedDimension(0);
    EXPECT_NE(WriteComponent(form).find("FixedDimension = 0"), std::string::npos) << WriteComponent(form);
}

TEST_F(TabControlCoreTest, ImageListThatDiesLeavesNoImages) {
    TForm form(nullptr);
    auto* tab = new TKtCustomTabControl(&form);
    auto* list = new TImageList(&form);
    tab->SetImages(list);
    EXPECT_EQ(tab->Images(), list);
    delete list;
    EXPECT_EQ(tab->Images(), nullptr);
}

TEST_F(TabControlCoreTest, ScrollOffsetIgnoresAFirstShownTabPastTheList) {
    TTabProbe c(nullptr);
    c.SetTabCount(2);
    c.Tabs().Items(1)->LayoutRect = Rect(40, 0, 90, 19);
    c.SetFirstShownTab(1);
    EXPECT_EQ(c.ScrollOffset(), 40);
    for (int stale : {2, 7, -3}) {
        c.SetFirstShownTab(stale);
        EXPECT_EQ(c.ScrollOffset(), 0) << stale;
    }
}

// The configurator's page control, with the captions of its five pages.
TEST_F(TabControlCoreTest, ConfiguratorStripWithItsStoredRowThickness) {
    TForm form(nullptr);
    ReadComponent(form, R"(
Form1 : TForm {
  ClientWidth = 800
  ClientHeight = 400
  Tabs1 : TKtCustomTabControl {
    Width = 792
    Height = 217
    TabStyle = tsRoundCorners
    ShowShadow = False
    Font.Name = "Verdana"
    Font.Height = -11
    FixedDimension = 19
    Page1 : TPanel { Align = alClient }
  }
}
)",
                  "config.form");
    auto* tabs = FindRequired<TKtCustomTabControl>(form, "Tabs1");
    auto* page = FindRequired<TPanel>(form, "Page1");
    for (const char* caption : {"График работы", "RS-232 (COM-порт)", "Настройки", "SMS-сообщения", "Перепрошивка"}) {
        auto t = std::make_unique<TKtTabData>();
        t->Caption = caption;
        tabs->Tabs().Add(std::move(t));
    }
    tabs->Realign();
    EXPECT_EQ(tabs->StripDepth(), 22);
    EXPECT_EQ(tabs->StripRect(), Rect(0, 0, 791, 22));
    EXPECT_EQ(tabs->CardRect(0), Rect(0, 22, 791, 216));
    EXPECT_EQ(tabs->DisplayRect(), Rect(1, 23, 791, 216));
    EXPECT_EQ(page->BoundsRect(), Bounds(1, 23, 790, 193));

    tabs->LayoutTabs();
    tabs->UpdateScrollerNeeded();
    EXPECT_EQ(tabs->FixedDimension(), 19);
    EXPECT_EQ(tabs->RowCount(), 1);
    EXPECT_FALSE(tabs->ScrollerNeeded());
    for (int i = 0; i < 5; ++i) {
        const TKtTabData& t = *tabs->Tabs().Items(i);
        EXPECT_EQ(t.Row, 0);
        EXPECT_EQ(t.LayoutRect.Top, 3);
        EXPECT_EQ(t.LayoutRect.Bottom, 22);
        if (i > 0) {
            EXPECT_EQ(t.LayoutRect.Left, tabs->Tabs().Items(i - 1)->LayoutRect.Right + 2);
        }
    }
    EXPECT_LT(tabs->Tabs().Items(4)->LayoutRect.Right, 791 - 36);
    EXPECT_EQ(tabs->ButtonSize(), 17);
    EXPECT_EQ(tabs->TabRectToClient(tabs->Tabs().Items(0)->LayoutRect), tabs->Tabs().Items(0)->LayoutRect);
}

}  // namespace
}  // namespace dlk
