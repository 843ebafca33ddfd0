// The configurator's whole procedures against the simulated unit, checked as
// the requests the unit received: reading and writing the settings memory,
// flashing the controller and handing over the GSM module.
#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <tuple>
#include <vector>

#include "config/core/report_link.h"
#include "config/core/tests/hex_bytes.h"
#include "config/testing/simulated_unit.h"
#include "platform/encoding/cp1251.h"

namespace dlk::config {
namespace {

using testing::HexBytes;
using testing::ToVector;

const UnitIdentity kSmsMeter{.UsbProgramVersion = 5,
                             .DeviceType = 129,
                             .MainProgramVersion = 21,
                             .SerialNumber = 40001,
                             .HardwareMinor = 0,
                             .HardwareMajor = 3};

struct Block {
    std::uint8_t Address;
    std::uint8_t Page;
    std::uint8_t Count;
};

// Command, address, page and count of every logged request.
std::vector<std::tuple<int, int, int, int>> Headers(const std::vector<ConfigReportBytes>& log) {
    std::vector<std::tuple<int, int, int, int>> headers;
    for (const auto& r : log) headers.emplace_back(r[17], r[18], r[19], r[20]);
    return headers;
}

// The order in which an opened unit of an SMS-capable type is read.
std::vector<Block> SettingsReadingOrder() {
    std::vector<Block> order = {{0x60, 0, 16}, {0x70, 0, 16},                                  // NTP server
                                {0x10, 0, 16}, {0x20, 0, 16}, {0x30, 0, 16}, {0x40, 0, 16},    // APN, login
                                {0x50, 0, 16},                                                 // password
                                {0xFE, 0, 2}};                                                 // zone, points
    for (int k = 0; k < 16; ++k) order.push_back({static_cast<std::uint8_t>(k * 16), 1, 16});  // schedule
    for (Block b : {Block{0x00, 0, 16},
                    {0x80, 0, 16},
                    {0x90, 0, 16},
                    {0xA0, 0, 16},
                    {0xB0, 0, 16},
                    {0x0A, 2, 16},
                    {0x1E, 2, 16},
                    {0x2E, 2, 16},
                    {0x3E, 2, 16},
                    {0x4E, 2, 16},
                    {0x5E, 2, 16}})
        order.push_back(b);
    return order;
}

TEST(SettingsSequence, ReadingOrderFetchesEveryFieldAndTheNextIdentifyCarriesItsLastBlock) {
    SimulatedUnit unit(kSmsMeter);
    for (std::size_t p = 0; p < kSettingsPageCount; ++p)
        for (std::size_t a = 0; a < kSettingsPageSize; ++a) unit.Page(p)[a] = static_cast<std::uint8_t>(p * 97 + a * 7);
    ReportLink link;
    link.Attach(&unit);

    std::vector<std::tuple<int, int, int, int>> expected;
    for (const Block& b : SettingsReadingOrder()) {
        ASSERT_EQ(link.ReadMemory(b.Page, b.Address, b.Count), LinkStatus::Ok);
        for (int k = 0; k < b.Count; ++k)
            ASSERT_EQ(link.Reply().Data[k], unit.Page(b.Page)[b.Address + k]) << int(b.Address) << "/" << int(b.Page);
        expected.emplace_back(6, b.Address, b.Page, b.Count);
    }
    EXPECT_EQ(Headers(unit.RequestLog()), expected);
    EXPECT_EQ(unit.RequestLog().size(), 35u);

    UnitIdentity id;
    ASSERT_EQ(link.Identify(id), LinkStatus::Ok);
    EXPECT_EQ(std::get<0>(Headers(unit.RequestLog()).back()), 0);
    EXPECT_EQ(Headers(unit.RequestLog()).back(), std::make_tuple(0, 0x5E, 2, 16));
}

std::vector<std::uint8_t> Quoted(const std::string& text, std::size_t field) {
    std::vector<std::uint8_t> bytes(field, 0);
    bytes[0] = '"';
    std::copy(text.begin(), text.end(), bytes.begin() + 1);
    bytes[text.size() + 1] = '"';
    return bytes;
}

TEST(SettingsSequence, WritingOrderStoresThePagesAndUnnamedBytesCarryTheBuffer) {
    SimulatedUnit unit(kSmsMeter);
    ReportLink link;
    link.Attach(&unit);
    auto write_field = [&](std::uint8_t page, std::uint8_t address, const std::vector<std::uint8_t>& field) {
        for (std::size_t at = 0; at < field.size(); at += 16)
            ASSERT_EQ(link.WriteMemory(page, static_cast<std::uint8_t>(address + at),
                                       std::span(field).subspan(at, std::min<std::size_t>(16, field.size() - at))),
                      LinkStatus::Ok);
    };

    write_field(0, 0x10, Quoted("internet.mts.ru", 32));
    write_field(0, 0x30, Quoted("mts", 32));
    write_field(0, 0x50, Quoted("", 16));
    write_field(0, 0x80, Quoted("192.168.100.200", 48));
    // Port, packet time-out 3 (stored 30), packet length 0; byte 11 unnamed.
    const auto port = HexBytes("22 35 30 30 30 22 00 00  1E 00  00");
    ASSERT_EQ(link.WriteMemory(0, 0xB0, 12, port), LinkStatus::Ok);
    // 9600 baud, one stop bit, no parity, 8 bits, kept 0; flags; 1 minute; 8 s.
    const auto settings = HexBytes("80 25 00 00  00 00 08 00  21 10 02");
    ASSERT_EQ(link.WriteMemory(0, 0x00, 16, settings), LinkStatus::Ok);
    write_field(0, 0x60, Quoted("pool.ntp.org", 32));
    ASSERT_EQ(link.WriteMemory(0, 0xFE, HexBytes("02 82")), LinkStatus::Ok);
    std::vector<std::uint8_t> schedule(256, 0);
    schedule[0] = 0x3C, schedule[1] = 0x40;  // ON at Monday 01:00
    schedule[2] = 0x78, schedule[3] = 0x00;  // OFF at Monday 02:00
    write_field(1, 0x00, schedule);
    const std::string sms_head = "0011000B91", phone = "9761214365F7", length = "0008A70A";
    write_field(2, 0x00, std::vector<std::uint8_t>(sms_head.begin(), sms_head.end()));
    ASSERT_EQ(link.WriteMemory(2, 0x0A, std::vector<std::uint8_t>(phone.begin(), phone.end())), LinkStatus::Ok);
    ASSERT_EQ(link.WriteMemory(2, 0x16, std::vector<std::uint8_t>(length.begin(), length.end())), LinkStatus::Ok);
    std::vector<std::uint8_t> text(71, 0);
    const std::string alarm = Utf8ToCp1251("Авария");
    text[0] = static_cast<std::uint8_t>(alarm.size());
    std::copy(alarm.begin(), alarm.end(), text.begin() + 1);
    for (std::uint8_t at = 0x1E; at < 0x5E; at += 16)
        ASSERT_EQ(link.WriteMemory(2, at, std::span(text).subspan(at - 0x1E, 16)), LinkStatus::Ok);
    ASSERT_EQ(link.WriteMemory(2, 0x5E, std::span(text).subspan(64, 7)), LinkStatus::Ok);

    EXPECT_EQ(unit.RequestLog().size(), 2u + 2 + 1 + 3 + 1 + 1 + 2 + 1 + 16 + 1 + 1 + 1 + 5);
    const auto& page0 = unit.Page(0);
    EXPECT_EQ(std::string(page0.begin() + 0x10, page0.begin() + 0x21), "\"internet.mts.ru\"");
    EXPECT_EQ(ToVector(std::span(page0).subspan(0x50, 3)), HexBytes("22 22 00"));
    EXPECT_EQ(ToVector(std::span(page0).subspan(0xB0, 11)), port);
    // Byte 11 of the 0xB0 write went out as the 0xA0 write left it.
    EXPECT_EQ(page0[0xBB], page0[0xAB]);
    EXPECT_EQ(ToVector(std::span(page0).subspan(0x00, 11)), settings);
    EXPECT_EQ(page0[0xFE], 0x02);
    EXPECT_EQ(page0[0xFF], 0x82);
    EXPECT_EQ(ToVector(std::span(unit.Page(1)).subspan(0, 4)), HexBytes("3C 40 78 00"));
    EXPECT_EQ(std::string(unit.Page(2).begin(), unit.Page(2).begin() + 0x1E), sms_head + phone + length);
    EXPECT_EQ(unit.Page(2)[0x1E], 6);
    EXPECT_EQ(unit.Page(2)[0x1F], 0xC0);  // "А" in code page 1251
    EXPECT_EQ(Headers(unit.RequestLog()).back(), std::make_tuple(7, 0x5E, 2, 7));
}

class FirmwareSequence : public ::testing::Test {
protected:
    SimulatedUnit unit{kSmsMeter};
    ReportLink link;
    std::array<std::uint8_t, kFirmwareImageSize> image{};

    void SetUp() override {
        link.Attach(&unit);
        for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i * 31 + (i >> 8));
        ReportPayload tail;
        std::copy(image.end() - 16, image.end(), tail.begin());
        unit.AcceptOnlyImageTail(tail);
    }

    std::span<const std::uint8_t, kFirmwareBlockSize> Tail() const {
        return std::span<const std::uint8_t, kFirmwareImageSize>(image).last<kFirmwareBlockSize>();
    }
};

TEST_F(FirmwareSequence, WholeUpdateProgramsTheImageInOrder) {
    ASSERT_EQ(link.EnterLoader(), LinkStatus::Ok);
    EXPECT_TRUE(unit.InLoader());
    bool suits = false;
    ASSERT_EQ(link.CheckImage(Tail(), suits), LinkStatus::Ok);
    ASSERT_TRUE(suits);
    ASSERT_EQ(link.BeginProgramming(), LinkStatus::Ok);
    for (std::size_t i = 0; i < kFirmwareBlockCount; ++i) ASSERT_EQ(link.ProgramBlock(image, i), LinkStatus::Ok);
    bool passed = false;
    ASSERT_EQ(link.Verify(passed), LinkStatus::Ok);
    ASSERT_TRUE(passed);
    UnitIdentity id;
    ASSERT_EQ(link.Identify(id), LinkStatus::Ok);
    EXPECT_EQ(id.DeviceType, 129);
    ASSERT_EQ(link.Finish(), LinkStatus::Ok);

    const auto& log = unit.RequestLog();
    ASSERT_EQ(log.size(), 3u + kFirmwareBlockCount + 3);
    EXPECT_EQ(ToVector(log[0]), HexBytes("00 00000000000000000000000000000000 08 00 00 00"));
    EXPECT_EQ(ToVector(std::span(log[1]).subspan(1, 16)), ToVector(Tail()));
    EXPECT_EQ(log[1][17], 1);
    EXPECT_EQ(log[2][17], 2);
    for (std::size_t i = 0; i < kFirmwareBlockCount; ++i) {
        const auto& r = log[3 + i];
        ASSERT_EQ(r[17], 3);
        ASSERT_EQ(r[18] + 256 * r[19], static_cast<int>(16 * i));
        ASSERT_TRUE(std::equal(r.begin() + 1, r.begin() + 17, image.begin() + 16 * i)) << "block " << i;
    }
    EXPECT_EQ(Headers(log)[3 + 2047], std::make_tuple(3, 0xF0, 0x7F, 0));
    EXPECT_EQ(Headers(log)[3 + 2048], std::make_tuple(4, 0xF0, 0x7F, 0));
    EXPECT_EQ(Headers(log)[3 + 2049], std::make_tuple(0, 0xF0, 0x7F, 0));
    EXPECT_EQ(Headers(log)[3 + 2050], std::make_tuple(5, 0xF0, 0x7F, 0));

    EXPECT_EQ(unit.Firmware(), image);
    EXPECT_EQ(unit.CompletedUpdates(), 1);
    EXPECT_FALSE(unit.InLoader());
}

TEST_F(FirmwareSequence, ImageForAnotherUnitIsRefusedBeforeProgramming) {
    image.back() ^= 0xFF;
    ASSERT_EQ(link.EnterLoader(), LinkStatus::Ok);
    bool suits = true;
    ASSERT_EQ(link.CheckImage(Tail(), suits), LinkStatus::Ok);
    EXPECT_FALSE(suits);
    // Blocks sent regardless are not taken, and nothing can pass verification.
    link.BeginProgramming();
    for (std::size_t i = 0; i < kFirmwareBlockCount; ++i) link.ProgramBlock(image, i);
    bool passed = true;
    ASSERT_EQ(link.Verify(passed), LinkStatus::Ok);
    EXPECT_FALSE(passed);
    link.Finish();
    EXPECT_EQ(unit.CompletedUpdates(), 0);
}

TEST_F(FirmwareSequence, LostBlockFailsVerification) {
    bool suits = false, passed = true;
    link.EnterLoader();
    link.CheckImage(Tail(), suits);
    link.BeginProgramming();
    for (std::size_t i = 0; i < kFirmwareBlockCount; ++i)
        if (i != 1000) link.ProgramBlock(image, i);
    ASSERT_EQ(link.Verify(passed), LinkStatus::Ok);
    EXPECT_FALSE(passed);
}

TEST_F(FirmwareSequence, UnitPulledOutDuringProgrammingStopsTheUpdateWithAFailure) {
    bool suits = false;
    link.EnterLoader();
    link.CheckImage(Tail(), suits);
    link.BeginProgramming();
    unit.UnplugAfter(500);
    LinkStatus status = LinkStatus::Ok;
    std::size_t sent = 0;
    for (; sent < kFirmwareBlockCount && status == LinkStatus::Ok; ++sent) status = link.ProgramBlock(image, sent);
    EXPECT_EQ(status, LinkStatus::UnitGone);
    EXPECT_EQ(sent, 501u);
    bool passed = true;
    EXPECT_EQ(link.Verify(passed), LinkStatus::UnitGone);
    EXPECT_FALSE(passed);
}

TEST(BootLoaderDevice, AnswersIdentifyButNotMemoryReads) {
    SimulatedUnit loader(UnitIdentity{.DeviceType = 0xFF}, /*starts_in_loader=*/true);
    ReportLink link;
    link.Attach(&loader);
    UnitIdentity id;
    ASSERT_EQ(link.Identify(id), LinkStatus::Ok);
    EXPECT_EQ(id.DeviceType, 0xFF);
    EXPECT_EQ(link.ReadMemory(0, 0, 16), LinkStatus::TimedOut);
    EXPECT_TRUE(link.HasUnit());
}

TEST(GsmPassThroughSequence, SwitchesTheModuleThroughAndBack) {
    SimulatedUnit unit(kSmsMeter);
    ReportLink link;
    link.Attach(&unit);
    ASSERT_EQ(link.GsmPassThroughOn(), LinkStatus::Ok);
    EXPECT_TRUE(unit.GsmPassThrough());
    ASSERT_EQ(link.GsmPassThroughOff(), LinkStatus::Ok);
    EXPECT_FALSE(unit.GsmPassThrough());
    EXPECT_EQ(Headers(unit.RequestLog()), (std::vector<std::tuple<int, int, int, int>>{{9, 0, 0, 0}, {10, 0, 0, 0}}));
}

}  // namespace
}  // namespace dlk::config
