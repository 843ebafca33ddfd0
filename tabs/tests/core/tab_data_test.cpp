#include "tabs/core/tab_data.h"

#include <gtest/gtest.h>

#include "framework/base/list_error.h"
#include "framework/text/str_to_int.h"
#include "tabs/core/color_sets.h"
#include "tabs/core/region_cache.h"

namespace dlk {
namespace {

// A tab that counts how many of its kind have been freed.
class CountingTab : public TKtTabData {
public:
    explicit CountingTab(int& freed) : freed_(freed) {}
    ~CountingTab() override { ++freed_; }

private:
    int& freed_;
};

TEST(TabDataTest, NewTabAndAssignKeepLayoutOfTheTarget) {
    TKtTabData tab;
    EXPECT_TRUE(tab.Caption.empty());
    EXPECT_EQ(tab.Color, clBtnFace);
    EXPECT_EQ(tab.DisabledIndex, -1);
    EXPECT_EQ(tab.ImageIndex, -1);
    EXPECT_TRUE(tab.TabEnabled);
    EXPECT_TRUE(tab.TabVisible);
    EXPECT_EQ(tab.LayoutRect, TRect{});
    EXPECT_EQ(tab.Row, 0);

    TKtTabData source;
    source.Caption = "Связь";
    source.Color = clRed;
    source.DisabledIndex = 3;
    source.TabEnabled = false;
    source.Hint = "hint";
    source.ImageIndex = 4;
    source.LayoutRect = Rect(1, 2, 3, 4);
    source.TabVisible = false;
    source.Row = 2;
    tab.LayoutRect = Rect(10, 20, 30, 40);
    tab.Row = 1;
    tab.Assign(source);
    EXPECT_EQ(tab.Caption, "Связь");
    EXPECT_EQ(tab.Color, clRed);
    EXPECT_EQ(tab.DisabledIndex, 3);
    EXPECT_FALSE(tab.TabEnabled);
    EXPECT_EQ(tab.Hint, "hint");
    EXPECT_EQ(tab.ImageIndex, 4);
    EXPECT_FALSE(tab.TabVisible);
    EXPECT_EQ(tab.LayoutRect, Rect(10, 20, 30, 40));
    EXPECT_EQ(tab.Row, 1);
    EXPECT_THROW(tab.Assign(TKtTabDataList()), EConvertError);
}

TEST(TabDataTest, ListOwnsItsTabs) {
    int freed = 0;
    {
        TKtTabDataList list;
        for (int i = 0; i < 4; ++i) EXPECT_EQ(list.Add(std::make_unique<CountingTab>(freed)), i);
        TKtTabData* second = list.Items(2);

        list.SetItem(2, std::make_unique<CountingTab>(freed));
        EXPECT_EQ(freed, 1);
        EXPECT_NE(list.Items(2), second);

        TKtTabData* same = list.Items(2);
        list.SetItem(2, std::unique_ptr<TKtTabData>(same));  // storing the tab already there
        EXPECT_EQ(freed, 1);
        EXPECT_EQ(list.Items(2), same);

        for (int bad : {-1, 4}) {
            EXPECT_THROW(list.Items(bad), EListError);
            EXPECT_THROW(list.SetItem(bad, nullptr), EListError);
        }
        list.Clear();
        EXPECT_EQ(freed, 5);
        EXPECT_EQ(list.Count(), 0);
        list.Add(std::make_unique<CountingTab>(freed));
    }
    EXPECT_EQ(freed, 6);
}

TEST(TabDataTest, AssigningAListCopiesItsTabs) {
    int freed = 0;
    TKtTabDataList source, target;
    for (const char* caption : {"a", "b", "c"}) {
        auto tab = std::make_unique<TKtTabData>();
        tab->Caption = caption;
        source.Add(std::move(tab));
    }
    for (int i = 0; i < 5; ++i) target.Add(std::make_unique<CountingTab>(freed));
    target.Assign(source);
    EXPECT_EQ(freed, 5);
    ASSERT_EQ(target.Count(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NE(target.Items(i), source.Items(i));
        EXPECT_EQ(target.Items(i)->Caption, source.Items(i)->Caption);
    }
    target.Assign(target);  // onto itself: nothing is lost
    EXPECT_EQ(target.Count(), 3);
    EXPECT_THROW(target.Assign(TKtTabData()), EConvertError);
}

TEST(ColorSetsTest, DefaultsAndRepaintOnlyOnAChange) {
    int repaints = 0;
    TKtTabColors tab([&] { ++repaints; });
    TKtTextColors text([&] { ++repaints; });
    EXPECT_EQ(tab.HighlightBar(), clHighlight);
    EXPECT_EQ(tab.Shadow(), clBtnFace);
    EXPECT_EQ(tab.Unselected(), clWindow);
    EXPECT_EQ(text.Disabled(), clGrayText);
    EXPECT_EQ(text.Selected(), clBtnText);
    EXPECT_EQ(text.Unselected(), clBtnText);

    struct Case {
        void (*set)(TKtTabColors&, TKtTextColors&, TColor);
        TColor value;
        int repaints;
    };
    const Case cases[] = {
        {[](TKtTabColors& t, TKtTextColors&, TColor c) { t.SetHighlightBar(c); }, clHighlight, 0},
        {[](TKtTabColors& t, TKtTextColors&, TColor c) { t.SetHighlightBar(c); }, clRed, 1},
        {[](TKtTabColors& t, TKtTextColors&, TColor c) { t.SetShadow(c); }, clBtnFace, 0},
        {[](TKtTabColors& t, TKtTextColors&, TColor c) { t.SetShadow(c); }, clGray, 1},
        {[](TKtTabColors& t, TKtTextColors&, TColor c) { t.SetUnselected(c); }, clWhite, 1},
        {[](TKtTabColors&, TKtTextColors& x, TColor c) { x.SetDisabled(c); }, clGrayText, 0},
        {[](TKtTabColors&, TKtTextColors& x, TColor c) { x.SetSelected(c); }, clNavy, 1},
        {[](TKtTabColors&, TKtTextColors& x, TColor c) { x.SetUnselected(c); }, clNavy, 1},
        {[](TKtTabColors&, TKtTextColors& x, TColor c) { x.SetUnselected(c); }, clNavy, 0},
    };
    for (const Case& c : cases) {
        repaints = 0;
        c.set(tab, text, c.value);
        EXPECT_EQ(repaints, c.repaints) << std::hex << c.value;
    }
    EXPECT_EQ(tab.Unselected(), clWhite);
    EXPECT_EQ(text.Selected(), clNavy);
}

TEST(ColorSetsTest, AssignCopiesWithinOneClassOnly) {
    int repaints = 0;
    TKtTabColors a([&] { ++repaints; });
    TKtTabColors b(nullptr);
    b.SetShadow(clRed);
    a.Assign(b);
    EXPECT_EQ(a.Shadow(), clRed);
    EXPECT_EQ(repaints, 1);
    a.Assign(b);
    EXPECT_EQ(repaints, 1);

    TKtTextColors text(nullptr);
    try {
        a.Assign(text);
        ADD_FAILURE() << "assigned across classes";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "Cannot assign a TKtTextColors to a TKtTabColors");
    }
    EXPECT_THROW(text.Assign(a), EConvertError);
    EXPECT_THROW(text.Assign(TKtTabData()), EConvertError);
}

// A region that reports when it is freed.
struct Region {
    explicit Region(std::vector<int>& freed, int id) : freed(freed), id(id) {}
    ~Region() { freed.push_back(id); }
    std::vector<int>& freed;
    int id;
};

class RegionCacheTest : public ::testing::Test {
protected:
    std::unique_ptr<Region> Make(int id) { return std::make_unique<Region>(freed, id); }
    static TRect R(int i) { return Rect(i, i, i + 10, i + 10); }
    int Found(int i) const {
        const Region* r = cache.FindRegion(R(i));
        return r != nullptr ? r->id : -1;
    }
    std::vector<int> freed;
    TKtTabRegionCache<Region> cache;
};

TEST_F(RegionCacheTest, CapacityOneKeepsTheLastShape) {
    EXPECT_EQ(cache.Capacity(), 1);
    cache.AddRegion(R(1), Make(1));
    cache.AddRegion(R(2), Make(2));
    EXPECT_EQ(freed, std::vector<int>{1});
    EXPECT_EQ(Found(1), -1);
    EXPECT_EQ(Found(2), 2);
    EXPECT_EQ(cache.FindRegion(Rect(2, 2, 12, 11)), nullptr);  // all four values must match
}

TEST_F(RegionCacheTest, LoweringTheCapacityKeepsTheNewest) {
    cache.SetCapacity(3);
    for (int i = 1; i <= 3; ++i) cache.AddRegion(R(i), Make(i));
    cache.SetCapacity(1);
    EXPECT_EQ(freed, (std::vector<int>{1, 2}));
    EXPECT_EQ(Found(3), 3);
    EXPECT_EQ(cache.Count(), 1);
}

TEST_F(RegionCacheTest, InvalidCapacitiesRaiseAndChangeNothing) {
    cache.SetCapacity(3);
    for (int bad : {0, -5, -2}) {
        try {
            cache.SetCapacity(bad);
            ADD_FAILURE() << bad;
        } catch (const EKtTabControlError& e) {
            EXPECT_STREQ(e.what(), "Capacity must be -1 (to cache all regions) or > 0");
        }
        EXPECT_EQ(cache.Capacity(), 3);
    }
    cache.SetCapacity(-1);
    for (int i = 1; i <= 20; ++i) cache.AddRegion(R(i), Make(i));
    EXPECT_EQ(cache.Count(), 20);
    EXPECT_TRUE(freed.empty());
}

TEST_F(RegionCacheTest, AHitMovesToTheFrontAndOwnsWhatItIsGiven) {
    cache.SetCapacity(3);
    for (int i = 1; i <= 3; ++i) cache.AddRegion(R(i), Make(i));  // 3, 2, 1
    cache.AddRegion(R(2), Make(22));                              // 2, 3, 1; the new one is dropped
    EXPECT_EQ(freed, std::vector<int>{22});
    EXPECT_EQ(Found(2), 2);
    cache.AddRegion(R(4), Make(4));  // 4, 2, 3: the oldest goes
    EXPECT_EQ(freed, (std::vector<int>{22, 1}));
    cache.AddRegion(R(5), Make(5));
    EXPECT_EQ(freed, (std::vector<int>{22, 1, 3}));
    cache.Clear();
    EXPECT_EQ(freed.size(), 6u);
}

}  // namespace
}  // namespace dlk
