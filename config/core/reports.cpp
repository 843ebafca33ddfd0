#include "config/core/reports.h"

#include <algorithm>

namespace dlk {
namespace {

void SetCommand(ConfigReport& report, UnitCommand command) {
    report.command = static_cast<std::uint8_t>(command);
}

}  // namespace

ConfigReportBytes ConfigReport::ToBytes() const {
    ConfigReportBytes bytes{};
    bytes[0] = report_id;
    std::copy(data.begin(), data.end(), bytes.begin() + 1);
    bytes[17] = command;
    bytes[18] = address;
    bytes[19] = page;
    bytes[20] = count;
    return bytes;
}

ConfigReport ConfigReport::FromBytes(std::span<const std::uint8_t, kConfigReportSize> bytes) {
    ConfigReport report;
    report.report_id = bytes[0];
    std::copy_n(bytes.begin() + 1, kReportPayloadSize, report.data.begin());
    report.command = bytes[17];
    report.address = bytes[18];
    report.page = bytes[19];
    report.count = bytes[20];
    return report;
}

void ReplyReport::TakeInputReport(std::span<const std::uint8_t> input) {
    report_id = 0;
    data.fill(0);
    std::copy_n(input.begin(), std::min(input.size(), data.size()), data.begin());
}

void SetIdentify(ConfigReport& report) {
    SetCommand(report, UnitCommand::CmdIdentify);
}

void SetCheckImage(ConfigReport& report, std::span<const std::uint8_t, kFirmwareBlockSize> image_tail) {
    SetCommand(report, UnitCommand::CmdCheckImage);
    std::copy(image_tail.begin(), image_tail.end(), report.data.begin());
}

void SetBeginProgramming(ConfigReport& report) {
    SetCommand(report, UnitCommand::CmdBeginProgramming);
}

void SetProgramBlock(ConfigReport& report, std::uint16_t offset,
                     std::span<const std::uint8_t, kFirmwareBlockSize> block) {
    SetCommand(report, UnitCommand::CmdProgramBlock);
    std::copy(block.begin(), block.end(), report.data.begin());
    report.address = static_cast<std::uint8_t>(offset & 0xFF);
    report.page = static_cast<std::uint8_t>(offset >> 8);
}

void SetVerify(ConfigReport& report) {
    SetCommand(report, UnitCommand::CmdVerify);
}

void SetFinish(ConfigReport& report) {
    SetCommand(report, UnitCommand::CmdFinish);
}

void SetReadMemory(ConfigReport& report, std::uint8_t page, std::uint8_t address, std::uint8_t count) {
    SetCommand(report, UnitCommand::CmdReadMemory);
    report.address = address;
    report.page = page;
    report.count = count;
}

void SetWriteMemory(ConfigReport& report, std::uint8_t page, std::uint8_t address,
                    std::span<const std::uint8_t> bytes) {
    const std::size_t count = std::min(bytes.size(), kReportPayloadSize);
    SetWriteMemory(report, page, address, static_cast<std::uint8_t>(count), bytes.first(count));
}

void SetWriteMemory(ConfigReport& report, std::uint8_t page, std::uint8_t address, std::uint8_t count,
                    std::span<const std::uint8_t> named) {
    SetCommand(report, UnitCommand::CmdWriteMemory);
    report.address = address;
    report.page = page;
    report.count = count;
    std::copy_n(named.begin(), std::min({named.size(), kReportPayloadSize, std::size_t{count}}), report.data.begin());
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
    const auto& d = reply.data;
    UnitIdentity identity;
    identity.usb_program_version = d[1];
    identity.device_type = d[2];
    identity.main_program_version = d[3];
    identity.serial_number = static_cast<std::uint16_t>(d[6] | (d[7] << 8));
    identity.hardware_minor = d[8];
    identity.hardware_major = d[9];
    return identity;
}

ReportPayload EncodeIdentify(const UnitIdentity& identity) {
    ReportPayload d{};
    d[1] = identity.usb_program_version;
    d[2] = identity.device_type;
    d[3] = identity.main_program_version;
    d[6] = static_cast<std::uint8_t>(identity.serial_number & 0xFF);
    d[7] = static_cast<std::uint8_t>(identity.serial_number >> 8);
    d[8] = identity.hardware_minor;
    d[9] = identity.hardware_major;
    return d;
}

}  // namespace dlk
