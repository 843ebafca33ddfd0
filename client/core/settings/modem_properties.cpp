#include "client/core/settings/modem_properties.h"

#include <charconv>
#include <optional>
#include <string_view>

#include "platform/encoding/cp1251.h"

namespace dlk::client {
namespace {

std::optional<std::uint8_t> ParseAddress(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    if (text.empty() || text.size() > 3) return std::nullopt;
    unsigned value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || value > 255) return std::nullopt;
    return static_cast<std::uint8_t>(value);
}

}  // namespace

ModemPropertiesValues PropertiesValuesFrom(const ModemUserSettings& s) {
    ModemPropertiesValues v;
    v.Name = Cp1251ToUtf8(s.Name.Text());
    v.PausedAtStart = s.PausedAtStart != 0;
    v.Modbus = s.Modbus != 0;
    v.ModbusLo = std::to_string(s.ModbusLo);
    v.ModbusHi = std::to_string(s.ModbusHi);
    return v;
}

std::variant<ModemUserSettings, SettingsError> ValidateModemProperties(const ModemPropertiesValues& values,
                                                                       const ModemUserSettings& current) {
    const bool nameAsShown = values.Name == PropertiesValuesFrom(current).Name;
    if (!nameAsShown && !FitsCp1251(values.Name)) return TextOutsideCp1251("Edit1", "имя");
    const auto hi = ParseAddress(values.ModbusHi);
    if (!hi) return SettingsError{"Edit3", "hi-адрес должен быть числом от 0 до 255"};
    const auto lo = ParseAddress(values.ModbusLo);
    if (!lo) return SettingsError{"Edit2", "lo-адрес должен быть числом от 0 до 255"};
    ModemUserSettings s;
    s.Name = nameAsShown ? current.Name : MakeShortString<31>(Utf8ToCp1251(values.Name));
    s.PausedAtStart = values.PausedAtStart ? 1 : 0;
    s.Modbus = values.Modbus ? 1 : 0;
    s.ModbusLo = *lo;
    s.ModbusHi = *hi;
    return s;
}

}  // namespace dlk::client
