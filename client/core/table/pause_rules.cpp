#include "client/core/table/pause_rules.h"

namespace dlk::client {

void ApplyPauseRuleToKnownNewModem(ModemTable& table, std::uint16_t index, std::uint8_t oneModemActive) {
    if (index >= table.ModemTableCount()) return;
    ModemEntry& entry = table.Entries[index];
    if (oneModemActive == 0) {
        entry.Paused = entry.PausedAtStart;
    } else if (table.ModemTableCount() == 1) {
        entry.Paused = 0;
    }
    table.RepaintNeeded = true;
}

void ClickPause(ModemTable& table, std::uint16_t index, std::uint8_t oneModemActive) {
    if (index >= table.ModemTableCount()) return;
    ModemEntry& entry = table.Entries[index];
    if (oneModemActive == 0 || entry.Paused == 0) {
        entry.Paused = entry.Paused == 0 ? 1 : 0;
    } else {
        for (ModemEntry& other : table.Entries) other.Paused = 1;
        entry.Paused = 0;
    }
    table.RepaintNeeded = true;
}

void PauseEveryModem(ModemTable& table) {
    for (ModemEntry& entry : table.Entries) entry.Paused = 1;
    table.RepaintNeeded = true;
}

}  // namespace dlk::client
