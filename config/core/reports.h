#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace dlk::config {

// The modem unit's commands; the numbers are the wire values.
enum class UnitCommand : std::uint8_t {
    CmdIdentify = 0,
    CmdCheckImage = 1,
    CmdBeginProgramming = 2,
    CmdProgramBlock = 3,
    CmdVerify = 4,
    CmdFinish = 5,
    CmdReadMemory = 6,
    CmdWriteMemory = 7,
    CmdEnterLoader = 8,
    CmdGsmPassThroughOn = 9,
    CmdGsmPassThroughOff = 10,
};

inline constexpr std::size_t kConfigReportSize = 21;
inline constexpr std::size_t kReplyReportSize = 17;
inline constexpr std::size_t kReportPayloadSize = 16;

inline constexpr std::size_t kSettingsPageCount = 3;
inline constexpr std::size_t kSettingsPageSize = 256;

inline constexpr std::size_t kFirmwareImageSize = 32768;
inline constexpr std::size_t kFirmwareBlockSize = 16;
inline constexpr std::size_t kFirmwareBlockCount = kFirmwareImageSize / kFirmwareBlockSize;

using ReportPayload = std::array<std::uint8_t, kReportPayloadSize>;
using SettingsPage = std::array<std::uint8_t, kSettingsPageSize>;
using SettingsMemory = std::array<SettingsPage, kSettingsPageCount>;
using FirmwareBytes = std::array<std::uint8_t, kFirmwareImageSize>;
using ConfigReportBytes = std::array<std::uint8_t, kConfigReportSize>;

// The request report, byte for byte: report id, data[0..15], command,
// address, page, count. One of these lives for the whole run and each step
// sets only the fields it names, so the rest carry what the previous request
// left there; the unit has always seen it that way.
struct ConfigReport {
    std::uint8_t ReportId = 0;
    ReportPayload Data{};
    std::uint8_t Command = 0;
    std::uint8_t Address = 0;  // low byte of the image offset for CmdProgramBlock
    std::uint8_t Page = 0;     // high byte of the image offset for CmdProgramBlock
    std::uint8_t Count = 0;

    ConfigReportBytes ToBytes() const;
    static ConfigReport FromBytes(std::span<const std::uint8_t, kConfigReportSize> bytes);
};

// The reply report: a report id that nobody looks at, then data[0..15].
struct ReplyReport {
    std::uint8_t ReportId = 0;
    ReportPayload Data{};

    // hidraw hands over the unit's input report without a report id: its
    // bytes become data[0..], whatever they lack is zero, whatever exceeds
    // the payload is dropped. All 17 bytes are overwritten.
    void TakeInputReport(std::span<const std::uint8_t> input);
};

// Each sets the fields its command names and nothing else.
void SetIdentify(ConfigReport& report);
void SetCheckImage(ConfigReport& report, std::span<const std::uint8_t, kFirmwareBlockSize> image_tail);
void SetBeginProgramming(ConfigReport& report);
// offset is the block's byte offset in the image: address = offset mod 256,
// page = offset div 256.
void SetProgramBlock(ConfigReport& report, std::uint16_t offset,
                     std::span<const std::uint8_t, kFirmwareBlockSize> block);
void SetVerify(ConfigReport& report);
void SetFinish(ConfigReport& report);
void SetReadMemory(ConfigReport& report, std::uint8_t page, std::uint8_t address, std::uint8_t count);
// bytes.size() becomes the count and must be 1-16 (the caller checks);
// payload bytes past it keep what they held.
void SetWriteMemory(ConfigReport& report, std::uint8_t page, std::uint8_t address, std::span<const std::uint8_t> bytes);
// A write of `count` bytes of which only the first named.size() are given;
// the payload bytes after them go out as the buffer holds them.
void SetWriteMemory(ConfigReport& report, std::uint8_t page, std::uint8_t address, std::uint8_t count,
                    std::span<const std::uint8_t> named);
void SetEnterLoader(ConfigReport& report);
void SetGsmPassThroughOn(ConfigReport& report);
void SetGsmPassThroughOff(ConfigReport& report);

// What CmdIdentify answers.
struct UnitIdentity {
    std::uint8_t UsbProgramVersion = 0;   // data[1], of the unit's USB part
    std::uint8_t DeviceType = 0;          // data[2], `DeviceType`
    std::uint8_t MainProgramVersion = 0;  // data[3], of the main device
    std::uint16_t SerialNumber = 0;       // data[6..7], little-endian
    std::uint8_t HardwareMinor = 0;       // data[8]
    std::uint8_t HardwareMajor = 0;       // data[9]
};

UnitIdentity DecodeIdentify(const ReplyReport& reply);
// The payload a unit with this identity answers CmdIdentify with.
ReportPayload EncodeIdentify(const UnitIdentity& identity);

}  // namespace dlk::config
