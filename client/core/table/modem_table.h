#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

#include "client/core/table/modem_index.h"
#include "platform/encoding/imei_bcd.h"
#include "platform/encoding/short_string.h"
#include "platform/net/udp_socket.h"

namespace dlk::client {

// One modem the client has heard of since the link was opened.
struct ModemEntry {
    std::uint8_t Online = 0;
    std::uint8_t Paused = 0;
    std::uint16_t Port = 0;     // network byte order, as it came from the socket address
    std::uint32_t Address = 0;  // IPv4, network byte order; 0: none
    double OnTime = 0;          // time of day as a fraction of a day; 0: none
    double OffTime = 0;
    std::uint8_t KeepAlive = 0;  // seconds
    std::uint8_t Countdown = 0;  // one-second ticks left before the modem counts as off-line
    std::uint32_t BytesReceived = 0;
    std::uint32_t BytesUnpacked = 0;
    std::uint32_t BytesSent = 0;
    std::uint8_t SignalLevel = 0;   // 0..7
    std::uint8_t BatteryAlarm = 0;  // 0 or 1
    std::uint16_t RowOrder = 0;     // index of the entry shown in the row numbered like this entry
    // From Imei to ModbusHi the fields lie back to back, as bytes 0-43 of a
    // record of the modems file, so the record is read and written in one piece.
    ImeiBcd Imei{};
    ShortString<31> Name{};
    std::uint8_t PausedAtStart = 0;
    std::uint8_t Modbus = 0;
    std::uint8_t ModbusLo = 0;
    std::uint8_t ModbusHi = 0;

    UdpEndpoint Endpoint() const { return UdpEndpoint{Address, Port}; }
};

// Offsets of the record-shaped tail, for code that copies it as bytes.
inline constexpr std::size_t kModemRecordFieldsSize = 44;
std::uint8_t* ModemRecordFields(ModemEntry& entry);  // &entry.Imei[0], 44 bytes
const std::uint8_t* ModemRecordFields(const ModemEntry& entry);

// What a modem on or off packet carries.
struct ModemAnnouncement {
    bool On = false;
    std::uint8_t Status = 0;  // ModemStatusByte
    ImeiBcd Imei{};           // low nibble of the last byte already cleared
    UdpEndpoint Endpoint{};
};

// Kind of a posted modem-state message: its lParam.
enum class ModemStateChange : std::uint8_t { New = 0, On = 1, Off = 2 };

struct ModemStateNotice {
    std::uint16_t Index = 0;
    ModemStateChange Change = ModemStateChange::New;
};

// What the modem table holds, apart from its lock and its index: a copy of
// the table takes this as one value, so a field added here is never missed.
struct ModemTableState {
    std::vector<ModemEntry> Entries;  // the ModemTable array; only appended while the link is open
    std::uint16_t OnlineCount = 0;
    bool RepaintNeeded = false;

    // The list window's state.
    std::int32_t SelectedRow = -1;
    std::int32_t ScrollOffset = 0;
    std::uint8_t SortColumn = 0;
    std::uint8_t SortDescending = 0;

    // The relay server's state (client mode).
    std::uint8_t ServerConnected = 0;
    std::uint8_t ServerSilenceCountdown = 0;
};

// The modem table and the state shared with it. Every member of the state
// is read and changed only while TableLock is held; the methods expect the
// caller to hold it. Threads keep indexes, never references, past the lock:
// appending may move the entries.
//
// The lookups go through an index of IMEIs and addresses beside the entries.
// The table's own methods keep it current; entries appended to Entries
// directly are taken in at the next lookup. An entry's Imei, Port, Address
// and Online are changed only through the methods, so the index stays true.
class ModemTable : public ModemTableState {
public:
    static constexpr std::size_t kMaxEntries = 65535;

    ModemTable() = default;
    // Copies the state, not the lock; the caller holds other.TableLock where
    // other threads may change it (tests and snapshots). The copy builds its
    // index afresh at its first lookup.
    ModemTable(const ModemTable& other) : ModemTableState(other) {}
    ModemTable& operator=(const ModemTable& other) {
        if (this != &other) {
            ModemTableState::operator=(other);
            index_.Clear();
        }
        return *this;
    }

    mutable std::mutex TableLock;

    std::uint16_t ModemTableCount() const { return static_cast<std::uint16_t>(Entries.size()); }

    // Lowest index whose Port and Address equal the endpoint and which is
    // on-line: an off-line entry still holding a reused address must not hide
    // a live modem. The three lookups take the same time at any table size.
    std::optional<std::uint16_t> FindOnlineByAddress(const UdpEndpoint& endpoint) const;
    // Lowest index whose Port and Address equal the endpoint, on-line or not.
    std::optional<std::uint16_t> FindByAddress(const UdpEndpoint& endpoint) const;
    std::optional<std::uint16_t> FindByImei(const ImeiBcd& imei) const;

    // How often a lookup found the index out of step with Entries and built
    // it afresh. Only a change to Entries made past the methods may cost one:
    // a lookup that repairs the index also hides any slip in keeping it.
    std::size_t IndexRebuilds() const { return index_rebuilds_; }

    // Creates or updates the entry of the announced IMEI. Returns the message
    // to post once the lock is released, or nothing. An unknown IMEI with the
    // table full gets no entry.
    std::optional<ModemStateNotice> ApplyAnnouncement(const ModemAnnouncement& packet, double now);

    // A data packet from an on-line entry: its keep-alive countdown restarts.
    void RefreshCountdown(std::uint16_t index);

    // One tick of the per-modem keep-alive countdowns; true when some entry
    // went off-line.
    bool CountDownKeepAlive(double now);

    // Server lost or gone: every entry off-line, times unchanged.
    void AllOffline();

    // A link restart: the table empties and the list loses its selection.
    void Empty();

private:
    // Brings the index up to Entries: takes in entries appended directly,
    // and starts again when the entries went from under it.
    void SyncIndex() const;
    // Throws the index away, to be built again from Entries, and counts it.
    void Rebuild() const;
    // A hit whose entry no longer holds the key means Entries was changed
    // past the methods: the index is built again and asked once more.
    template <typename Ask, typename Holds>
    std::optional<std::uint16_t> Verified(Ask ask, Holds holds) const;
    // An entry's address or on-line state may have changed.
    void Moved(std::uint16_t index);

    mutable ModemIndex index_;
    mutable std::size_t index_rebuilds_ = 0;
};

}  // namespace dlk::client
