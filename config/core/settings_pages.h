#pragma once

#include <string>

#include "config/core/settings_fields.h"

namespace dlk::config {

// What the settings pages, the schedule strip and the APN panel hold, as the
// controls show it (texts in UTF-8, combo boxes as an index, -1 without
// selection). The window copies its controls into this before writing and
// out of it after reading.
struct SettingsPages {
    // The APN panel: Edit2, Edit3, Edit5.
    std::string Apn;
    std::string Login;
    std::string Password;

    // The schedule strip.
    std::string NtpServer;         // Edit4
    int TimeZoneIndex = -1;        // ComboBox1: "UTC+02:00 " ... "UTC+12:00"
    bool WorksBySchedule = false;  // CheckBox1

    // "RS-232 (COM-порт)".
    int BaudIndex = -1;      // ComboBox2, kBaudRates
    int DataBitsIndex = -1;  // ComboBox5: 7, 8
    int ParityIndex = -1;    // ComboBox3: "нет", "odd", "even"
    int StopBitsIndex = -1;  // ComboBox4: 1, 2

    // "Настройки".
    std::string ServerAddress;   // Edit6
    std::string ServerPort;      // Edit7
    std::string PacketTimeout;   // Edit8
    std::string AutoDisconnect;  // Edit9
    std::string PacketLength;    // Edit10
    std::string PingPeriod;      // Edit11

    // "SMS-сообщения".
    std::string Phone;    // MaskEdit1's display text, "(ddd)ddd-dddd"
    std::string SmsText;  // Edit12

    // Check boxes and radio buttons of all pages.
    SettingsFlags Flags;

    // Bytes 0-7 of the settings block as last read or written.
    SerialLineRecord SerialLine;
};

// A unit with a fixed serial line and packet settings (`DeviceType` 129)
// has them forced after reading: 9600 baud, 8 bits, no parity, one stop bit,
// no packet length, packet time-out 3, no compression, no DTR control and
// no inverted lines.
void ForceFixedSettings(SettingsPages& pages);

}  // namespace dlk::config
