#include "config/core/reports.h"

#include <algorithm>

namespace dlk::config {
namespace {

void SetCommand(ConfigReport& report, UnitCommand command) {
    report.Command = static_cast<std::uint8_t>(command);
}

}  // namespace

ConfigReportBytes ConfigReport::ToBytes() const {
    ConfigReportBytes bytes{};
    bytes[0] = ReportId;
    std::copy(Data.begin(), Data.end(), bytes.begin() + 1);
    bytes[17] = Command;
    bytes[18] = Address;
    bytes[19] = Page;
    bytes[20] = Count;
    return bytes;
}

ConfigReport ConfigReport::FromBytes(std::span<const std::uint8_t, kConfigReportSize> bytes) {
    ConfigReport report;
    report.ReportId = bytes[0];
    std::copy_n(bytes.begin() + 1, kReportPayloadSize, report.Data.begin());
    report.Command = bytes[17];
    report.Address = bytes[18];
    report.Page = bytes[19];
    report.Count = bytes[20];
    return report;
}

void ReplyReport::TakeInputReport(std::span<const std::uint8_t> input) {
    ReportId = 0;
    Data.fill(0);
    std::copy_n(input.begin(), std::min(input.size(), Data.size()), Data.begin());
}

void SetIdentify(ConfigReport& report) {
    SetCommand(report, UnitCommand::CmdIdentify);
}

void SetCheckImage(ConfigReport& report, std::span<const std::uint8_t, kFirmwareBlockSize> image_tail) {
    SetCommand(report, UnitCommand::CmdCheckImage);
    std::copy(image_tail.begin(), image_tail.end(), report.Data.begin());
}

void SetBeginProgramming(ConfigReport& report) {
    SetCommand(report, UnitCommand::CmdBeginProgramming);
}

void SetProgramBlock(ConfigReport& report, std::uint16_t offset,
                     std::span<const std::uint8_t, kFirmwareBlockSize> block) {
    SetCommand(report, UnitCommand::CmdProgramBlock);
    std::copy(block.begin(), block.end(), report.Data.begin());
    report.Address = static_cast<std::uint8_t>(offset & 0xFF);
    report.Page = static_cast<std::uint8_t>(offset >> 8);
}

void SetVerify(ConfigReport& report) {
    SetCommand(report, UnitCommand::CmdVerify);
}

void SetFinish(ConfigReport& report) {
    SetCommand(report, UnitCommand::CmdFinish);
}

void SetReadMemory(ConfigReport& report, std::uint8_t page, std::uint8_t address, std::uint8_t count) {
    SetCommand(report, UnitCommand::CmdReadMemory);
    report.Address = address;
    report.Page = page;
    report.Count = count;
}

void SetWriteMemory(ConfigReport& report, std::uint8_t page, std::uint8_t address,
                    std::span<const std::uint8_t> bytes) {
    const std::size_t count = std::min(bytes.size(), kReportPayloadSize);
    SetWriteMemory(report, page, address, static_cast<std::uint8_t>(count), bytes.first(count));
}

void SetWriteMemory(ConfigReport& report, std::uint8_t page, std::uint8_t address, std::uint8_t count,
                    std::span<const std::uint8_t> named) {
    SetCommand(report, UnitCommand::CmdWriteMemory);
    report.Address = address;
    report.Page = page;
    report.Count = count;
    std::copy_n(named.begin(), std::min({named.size(), kReportPayloadSize, std::size_t{count}}), report.Data.begin());
}

void SetEnterLoader(ConfigReport& report) {
    SetCommand(report, UnitCommand::CmdEnterLoader);
}

void SetGsmPassThroughOn(ConfigReport& report) {
    SetCommand(report, UnitCommand::CmdGsmPassThroughOn);
}

void SetGsmPassThroughOff(ConfigReport& report) {
    SetCommand(report, UnitCommand::CmdGsmPassThroughOff);
}

UnitIdentity DecodeIdentify(const ReplyReport& reply) {
    const auto& d = reply.Data;
    UnitIdentity identity;
    identity.UsbProgramVersion = d[1];
    identity.DeviceType = d[2];
    identity.MainProgramVersion = d[3];
    identity.SerialNumber = static_cast<std::uint16_t>(d[6] | (d[7] << 8));
    identity.HardwareMinor = d[8];
    identity.HardwareMajor = d[9];
    return identity;
}

ReportPayload EncodeIdentify(const UnitIdentity& identity) {
    ReportPayload d{};
    d[1] = identity.UsbProgramVersion;
    d[2] = identity.DeviceType;
    d[3] = identity.MainProgramVersion;
    d[6] = static_cast<std::uint8_t>(identity.SerialNumber & 0xFF);
    d[7] = static_cast<std::uint8_t>(identity.SerialNumber >> 8);
    d[8] = identity.HardwareMinor;
    d[9] = identity.HardwareMajor;
    return d;
}

}  // namespace dlk::config
