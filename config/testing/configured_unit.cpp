#include "config/testing/configured_unit.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "platform/encoding/cp1251.h"

namespace dlk::config {

namespace {

void Put(SettingsPage& page, std::size_t address, std::initializer_list<std::uint8_t> bytes) {
    std::copy(bytes.begin(), bytes.end(), page.begin() + address);
}
void PutText(SettingsPage& page, std::size_t address, std::string_view text) {
    std::memcpy(page.data() + address, text.data(), text.size());
}
void PutQuoted(SettingsPage& page, std::size_t address, std::string_view text) {
    PutText(page, address, "\"" + std::string(text) + "\"" + '\0');
}

}  // namespace

UnitIdentity ConfiguredIdentity(std::uint8_t device_type) {
    return UnitIdentity{.UsbProgramVersion = 4,
                        .DeviceType = device_type,
                        .MainProgramVersion = 17,
                        .SerialNumber = 513,
                        .HardwareMinor = 1,
                        .HardwareMajor = 2};
}

void ConfigureUnit(SimulatedUnit& unit) {
    for (std::size_t p = 0; p < kSettingsPageCount; ++p) unit.Page(p).fill(0xA5);
    SettingsPage& p0 = unit.Page(0);
    Put(p0, 0x00, {0x80, 0x25, 0x00, 0x00, 0x00, 0x00, 0x08, 0x5A, 0x30, 0x10, 0x02});
    PutQuoted(p0, 0x10, "internet.mts.ru");
    PutQuoted(p0, 0x30, "mts");
    PutQuoted(p0, 0x50, "");
    PutQuoted(p0, 0x60, "pool.ntp.org");
    PutQuoted(p0, 0x80, "192.168.100.200");
    PutQuoted(p0, 0xB0, "5000");
    Put(p0, 0xB8, {0x1E, 0x00, 0x00});
    Put(p0, 0xFE, {0x02, 0x82});
    unit.Page(1).fill(0);
    Put(unit.Page(1), 0, {0x3C, 0x40, 0x78, 0x00});
    PutText(unit.Page(2), 0x00, "0011000B919761214365F70008A70C");
    const std::string alarm = Utf8ToCp1251("Авария");
    unit.Page(2)[0x1E] = static_cast<std::uint8_t>(alarm.size());
    PutText(unit.Page(2), 0x1F, alarm);
}

SettingsPages PagesWithValidNumbers() {
    SettingsPages pages;
    pages.PacketTimeout = "3";
    pages.AutoDisconnect = "1";
    pages.PacketLength = "0";
    pages.PingPeriod = "8";
    return pages;
}

}  // namespace dlk::config
