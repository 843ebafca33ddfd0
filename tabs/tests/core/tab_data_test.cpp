#include "tabs/core/tab_data.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "framework/core/list_error.h"
#include "framework/core/str_to_int.h"
#include "tabs/core/color_sets.h"
#include "tabs/core/region_cache.h"

namespace dlk {
namespace {

auto Fields(const TKtTabData& t) {
    return std::make_tuple(t.Caption, t.Color, t.DisabledIndex, t.TabEnabled, t.Hint, t.ImageIndex, t.LayoutRect,
                           t.TabVisible, t.Row);
}

TEST(TabDataTest, NewTabAndAssignKeepLayoutOfTheTarget) {
    TKtTabData tab, source;
    EXPECT_EQ(Fields(tab), std::make_tuple(std::string(), clBtnFace, -1, true, std::string(), -1, TRect{}, true, 0));
    source.Caption = "Связь", source.Color = clRed, source.DisabledIndex = 3, source.TabEnabled = false;
    source.Hint = "hint", source.ImageIndex = 4, source.LayoutRect = Rect(1, 2, 3, 4), source.TabVisible = false;
    source.Row = 2;
    tab.LayoutRect = Rect(10, 20, 30, 40), tab.Row = 1;
    tab.Assign(source);
    EXPECT_EQ(Fields(tab), std::make_tuple(std::string("Связь"), clRed, 3, false, std::string("hint"), 4,
                                           Rect(10, 20, 30, 40), false, 1));
    EXPECT_THROW(tab.Assign(TKtTabDataList()), EConvertError);
}

// A tab that counts how many of its kind have been freed.
struct CountingTab : TKtTabData {
    explicit CountingTab(int& freed) : freed(freed) {}
    ~CountingTab() override { ++freed; }
    int& freed;
};

TEST(TabDataTest, ListOwnsItsTabsAndAssignCopiesThem) {
    int freed = 0;
    TKtTabDataList source;
    for (const char* caption : {"a", "b", "c"}) {
        source.Add(std::make_unique<TKtTabData>());
        source.Items(source.Count() - 1)->Caption = caption;
    }
    {
        TKtTabDataList list;
        for (int i = 0; i < 5; ++i) EXPECT_EQ(list.Add(std::make_unique<CountingTab>(freed)), i);
        list.SetItem(2, std::make_unique<CountingTab>(freed));
        EXPECT_EQ(freed, 1);
        TKtTabData* same = list.Items(2);
        list.SetItem(2, std::unique_ptr<TKtTabData>(same));  // the tab already there: nothing freed
        EXPECT_EQ(freed, 1);
        EXPECT_EQ(list.Items(2), same);
        for (int bad : {-1, 5}) EXPECT_THROW(list.Items(bad), EListError);
        EXPECT_THROW(list.SetItem(5, nullptr), EListError);

        list.Assign(source);
        EXPECT_EQ(freed, 6);
        ASSERT_EQ(list.Count(), 3);
        for (int i = 0; i < 3; ++i) {
            EXPECT_NE(list.Items(i), source.Items(i));
            EXPECT_EQ(list.Items(i)->Caption, source.Items(i)->Caption);
        }
        list.Assign(list);  // onto itself: nothing is lost
        EXPECT_EQ(list.Count(), 3);
        list.Add(std::make_unique<CountingTab>(freed));
    }
    EXPECT_EQ(freed, 7);
}

TEST(ColorSetsTest, DefaultsOneRepaintPerRealChangeAndAssignWithinAClass) {
    int repaints = 0;
    TKtTabColors tab([&] { ++repaints; });
    TKtTextColors text([&] { ++repaints; });
    auto all = [&] {
        return std::vector<TColor>{tab.HighlightBar(), tab.Shadow(),    tab.Unselected(),
                                   text.Disabled(),    text.Selected(), text.Unselected()};
    };
    const std::vector<TColor> defaults{clHighlight, clBtnFace, clWindow, clGrayText, clBtnText, clBtnText};
    EXPECT_EQ(all(), defaults);
    const std::function<void(TColor)> setters[] = {
        [&](TColor c) { tab.SetHighlightBar(c); }, [&](TColor c) { tab.SetShadow(c); },
        [&](TColor c) { tab.SetUnselected(c); },   [&](TColor c) { text.SetDisabled(c); },
        [&](TColor c) { text.SetSelected(c); },    [&](TColor c) { text.SetUnselected(c); }};
    for (std::size_t i = 0; i < 6; ++i) {
        repaints = 0;
        setters[i](defaults[i]);
        setters[i](clRed);
        setters[i](clRed);
        EXPECT_EQ(repaints, 1) << i;
    }
    EXPECT_EQ(all(), std::vector<TColor>(6, clRed));

    TKtTabColors other(nullptr);
    repaints = 0;
    tab.Assign(other);
    tab.Assign(other);
    EXPECT_EQ(tab.Shadow(), clBtnFace);
    EXPECT_EQ(repaints, 1);
    try {
        tab.Assign(text);
        ADD_FAILURE() << "assigned across classes";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "Cannot assign a TKtTextColors to a TKtTabColors");
    }
    EXPECT_THROW(text.Assign(tab), EConvertError);
}

// A region that reports its number when it is freed.
struct Region {
    Region(std::vector<int>& freed, int id) : freed(freed), id(id) {}
    ~Region() { freed.push_back(id); }
    std::vector<int>& freed;
    int id;
};

TEST(RegionCacheTest, CapacityEvictionHitsAndOwnership) {
    std::vector<int> freed;
    TKtTabRegionCache<Region> cache;
    auto add = [&](int id) { cache.AddRegion(Rect(id % 10, 0, 10, 10), std::make_unique<Region>(freed, id)); };
    auto found = [&](int i) {
        const Region* r = cache.FindRegion(Rect(i, 0, 10, 10));
        return r != nullptr ? r->id : -1;
    };
    EXPECT_EQ(cache.Capacity(), 1);
    add(1), add(2);  // capacity 1 keeps the last shape only
    EXPECT_EQ(freed, std::vector<int>{1});
    EXPECT_EQ(std::make_pair(found(1), found(2)), std::make_pair(-1, 2));

    cache.SetCapacity(3);
    add(3), add(4);  // 4, 3, 2
    add(13);         // a hit on 3: to the front, and the region given is dropped
    EXPECT_EQ(freed, (std::vector<int>{1, 13}));
    add(5);  // 5, 3, 4: the oldest goes
    EXPECT_EQ(freed, (std::vector<int>{1, 13, 2}));
    for (int bad : {0, -5, -2}) {
        try {
            cache.SetCapacity(bad);
            ADD_FAILURE() << bad;
        } catch (const EKtTabControlError& e) {
            EXPECT_STREQ(e.what(), "Capacity must be -1 (to cache all regions) or > 0");
        }
        EXPECT_EQ(cache.Capacity(), 3);
    }
    cache.SetCapacity(1);  // keeps the newest
    EXPECT_EQ(freed, (std::vector<int>{1, 13, 2, 4, 3}));
    EXPECT_EQ(found(5), 5);

    cache.SetCapacity(-1);
    for (int i = 6; i < 10; ++i) add(i);
    EXPECT_EQ(cache.Count(), 5);
    cache.Clear();
    EXPECT_EQ(freed.size(), 10u);
}

}  // namespace
}  // namespace dlk
