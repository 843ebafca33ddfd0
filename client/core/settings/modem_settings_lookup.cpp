#include "client/core/settings/modem_settings_lookup.h"

#include <algorithm>
#include <mutex>

#include "client/core/bridge/pause_rules.h"

namespace dlk {

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
    ImeiBcd imei;
    {
        std::lock_guard lock(table.TableLock);
        if (index >= table.ModemTableCount()) return false;
        imei = table.Entries[index].Imei;
    }
    const auto stored = FindModemSettings(modemsFile, imei);
    if (!stored) return false;

    std::lock_guard lock(table.TableLock);
    if (index >= table.ModemTableCount() || !SameImei(table.Entries[index].Imei, imei)) return false;
    SetUserSettings(table.Entries[index], *stored);
    ApplyPauseRuleToKnownNewModem(table, index, oneModemActive);
    return true;
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

}  // namespace dlk
