#include "client/core/settings/client_config_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>

#include "client/core/tests/settings_test_folder.h"

namespace dlk::client {
namespace {

using testing_settings::FileBytes;
using testing_settings::TempFolder;
using testing_settings::WriteBytes;

ClientConfig KnownConfig() {
    ClientConfig c;
    c.Window = {258, 772, 704, 229};
    c.Link.LocalPort = 1025;
    c.Link.ClientMode = 1;
    c.Link.ClientId = MakeShortString<8>("abc");
    c.Link.ClientPassword = MakeShortString<8>("pw");
    c.Link.ServerAddress = {10, 0, 0, 7};
    c.Link.ServerPort = 5000;
    c.Link.PingPeriod = 8;
    c.Link.NullModemMode = 1;
    c.Link.OneModemActive = 0;
    return c;
}

const std::vector<std::uint8_t> kKnownBytes = {
    0x00,                                               // reserved
    0x02, 0x01, 0x04, 0x03, 0xC0, 0x02, 0xE5, 0x00,     // left 258, top 772, 704 x 229
    0x96, 0x00, 0x78, 0x00, 0x3C, 0x00, 0x3C, 0x00,     // column widths
    0x3C, 0x00, 0x3C, 0x00, 0x78, 0x00,                 //
    0x01, 0x04,                                         // LocalPort 1025
    0x01,                                               // ClientMode
    0x03, 'a',  'b',  'c',  0,    0,    0,    0,    0,  // ClientId
    0x02, 'p',  'w',  0,    0,    0,    0,    0,    0,  // ClientPassword
    10,   0,    0,    7,                                // ServerAddress
    0x88, 0x13,                                         // ServerPort 5000
    8,    1,    0,                                      // PingPeriod, NullModemMode, OneModemActive
};

void ExpectSameConfig(const ClientConfig& a, const ClientConfig& b) {
    EXPECT_EQ(a.Window, b.Window);
    EXPECT_EQ(a.ColumnWidths, b.ColumnWidths);
    EXPECT_EQ(a.Link.LocalPort, b.Link.LocalPort);
    EXPECT_EQ(a.Link.ClientMode, b.Link.ClientMode);
    EXPECT_EQ(a.Link.ClientId.Text(), b.Link.ClientId.Text());
    EXPECT_EQ(a.Link.ClientPassword.Text(), b.Link.ClientPassword.Text());
    EXPECT_EQ(a.Link.ServerAddress, b.Link.ServerAddress);
    EXPECT_EQ(a.Link.ServerPort, b.Link.ServerPort);
    EXPECT_EQ(a.Link.PingPeriod, b.Link.PingPeriod);
    EXPECT_EQ(a.Link.NullModemMode, b.Link.NullModemMode);
    EXPECT_EQ(a.Link.OneModemActive, b.Link.OneModemActive);
}

TEST(ClientConfigFile, KnownSettingsGiveTheGoldenBytesAndReadBack) {
    TempFolder folder;
    const auto path = folder / kClientConfigFileName;
    std::string error;
    ASSERT_TRUE(SaveClientConfig(path, KnownConfig(), &error)) << error;
    EXPECT_EQ(FileBytes(path), kKnownBytes);
    ExpectSameConfig(ReadClientConfig(path, ClientConfig{}), KnownConfig());
    // Only the new file is left behind: no temporary files.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST(ClientConfigFile, WithoutAFileTheFirstStartDefaultsApply) {
    TempFolder folder;
    const ClientConfig defaults = DefaultClientConfig(1920, 1080, 40);
    EXPECT_EQ(defaults.Window, (WindowPlacement{1216, 811, 704, 229}));
    const ClientConfig read = ReadClientConfig(folder / kClientConfigFileName, defaults);
    ExpectSameConfig(read, defaults);
    EXPECT_EQ(read.ColumnWidths, (std::array<std::uint16_t, 7>{150, 120, 60, 60, 60, 60, 120}));
    EXPECT_EQ(read.Link.LocalPort, 1025);
    EXPECT_EQ(read.Link.ClientId.Text(), "none");
    EXPECT_EQ(read.Link.NullModemMode, 0);
    EXPECT_EQ(read.Link.OneModemActive, 1);
}

TEST(ClientConfigFile, PositionsLeftOrAboveTheScreenComeBackNegative) {
    ClientConfig c = KnownConfig();
    c.Window.Left = -8;
    c.Window.Top = -30;
    const auto bytes = EncodeClientConfig(c);
    EXPECT_EQ(bytes[1], 0xF8);
    EXPECT_EQ(bytes[2], 0xFF);
    const ClientConfig read = DecodeClientConfig(bytes, ClientConfig{});
    EXPECT_EQ(read.Window.Left, -8);
    EXPECT_EQ(read.Window.Top, -30);
}

TEST(ClientConfigFile, ShortFilesKeepDefaultsForWhatIsMissing) {
    TempFolder folder;
    const auto path = folder / kClientConfigFileName;
    const ClientConfig defaults = DefaultClientConfig(800, 600, 0);

    // Cut inside ClientId: everything before it is read, the rest is default.
    WriteBytes(path, {kKnownBytes.begin(), kKnownBytes.begin() + 30});
    ClientConfig read = ReadClientConfig(path, defaults);
    EXPECT_EQ(read.Window, KnownConfig().Window);
    EXPECT_EQ(read.Link.ClientMode, 1);
    EXPECT_EQ(read.Link.ClientId.Text(), "none");
    EXPECT_EQ(read.Link.ServerPort, 1024);
    EXPECT_EQ(read.Link.OneModemActive, 1);

    // Cut inside the second byte of the top position.
    WriteBytes(path, {kKnownBytes.begin(), kKnownBytes.begin() + 4});
    read = ReadClientConfig(path, defaults);
    EXPECT_EQ(read.Window.Left, 258);
    EXPECT_EQ(read.Window.Top, defaults.Window.Top);

    // Empty file: all defaults.
    WriteBytes(path, {});
    ExpectSameConfig(ReadClientConfig(path, defaults), defaults);

    // One byte short: only OneModemActive is missing.
    WriteBytes(path, {kKnownBytes.begin(), kKnownBytes.end() - 1});
    read = ReadClientConfig(path, defaults);
    EXPECT_EQ(read.Link.NullModemMode, 1);
    EXPECT_EQ(read.Link.OneModemActive, 1);
}

TEST(ClientConfigFile, DamagedFieldsAreClampedAndNormalised) {
    TempFolder folder;
    const auto path = folder / kClientConfigFileName;
    std::vector<std::uint8_t> bytes = kKnownBytes;
    bytes.resize(100, 0xEE);  // trailing junk is ignored
    bytes[26] = 0xFF;         // ClientId length past its field
    std::fill(bytes.begin() + 27, bytes.begin() + 35, 'x');
    bytes[35] = 9;  // password one past its field
    bytes[25] = 7;  // ClientMode
    bytes[50] = 0;  // ping period the dialog refuses
    bytes[51] = 0x80;
    bytes[52] = 2;
    WriteBytes(path, bytes);

    const ClientConfig read = ReadClientConfig(path, ClientConfig{});
    EXPECT_EQ(read.Link.ClientId.Text(), "xxxxxxxx");
    EXPECT_EQ(read.Link.ClientId.bytes[0], 8);
    EXPECT_EQ(read.Link.ClientPassword.Text().size(), 8u);
    EXPECT_EQ(read.Link.ClientMode, 1);
    EXPECT_EQ(read.Link.PingPeriod, 5);
    EXPECT_EQ(read.Link.NullModemMode, 1);
    EXPECT_EQ(read.Link.OneModemActive, 1);

    // Written back, the clamped lengths are what the file holds.
    const auto again = EncodeClientConfig(read);
    EXPECT_EQ(again[26], 8);
    EXPECT_EQ(again[35], 8);
}

TEST(ClientConfigFile, RandomBytesOfEveryLengthDecodeSafely) {
    std::mt19937 random(1251);
    for (std::size_t length = 0; length <= 60; ++length) {
        for (int round = 0; round < 50; ++round) {
            std::vector<std::uint8_t> bytes(length);
            for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
            const ClientConfig c = DecodeClientConfig(bytes, ClientConfig{});
            EXPECT_LE(c.Link.ClientId.Length(), 8u);
            EXPECT_LE(c.Link.ClientMode, 1);
            EXPECT_GE(c.Link.PingPeriod, 1);
            EXPECT_LE(c.Link.PingPeriod, 60);
        }
    }
}

TEST(ClientConfigFile, ShorterTextsLeaveNoOldCharactersInTheFile) {
    ClientConfig c = KnownConfig();
    c.Link.ClientPassword = MakeShortString<8>("secret12");
    c.Link.ClientPassword.Assign("ab");  // the field still holds "cret12" past the length
    const auto bytes = EncodeClientConfig(c);
    const std::vector<std::uint8_t> field(bytes.begin() + 35, bytes.begin() + 44);
    EXPECT_EQ(field, (std::vector<std::uint8_t>{2, 'a', 'b', 0, 0, 0, 0, 0, 0}));
}

TEST(ClientConfigFile, AFailedWriteKeepsTheOldFileAndSaysWhy) {
    TempFolder folder;
    std::string error;
    // The target is a folder: nothing may replace it.
    const auto blocked = folder / kClientConfigFileName;
    std::filesystem::create_directory(blocked);
    EXPECT_FALSE(SaveClientConfig(blocked, KnownConfig(), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(std::filesystem::is_directory(blocked));

    // A folder that does not exist cannot take the temporary file.
    error.clear();
    EXPECT_FALSE(SaveClientConfig(folder / "missing" / kClientConfigFileName, KnownConfig(), &error));
    EXPECT_NE(error.find("missing"), std::string::npos);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST(ClientConfigFile, ValuesTheProgramCouldNotHaveSavedFallBackToTheDefaults) {
    ClientConfig defaults;
    defaults.Window = {1, 2, 333, 444};
    // A 16-bit field's offset, a value for it, and whether the value is kept.
    const std::tuple<std::size_t, unsigned, bool> cases[] = {{23, 0, false},    {23, 1023, false}, {23, 1024, true},
                                                             {23, 65535, true}, {48, 0, false},    {48, 80, false},
                                                             {5, 0, false},     {7, 0, false}};
    for (const auto& [offset, value, kept] : cases) {
        std::vector<std::uint8_t> bytes = kKnownBytes;
        bytes[offset] = std::uint8_t(value & 0xFF);
        bytes[offset + 1] = std::uint8_t(value >> 8);
        const ClientConfig c = DecodeClientConfig(bytes, defaults);
        const unsigned read[] = {c.Link.LocalPort, c.Link.ServerPort, unsigned(c.Window.Width),
                                 unsigned(c.Window.Height)};
        const unsigned fallback[] = {defaults.Link.LocalPort, defaults.Link.ServerPort, 333, 444};
        const std::size_t field = offset == 23 ? 0 : offset == 48 ? 1 : offset == 5 ? 2 : 3;
        EXPECT_EQ(read[field], kept ? value : fallback[field]) << "offset " << offset << ", value " << value;
    }
}

TEST(ClientConfigFile, TheWindowIsKeptWhollyOnTheScreen) {
    const ScreenArea screen{0, 0, 1024, 738};
    struct Case {
        const char* what;
        WindowPlacement stored;
        WindowPlacement shown;
    };
    const Case cases[] = {
        {"already on it", {258, 400, 704, 229}, {258, 400, 704, 229}},
        {"huge", {0, 0, 65535, 65535}, {0, 0, 1024, 738}},
        {"far right and below", {32767, 32767, 704, 229}, {320, 509, 704, 229}},
        {"partly left and above", {-100, -5, 704, 229}, {0, 0, 704, 229}},
        {"far left", {-32768, 10, 704, 229}, {0, 10, 704, 229}},
    };
    for (const Case& c : cases) EXPECT_EQ(KeptOnScreen(c.stored, screen), c.shown) << c.what;
    // A screen that does not start at 0, 0 (a panel on the left or top).
    EXPECT_EQ(KeptOnScreen({0, 0, 704, 229}, {48, 24, 976, 744}), (WindowPlacement{48, 24, 704, 229}));
    EXPECT_EQ(KeptOnScreen({5, 6, 7, 8}, ScreenArea{}), (WindowPlacement{5, 6, 7, 8}));
}

}  // namespace
}  // namespace dlk::client
