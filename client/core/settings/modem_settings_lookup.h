#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "client/core/settings/modems_file.h"
#include "client/core/table/modem_table.h"

namespace dlk::client {

// The entry's Name..ModbusHi as the modems file holds them.
ModemUserSettings UserSettingsOf(const ModemEntry& entry);
void SetUserSettings(ModemEntry& entry, const ModemUserSettings& settings);

// The window has just learnt of entry index: when the modems file holds its
// IMEI, the entry takes the stored name, flags and range, and the pause rule
// for a new entry decides whether it starts active. True when a record was
// found. The file is read without the lock; an index the table no longer
// has, or that now holds another modem (the table was emptied meanwhile),
// is left alone.
bool LookUpModemSettings(ModemTable& table, std::uint16_t index, std::uint8_t oneModemActive,
                         const std::filesystem::path& modemsFile = kModemsFileName);
// The same for several new entries at once, in their order, from one
// reading of the file. Returns how many had a record.
std::size_t LookUpModemSettings(ModemTable& table, std::span<const std::uint16_t> indexes, std::uint8_t oneModemActive,
                                const std::filesystem::path& modemsFile = kModemsFileName);

// OK of the properties dialog for the modem imei: the entry holding that
// IMEI (if the table still has it) takes the settings, and the record is
// written. False with error set when the file could not be written; the
// entry keeps the settings either way.
bool StoreModemSettingsFor(ModemTable& table, const ImeiBcd& imei, const ModemUserSettings& settings,
                           const std::filesystem::path& modemsFile, std::string* error);

}  // namespace dlk::client
