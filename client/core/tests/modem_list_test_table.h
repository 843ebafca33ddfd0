#pragma once

#include <cstring>
#include <string>

#include "client/core/table/modem_table.h"

namespace dlk::client::testing_list {

// Appends an entry the way the receiver would, with the fields a list test
// looks at; the IMEI is made from a number so that every entry differs.
inline ModemEntry& AddModem(ModemTable& table, const std::string& name, std::uint64_t imeiNumber = 0) {
    ModemEntry e;
    const std::uint16_t index = table.ModemTableCount();
    std::string digits = std::to_string(imeiNumber ? imeiNumber : 350000000000000ull + index);
    digits.insert(0, 15 - digits.size(), '0');
    e.Imei = *TextToImei(digits);
    e.Name = MakeShortString<31>(name);
    e.Online = 1;
    e.Paused = 1;
    e.RowOrder = index;
    table.Entries.push_back(e);
    return table.Entries.back();
}

// Names of the entries in row order.
inline std::string RowNames(const ModemTable& table) {
    std::string names;
    for (const ModemEntry& row : table.Entries) {
        if (!names.empty()) names += ",";
        names += table.Entries[row.RowOrder].Name.Text();
    }
    return names;
}

inline std::uint32_t StoredAddress(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) {
    const std::uint8_t bytes[4] = {a, b, c, d};
    std::uint32_t stored;
    std::memcpy(&stored, bytes, 4);
    return stored;
}

inline std::uint16_t StoredPort(std::uint16_t port) {
    const std::uint8_t bytes[2] = {static_cast<std::uint8_t>(port >> 8), static_cast<std::uint8_t>(port)};
    std::uint16_t stored;
    std::memcpy(&stored, bytes, 2);
    return stored;
}

}  // namespace dlk::client::testing_list
