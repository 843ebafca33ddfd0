#include "config/core/reports.h"

#include <gtest/gtest.h>

#include <functional>
#include <numeric>
#include <string>

#include "config/core/tests/hex_bytes.h"

namespace dlk::config {
namespace {

using testing::HexBytes;
using testing::ToVector;

ReportPayload Counting(std::uint8_t first) {
    ReportPayload p;
    std::iota(p.begin(), p.end(), first);
    return p;
}

// One buffer for the whole run, as the program keeps it: each step below sets
// only its own fields and the expected bytes show what the others carry.
TEST(ConfigReport, EveryCommandSetsOnlyItsFieldsOnTheLongLivedBuffer) {
    struct Step {
        const char* what;
        std::function<void(ConfigReport&)> act;
        const char* bytes;  // id | data[0..15] | command address page count
    };
    const ReportPayload tail = Counting(0xE0);
    const ReportPayload block = Counting(0x10);
    const std::uint8_t sixteen[16] = {'"', 'i', 'n', 't', 'e', 'r', 'n', 'e', 't', '"', 0, 'x', 'y', 'z', 'w', 'q'};
    const std::uint8_t empty_password[3] = {'"', '"', 0};
    const std::uint8_t time_zone_and_points[2] = {0x02, 0x85};
    const std::uint8_t port_timeout_length[11] = {'"', '5', '0', '0', '0', '"', 0, 0, 0x1E, 0x00, 0x00};

    const Step steps[] = {
        {"identify at start", SetIdentify, "00 | 00000000 00000000 00000000 00000000 | 00 00 00 00"},
        {"read 0x60/0 (16)", [](ConfigReport& r) { SetReadMemory(r, 0, 0x60, 16); },
         "00 | 00000000 00000000 00000000 00000000 | 06 60 00 10"},
        {"identify after a read carries its address, page, count", SetIdentify,
         "00 | 00000000 00000000 00000000 00000000 | 00 60 00 10"},
        {"write 0x10/0 (16)", [&](ConfigReport& r) { SetWriteMemory(r, 0, 0x10, sixteen); },
         "00 | 22696E74 65726E65 74220078 797A7771 | 07 10 00 10"},
        {"write 0x50/0 (3) keeps the payload tail",
         [&](ConfigReport& r) { SetWriteMemory(r, 0, 0x50, empty_password); },
         "00 | 22220074 65726E65 74220078 797A7771 | 07 50 00 03"},
        {"write 0xB0/0 (12) with byte 11 unnamed",
         [&](ConfigReport& r) { SetWriteMemory(r, 0, 0xB0, 12, port_timeout_length); },
         "00 | 22353030 30220000 1E000078 797A7771 | 07 B0 00 0C"},
        {"write 0xFE/0 (2)", [&](ConfigReport& r) { SetWriteMemory(r, 0, 0xFE, time_zone_and_points); },
         "00 | 02853030 30220000 1E000078 797A7771 | 07 FE 00 02"},
        {"read schedule 0x70/1 (16)", [](ConfigReport& r) { SetReadMemory(r, 1, 0x70, 16); },
         "00 | 02853030 30220000 1E000078 797A7771 | 06 70 01 10"},
        {"enter loader", SetEnterLoader, "00 | 02853030 30220000 1E000078 797A7771 | 08 70 01 10"},
        {"check image puts the tail in the payload", [&](ConfigReport& r) { SetCheckImage(r, tail); },
         "00 | E0E1E2E3 E4E5E6E7 E8E9EAEB ECEDEEEF | 01 70 01 10"},
        {"begin programming", SetBeginProgramming, "00 | E0E1E2E3 E4E5E6E7 E8E9EAEB ECEDEEEF | 02 70 01 10"},
        {"block 0", [&](ConfigReport& r) { SetProgramBlock(r, 0, block); },
         "00 | 10111213 14151617 18191A1B 1C1D1E1F | 03 00 00 10"},
        {"block 17 at offset 0x0110", [&](ConfigReport& r) { SetProgramBlock(r, 0x0110, block); },
         "00 | 10111213 14151617 18191A1B 1C1D1E1F | 03 10 01 10"},
        {"block 2047, the last", [&](ConfigReport& r) { SetProgramBlock(r, 0x7FF0, block); },
         "00 | 10111213 14151617 18191A1B 1C1D1E1F | 03 F0 7F 10"},
        {"verify", SetVerify, "00 | 10111213 14151617 18191A1B 1C1D1E1F | 04 F0 7F 10"},
        {"finish", SetFinish, "00 | 10111213 14151617 18191A1B 1C1D1E1F | 05 F0 7F 10"},
        {"GSM pass-through on", SetGsmPassThroughOn, "00 | 10111213 14151617 18191A1B 1C1D1E1F | 09 F0 7F 10"},
        {"GSM pass-through off", SetGsmPassThroughOff, "00 | 10111213 14151617 18191A1B 1C1D1E1F | 0A F0 7F 10"},
    };

    ConfigReport report;
    for (const Step& step : steps) {
        step.act(report);
        EXPECT_EQ(ToVector(report.ToBytes()), HexBytes(step.bytes)) << step.what;
    }
}

TEST(ConfigReport, BytesRoundTripThroughTheFields) {
    const auto bytes = HexBytes("00 0102030405060708090A0B0C0D0E0F10 06 B0 02 0C");
    ConfigReportBytes fixed;
    std::copy(bytes.begin(), bytes.end(), fixed.begin());
    const ConfigReport report = ConfigReport::FromBytes(fixed);
    EXPECT_EQ(report.Command, 6);
    EXPECT_EQ(report.Address, 0xB0);
    EXPECT_EQ(report.Page, 2);
    EXPECT_EQ(report.Count, 12);
    EXPECT_EQ(report.Data[15], 0x10);
    EXPECT_EQ(report.ToBytes(), fixed);
}

TEST(ReplyReport, InputReportLandsAfterTheReportIdAndOverwritesEverything) {
    ReplyReport reply;
    reply.ReportId = 0x55;
    reply.Data.fill(0xAA);

    const auto sixteen = HexBytes("01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F 10");
    reply.TakeInputReport(sixteen);
    EXPECT_EQ(reply.ReportId, 0);
    EXPECT_EQ(ToVector(reply.Data), sixteen);

    // A short report leaves no stale bytes behind; a long one is cut.
    reply.TakeInputReport(HexBytes("7F 7E"));
    EXPECT_EQ(ToVector(reply.Data), HexBytes("7F 7E 00000000 00000000 00000000 0000"));
    reply.TakeInputReport(HexBytes("00112233445566778899AABBCCDDEEFF 99 98"));
    EXPECT_EQ(ToVector(reply.Data), HexBytes("00112233445566778899AABBCCDDEEFF"));
}

TEST(UnitIdentity, DecodesTheIdentificationReply) {
    ReplyReport reply;
    reply.TakeInputReport(HexBytes("00 17 81 2A 00 00 39 30 05 02 FF FF FF FF FF FF"));
    const UnitIdentity id = DecodeIdentify(reply);
    EXPECT_EQ(id.UsbProgramVersion, 0x17);
    EXPECT_EQ(id.DeviceType, 129);
    EXPECT_EQ(id.MainProgramVersion, 42);
    EXPECT_EQ(id.SerialNumber, 12345);  // 0x3039, little-endian
    EXPECT_EQ(id.HardwareMinor, 5);
    EXPECT_EQ(id.HardwareMajor, 2);

    // The simulated unit answers with the same layout.
    EXPECT_EQ(ToVector(EncodeIdentify(id)), HexBytes("00 17 81 2A 00 00 39 30 05 02 00 00 00 00 00 00"));
}

}  // namespace
}  // namespace dlk::config
