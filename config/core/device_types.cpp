#include "config/core/device_types.h"

#include <array>

namespace dlk::config {
namespace {

constexpr std::array<DeviceTypeRow, 5> kRows = {{
    {.DeviceType = 1, .Label = "GSM-модем", .Known = true, .SerialLinePage = true, .GsmPassThrough = true},
    {.DeviceType = 2,
     .Label = "CSD-мост",
     .Known = true,
     .QuotedLabel = true,
     .SerialLinePage = true,
     .GsmPassThrough = true},
    {.DeviceType = 3,
     .Label = "СМС-данные ультразвукового расходомера ЛЕТ-7Ж",
     .Known = true,
     .QuotedLabel = true,
     .SmsPage = true,
     .SwitchesOff = false},
    {.DeviceType = 128,
     .Label = "GPRS-модем",
     .Known = true,
     .QuotedLabel = true,
     .SettingsPage = true,
     .SerialLinePage = true,
     .GsmPassThrough = true,
     .ScheduleNeedsNoDtr = true,
     .PacketFieldsVisible = true},
    {.DeviceType = 129,
     .Label = "GPRS-модем ультразвукового расходомера ЛЕТ-7Ж",
     .Known = true,
     .QuotedLabel = true,
     .SettingsPage = true,
     .SmsPage = true,
     .FixedSettings = true},
}};

constexpr DeviceTypeRow kUnknown{.Label = "неизвестно"};

}  // namespace

const DeviceTypeRow& DeviceTypeFor(std::uint8_t device_type) {
    for (const DeviceTypeRow& row : kRows)
        if (row.DeviceType == device_type) return row;
    return kUnknown;
}

std::string DeviceTypeLabel(std::uint8_t device_type) {
    const DeviceTypeRow& row = DeviceTypeFor(device_type);
    if (!row.QuotedLabel) return row.Label;
    return std::string("\"") + row.Label + "\"";
}

}  // namespace dlk::config
