#include "client/core/settings/modem_settings_lookup.h"

#include <gtest/gtest.h>

#include "client/core/tests/settings_test_folder.h"

namespace dlk {
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
}  // namespace dlk
