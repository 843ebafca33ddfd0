#include "client/core/list/list_input.h"

#include <gtest/gtest.h>

#include "client/core/list/modem_sort.h"
#include "client/core/tests/modem_list_test_table.h"

namespace dlk::client {
namespace {

using testing_list::AddModem;

void Fill(ModemTable& table, int n) {
    for (int i = 0; i < n; ++i) AddModem(table, "m" + std::to_string(i));
}

struct KeyCase {
    const char* what;
    int modems;
    int clientHeight;
    int selected;
    int scroll;
    ListKey key;
    KeyResult result;
    int selectedAfter;
    int scrollAfter;
};

// A client height of 100 shows 5 rows; a page is (100 - 36) / 16 = 4 rows.
TEST(ListKeys, EveryKeyOfTheTable) {
    const KeyCase cases[] = {
        {"no modems: down", 0, 100, -1, 0, ListKey::Down, KeyResult::None, -1, 0},
        {"no modems: end", 0, 100, -1, 0, ListKey::End, KeyResult::None, -1, 0},
        {"no modems: enter", 0, 100, -1, 0, ListKey::Enter, KeyResult::None, -1, 0},
        {"one modem: down from none", 1, 100, -1, 0, ListKey::Down, KeyResult::Repaint, 0, 0},
        {"one modem: down at the end", 1, 100, 0, 0, ListKey::Down, KeyResult::None, 0, 0},
        {"one modem: up at the top", 1, 100, 0, 0, ListKey::Up, KeyResult::None, 0, 0},
        {"one modem: home", 1, 100, 0, 0, ListKey::Home, KeyResult::None, 0, 0},
        {"one modem: enter", 1, 100, 0, 0, ListKey::Enter, KeyResult::OpenProperties, 0, 0},
        {"up without selection", 12, 100, -1, 0, ListKey::Up, KeyResult::None, -1, 0},
        {"page up without selection", 12, 100, -1, 0, ListKey::PageUp, KeyResult::None, -1, 0},
        {"home without selection", 12, 100, -1, 0, ListKey::Home, KeyResult::None, -1, 0},
        {"page down from none", 12, 100, -1, 0, ListKey::PageDown, KeyResult::Repaint, 3, 0},
        {"end from none", 12, 100, -1, 0, ListKey::End, KeyResult::Repaint, 11, 192 - 192 % 80},
        {"down within view", 12, 100, 2, 0, ListKey::Down, KeyResult::Repaint, 3, 0},
        {"down past the bottom", 12, 100, 3, 0, ListKey::Down, KeyResult::Repaint, 4, 1},
        {"page down scrolls", 12, 100, 3, 0, ListKey::PageDown, KeyResult::Repaint, 7, 49},
        {"page down stops at the last", 12, 100, 9, 81, ListKey::PageDown, KeyResult::Repaint, 11, 113},
        {"up past the top", 12, 100, 5, 90, ListKey::Up, KeyResult::Repaint, 4, 64},
        {"page up", 12, 100, 9, 100, ListKey::PageUp, KeyResult::Repaint, 5, 80},
        {"page up stops at row 0", 12, 100, 2, 32, ListKey::PageUp, KeyResult::Repaint, 0, 0},
        {"home", 12, 100, 7, 60, ListKey::Home, KeyResult::Repaint, 0, 0},
        {"end at the end", 12, 100, 11, 113, ListKey::End, KeyResult::None, 11, 113},
        {"other key", 12, 100, 4, 0, ListKey::Other, KeyResult::None, 4, 0},
        // Windows too low for a page: page keys run to the first or last row.
        {"low: page down", 12, 45, 0, 0, ListKey::PageDown, KeyResult::Repaint, 11, 168},
        {"low: page up", 12, 45, 11, 168, ListKey::PageUp, KeyResult::Repaint, 0, 0},
        {"lower: page down", 12, 30, 0, 0, ListKey::PageDown, KeyResult::Repaint, 11, 183},
        // No list area at all: End must not divide by zero.
        {"no area: end", 12, 20, 0, 0, ListKey::End, KeyResult::Repaint, 11, 192},
        {"negative area: end", 12, 5, 0, 0, ListKey::End, KeyResult::Repaint, 11, 192},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.what);
        ModemTable table;
        Fill(table, c.modems);
        table.SelectedRow = c.selected;
        table.ScrollOffset = c.scroll;
        EXPECT_EQ(ListKeyDown(table, c.key, c.clientHeight), c.result);
        EXPECT_EQ(table.SelectedRow, c.selectedAfter);
        EXPECT_EQ(table.ScrollOffset, c.scrollAfter);
    }
}

TEST(ListKeys, TheWheelMovesOneRow) {
    ModemTable table;
    Fill(table, 3);
    EXPECT_EQ(ListWheel(table, true, 200), KeyResult::Repaint);
    EXPECT_EQ(ListWheel(table, true, 200), KeyResult::Repaint);
    EXPECT_EQ(table.SelectedRow, 1);
    EXPECT_EQ(ListWheel(table, false, 200), KeyResult::Repaint);
    EXPECT_EQ(table.SelectedRow, 0);
    EXPECT_EQ(ListWheel(table, false, 200), KeyResult::None);
}

TEST(ListMouse, ClicksRightOfThePauseColumnSelect) {
    ModemTable table;
    Fill(table, 3);
    ListMouseDown(table, 18, 20 + 16 + 5, 1);
    EXPECT_EQ(table.SelectedRow, 1);
    table.ScrollOffset = 10;
    ListMouseDown(table, 300, 20 + 6, 1);  // 16 pixels into the list: row 1
    EXPECT_EQ(table.SelectedRow, 1);
    ListMouseDown(table, 300, 20 + 3 * 16, 1);  // below the last row
    EXPECT_EQ(table.SelectedRow, -1);
    for (const ModemEntry& e : table.Entries) EXPECT_EQ(e.Paused, 1);
}

TEST(ListMouse, PauseColumnClicksFollowThePauseRules) {
    ModemTable table;
    Fill(table, 3);
    table.Entries[0].RowOrder = 2;  // row 0 shows entry 2, row 2 entry 0
    table.Entries[2].RowOrder = 0;
    table.SelectedRow = 1;

    // Several modems allowed: each click toggles the row's modem.
    ListMouseDown(table, 17, 25, 0);
    ListMouseDown(table, 0, 20 + 32, 0);
    EXPECT_EQ(table.Entries[2].Paused, 0);
    EXPECT_EQ(table.Entries[0].Paused, 0);
    EXPECT_EQ(table.Entries[1].Paused, 1);
    ListMouseDown(table, 5, 25, 0);
    EXPECT_EQ(table.Entries[2].Paused, 1);
    EXPECT_EQ(table.SelectedRow, 1);  // the selection does not move

    // One modem active: a paused modem becomes the only active one.
    ListMouseDown(table, 5, 20 + 16, 1);
    EXPECT_EQ(table.Entries[1].Paused, 0);
    EXPECT_EQ(table.Entries[0].Paused, 1);
    EXPECT_EQ(table.Entries[2].Paused, 1);
    ListMouseDown(table, 5, 20 + 16, 1);  // clicking it again pauses it
    EXPECT_EQ(table.Entries[1].Paused, 1);

    // Below the last row nothing happens.
    ListMouseDown(table, 5, 20 + 48, 0);
    for (const ModemEntry& e : table.Entries) EXPECT_EQ(e.Paused, 1);
    EXPECT_EQ(table.SelectedRow, 1);
}

TEST(ListHeader, ClicksTurnTheDirectionOrChangeTheColumn) {
    ModemTable table;
    AddModem(table, "b").BytesSent = 1;
    AddModem(table, "a").BytesSent = 2;
    AddModem(table, "c").BytesSent = 0;
    ListHeaderClick(table, 0, 200);
    EXPECT_EQ(table.SortDescending, 1);  // column 0 was already the sort column
    EXPECT_EQ(testing_list::RowNames(table), "c,b,a");
    ListHeaderClick(table, 0, 200);
    EXPECT_EQ(table.SortDescending, 0);
    EXPECT_EQ(testing_list::RowNames(table), "a,b,c");
    ListHeaderClick(table, 0, 200);
    ListHeaderClick(table, 3, 200);
    EXPECT_EQ(table.SortColumn, 3);
    EXPECT_EQ(table.SortDescending, 0);
    EXPECT_EQ(testing_list::RowNames(table), "c,b,a");
    ListHeaderClick(table, 7, 200);
    EXPECT_EQ(table.SortColumn, 3);
}

TEST(ListHeader, TheSelectedRowIsScrolledIntoView) {
    ModemTable table;
    Fill(table, 12);        // m0 .. m11; by name m0, m1, m10, m11, m2 ...
    table.SelectedRow = 1;  // m1
    table.SortDescending = 0;
    ListHeaderClick(table, 0, 100);  // descending: m9 m8 ... m2 m11 m10 m1 m0
    EXPECT_EQ(table.SelectedRow, 10);
    // a = 160 lies below a 100-pixel window: the row's bottom is brought to it.
    EXPECT_EQ(table.ScrollOffset, 160 - 100 + 37);
    ListHeaderClick(table, 0, 100);
    EXPECT_EQ(table.SelectedRow, 1);
    EXPECT_EQ(table.ScrollOffset, 16);
}

TEST(ListScrollBar, TheLastPositionShowsTheListsEnd) {
    ModemTable table;
    Fill(table, 12);
    ListScroll(table, 192, 192, 150);
    EXPECT_EQ(table.ScrollOffset, 43);
    ListScroll(table, 20, 192, 150);
    EXPECT_EQ(table.ScrollOffset, 20);
}

TEST(ListProperties, OnlyForASelectedRowRightOfThePauseColumn) {
    ModemTable table;
    Fill(table, 2);
    table.Entries[0].RowOrder = 1;
    table.Entries[1].RowOrder = 0;
    EXPECT_EQ(PropertiesEntry(table, 100), -1);
    table.SelectedRow = 0;
    EXPECT_EQ(PropertiesEntry(table, 100), 1);
    EXPECT_EQ(PropertiesEntry(table, 17), -1);
}

}  // namespace
}  // namespace dlk::client
