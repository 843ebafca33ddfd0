#include "client/core/settings/modems_file.h"

#include <gtest/gtest.h>

#include "client/core/tests/settings_test_folder.h"

namespace dlk::client {
namespace {

using testing_settings::FileBytes;
using testing_settings::TempFolder;
using testing_settings::WriteBytes;

const ImeiBcd kFirst = *TextToImei("356938035643809");
const ImeiBcd kSecond = *TextToImei("490154203237518");

ModemUserSettings Settings(std::string_view name, std::uint8_t pausedAtStart, std::uint8_t lo = 0,
                           std::uint8_t hi = 0) {
    ModemUserSettings s;
    s.Name = MakeShortString<31>(name);
    s.PausedAtStart = pausedAtStart;
    s.Modbus = lo || hi ? 1 : 0;
    s.ModbusLo = lo;
    s.ModbusHi = hi;
    return s;
}

std::vector<std::uint8_t> Record(const ImeiBcd& imei, const ModemUserSettings& s) {
    std::vector<std::uint8_t> r(imei.begin(), imei.end());
    const auto body = EncodeModemSettings(s);
    r.insert(r.end(), body.begin(), body.end());
    r.resize(kModemRecordSize, 0);
    return r;
}

TEST(ModemsFile, ANewImeiAppendsOneRecordAndASecondOkRewritesItInPlace) {
    TempFolder folder;
    const auto path = folder / kModemsFileName;
    std::string error;

    ASSERT_TRUE(StoreModemSettings(path, kFirst, Settings("pump", 1), &error)) << error;
    ASSERT_EQ(FileBytes(path).size(), 64u);
    ASSERT_TRUE(StoreModemSettings(path, kSecond, Settings("well", 0, 1, 5), &error)) << error;
    ASSERT_EQ(FileBytes(path).size(), 128u);

    const auto before = FileBytes(path);
    ASSERT_TRUE(StoreModemSettings(path, kFirst, Settings("boiler house", 0, 3, 9), &error)) << error;
    const auto after = FileBytes(path);
    ASSERT_EQ(after.size(), 128u);
    EXPECT_EQ(after, [&] {
        auto expected = Record(kFirst, Settings("boiler house", 0, 3, 9));
        expected.insert(expected.end(), before.begin() + 64, before.end());
        return expected;
    }());
    // Bytes 8-43 in detail, and the reserved tail.
    EXPECT_EQ(after[8], 12);
    EXPECT_EQ(std::string(after.begin() + 9, after.begin() + 21), "boiler house");
    EXPECT_EQ(after[40], 0);  // PausedAtStart
    EXPECT_EQ(after[41], 1);  // Modbus
    EXPECT_EQ(after[42], 3);
    EXPECT_EQ(after[43], 9);
    for (std::size_t i = 44; i < 64; ++i) EXPECT_EQ(after[i], 0) << i;

    EXPECT_EQ(FindModemSettings(path, kFirst), Settings("boiler house", 0, 3, 9));
    EXPECT_EQ(FindModemSettings(path, kSecond), Settings("well", 0, 1, 5));
}

TEST(ModemsFile, ATruncatedFileRecoversAtItsLastWholeRecord) {
    TempFolder folder;
    const auto path = folder / kModemsFileName;
    auto bytes = Record(kFirst, Settings("pump", 0));
    // Half a record of kSecond: its key is there, its settings are not.
    const auto partial = Record(kSecond, Settings("well", 0));
    bytes.insert(bytes.end(), partial.begin(), partial.begin() + 30);
    WriteBytes(path, bytes);

    EXPECT_EQ(FindModemSettings(path, kSecond), std::nullopt);
    std::string error;
    ASSERT_TRUE(StoreModemSettings(path, kSecond, Settings("well", 1), &error)) << error;
    auto file = FileBytes(path);
    ASSERT_EQ(file.size(), 128u);
    EXPECT_EQ(std::vector<std::uint8_t>(file.begin() + 64, file.end()), Record(kSecond, Settings("well", 1)));
    // Later stores find it again instead of growing the file.
    ASSERT_TRUE(StoreModemSettings(path, kSecond, Settings("well 2", 1), &error)) << error;
    EXPECT_EQ(FileBytes(path).size(), 128u);
    EXPECT_EQ(FindModemSettings(path, kFirst), Settings("pump", 0));
    EXPECT_EQ(FindModemSettings(path, kSecond), Settings("well 2", 1));
}

TEST(ModemsFile, DamagedRecordsReadClampedAndNormalised) {
    TempFolder folder;
    const auto path = folder / kModemsFileName;
    auto record = Record(kFirst, Settings("", 0));
    record[8] = 255;  // name length past its field
    for (std::size_t i = 9; i < 40; ++i) record[i] = 'n';
    record[40] = 0x10;
    record[41] = 0xFF;
    record[42] = 7;
    record[43] = 200;
    WriteBytes(path, record);

    const auto read = FindModemSettings(path, kFirst);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->Name.Text(), std::string(31, 'n'));
    EXPECT_EQ(read->PausedAtStart, 1);
    EXPECT_EQ(read->Modbus, 1);
    EXPECT_EQ(read->ModbusLo, 7);
    EXPECT_EQ(read->ModbusHi, 200);
}

TEST(ModemsFile, KeysMustMatchInAllEightBytes) {
    TempFolder folder;
    const auto path = folder / kModemsFileName;
    ImeiBcd nearly = kFirst;
    nearly[7] ^= 0x10;
    WriteBytes(path, Record(nearly, Settings("other", 0)));
    EXPECT_EQ(FindModemSettings(path, kFirst), std::nullopt);
    EXPECT_EQ(FindModemSettings(folder / "absent.dat", kFirst), std::nullopt);
}

TEST(ModemsFile, AnUnwritableFileIsReportedAndLeftAsItWas) {
    TempFolder folder;
    const auto blocked = folder / kModemsFileName;
    std::filesystem::create_directory(blocked);
    std::string error;
    EXPECT_FALSE(StoreModemSettings(blocked, kFirst, Settings("pump", 0), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(std::filesystem::is_directory(blocked));
}

}  // namespace
}  // namespace dlk::client
