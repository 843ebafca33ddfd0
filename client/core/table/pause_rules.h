#pragma once

#include <cstdint>

#include "client/core/table/modem_table.h"

namespace dlk::client {

// Which modems take part in the traffic from the local program. A new entry
// starts paused (the table does that when it creates it); these are the
// other ways Paused changes. Each expects the caller to hold TableLock,
// ignores an index the table does not have, and sets RepaintNeeded when
// anything may have changed.

// The window has found a new entry's IMEI in the modems file: with several
// modems allowed the entry starts as its stored PausedAtStart says; with one
// modem active it starts active only when it is the table's sole entry.
void ApplyPauseRuleToKnownNewModem(ModemTable& table, std::uint16_t index, std::uint8_t oneModemActive);

// A click in the pause column of the row showing entry index. With several
// modems allowed the entry toggles; with one modem active a paused entry
// becomes the only active one, and an active one is paused.
void ClickPause(ModemTable& table, std::uint16_t index, std::uint8_t oneModemActive);

// "только один модем активен" was switched on.
void PauseEveryModem(ModemTable& table);

}  // namespace dlk::client
