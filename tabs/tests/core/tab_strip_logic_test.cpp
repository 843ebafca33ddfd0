#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tabs/core/tab_rows.h"
#include "tabs/core/tab_search.h"

namespace dlk {
namespace {

// Rows given as the row of each tab; a tab of row r lies across r*10..r*10+9
// and along i*20..i*20+19. -1: a hidden tab (on stale row 7).
std::unique_ptr<TKtTabDataList> RowsOf(const std::vector<int>& rows) {
    auto list = std::make_unique<TKtTabDataList>();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        auto t = std::make_unique<TKtTabData>();
        t->TabVisible = rows[i] >= 0;
        t->Row = rows[i] >= 0 ? rows[i] : 7;
        t->LayoutRect = Rect(int(i) * 20, t->Row * 10, int(i) * 20 + 19, t->Row * 10 + 9);
        list->Add(std::move(t));
    }
    return list;
}

TEST(TabStripLogicTest, RotatingRowsMovesTheSelectedRowToTheCardAndKeepsPlacesAlong) {
    struct Case {
        std::vector<int> rows;
        int selected;
        std::vector<int> after;
    };
    const Case cases[] = {
        {{0, 0, 1, 1, 2, 2}, 4, {1, 1, 2, 2, 0, 0}},  // row 2 meets the card, row 0 goes next
        {{0, 0, 1, 1, 2, 2}, 2, {2, 2, 0, 0, 1, 1}},
        {{0, 0, 1, 1, 2, 2}, 0, {0, 0, 1, 1, 2, 2}},  // already there
        {{0, -1, 1}, 2, {1, 7, 0}},                   // a hidden tab stays where it was
        {{0, 0, 0}, 1, {0, 0, 0}},
    };
    for (const Case& c : cases) {
        auto tabs = RowsOf(c.rows);
        RotateTabRows(*tabs, c.selected);
        for (int i = 0; i < tabs->Count(); ++i) {
            const TKtTabData& t = *tabs->Items(i);
            EXPECT_EQ(t.Row, c.after[std::size_t(i)]) << c.selected << " tab " << i;
            EXPECT_EQ(t.LayoutRect, Rect(i * 20, t.Row * 10, i * 20 + 19, t.Row * 10 + 9)) << c.selected << " " << i;
        }
    }
    // Row 1 holds only a hidden tab: the tab rotated into it has nothing to
    // copy from and keeps its place across.
    auto gap = RowsOf({0, -1, 2});
    gap->Items(1)->Row = 1;
    RotateTabRows(*gap, 2);
    EXPECT_EQ(gap->Items(0)->Row, 1);
    EXPECT_EQ(gap->Items(0)->LayoutRect.Top, 0);
    EXPECT_EQ(gap->Items(2)->LayoutRect.Top, 0);
}

TEST(TabStripLogicTest, HitOrderTriesTheSelectedTabFirstThenWrapsFromTheFirstShown) {
    std::vector<int> tried;
    auto record = [&](int i) {
        tried.push_back(i);
        return false;
    };
    EXPECT_EQ(FindTabInHitOrder(4, 1, 2, record), -1);
    EXPECT_EQ(tried, (std::vector<int>{1, 2, 3, 0}));
    tried.clear();
    EXPECT_EQ(FindTabInHitOrder(3, 7, 0, record), -1);  // a stale selection is no tab
    EXPECT_EQ(tried, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(FindTabInHitOrder(3, 1, 3, record), -1);  // nor is a stale first shown tab
    EXPECT_EQ(FindTabInHitOrder(3, 1, 0, [](int i) { return i != 2; }), 1);
}

TEST(TabStripLogicTest, KeyboardSearchesWrapAndEndWhateverTheTabIndex) {
    // Tabs 0 and 3 of five cannot be selected.
    auto canSelect = [](int i) { return i != 0 && i != 3; };
    auto none = [](int) { return false; };
    struct Case {
        const char* what;
        int got, expected;
    };
    const Case cases[] = {
        {"next from 2 skips 3", ArrowKeyTarget(5, 2, true, canSelect), 4},
        {"next from 4 wraps past 0", ArrowKeyTarget(5, 4, true, canSelect), 1},
        {"previous from 1 wraps", ArrowKeyTarget(5, 1, false, canSelect), 4},
        {"next from none", ArrowKeyTarget(5, -1, true, canSelect), 1},
        {"previous from none", ArrowKeyTarget(5, -1, false, canSelect), 4},
        {"out of range ends", ArrowKeyTarget(5, 9, true, none), 9},
        {"out of range searches", ArrowKeyTarget(5, 9, false, canSelect), 4},
        {"none selectable", ArrowKeyTarget(5, -1, true, none), -1},
        {"End", HomeEndTarget(4, 1, false, canSelect), 2},
        {"Home meets the selection", HomeEndTarget(4, 1, true, canSelect), 1},
        {"Home runs off the end", HomeEndTarget(4, -1, true, none), -1},
    };
    for (const Case& c : cases) EXPECT_EQ(c.got, c.expected) << c.what;
}

TEST(TabStripLogicTest, AcceleratorIsTheFirstMarkAndMatchesLatinInEitherCase) {
    EXPECT_EQ(AcceleratorChar("&Save"), U'S');
    EXPECT_EQ(AcceleratorChar("Files &Go &Now"), U'G');
    EXPECT_EQ(AcceleratorChar("Two\r\n&lines"), U'l');
    EXPECT_EQ(AcceleratorChar("&&only"), 0U);
    EXPECT_EQ(AcceleratorChar("end&"), 0U);
    EXPECT_EQ(AcceleratorChar("Д&атчик"), U'а');
    struct Case {
        char32_t accelerator, typed;
        bool matches;
    };
    const Case cases[] = {{U'S', U's', true}, {U's', U'S', true}, {U'а', U'А', false},
                          {U'а', U'а', true}, {U'1', U'1', true}, {0, 0, false}};
    for (const Case& c : cases) EXPECT_EQ(AcceleratorMatches(c.accelerator, c.typed), c.matches) << unsigned(c.typed);
}

}  // namespace
}  // namespace dlk
