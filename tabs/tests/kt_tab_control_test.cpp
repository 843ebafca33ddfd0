#include "tabs/kt_tab_control.h"

#include <gtest/gtest.h>

#include "framework/tests/qt_test_app.h"

namespace dlk {
namespace {

TEST(TabControlCoreTest, NewControlDefaults) {
    testing::EnsureApplication();
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
}

}  // namespace
}  // namespace dlk
