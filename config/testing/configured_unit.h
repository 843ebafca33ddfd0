#pragma once

#include <cstdint>

#include "config/core/settings_pages.h"
#include "config/testing/simulated_unit.h"

namespace dlk::config {

// The identity of a unit of this type as tests know it: USB program 4, main
// program 17, serial number 513, hardware 2.1.
UnitIdentity ConfiguredIdentity(std::uint8_t device_type);

// Settings a user would have made: 9600 8N1 (kept byte 0x5A), connect on a
// call, alarm SMS "Авария" to (916)123-4567, 1 minute, 8 s, packet time-out
// 3, no packet length, UTC+03:00 by the schedule with an ON point on Monday
// 01:00 and an OFF point at 02:00. Every byte the program does not own holds
// 0xA5, so that a write past a field shows.
void ConfigureUnit(SimulatedUnit& unit);

// Pages whose numeric fields all convert (packet time-out 3, auto-disconnect
// 1, no packet length, ping 8), so an apply gets as far as writing.
SettingsPages PagesWithValidNumbers();

}  // namespace dlk::config
