#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/encoding/imei_bcd.h"
#include "platform/encoding/short_string.h"

namespace dlk::client {

inline constexpr const char* kModemsFileName = "DLK_client_modems.dat";
inline constexpr std::size_t kModemRecordSize = 64;
inline constexpr std::size_t kModemSettingsSize = 36;  // bytes 8-43 of a record

// What the user sets for one modem; the same bytes, in the same order, as
// the entry's Name..ModbusHi and as bytes 8-43 of its record.
struct ModemUserSettings {
    ShortString<31> Name{};
    std::uint8_t PausedAtStart = 1;
    std::uint8_t Modbus = 0;
    std::uint8_t ModbusLo = 0;
    std::uint8_t ModbusHi = 0;
    bool operator==(const ModemUserSettings&) const = default;
};

// Bytes 8-43: the name's counted characters (the rest of its field zero),
// then the flags and the range.
std::array<std::uint8_t, kModemSettingsSize> EncodeModemSettings(const ModemUserSettings& settings);
// The name's length clamped to 31 and the flags made 0 or 1.
ModemUserSettings DecodeModemSettings(std::span<const std::uint8_t, kModemSettingsSize> bytes);

// The settings stored for imei; nothing when the file cannot be read or has
// no whole record with that key. A partial record at the end is ignored.
std::optional<ModemUserSettings> FindModemSettings(const std::filesystem::path& path, const ImeiBcd& imei);
// The same for many IMEIs from one reading of the file: one answer per IMEI,
// in their order.
std::vector<std::optional<ModemUserSettings>> FindModemSettings(const std::filesystem::path& path,
                                                                std::span<const ImeiBcd> imeis);

// Rewrites bytes 8-43 of imei's record, or appends a record (reserved tail
// zero) in place of whatever partial record ends the file. The file is
// replaced whole, so a failure leaves the old one; error then holds the text
// to show the user.
bool StoreModemSettings(const std::filesystem::path& path, const ImeiBcd& imei, const ModemUserSettings& settings,
                        std::string* error);

}  // namespace dlk::client
