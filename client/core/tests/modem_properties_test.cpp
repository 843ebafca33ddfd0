#include "client/core/settings/modem_properties.h"

#include <gtest/gtest.h>

#include "platform/encoding/cp1251.h"

namespace dlk::client {
namespace {

TEST(ModemProperties, TheDialogShowsAndTakesBackTheStoredSettings) {
    ModemUserSettings stored;
    stored.Name = MakeShortString<31>(Utf8ToCp1251("Котельная №2"));
    stored.PausedAtStart = 0;
    stored.Modbus = 1;
    stored.ModbusLo = 3;
    stored.ModbusHi = 250;
    const ModemPropertiesValues shown = PropertiesValuesFrom(stored);
    EXPECT_EQ(shown.Name, "Котельная №2");
    EXPECT_EQ(shown.ModbusLo, "3");
    EXPECT_EQ(shown.ModbusHi, "250");
    const auto taken = ValidateModemProperties(shown);
    ASSERT_TRUE(std::holds_alternative<ModemUserSettings>(taken));
    EXPECT_EQ(std::get<ModemUserSettings>(taken), stored);
}

TEST(ModemProperties, LongNamesKeepTheirFirst31Characters) {
    ModemPropertiesValues v;
    v.Name = std::string(40, 'x');
    v.ModbusLo = "0";
    v.ModbusHi = "0";
    EXPECT_EQ(std::get<ModemUserSettings>(ValidateModemProperties(v)).Name.Text(), std::string(31, 'x'));
    v.Name = "";
    for (int i = 0; i < 40; ++i) v.Name += "ж";
    EXPECT_EQ(std::get<ModemUserSettings>(ValidateModemProperties(v)).Name.Text(), std::string(31, '\xE6'));
}

// A name left as shown keeps its stored bytes, even one with no character
// (0x98); a typed one must be storable in code page 1251 as it stands.
TEST(ModemProperties, TheNameIsStoredAsTypedOrLeftAsItWas) {
    ModemUserSettings stored;
    stored.Name = MakeShortString<31>("\xCA\xEE\xF2\x98");  // "Кот" and an unassigned byte
    const std::pair<const char*, const char*> cases[] = {
        {nullptr, "\xCA\xEE\xF2\x98"},      // untouched
        {"Котёл", "\xCA\xEE\xF2\xB8\xEB"},  // retyped
        {"Котёл 日本", nullptr},            // refused
        {"Zoë", nullptr},
    };
    for (const auto& [typed, bytes] : cases) {
        ModemPropertiesValues v = PropertiesValuesFrom(stored);
        if (typed != nullptr) v.Name = typed;
        v.ModbusHi = "300";  // the name is checked first, as it stands first
        const auto result = ValidateModemProperties(v, stored);
        if (bytes == nullptr) {
            ASSERT_TRUE(std::holds_alternative<SettingsError>(result)) << typed;
            EXPECT_EQ(std::get<SettingsError>(result).Control, "Edit1");
            continue;
        }
        v.ModbusHi = "1";
        EXPECT_EQ(std::get<ModemUserSettings>(ValidateModemProperties(v, stored)).Name.Text(), bytes);
    }
}

TEST(ModemProperties, AddressesOutsideAByteAreRefused) {
    struct Case {
        const char* lo;
        const char* hi;
        const char* control;  // nullptr: accepted
    };
    const Case cases[] = {
        {"0", "255", nullptr}, {" 7 ", "9", nullptr}, {"300", "5", "Edit2"}, {"5", "300", "Edit3"},
        {"-1", "5", "Edit2"},  {"", "5", "Edit2"},    {"5", "abc", "Edit3"}, {"1e2", "5", "Edit2"},
    };
    for (const Case& c : cases) {
        ModemPropertiesValues v;
        v.Modbus = true;
        v.ModbusLo = c.lo;
        v.ModbusHi = c.hi;
        const auto result = ValidateModemProperties(v);
        if (c.control == nullptr) {
            EXPECT_TRUE(std::holds_alternative<ModemUserSettings>(result)) << c.lo << " " << c.hi;
        } else {
            ASSERT_TRUE(std::holds_alternative<SettingsError>(result)) << c.lo << " " << c.hi;
            EXPECT_EQ(std::get<SettingsError>(result).Control, c.control);
        }
    }
}

}  // namespace
}  // namespace dlk::client
