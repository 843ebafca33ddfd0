#pragma once

#include <cstdint>
#include <string>

namespace dlk::config {

// What the unit's `DeviceType` offers in the window; every type outside the
// table is handled as the boot loader, which only takes firmware.
struct DeviceTypeRow {
    std::uint8_t DeviceType = 0;
    const char* Label = "";  // Label7, without the quotes
    bool Known = false;
    bool QuotedLabel = false;
    // Pages shown and enabled besides the schedule and the firmware page.
    bool SettingsPage = false;    // TabSheet1 "Настройки"
    bool SerialLinePage = false;  // TabSheet4 "RS-232 (COM-порт)"
    bool SmsPage = false;         // TabSheet5 "SMS-сообщения", and page 2 of the memory read and written
    bool GsmPassThrough = false;  // Button2
    // CheckBox1 enabled only while CheckBox3 (DTR control) is unchecked.
    bool ScheduleNeedsNoDtr = false;
    // Label20, Edit10, Label18, Edit8 and CheckBox2 shown (type 128) or hidden (type 129).
    bool PacketFieldsVisible = false;
    // The unit has a fixed serial line and packet settings (type 129): see ForceFixedSettings.
    bool FixedSettings = false;
    // ON bands on the chart and the menu item that adds OFF points.
    bool SwitchesOff = true;
};

const DeviceTypeRow& DeviceTypeFor(std::uint8_t device_type);

// Label7's text (UTF-8): the label, between double quotes where the table says so.
std::string DeviceTypeLabel(std::uint8_t device_type);

}  // namespace dlk::config
