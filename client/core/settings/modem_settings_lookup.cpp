#include "client/core/settings/modem_settings_lookup.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "client/core/table/pause_rules.h"

namespace dlk::client {

ModemUserSettings UserSettingsOf(const ModemEntry& entry) {
    ModemUserSettings s;
    s.Name = entry.Name;
    s.PausedAtStart = entry.PausedAtStart;
    s.Modbus = entry.Modbus;
    s.ModbusLo = entry.ModbusLo;
    s.ModbusHi = entry.ModbusHi;
    return s;
}

void SetUserSettings(ModemEntry& entry, const ModemUserSettings& settings) {
    entry.Name = settings.Name;
    entry.PausedAtStart = settings.PausedAtStart;
    entry.Modbus = settings.Modbus;
    entry.ModbusLo = settings.ModbusLo;
    entry.ModbusHi = settings.ModbusHi;
}

bool LookUpModemSettings(ModemTable& table, std::uint16_t index, std::uint8_t oneModemActive,
                         const std::filesystem::path& modemsFile) {
    return LookUpModemSettings(table, std::span(&index, 1), oneModemActive, modemsFile) == 1;
}

std::size_t LookUpModemSettings(ModemTable& table, std::span<const std::uint16_t> indexes, std::uint8_t oneModemActive,
                                const std::filesystem::path& modemsFile) {
    std::vector<std::uint16_t> asked;
    std::vector<ImeiBcd> imeis;
    {
        std::lock_guard lock(table.TableLock);
        for (const std::uint16_t index : indexes) {
            if (index >= table.ModemTableCount()) continue;
            asked.push_back(index);
            imeis.push_back(table.Entries[index].Imei);
        }
    }
    if (asked.empty()) return 0;
    const auto stored = FindModemSettings(modemsFile, imeis);

    std::size_t applied = 0;
    std::lock_guard lock(table.TableLock);
    for (std::size_t i = 0; i < asked.size(); ++i) {
        const std::uint16_t index = asked[i];
        if (!stored[i]) continue;
        if (index >= table.ModemTableCount() || !SameImei(table.Entries[index].Imei, imeis[i])) continue;
        SetUserSettings(table.Entries[index], *stored[i]);
        ApplyPauseRuleToKnownNewModem(table, index, oneModemActive);
        ++applied;
    }
    return applied;
}

bool StoreModemSettingsFor(ModemTable& table, const ImeiBcd& imei, const ModemUserSettings& settings,
                           const std::filesystem::path& modemsFile, std::string* error) {
    {
        std::lock_guard lock(table.TableLock);
        if (const auto index = table.FindByImei(imei)) {
            SetUserSettings(table.Entries[*index], settings);
            table.RepaintNeeded = true;
        }
    }
    return StoreModemSettings(modemsFile, imei, settings, error);
}

}  // namespace dlk::client
