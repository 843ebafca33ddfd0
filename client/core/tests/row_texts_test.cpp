#include "client/core/list/row_texts.h"

#include <gtest/gtest.h>

#include "client/core/tests/modem_list_test_table.h"

namespace dlk::client {
namespace {

TEST(RowTexts, ReceivedShowsTheCountAndTheSaving) {
    EXPECT_EQ(ReceivedText(0, 0), "0 (0%)");
    EXPECT_EQ(ReceivedText(0, 500), "0 (0%)");
    EXPECT_EQ(ReceivedText(1000, 1000), "1000 (0%)");
    EXPECT_EQ(ReceivedText(250, 1000), "250 (75%)");
    EXPECT_EQ(ReceivedText(110, 100), "110 (-10%)");
    // Unpacking gave nothing yet: no saving to speak of.
    EXPECT_EQ(ReceivedText(7, 0), "7");
    EXPECT_EQ(ReceivedText(4294967295u, 4294967295u), "4294967295 (0%)");
    EXPECT_EQ(ReceivedText(4294967295u, 1), "4294967295 (-429496729400%)");
}

TEST(RowTexts, HalvesRoundToTheEvenNeighbour) {
    EXPECT_EQ(PackingSavingPercent(1, 8), 88);    // 87.5
    EXPECT_EQ(PackingSavingPercent(3, 8), 62);    // 62.5
    EXPECT_EQ(PackingSavingPercent(5, 8), 38);    // 37.5
    EXPECT_EQ(PackingSavingPercent(7, 8), 12);    // 12.5
    EXPECT_EQ(PackingSavingPercent(9, 8), -12);   // -12.5
    EXPECT_EQ(PackingSavingPercent(11, 8), -38);  // -37.5
    EXPECT_EQ(PackingSavingPercent(2, 3), 33);    // 33.3
    EXPECT_EQ(PackingSavingPercent(1, 3), 67);    // 66.7
    EXPECT_EQ(PackingSavingPercent(4, 3), -33);   // -33.3
}

TEST(RowTexts, TimesOfDayShowHoursMinutesSeconds) {
    EXPECT_EQ(TimeOfDayText(0), "");
    EXPECT_EQ(TimeOfDayText(0.5), "12:00:00");
    EXPECT_EQ(TimeOfDayText((9 * 3600 + 5 * 60 + 7) / 86400.0), "9:05:07");
    EXPECT_EQ(TimeOfDayText((23 * 3600 + 59 * 60 + 59.4) / 86400.0), "23:59:59");
    EXPECT_EQ(TimeOfDayText(1.0 / 86400), "0:00:01");
}

TEST(RowTexts, AddressesShowDottedWithTheHostOrderPort) {
    EXPECT_EQ(AddressText(0, testing_list::StoredPort(5000)), "");
    EXPECT_EQ(AddressText(testing_list::StoredAddress(192, 168, 1, 10), testing_list::StoredPort(5000)),
              "192.168.1.10:5000");
    EXPECT_EQ(AddressText(testing_list::StoredAddress(255, 255, 255, 255), testing_list::StoredPort(65535)),
              "255.255.255.255:65535");
}

}  // namespace
}  // namespace dlk::client
