#include "client/core/table/modem_table.h"

#include <cstddef>
#include <type_traits>

namespace dlk::client {

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

void ModemTable::SyncIndex() const {
    if (index_.Count() > Entries.size()) Rebuild();
    for (std::size_t i = index_.Count(); i < Entries.size(); ++i) {
        const ModemEntry& e = Entries[i];
        index_.Append(e.Imei, e.Endpoint(), e.Online == 1);
    }
}

void ModemTable::Rebuild() const {
    index_.Clear();
    ++index_rebuilds_;
}

template <typename Ask, typename Holds>
std::optional<std::uint16_t> ModemTable::Verified(Ask ask, Holds holds) const {
    SyncIndex();
    std::optional<std::uint16_t> found = ask();
    if (!found || holds(Entries[*found])) return found;
    Rebuild();
    SyncIndex();
    found = ask();
    return found && holds(Entries[*found]) ? found : std::nullopt;
}

std::optional<std::uint16_t> ModemTable::FindOnlineByAddress(const UdpEndpoint& endpoint) const {
    return Verified([&] { return index_.OnlineByAddress(endpoint); },
                    [&](const ModemEntry& e) { return e.Online == 1 && e.Endpoint() == endpoint; });
}

std::optional<std::uint16_t> ModemTable::FindByAddress(const UdpEndpoint& endpoint) const {
    return Verified([&] { return index_.ByAddress(endpoint); },
                    [&](const ModemEntry& e) { return e.Endpoint() == endpoint; });
}

std::optional<std::uint16_t> ModemTable::FindByImei(const ImeiBcd& imei) const {
    return Verified([&] { return index_.ByImei(imei); }, [&](const ModemEntry& e) { return SameImei(e.Imei, imei); });
}

void ModemTable::Moved(std::uint16_t index) {
    const ModemEntry& e = Entries[index];
    index_.Update(index, e.Endpoint(), e.Online == 1);
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
        index_.Append(e.Imei, e.Endpoint(), e.Online == 1);
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
        Moved(index);
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
    Moved(index);
    if (OnlineCount > 0) --OnlineCount;
    return ModemStateNotice{index, ModemStateChange::Off};
}

void ModemTable::RefreshCountdown(std::uint16_t index) {
    ModemEntry& e = Entries[index];
    e.Countdown = CountdownFor(e.KeepAlive);
}

bool ModemTable::CountDownKeepAlive(double now) {
    SyncIndex();
    bool went_offline = false;
    for (std::size_t i = 0; i < Entries.size(); ++i) {
        ModemEntry& e = Entries[i];
        if (e.Online != 1) continue;
        --e.Countdown;
        if (e.Countdown == 0) {
            e.Online = 0;
            Moved(static_cast<std::uint16_t>(i));
            e.OffTime = now;
            if (OnlineCount > 0) --OnlineCount;
            RepaintNeeded = true;
            went_offline = true;
        }
    }
    return went_offline;
}

void ModemTable::AllOffline() {
    SyncIndex();
    for (ModemEntry& e : Entries) e.Online = 0;
    index_.AllOffline();
    OnlineCount = 0;
}

void ModemTable::Empty() {
    Entries.clear();
    index_.Clear();
    OnlineCount = 0;
    SelectedRow = -1;
}

}  // namespace dlk::client
