#include "server_edit/core/account_records.h"

#include <gtest/gtest.h>

#include "platform/encoding/cp1251.h"
#include "server_edit/core/tests/account_fixtures.h"

namespace dlk::server_edit {
namespace {

using testing::PatternBytes;

TEST(ClientRecord, FieldsLieAtTheirOffsetsAndTouchNothingElse) {
    ClientRecord r;
    r.Bytes = PatternBytes(3);
    const AccountRecordBytes before = r.Bytes;
    r.SetId("abc");
    r.SetName(Utf8ToCp1251("Водоканал"));
    r.SetDisabled(true);
    r.SetPassword("pw");

    EXPECT_EQ(r.Bytes[0], 3);
    EXPECT_EQ(r.Bytes[1], 'a');
    EXPECT_EQ(r.Bytes[3], 'c');
    EXPECT_EQ(r.Bytes[9], 9);
    EXPECT_EQ(r.Bytes[10], 0xC2);  // В in code page 1251
    EXPECT_EQ(r.Bytes[41], 1);
    EXPECT_EQ(r.Bytes[42], 2);
    EXPECT_EQ(r.Bytes[43], 'p');
    for (std::size_t i : {4u, 8u, 19u, 40u, 45u, 50u}) EXPECT_EQ(r.Bytes[i], before[i]) << "tail byte " << i;
    for (std::size_t i = 51; i < 64; ++i) EXPECT_EQ(r.Bytes[i], before[i]) << "reserved byte " << i;

    EXPECT_EQ(r.Id(), "abc");
    EXPECT_EQ(Cp1251ToUtf8(r.Name()), "Водоканал");
    EXPECT_EQ(r.Password(), "pw");
    EXPECT_TRUE(r.Disabled());
    r.SetDisabled(false);
    EXPECT_EQ(r.Bytes[41], 0);
}

TEST(ClientRecord, AnyNonZeroFlagMeansDisabled) {
    ClientRecord r;
    r.Bytes[41] = 0x80;
    EXPECT_TRUE(r.Disabled());
}

TEST(ClientRecord, ShorterNameKeepsTheOldCharactersBehindIt) {
    ClientRecord r;
    r.SetName("0123456789");
    r.SetName("abc");
    EXPECT_EQ(r.Name(), "abc");
    EXPECT_EQ(r.Bytes[9], 3);
    EXPECT_EQ(std::string(r.Bytes.begin() + 13, r.Bytes.begin() + 20), "3456789");
}

TEST(ClientRecord, OverlongTextsAreCutToTheirFields) {
    ClientRecord r;
    r.Bytes = PatternBytes(1);
    const AccountRecordBytes before = r.Bytes;
    r.SetId("123456789AB");
    r.SetPassword("passwordXYZ");
    EXPECT_EQ(r.Id(), "12345678");
    EXPECT_EQ(r.Password(), "password");
    EXPECT_EQ(r.Bytes[9], before[9]);    // the name's length byte after the ID field
    EXPECT_EQ(r.Bytes[51], before[51]);  // the reserved block after the password
}

TEST(ClientRecord, CorruptLengthBytesNeverReadPastTheField) {
    ClientRecord r;
    r.Bytes = PatternBytes(5);
    r.Bytes[0] = 255;
    r.Bytes[9] = 200;
    r.Bytes[42] = 9;
    EXPECT_EQ(r.Id().size(), 8u);
    EXPECT_EQ(r.Name().size(), 31u);
    EXPECT_EQ(r.Password().size(), 8u);
}

TEST(ModemRecord, FieldsLieAtTheirOffsets) {
    ModemRecord r;
    r.Bytes = PatternBytes(9);
    const AccountRecordBytes before = r.Bytes;
    r.SetImei({0x12, 0x34, 0x56, 0x78, 0x90, 0x12, 0x34, 0x50});
    r.SetName("pump");
    r.SetDisabled(true);
    r.SetOwnerId("owner");

    EXPECT_EQ(r.Bytes[0], 0x12);
    EXPECT_EQ(r.Bytes[7], 0x50);
    EXPECT_EQ(r.Bytes[8], 4);
    EXPECT_EQ(r.Bytes[9], 'p');
    EXPECT_EQ(r.Bytes[40], 1);
    EXPECT_EQ(r.Bytes[55], 5);
    EXPECT_EQ(r.Bytes[56], 'o');
    for (std::size_t i = 41; i < 55; ++i) EXPECT_EQ(r.Bytes[i], before[i]) << "reserved byte " << i;
    EXPECT_EQ(r.Bytes[63], before[63]);
    EXPECT_EQ(ImeiToText(r.Imei()), "123456789012345");
    EXPECT_EQ(r.OwnerId(), "owner");
}

TEST(ModemRecord, ImeiTextFollowsTheNibbles) {
    ModemRecord r;
    r.SetImei({0x12, 0x34, 0x56, 0x78, 0x90, 0x12, 0x34, 0x5F});
    EXPECT_EQ(ImeiToText(r.Imei()), "123456789012345");  // the last low nibble is not shown
    r.SetImei({0xAB, 0xCD, 0xEF, 0, 0, 0, 0, 0});
    EXPECT_EQ(ImeiToText(r.Imei()), ":;<=>?000000000");
    r.SetImei(*TextToImei("123456789012345"));
    EXPECT_EQ(r.Bytes[7], 0x50);
}

TEST(SameClientId, ComparesCountedCharactersExactly) {
    ClientRecord client;
    ModemRecord modem;
    client.Bytes = PatternBytes(1);
    modem.Bytes = PatternBytes(2);  // different tails
    client.SetId("Abc");
    modem.SetOwnerId("Abc");
    EXPECT_TRUE(SameClientId(modem.OwnerIdField(), client.IdField()));
    modem.SetOwnerId("abc");
    EXPECT_FALSE(SameClientId(modem.OwnerIdField(), client.IdField()));
    modem.SetOwnerId("Abc ");
    EXPECT_FALSE(SameClientId(modem.OwnerIdField(), client.IdField()));
    modem.SetOwnerId("");
    client.SetId("");
    EXPECT_TRUE(SameClientId(modem.OwnerIdField(), client.IdField()));
}

}  // namespace
}  // namespace dlk::server_edit
