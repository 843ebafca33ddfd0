#pragma once

#include <string>
#include <variant>

#include "client/core/settings/modems_file.h"
#include "client/core/settings/settings_apply.h"

namespace dlk::client {

// What the modem properties dialog holds when OK is pressed (texts UTF-8).
struct ModemPropertiesValues {
    std::string Name;            // Edit1
    bool PausedAtStart = false;  // CheckBox1
    bool Modbus = false;         // CheckBox2
    std::string ModbusLo;        // Edit2
    std::string ModbusHi;        // Edit3
};

ModemPropertiesValues PropertiesValuesFrom(const ModemUserSettings& settings);

// The settings to store: the name's first 31 characters in code page 1251
// (a name left as shown keeps its stored bytes), the addresses 0..255. A
// name 1251 cannot hold or a wrong address is refused as a whole, naming its
// edit, before anything is taken.
std::variant<ModemUserSettings, SettingsError> ValidateModemProperties(const ModemPropertiesValues& values,
                                                                       const ModemUserSettings& current = {});

}  // namespace dlk::client
