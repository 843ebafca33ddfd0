#include "client/core/settings/modem_settings_lookup.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "client/core/tests/settings_test_folder.h"

namespace dlk::client {
namespace {

using testing_settings::FileBytes;
using testing_settings::TempFolder;

const ImeiBcd kKnown = *TextToImei("356938035643809");
const ImeiBcd kOther = *TextToImei("490154203237518");
const ImeiBcd kThird = *TextToImei("011111111111110");

// A table as the receiver leaves it after hearing the modems: new entries paused.
void Hear(ModemTable& table, const ImeiBcd& imei) {
    ModemEntry e;
    e.Online = 1;
    e.Paused = 1;
    e.PausedAtStart = 1;
    e.Imei = imei;
    e.RowOrder = table.ModemTableCount();
    table.Entries.push_back(e);
}

class LookUpModemSettingsTest : public ::testing::Test {
protected:
    void Store(const ImeiBcd& imei, const char* name, std::uint8_t pausedAtStart) {
        ModemUserSettings s;
        s.Name = MakeShortString<31>(name);
        s.PausedAtStart = pausedAtStart;
        s.Modbus = 1;
        s.ModbusLo = 2;
        s.ModbusHi = 4;
        std::string error;
        ASSERT_TRUE(StoreModemSettings(file, imei, s, &error)) << error;
    }

    TempFolder folder;
    std::filesystem::path file = folder / kModemsFileName;
    ModemTable table;
};

TEST_F(LookUpModemSettingsTest, SeveralModemsAllowedTheStoredPauseFlagDecides) {
    Store(kKnown, "pump", 0);
    Store(kOther, "well", 1);
    Hear(table, kKnown);
    Hear(table, kOther);
    Hear(table, kThird);
    EXPECT_TRUE(LookUpModemSettings(table, 0, 0, file));
    EXPECT_TRUE(LookUpModemSettings(table, 1, 0, file));
    EXPECT_FALSE(LookUpModemSettings(table, 2, 0, file));
    EXPECT_EQ(table.Entries[0].Paused, 0);
    EXPECT_EQ(table.Entries[0].Name.Text(), "pump");
    EXPECT_EQ(table.Entries[0].Modbus, 1);
    EXPECT_EQ(table.Entries[0].ModbusLo, 2);
    EXPECT_EQ(table.Entries[0].ModbusHi, 4);
    EXPECT_EQ(table.Entries[1].Paused, 1);
    EXPECT_EQ(table.Entries[2].Paused, 1);  // no record: stays paused
    EXPECT_EQ(table.Entries[2].Name.Text(), "");
}

// The window takes the new entries of a burst together: each gets what it
// would have got alone, in the order the modems were heard.
TEST_F(LookUpModemSettingsTest, ManyNewEntriesAtOnceGetWhatEachWouldAlone) {
    Store(kKnown, "pump", 0);
    Store(kOther, "well", 1);
    struct Case {
        std::uint8_t OneModemActive;
        std::vector<std::uint16_t> Indexes;
        std::size_t Found;
        std::vector<std::uint8_t> Paused;  // of entries 0..2 afterwards
    };
    const Case cases[] = {
        {0, {0, 1, 2}, 2, {0, 1, 1}},
        {0, {2, 9, 0}, 1, {0, 1, 1}},  // an index past the table is passed over
        {1, {0, 1}, 2, {1, 1, 1}},     // three entries: none is the sole one
        {0, {}, 0, {1, 1, 1}},
    };
    for (const Case& c : cases) {
        ModemTable heard;
        for (const ImeiBcd& imei : {kKnown, kOther, kThird}) Hear(heard, imei);
        EXPECT_EQ(LookUpModemSettings(heard, c.Indexes, c.OneModemActive, file), c.Found);
        for (std::size_t i = 0; i < c.Paused.size(); ++i) EXPECT_EQ(heard.Entries[i].Paused, c.Paused[i]) << i;
        const bool askedForPump = std::find(c.Indexes.begin(), c.Indexes.end(), 0) != c.Indexes.end();
        EXPECT_EQ(heard.Entries[0].Name.Text(), askedForPump ? "pump" : "");
    }
}

TEST_F(LookUpModemSettingsTest, OneModemActiveOnlyTheSoleEntryStartsActive) {
    Store(kKnown, "pump", 1);
    Store(kOther, "well", 0);
    Hear(table, kKnown);
    EXPECT_TRUE(LookUpModemSettings(table, 0, 1, file));
    EXPECT_EQ(table.Entries[0].Paused, 0);  // even though stored as paused at start
    Hear(table, kOther);
    EXPECT_TRUE(LookUpModemSettings(table, 1, 1, file));
    EXPECT_EQ(table.Entries[1].Paused, 1);
}

TEST_F(LookUpModemSettingsTest, WithoutAFileOrForAVanishedEntryNothingChanges) {
    Hear(table, kKnown);
    EXPECT_FALSE(LookUpModemSettings(table, 0, 0, file));
    EXPECT_EQ(table.Entries[0].Paused, 1);

    Store(kKnown, "pump", 0);
    EXPECT_FALSE(LookUpModemSettings(table, 5, 0, file));
    // A restart emptied the table and another modem took index 0 before
    // the message for the old one arrived.
    table.Entries.clear();
    Hear(table, kOther);
    table.Entries[0].Imei = kOther;
    EXPECT_FALSE(LookUpModemSettings(table, 0, 0, file));
    EXPECT_EQ(table.Entries[0].Name.Text(), "");
    EXPECT_EQ(table.Entries[0].Paused, 1);
}

TEST_F(LookUpModemSettingsTest, StoringForAnImeiUpdatesItsEntryAndTheFile) {
    Hear(table, kOther);
    Hear(table, kKnown);
    ModemUserSettings s;
    s.Name = MakeShortString<31>("boiler");
    s.PausedAtStart = 0;
    std::string error;
    ASSERT_TRUE(StoreModemSettingsFor(table, kKnown, s, file, &error)) << error;
    EXPECT_EQ(table.Entries[1].Name.Text(), "boiler");
    EXPECT_EQ(table.Entries[0].Name.Text(), "");
    EXPECT_EQ(FileBytes(file).size(), 64u);

    // The modem left the table (a restart): only the file changes.
    table.Entries.clear();
    s.Name = MakeShortString<31>("boiler 2");
    ASSERT_TRUE(StoreModemSettingsFor(table, kKnown, s, file, &error)) << error;
    EXPECT_EQ(FindModemSettings(file, kKnown)->Name.Text(), "boiler 2");
}

}  // namespace
}  // namespace dlk::client
