#include "client/core/table/modem_table.h"

#include <gtest/gtest.h>

namespace dlk::client {
namespace {

const ImeiBcd kTableImeiA = {0x35, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10};
const ImeiBcd kTableImeiB = {0x35, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x20};
const UdpEndpoint kHere = MakeEndpoint(10, 0, 0, 1, 5000);
const UdpEndpoint kThere = MakeEndpoint(10, 0, 0, 2, 6000);

ModemAnnouncement On(const ImeiBcd& imei, const UdpEndpoint& from, std::uint8_t status = 0x55) {
    return {true, status, imei, from};
}
ModemAnnouncement Off(const ImeiBcd& imei, const UdpEndpoint& from, std::uint8_t status = 0x55) {
    return {false, status, imei, from};
}

TEST(ModemTable, RecordFieldsLieBackToBackLikeTheModemsFile) {
    ModemEntry e;
    e.Imei = kTableImeiA;
    e.Name.Assign("abc");
    e.PausedAtStart = 1;
    e.Modbus = 1;
    e.ModbusLo = 3;
    e.ModbusHi = 9;
    const std::uint8_t* bytes = ModemRecordFields(e);
    EXPECT_EQ(bytes[0], 0x35);
    EXPECT_EQ(bytes[8], 3);  // name length
    EXPECT_EQ(bytes[9], 'a');
    EXPECT_EQ(bytes[40], 1);
    EXPECT_EQ(bytes[43], 9);
}

TEST(ModemTable, AnOnPacketFromAnUnknownImeiCreatesAnOnlinePausedEntry) {
    ModemTable t;
    const auto notice = t.ApplyAnnouncement(On(kTableImeiA, kHere, 0xE5), 0.25);
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->Index, 0);
    EXPECT_EQ(notice->Change, ModemStateChange::New);
    ASSERT_EQ(t.ModemTableCount(), 1);
    const ModemEntry& e = t.Entries[0];
    EXPECT_EQ(e.Online, 1);
    EXPECT_EQ(e.Paused, 1);
    EXPECT_EQ(e.PausedAtStart, 1);
    EXPECT_EQ(e.Endpoint(), kHere);
    EXPECT_EQ(e.OnTime, 0.25);
    EXPECT_EQ(e.OffTime, 0);
    EXPECT_EQ(e.KeepAlive, 20);
    EXPECT_EQ(e.Countdown, 60);
    EXPECT_EQ(e.SignalLevel, 6);
    EXPECT_EQ(e.BatteryAlarm, 1);
    EXPECT_EQ(e.RowOrder, 0);
    EXPECT_EQ(e.Name.Length(), 0u);
    EXPECT_EQ(t.OnlineCount, 1);
}

TEST(ModemTable, AnOffPacketFromAnUnknownImeiCreatesAnOfflineEntry) {
    ModemTable t;
    t.ApplyAnnouncement(On(kTableImeiA, kHere), 0.1);
    const auto notice = t.ApplyAnnouncement(Off(kTableImeiB, kThere, 0x0F), 0.3);
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->Index, 1);
    EXPECT_EQ(notice->Change, ModemStateChange::New);
    const ModemEntry& e = t.Entries[1];
    EXPECT_EQ(e.Online, 0);
    EXPECT_EQ(e.Paused, 1);
    EXPECT_EQ(e.OnTime, 0);
    EXPECT_EQ(e.OffTime, 0.3);
    EXPECT_EQ(e.RowOrder, 1);
    EXPECT_EQ(e.BatteryAlarm, 0);
    EXPECT_EQ(t.OnlineCount, 1);
}

TEST(ModemTable, SwitchingBackOnResetsCountersAndTakesTheNewStatus) {
    ModemTable t;
    t.ApplyAnnouncement(On(kTableImeiA, kHere, 0x15), 0.1);
    ModemEntry& e = t.Entries[0];
    e.BytesReceived = e.BytesUnpacked = e.BytesSent = 77;
    EXPECT_EQ(t.ApplyAnnouncement(Off(kTableImeiA, kThere), 0.2)->Change, ModemStateChange::Off);
    EXPECT_EQ(t.Entries[0].Online, 0);
    EXPECT_EQ(t.Entries[0].Endpoint(), kThere);
    EXPECT_EQ(t.Entries[0].OffTime, 0.2);
    EXPECT_EQ(t.OnlineCount, 0);
    EXPECT_FALSE(t.ApplyAnnouncement(Off(kTableImeiA, kHere), 0.3));  // already off: nothing
    EXPECT_EQ(t.Entries[0].Endpoint(), kThere);

    const auto notice = t.ApplyAnnouncement(On(kTableImeiA, kHere, 0x32), 0.4);
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->Change, ModemStateChange::On);
    const ModemEntry& back = t.Entries[0];
    EXPECT_EQ(back.Online, 1);
    EXPECT_EQ(back.Endpoint(), kHere);
    EXPECT_EQ(back.OnTime, 0.4);
    EXPECT_EQ(back.OffTime, 0);
    EXPECT_EQ(back.BytesReceived + back.BytesUnpacked + back.BytesSent, 0u);
    EXPECT_EQ(back.KeepAlive, 8);
    EXPECT_EQ(back.Countdown, 24);
    EXPECT_EQ(back.SignalLevel, 3);
    EXPECT_EQ(t.OnlineCount, 1);
    EXPECT_EQ(t.ModemTableCount(), 1);
}

TEST(ModemTable, AnOnPacketForAnOnlineEntryRefreshesAddressAndCountdownOnly) {
    ModemTable t;
    t.ApplyAnnouncement(On(kTableImeiA, kHere, 0x55), 0.1);
    t.Entries[0].Countdown = 3;
    t.RepaintNeeded = false;
    EXPECT_FALSE(t.ApplyAnnouncement(On(kTableImeiA, kThere, 0x21), 0.2));
    const ModemEntry& e = t.Entries[0];
    EXPECT_EQ(e.Endpoint(), kThere);
    EXPECT_TRUE(t.RepaintNeeded);
    EXPECT_EQ(e.SignalLevel, 5);  // as when it came on-line
    EXPECT_EQ(e.KeepAlive, 20);
    EXPECT_EQ(e.Countdown, 60);
    EXPECT_EQ(e.OnTime, 0.1);
    EXPECT_EQ(t.OnlineCount, 1);

    // Same address: no repaint unless the battery alarm changes.
    t.RepaintNeeded = false;
    t.ApplyAnnouncement(On(kTableImeiA, kThere, 0x21), 0.3);
    EXPECT_FALSE(t.RepaintNeeded);
    t.ApplyAnnouncement(On(kTableImeiA, kThere, 0xA1), 0.3);
    EXPECT_TRUE(t.RepaintNeeded);
    EXPECT_EQ(t.Entries[0].BatteryAlarm, 1);
}

TEST(ModemTable, DataFromASharedAddressGoesToTheLowestOnlineEntry) {
    ModemTable t;
    t.ApplyAnnouncement(On(kTableImeiA, kHere), 0.1);
    t.ApplyAnnouncement(On(kTableImeiB, kHere), 0.1);
    EXPECT_EQ(t.FindOnlineByAddress(kHere), 0);
    // A stale entry keeping a reused address does not hide the live modem.
    t.ApplyAnnouncement(Off(kTableImeiA, kHere), 0.2);
    EXPECT_EQ(t.FindOnlineByAddress(kHere), 1);
    EXPECT_EQ(t.FindByAddress(kHere), 0);
    EXPECT_FALSE(t.FindOnlineByAddress(kThere));
    EXPECT_EQ(t.FindByImei(kTableImeiB), 1);
}

TEST(ModemTable, KeepAliveCountdownTakesModemsOffline) {
    ModemTable t;
    t.ApplyAnnouncement(On(kTableImeiA, kHere, 0x01), 0.1);   // 4 s: 12 ticks
    t.ApplyAnnouncement(On(kTableImeiB, kThere, 0x02), 0.1);  // 8 s: 24 ticks
    for (int tick = 1; tick < 12; ++tick) EXPECT_FALSE(t.CountDownKeepAlive(0.2)) << tick;
    t.RepaintNeeded = false;
    EXPECT_TRUE(t.CountDownKeepAlive(0.3));
    EXPECT_EQ(t.Entries[0].Online, 0);
    EXPECT_EQ(t.Entries[0].OffTime, 0.3);
    EXPECT_EQ(t.Entries[1].Online, 1);
    EXPECT_EQ(t.Entries[1].Countdown, 12);
    EXPECT_EQ(t.OnlineCount, 1);
    EXPECT_TRUE(t.RepaintNeeded);
    t.RefreshCountdown(1);
    EXPECT_EQ(t.Entries[1].Countdown, 24);
}

TEST(ModemTable, ZeroKeepAliveWrapsToTwoHundredFiftySixTicks) {
    ModemTable t;
    t.ApplyAnnouncement(On(kTableImeiA, kHere, 0x50), 0.1);
    EXPECT_EQ(t.Entries[0].Countdown, 0);
    for (int tick = 1; tick < 256; ++tick) ASSERT_FALSE(t.CountDownKeepAlive(0.2)) << tick;
    EXPECT_TRUE(t.CountDownKeepAlive(0.2));
}

TEST(ModemTable, ServerLossAndRestart) {
    ModemTable t;
    t.ApplyAnnouncement(On(kTableImeiA, kHere), 0.1);
    t.ApplyAnnouncement(On(kTableImeiB, kThere), 0.2);
    t.AllOffline();
    EXPECT_EQ(t.OnlineCount, 0);
    EXPECT_EQ(t.Entries[0].Online + t.Entries[1].Online, 0);
    EXPECT_EQ(t.Entries[1].OnTime, 0.2);  // times unchanged
    EXPECT_EQ(t.Entries[1].OffTime, 0);
    t.SelectedRow = 1;
    t.Empty();
    EXPECT_EQ(t.ModemTableCount(), 0);
    EXPECT_EQ(t.SelectedRow, -1);
    EXPECT_EQ(t.ApplyAnnouncement(On(kTableImeiB, kThere), 0.3)->Index, 0);
}

TEST(ModemTable, AFullTableDropsUnknownImeisButServesKnownOnes) {
    ModemTable t;
    t.Entries.resize(ModemTable::kMaxEntries);
    for (std::size_t i = 0; i < t.Entries.size(); ++i) t.Entries[i].Imei[0] = 0xFF;  // none matches
    t.Entries[5].Imei = kTableImeiA;
    EXPECT_FALSE(t.ApplyAnnouncement(On(kTableImeiB, kHere), 0.1));
    EXPECT_EQ(t.Entries.size(), ModemTable::kMaxEntries);
    const auto notice = t.ApplyAnnouncement(On(kTableImeiA, kHere), 0.1);
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->Index, 5);
    EXPECT_EQ(notice->Change, ModemStateChange::On);
}

}  // namespace
}  // namespace dlk::client
