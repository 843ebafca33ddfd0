// The conversions between the settings bytes and the pages, field by field.
#include "config/core/settings_fields.h"

#include <gtest/gtest.h>

#include <string>

#include "config/core/quoted_field.h"
#include "config/core/tests/hex_bytes.h"
#include "framework/core/str_to_int.h"

namespace dlk::config {
namespace {

using testing::HexBytes;
using testing::ToVector;

TEST(SettingsFields, NumbersAreClampedAndStoredInTheUnitsUnits) {
    struct Case {
        const char* Text;
        std::uint8_t AutoDisconnect;
        int AutoDisconnectShown;
        std::uint8_t Ping;
        int PingShown;
    };
    const Case cases[] = {
        {"0", 16, 1, 1, 4},     {"1", 16, 1, 1, 4},     {"3", 46, 3, 1, 4},    {"10", 151, 10, 2, 8},
        {"16", 241, 16, 4, 16}, {"17", 0, 17, 4, 16},   {"61", 0, 17, 15, 60}, {"99", 0, 17, 15, 60},
        {"256", 16, 1, 1, 4},   {"300", 0, 17, 11, 44},
    };
    for (const Case& c : cases) {
        const int number = ParseSettingsInteger(c.Text);
        EXPECT_EQ(EncodeAutoDisconnect(number), c.AutoDisconnect) << c.Text;
        EXPECT_EQ(DecodeAutoDisconnect(c.AutoDisconnect), c.AutoDisconnectShown) << c.Text;
        EXPECT_EQ(EncodePingPeriod(number), c.Ping) << c.Text;
        EXPECT_EQ(DecodePingPeriod(c.Ping), c.PingShown) << c.Text;
    }
}

TEST(SettingsFields, PacketTimeOutIsKeptInTenthsAndShownWithTheLocalesSeparator) {
    struct Case {
        const char* Text;
        char Separator;
        std::uint16_t Tenths;
        const char* Shown;
    };
    const Case cases[] = {
        {"3", ',', 30, "3,0"},          {"0", ',', 0, "0"},
        {"4,1", ',', 41, "4,1"},        {"0.3", '.', 3, "0.3"},
        {"1000", '.', 10000, "1000.0"}, {"6553,5", ',', 65535, "6553,5"},
        {"6553,6", ',', 0, "0"},        {"99999", ',', 16950, "1695,0"},
        {",5", ',', 5, "0,5"},          {"2,59", ',', 25, "2,5"},
    };
    for (const Case& c : cases) {
        const std::uint16_t tenths = EncodePacketTimeout(ParseSettingsDecimal(c.Text, c.Separator));
        EXPECT_EQ(tenths, c.Tenths) << c.Text;
        EXPECT_EQ(FormatPacketTimeout(tenths, c.Separator), c.Shown) << c.Text;
    }
}

TEST(SettingsFields, TextsThatAreNotNumbersOrAreNegativeDoNotConvert) {
    for (const char* text : {"", "x", "-1", "1 ", " 1", "1x", "+"}) {
        EXPECT_THROW(ParseSettingsInteger(text), EConvertError) << text;
    }
    for (const char* text : {"", ",", "3.0", "-3", "1,2,3", "1e3", "3 "}) {
        EXPECT_THROW(ParseSettingsDecimal(text, ','), EConvertError) << text;
    }
}

TEST(SettingsFields, SerialLineKeepsWhatNoComboBoxOffers) {
    const auto bytes = HexBytes("2C 01 00 00  02 01 07 5A");  // 300 baud, kept byte 0x5A
    const SerialLineRecord read = SerialLineRecord::FromBytes(std::span<const std::uint8_t, 8>(bytes.data(), 8));
    EXPECT_EQ(read.Baud, 300u);
    EXPECT_FALSE(BaudIndex(read.Baud));
    EXPECT_FALSE(DataBitsIndex(9));

    // No selection, or one past the items, leaves the field as read.
    EXPECT_EQ(ToVector(TakeSerialLineSelection(read, -1, -1, -1, -1).ToBytes()), bytes);
    EXPECT_EQ(ToVector(TakeSerialLineSelection(read, 8, 2, 3, 2).ToBytes()), bytes);
    EXPECT_EQ(ToVector(TakeSerialLineSelection(read, 7, 0, 2, 1).ToBytes()), HexBytes("00 C2 01 00  00 02 08 5A"));
}

TEST(SettingsFields, PhoneNumberIsStoredInSwappedDigitOrder) {
    const std::array<char, 12> stored = EncodePhoneNumber("(916)123-4567");
    EXPECT_EQ(std::string(stored.begin(), stored.end()), "9761214365F7");
    const std::string back = DecodePhoneNumber(
        std::span<const std::uint8_t, 12>(reinterpret_cast<const std::uint8_t*>(stored.data()), stored.size()));
    EXPECT_EQ(back, "(916)123-4567");
    // An incomplete number goes out with blanks where digits are missing.
    const std::array<char, 12> partial = EncodePhoneNumber("(91");
    EXPECT_EQ(std::string(partial.begin(), partial.end()), "97 1      F ");
}

TEST(QuotedField, EncodesCutsAndDecodes) {
    EXPECT_EQ(EncodeQuotedField("", 16), HexBytes("22 22 00 00000000000000000000000000"));
    EXPECT_EQ(EncodeQuotedField("5000", 8), HexBytes("22 35 30 30 30 22 00 00"));
    // Too long a text loses its end so that the quote and the NUL still fit.
    EXPECT_EQ(EncodeQuotedField("123456789", 8), HexBytes("22 31 32 33 34 35 22 00"));

    struct Case {
        const char* Bytes;
        const char* Text;
    };
    const Case cases[] = {
        {"22 22 00 41 41", ""},
        {"22 61 62 22 00 7A", "ab"},
        {"22 61 62 63 22", "abc"},  // no NUL
        {"00 22 61 22", ""},
        {"22 00", ""},
        {"41 00", ""},
        {"61 62 63 00", "b"},  // taken as it comes: first and last dropped
    };
    for (const Case& c : cases) EXPECT_EQ(DecodeQuotedField(HexBytes(c.Bytes)), c.Text) << c.Bytes;
}

}  // namespace
}  // namespace dlk::config
