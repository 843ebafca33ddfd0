#include "client/core/list/modem_sort.h"

#include <gtest/gtest.h>

#include "client/core/tests/modem_list_test_table.h"

namespace dlk::client {
namespace {

using testing_list::AddModem;
using testing_list::RowNames;
using testing_list::StoredAddress;
using testing_list::StoredPort;

void Sort(ModemTable& table, int column, bool descending) {
    table.SortDescending = descending ? 1 : 0;
    SortModems(table, column);
}

// Four modems whose values in every column order them differently from
// their names, so a wrong column shows.
class SortEveryColumn : public ::testing::Test {
protected:
    void SetUp() override {
        auto& c = AddModem(table, "c", 350000000000003);
        c.BytesReceived = 40;
        c.BytesSent = 2;
        c.OnTime = 0.4;
        c.OffTime = 0.1;
        c.Address = StoredAddress(10, 0, 0, 2);
        auto& a = AddModem(table, "a", 350000000000004);
        a.BytesReceived = 10;
        a.BytesSent = 4;
        a.OnTime = 0.3;
        a.OffTime = 0.4;
        a.Address = StoredAddress(10, 0, 0, 1);
        auto& d = AddModem(table, "d", 350000000000001);
        d.BytesReceived = 30;
        d.BytesSent = 1;
        d.OnTime = 0.2;
        d.OffTime = 0.3;
        d.Address = StoredAddress(10, 0, 0, 4);
        auto& b = AddModem(table, "b", 350000000000002);
        b.BytesReceived = 20;
        b.BytesSent = 3;
        b.OnTime = 0.1;
        b.OffTime = 0.2;
        b.Address = StoredAddress(10, 0, 0, 3);
    }
    ModemTable table;
};

TEST_F(SortEveryColumn, AscendingAndDescending) {
    const char* ascending[kModemListColumnCount] = {"a,b,c,d", "d,b,c,a", "a,b,d,c", "d,c,b,a",
                                                    "b,d,a,c", "c,b,d,a", "a,c,b,d"};
    for (int column = 0; column < kModemListColumnCount; ++column) {
        SCOPED_TRACE(column);
        Sort(table, column, false);
        EXPECT_EQ(RowNames(table), ascending[column]);
        Sort(table, column, true);
        std::string reversed = ascending[column];
        std::reverse(reversed.begin(), reversed.end());
        EXPECT_EQ(RowNames(table), reversed);
    }
}

TEST(ModemSort, TiesOneLevelDownAscendTwoLevelsDownFollowTheList) {
    ModemTable table;
    AddModem(table, "b", 350000000000001).BytesReceived = 5;
    AddModem(table, "big", 350000000000009).BytesReceived = 100;
    AddModem(table, "a", 350000000000002).BytesReceived = 5;
    AddModem(table, "b", 350000000000003).BytesReceived = 5;
    // Received descending: equal counts by name ascending; equal names by
    // IMEI, which is two levels down, descending like the list.
    Sort(table, 2, true);
    EXPECT_EQ(RowNames(table), "big,a,b,b");
    EXPECT_EQ(ImeiToText(table.Entries[table.Entries[2].RowOrder].Imei), "350000000000003");
    EXPECT_EQ(ImeiToText(table.Entries[table.Entries[3].RowOrder].Imei), "350000000000001");
    Sort(table, 2, false);
    EXPECT_EQ(RowNames(table), "a,b,b,big");
    EXPECT_EQ(ImeiToText(table.Entries[table.Entries[1].RowOrder].Imei), "350000000000001");
}

TEST(ModemSort, SwitchOffTiesGoToSwitchOnThenName) {
    ModemTable table;
    auto& x = AddModem(table, "x");
    x.OffTime = 0.5;
    x.OnTime = 0.2;
    auto& y = AddModem(table, "y");
    y.OffTime = 0.5;
    y.OnTime = 0.1;
    auto& z = AddModem(table, "z");
    z.OffTime = 0.5;
    z.OnTime = 0.1;
    Sort(table, 5, false);
    EXPECT_EQ(RowNames(table), "y,z,x");
    // Descending: on-time ascends (one level down), the name descends (two).
    Sort(table, 5, true);
    EXPECT_EQ(RowNames(table), "z,y,x");
}

TEST(ModemSort, NamesIgnoreLatinCaseAndCompareOtherBytesByValue) {
    ModemTable table;
    AddModem(table, "Pump2");
    AddModem(table, "\xE0");  // Cyrillic small a
    AddModem(table, "pump");
    AddModem(table, "\xC0");  // Cyrillic capital A, below the small one
    AddModem(table, "PUMP10");
    Sort(table, 0, false);
    EXPECT_EQ(RowNames(table), "pump,PUMP10,Pump2,\xC0,\xE0");
}

TEST(ModemSort, AddressesCompareAsSignedLittleEndianThenPort) {
    ModemTable table;
    auto& high = AddModem(table, "last octet 200");
    high.Address = StoredAddress(1, 0, 0, 200);  // sign bit set: the smallest
    auto& low = AddModem(table, "last octet 1");
    low.Address = StoredAddress(9, 0, 0, 1);
    auto& portB = AddModem(table, "port 0x0100");
    portB.Address = StoredAddress(2, 0, 0, 1);
    portB.Port = StoredPort(0x0001);  // stored bytes 00 01: 0x0100 little-endian
    auto& portA = AddModem(table, "port 0x0002");
    portA.Address = StoredAddress(2, 0, 0, 1);
    portA.Port = StoredPort(0x0200);  // stored bytes 02 00
    auto& none = AddModem(table, "no address");
    none.Address = 0;
    Sort(table, 6, false);
    EXPECT_EQ(RowNames(table), "last octet 200,no address,port 0x0002,port 0x0100,last octet 1");
}

TEST(ModemSort, TheSelectionStaysOnItsModem) {
    ModemTable table;
    for (const char* name : {"e", "d", "c", "b", "a"}) AddModem(table, name);
    table.SelectedRow = 1;  // "d"
    Sort(table, 0, false);
    EXPECT_EQ(table.SelectedRow, 3);
    EXPECT_EQ(table.Entries[table.Entries[table.SelectedRow].RowOrder].Name.Text(), "d");
    Sort(table, 0, true);
    EXPECT_EQ(table.SelectedRow, 1);
    table.SelectedRow = -1;
    Sort(table, 0, false);
    EXPECT_EQ(table.SelectedRow, -1);
    ModemTable empty;
    SortModems(empty, 0);
    EXPECT_EQ(empty.SelectedRow, -1);
}

// The window's sort works on a copy of the entries; its rows and selection
// must be what the sort under the lock gives, in every column and direction,
// with names and counters that tie so the tie columns are exercised.
TEST(ModemSort, SortingACopyGivesTheRowsOfSortingInPlace) {
    ModemTable table;
    for (int i = 0; i < 5000; ++i) {
        auto& e = AddModem(table, "m" + std::to_string(i * 7919 % 13), 350000000000000ull + (i * 104729) % 100003);
        e.BytesReceived = std::uint32_t(i % 17);
        e.BytesSent = std::uint32_t(i % 5);
        e.OnTime = (i % 11) / 24.0;
        e.OffTime = (i % 3) / 24.0;
        e.Address = StoredAddress(10, 0, std::uint8_t(i % 4), std::uint8_t(i % 200));
    }
    std::vector<ModemEntry> scratch;
    for (int column = 0; column < kModemListColumnCount; ++column) {
        for (const std::uint8_t descending : {0, 1}) {
            table.SelectedRow = 1234;
            ModemTable inPlace = table;
            inPlace.SortColumn = std::uint8_t(column);
            inPlace.SortDescending = descending;
            SortModems(inPlace, column);
            table.SortColumn = std::uint8_t(column);
            table.SortDescending = descending;
            SortModemsOnCopy(table, scratch);
            ASSERT_EQ(RowNames(table), RowNames(inPlace)) << column << " " << int(descending);
            for (std::size_t r = 0; r < table.Entries.size(); ++r)
                ASSERT_EQ(table.Entries[r].RowOrder, inPlace.Entries[r].RowOrder) << column << " row " << r;
            EXPECT_EQ(table.SelectedRow, inPlace.SelectedRow) << column;
        }
    }
}

}  // namespace
}  // namespace dlk::client
