#include "tabs/core/tab_rows.h"

#include <gtest/gtest.h>

#include <vector>

namespace dlk {
namespace {

// Tabs in rows 0, 0, 1, 2, 2, each row 10 further out than the last.
void FillRows(TKtTabDataList& list) {
    const int rows[] = {0, 0, 1, 2, 2};
    for (int i = 0; i < 5; ++i) {
        auto t = std::make_unique<TKtTabData>();
        t->Row = rows[i];
        t->LayoutRect = Rect(i * 20, 30 - 10 * rows[i], i * 20 + 15, 45 - 10 * rows[i]);
        list.Add(std::move(t));
    }
}

TEST(TabRowsTest, TheSelectedRowMovesNextToTheCardAndTabsKeepTheirPlaceAlong) {
    const struct {
        int selected, hidden;
        std::vector<int> rows, tops;
    } cases[] = {
        {3, -1, {1, 1, 2, 0, 0}, {20, 20, 10, 30, 30}},
        {2, -1, {2, 2, 0, 1, 1}, {10, 10, 30, 20, 20}},
        {0, -1, {0, 0, 1, 2, 2}, {30, 30, 20, 10, 10}},
        // Row 1 has no visible tab: what moves into it keeps its own place.
        {3, 2, {1, 1, 1, 0, 0}, {30, 30, 20, 30, 30}},
    };
    for (const auto& c : cases) {
        TKtTabDataList list;
        FillRows(list);
        if (c.hidden >= 0) list.Items(c.hidden)->TabVisible = false;
        RotateTabRows(list, c.selected);
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(list.Items(i)->Row, c.rows[std::size_t(i)]) << c.selected << " tab " << i;
            EXPECT_EQ(list.Items(i)->LayoutRect.Top, c.tops[std::size_t(i)]) << c.selected << " tab " << i;
            EXPECT_EQ(list.Items(i)->LayoutRect.Left, i * 20);
        }
    }
}

TEST(TabRowsTest, ATabIsShownWhenItLiesBetweenTheOffsetAndTheButtons) {
    TKtStripGeometryInput in;
    in.Width = 300, in.Height = 100, in.FixedDimension = 19, in.ShowShadow = false;
    // 299 long, less a scroller of two 17s: 265 shown from the offset on.
    EXPECT_TRUE(TabWithinShownStrip(in, Rect(40, 0, 305, 19), 40, 17, 0, 0));
    EXPECT_FALSE(TabWithinShownStrip(in, Rect(40, 0, 306, 19), 40, 17, 0, 0));
    EXPECT_FALSE(TabWithinShownStrip(in, Rect(39, 0, 100, 19), 40, 17, 0, 0));
    in.ShowCloseButton = true;
    EXPECT_FALSE(TabWithinShownStrip(in, Rect(40, 0, 305, 19), 40, 17, 17, 0));
    in.Sequence = TKtTabSequence::tsReverse, in.ShowCloseButton = false;
    EXPECT_TRUE(TabWithinShownStrip(in, Rect(35, 0, 300, 19), 300, 17, 0, 0));
    EXPECT_FALSE(TabWithinShownStrip(in, Rect(34, 0, 300, 19), 300, 17, 0, 0));
}

}  // namespace
}  // namespace dlk
