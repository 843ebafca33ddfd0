#include "client/core/table/modem_table.h"

#include <cstddef>
#include <type_traits>

namespace dlk {

static_assert(std::is_standard_layout_v<ModemEntry>);
static_assert(offsetof(ModemEntry, Name) == offsetof(ModemEntry, Imei) + 8);
static_assert(offsetof(ModemEntry, PausedAtStart) == offsetof(ModemEntry, Imei) + 40);
static_assert(offsetof(ModemEntry, ModbusHi) == offsetof(ModemEntry, Imei) + kModemRecordFieldsSize - 1);

std::uint8_t* ModemRecordFields(ModemEntry& entry) {
    return entry.Imei.data();
}
const std::uint8_t* ModemRecordFields(const ModemEntry& entry) {
    return entry.Imei.data();
}

namespace {

std::uint8_t KeepAliveOf(std::uint8_t status) {
    return static_cast<std::uint8_t>((status & 0x0F) * 4);
}
std::uint8_t SignalLevelOf(std::uint8_t status) {
    return static_cast<std::uint8_t>((status & 0x70) >> 4);
}
std::uint8_t BatteryAlarmOf(std::uint8_t status) {
    return status >= 0x80 ? 1 : 0;
}
std::uint8_t CountdownFor(std::uint8_t keep_alive) {
    return static_cast<std::uint8_t>(keep_alive * 3);
}

}  // namespace

std::optional<std::uint16_t> ModemTable::FindOnlineByAddress(const UdpEndpoint& endpoint) const {
    for (std::size_t i = 0; i < Entries.size(); ++i) {
        const ModemEntry& e = Entries[i];
        if (e.Online == 1 && e.Port == endpoint.Port && e.Address == endpoint.Address) {
            return static_cast<std::uint16_t>(i);
        }
    }
    return std::nullopt;
}

std::optional<std::uint16_t> ModemTable::FindByAddress(const UdpEndpoint& endpoint) const {
    for (std::size_t i = 0; i < Entries.size(); ++i) {
        if (Entries[i].Port == endpoint.Port && Entries[i].Address == endpoint.Address) {
            return static_cast<std::uint16_t>(i);
        }
    }
    return std::nullopt;
}

std::optional<std::uint16_t> ModemTable::FindByImei(const ImeiBcd& imei) const {
    for (std::size_t i = 0; i < Entries.size(); ++i) {
        if (SameImei(Entries[i].Imei, imei)) return static_cast<std::uint16_t>(i);
    }
    return std::nullopt;
}

std::optional<ModemStateNotice> ModemTable::ApplyAnnouncement(const ModemAnnouncement& packet, double now) {
    const std::uint8_t s = packet.Status;
    const std::optional<std::uint16_t> found = FindByImei(packet.Imei);
    if (!found) {
        if (Entries.size() >= kMaxEntries) return std::nullopt;
        const auto index = static_cast<std::uint16_t>(Entries.size());
        ModemEntry& e = Entries.emplace_back();
        e.Online = packet.On ? 1 : 0;
        e.Port = packet.Endpoint.Port;
        e.Address = packet.Endpoint.Address;
        e.OnTime = packet.On ? now : 0;
        e.OffTime = packet.On ? 0 : now;
        e.Imei = packet.Imei;
        e.PausedAtStart = 1;
        e.Paused = 1;
        e.KeepAlive = KeepAliveOf(s);
        e.Countdown = CountdownFor(e.KeepAlive);
        e.SignalLevel = SignalLevelOf(s);
        e.BatteryAlarm = BatteryAlarmOf(s);
        e.RowOrder = index;
        if (packet.On) ++OnlineCount;
        return ModemStateNotice{index, ModemStateChange::New};
    }

    const std::uint16_t index = *found;
    ModemEntry& e = Entries[index];
    if (packet.On) {
        std::optional<ModemStateNotice> notice;
        if (e.Online == 0) {
            e.Online = 1;
            e.Port = packet.Endpoint.Port;
            e.Address = packet.Endpoint.Address;
            e.OnTime = now;
            e.OffTime = 0;
            e.BytesReceived = 0;
            e.BytesUnpacked = 0;
            e.BytesSent = 0;
            e.KeepAlive = KeepAliveOf(s);
            e.SignalLevel = SignalLevelOf(s);
            ++OnlineCount;
            notice = ModemStateNotice{index, ModemStateChange::On};
        } else if (e.Port != packet.Endpoint.Port || e.Address != packet.Endpoint.Address) {
            e.Port = packet.Endpoint.Port;
            e.Address = packet.Endpoint.Address;
            RepaintNeeded = true;
        }
        e.Countdown = CountdownFor(e.KeepAlive);
        if (e.BatteryAlarm != BatteryAlarmOf(s)) {
            e.BatteryAlarm = BatteryAlarmOf(s);
            RepaintNeeded = true;
        }
        return notice;
    }

    if (e.Online == 0) return std::nullopt;
    e.Online = 0;
    e.Port = packet.Endpoint.Port;
    e.Address = packet.Endpoint.Address;
    e.OffTime = now;
    if (OnlineCount > 0) --OnlineCount;
    return ModemStateNotice{index, ModemStateChange::Off};
}

void ModemTable::RefreshCountdown(std::uint16_t index) {
    ModemEntry& e = Entries[index];
    e.Countdown = CountdownFor(e.KeepAlive);
}

bool ModemTable::CountDownKeepAlive(double now) {
    bool went_offline = false;
    for (ModemEntry& e : Entries) {
        if (e.Online != 1) continue;
        --e.Countdown;
        if (e.Countdown == 0) {
            e.Online = 0;
            e.OffTime = now;
            if (OnlineCount > 0) --OnlineCount;
            RepaintNeeded = true;
            went_offline = true;
        }
    }
    return went_offline;
}

void ModemTable::AllOffline() {
    for (ModemEntry& e : Entries) e.Online = 0;
    OnlineCount = 0;
}

void ModemTable::CopyStateFrom(const ModemTable& other) {
    Entries = other.Entries;
    OnlineCount = other.OnlineCount;
    RepaintNeeded = other.RepaintNeeded;
    SelectedRow = other.SelectedRow;
    ScrollOffset = other.ScrollOffset;
    SortColumn = other.SortColumn;
    SortDescending = other.SortDescending;
    ServerConnected = other.ServerConnected;
    ServerSilenceCountdown = other.ServerSilenceCountdown;
}

void ModemTable::Empty() {
    Entries.clear();
    OnlineCount = 0;
    SelectedRow = -1;
}

}  // namespace dlk
