#include "client/core/list/list_frame.h"

#include <gtest/gtest.h>

#include "client/core/list/list_input.h"
#include "client/core/tests/modem_list_test_table.h"

namespace dlk::client {
namespace {

using testing_list::AddModem;

TEST(ListFrame, AnEmptyTableHasNoRowsAndNoScrollBar) {
    ModemTable table;
    table.RepaintNeeded = true;
    ListFrame frame;
    ASSERT_TRUE(TakeListFrame(table, 400, 170, frame));
    EXPECT_FALSE(table.RepaintNeeded);
    EXPECT_EQ(frame.Width, 400);
    EXPECT_EQ(frame.Height, 150);
    EXPECT_TRUE(frame.Rows.empty());
    EXPECT_FALSE(frame.ScrollBar.Visible);
}

TEST(ListFrame, TwelveRowsScrollAndSettleAfterEnlarging) {
    ModemTable table;
    for (int i = 0; i < 12; ++i) AddModem(table, "m" + std::to_string(i));
    ListFrame frame;
    ASSERT_TRUE(TakeListFrame(table, 400, 170, frame));
    EXPECT_TRUE(frame.ScrollBar.Visible);
    EXPECT_EQ(frame.ScrollBar.Max, 192);
    EXPECT_EQ(frame.ScrollBar.Page, 150);
    EXPECT_EQ(frame.Rows.size(), 10u);  // rows 0..9, the last one cut

    ListScroll(table, frame.ScrollBar.Max, frame.ScrollBar.Max, frame.ScrollBar.Page);
    ASSERT_TRUE(TakeListFrame(table, 400, 170, frame));
    EXPECT_EQ(table.ScrollOffset, 43);
    EXPECT_EQ(frame.ScrollBar.Position, 43);
    ASSERT_EQ(frame.Rows.size(), 10u);
    EXPECT_EQ(frame.Rows.front().Name, "m2");
    EXPECT_EQ(frame.Rows.front().Y, -11);
    EXPECT_EQ(frame.Rows.back().Name, "m11");
    EXPECT_EQ(frame.Rows.back().Y, 133);

    // Taller: the end would float above the bottom, so the offset comes back.
    ASSERT_TRUE(TakeListFrame(table, 400, 200, frame));
    EXPECT_EQ(table.ScrollOffset, 13);  // 192 + 1 - 180
    ASSERT_TRUE(TakeListFrame(table, 400, 400, frame));
    EXPECT_EQ(table.ScrollOffset, 0);
    EXPECT_FALSE(frame.ScrollBar.Visible);
    EXPECT_EQ(frame.Rows.size(), 12u);
}

TEST(ListFrame, AWindowWithNoRoomBelowTheHeaderPaintsNothing) {
    ModemTable table;
    AddModem(table, "m");
    table.RepaintNeeded = true;
    ListFrame frame;
    EXPECT_FALSE(TakeListFrame(table, 400, 20, frame));
    EXPECT_FALSE(TakeListFrame(table, 400, 3, frame));
    EXPECT_FALSE(TakeListFrame(table, 0, 100, frame));
    EXPECT_FALSE(table.RepaintNeeded);
}

TEST(ListFrame, RowsCarryTheirTextsAndImages) {
    ModemTable table;
    auto& a = AddModem(table, "\xCD\xE0\xF1\xEE\xF1", 356938035643809);  // "Насос" in code page 1251
    a.BytesReceived = 250;
    a.BytesUnpacked = 1000;
    a.BytesSent = 17;
    a.OnTime = 0.5;
    a.Address = testing_list::StoredAddress(10, 1, 2, 3);
    a.Port = testing_list::StoredPort(4000);
    a.SignalLevel = 7;
    a.BatteryAlarm = 1;
    a.Paused = 0;
    auto& b = AddModem(table, "b");
    b.Online = 0;
    b.SignalLevel = 3;
    table.SelectedRow = 1;

    ListFrame frame;
    ASSERT_TRUE(TakeListFrame(table, 600, 200, frame));
    ASSERT_EQ(frame.Rows.size(), 2u);
    const ListRow& r0 = frame.Rows[0];
    EXPECT_EQ(r0.Name, "Насос");
    EXPECT_EQ(r0.Imei, "356938035643809");
    EXPECT_EQ(r0.Received, "250 (75%)");
    EXPECT_EQ(r0.Sent, "17");
    EXPECT_EQ(r0.OnTime, "12:00:00");
    EXPECT_EQ(r0.OffTime, "");
    EXPECT_EQ(r0.Address, "10.1.2.3:4000");
    EXPECT_EQ(r0.SignalLevel, 5);
    EXPECT_TRUE(r0.BatteryAlarm);
    EXPECT_TRUE(r0.Online);
    EXPECT_FALSE(r0.Paused);
    EXPECT_FALSE(r0.Selected);
    const ListRow& r1 = frame.Rows[1];
    EXPECT_TRUE(r1.Selected);
    EXPECT_FALSE(r1.Online);
    EXPECT_TRUE(r1.Paused);
    EXPECT_EQ(r1.Y, 16);
}

}  // namespace
}  // namespace dlk::client
