#include "config/core/report_link.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

#include "config/core/tests/hex_bytes.h"
#include "config/testing/simulated_unit.h"

namespace dlk::config {
namespace {

using testing::HexBytes;
using testing::ToVector;

const UnitIdentity kGprsModem{.UsbProgramVersion = 3,
                              .DeviceType = 128,
                              .MainProgramVersion = 14,
                              .SerialNumber = 0x1234,
                              .HardwareMinor = 1,
                              .HardwareMajor = 2};

class ReportLinkTest : public ::testing::Test {
protected:
    SimulatedUnit unit{kGprsModem};
    ReportLink link;

    void SetUp() override { link.Attach(&unit); }
};

TEST_F(ReportLinkTest, IdentifyDecodesTheUnitsAnswer) {
    UnitIdentity id;
    ASSERT_EQ(link.Identify(id), LinkStatus::Ok);
    EXPECT_EQ(id.DeviceType, 128);
    EXPECT_EQ(id.SerialNumber, 0x1234);
    EXPECT_EQ(id.HardwareMajor, 2);
    ASSERT_EQ(unit.RequestLog().size(), 1u);
    EXPECT_EQ(ToVector(unit.RequestLog()[0]), HexBytes("00 00000000000000000000000000000000 00 00 00 00"));
}

TEST_F(ReportLinkTest, ReadMemoryReturnsSixteenBytesEvenWhenFewerAreAsked) {
    for (int i = 0; i < 256; ++i) unit.Page(2)[i] = static_cast<std::uint8_t>(i);
    ASSERT_EQ(link.ReadMemory(2, 0x5E, 7), LinkStatus::Ok);
    // The first seven are the asked-for bytes; the unit pads the rest.
    EXPECT_EQ(ToVector(link.Reply().Data), HexBytes("5E5F6061626364 000000000000000000"));
    ASSERT_EQ(link.ReadMemory(2, 0xF8, 16), LinkStatus::Ok);
    EXPECT_EQ(link.Reply().Data[7], 0xFF);
}

TEST_F(ReportLinkTest, WritesReachTheUnitsMemory) {
    const std::uint8_t bytes[] = {0x22, 0x31, 0x32, 0x22, 0x00};
    ASSERT_EQ(link.WriteMemory(0, 0xB0, bytes), LinkStatus::Ok);
    EXPECT_EQ(unit.Page(0)[0xB0], 0x22);
    EXPECT_EQ(unit.Page(0)[0xB4], 0x00);
    EXPECT_TRUE(unit.RequestLog().size() == 1 && unit.RequestLog()[0][20] == 5);
}

TEST_F(ReportLinkTest, RequestsNoReportCanCarryAreRefusedUnsent) {
    std::uint8_t seventeen[17] = {};
    EXPECT_EQ(link.WriteMemory(0, 0, seventeen), LinkStatus::BadRequest);
    EXPECT_EQ(link.WriteMemory(0, 0, std::span<const std::uint8_t>()), LinkStatus::BadRequest);
    EXPECT_EQ(link.WriteMemory(0, 0, 2, std::span<const std::uint8_t>(seventeen, 3)), LinkStatus::BadRequest);
    EXPECT_EQ(link.ReadMemory(0, 0, 0), LinkStatus::BadRequest);
    EXPECT_EQ(link.ReadMemory(0, 0, 17), LinkStatus::BadRequest);
    static const std::array<std::uint8_t, kFirmwareImageSize> image{};
    EXPECT_EQ(link.ProgramBlock(image, kFirmwareBlockCount), LinkStatus::BadRequest);
    EXPECT_TRUE(unit.RequestLog().empty());
}

TEST_F(ReportLinkTest, StaleInputIsDroppedBeforeAnExchange) {
    ReportPayload stale{};
    stale.fill(0xEE);
    unit.PushUnsolicitedReport(stale);
    unit.PushUnsolicitedReport(stale);
    unit.Page(0)[0x60] = 0x22;
    ASSERT_EQ(link.ReadMemory(0, 0x60, 16), LinkStatus::Ok);
    EXPECT_EQ(link.Reply().Data[0], 0x22);
}

TEST_F(ReportLinkTest, SilentUnitTimesOutAndKeepsThePreviousReply) {
    ASSERT_EQ(link.ReadMemory(0, 0, 16), LinkStatus::Ok);
    link.Reply().Data[5] = 0x5A;
    unit.SetSilent(true);
    UnitIdentity id{.DeviceType = 99};
    EXPECT_EQ(link.Identify(id), LinkStatus::TimedOut);
    EXPECT_EQ(id.DeviceType, 99) << "a missing reply must not be decoded";
    EXPECT_EQ(link.Reply().Data[5], 0x5A);
    EXPECT_TRUE(link.HasUnit()) << "a slow unit is not a removed one";
    EXPECT_STRNE(LinkStatusMessage(LinkStatus::TimedOut), "");
}

TEST_F(ReportLinkTest, VerifyWithoutAnAnswerNeverPasses) {
    link.Reply().Data[0] = 1;  // as a successful check image would leave it
    unit.SetSilent(true);
    bool passed = true;
    EXPECT_EQ(link.Verify(passed), LinkStatus::TimedOut);
    EXPECT_FALSE(passed);
    EXPECT_EQ(link.Reply().Data[0], 0);
}

TEST_F(ReportLinkTest, UnplugMidSequenceIsReportedNotHidden) {
    unit.UnplugAfter(1);
    EXPECT_EQ(link.EnterLoader(), LinkStatus::Ok);
    EXPECT_EQ(link.BeginProgramming(), LinkStatus::UnitGone);
    EXPECT_FALSE(link.HasUnit());
    UnitIdentity id;
    EXPECT_EQ(link.Identify(id), LinkStatus::UnitGone);
    EXPECT_EQ(unit.RequestLog().size(), 1u);
    EXPECT_STREQ(LinkStatusMessage(LinkStatus::UnitGone), "Модем отключён");
}

TEST(ReportLink, WithoutADeviceNothingIsSentAndTheBuffersOutliveDevices) {
    ReportLink link;
    EXPECT_EQ(link.EnterLoader(), LinkStatus::NoUnit);
    ASSERT_EQ(link.ReadMemory(1, 0x70, 16), LinkStatus::NoUnit);

    // The next unit sees the fields the last request left in the buffer.
    SimulatedUnit unit(kGprsModem);
    link.Attach(&unit);
    UnitIdentity id;
    ASSERT_EQ(link.Identify(id), LinkStatus::Ok);
    EXPECT_EQ(ToVector(unit.RequestLog().at(0)), HexBytes("00 00000000000000000000000000000000 00 70 01 10"));
}

// A device whose transfers are scripted, for what the simulated unit never does.
class ScriptedDevice : public HidDevice {
public:
    bool open = true;
    HidIoStatus write_status = HidIoStatus::Ok;
    std::vector<std::uint8_t> input;
    int writes = 0;
    int discards = 0;

    bool IsOpen() const override { return open; }
    HidIoStatus WriteReport(std::span<const std::uint8_t>, std::chrono::milliseconds) override {
        ++writes;
        return write_status;
    }
    HidReadResult ReadReport(std::span<std::uint8_t> into, std::chrono::milliseconds) override {
        std::memcpy(into.data(), input.data(), std::min(into.size(), input.size()));
        return {HidIoStatus::Ok, std::min(into.size(), input.size())};
    }
    void DiscardInput() override { ++discards; }
    void Close() override { open = false; }
};

TEST(ReportLink, FailedWriteIsNotFollowedByARead) {
    ScriptedDevice device;
    device.write_status = HidIoStatus::Failed;
    device.input = HexBytes("01");
    ReportLink link;
    link.Attach(&device);
    bool suits = true;
    const ReportPayload tail{};
    EXPECT_EQ(link.CheckImage(tail, suits), LinkStatus::Failed);
    EXPECT_FALSE(suits);
    EXPECT_EQ(link.Reply().Data[0], 0);
    EXPECT_EQ(device.discards, 1);
}

TEST(ReportLink, ReplyOfAnotherLengthIsTakenWithoutOverrun) {
    ScriptedDevice device;
    device.input.assign(40, 0x01);
    ReportLink link;
    link.Attach(&device);
    bool passed = false;
    EXPECT_EQ(link.Verify(passed), LinkStatus::Ok);
    EXPECT_TRUE(passed);
    EXPECT_EQ(link.Reply().Data[15], 0x01);
}

}  // namespace
}  // namespace dlk::config
