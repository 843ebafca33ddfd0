#include "client/core/link/packet_handler.h"

#include <mutex>
#include <optional>

namespace dlk {

PacketHandler::PacketHandler(ModemTable& table, LinkObserver& observer, LocalSide& local, LinkMode mode,
                             std::uint8_t ping_period, std::uint32_t generation)
    : table_(table),
      observer_(observer),
      local_(local),
      mode_(mode),
      ping_period_(ping_period),
      generation_(generation) {}

void PacketHandler::Handle(std::span<const std::uint8_t> datagram, const UdpEndpoint& source) {
    // Longer than the protocol allows: its tail, and in client mode its
    // trailer, would be taken from the wrong bytes.
    const std::size_t limit = mode_ == LinkMode::Client ? kMaxClientDatagram : kMaxDirectDatagram;
    if (datagram.size() > limit) return;
    const ClassifiedDatagram packet = ClassifyDatagram(datagram, source, mode_);
    switch (packet.Kind) {
        case DatagramKind::Data: HandleData(packet); break;
        case DatagramKind::ModemOnOff: HandleAnnouncement(packet); break;
        case DatagramKind::Hey: HandleHey(); break;
        case DatagramKind::Bye: HandleBye(); break;
        case DatagramKind::Dropped: break;
    }
}

void PacketHandler::HandleData(const ClassifiedDatagram& packet) {
    std::span<const std::uint8_t> bytes;
    {
        std::lock_guard lock(table_.TableLock);
        const std::optional<std::uint16_t> index = table_.FindOnlineByAddress(packet.Modem);
        if (!index) return;
        table_.RefreshCountdown(*index);
        ModemEntry& e = table_.Entries[*index];
        if (e.Paused) return;
        const auto received = static_cast<std::uint32_t>(packet.Payload.size());
        e.BytesReceived += received;
        table_.RepaintNeeded = true;
        if (packet.DataKind == kPackedData) {
            const std::size_t unpacked = UnpackData(packet.Payload, unpack_);
            e.BytesUnpacked += static_cast<std::uint32_t>(unpacked);
            bytes = std::span<const std::uint8_t>(unpack_.Output.data(), unpacked);
        } else {
            e.BytesUnpacked += received;
            bytes = packet.Payload;
        }
    }
    // An empty write would read as the end of the stream on a message socket.
    if (!bytes.empty()) local_.Write(bytes);
}

void PacketHandler::HandleAnnouncement(const ClassifiedDatagram& packet) {
    const double now = observer_.TimeOfDay();
    std::optional<ModemStateNotice> notice;
    {
        std::lock_guard lock(table_.TableLock);
        notice = table_.ApplyAnnouncement(packet.Announcement, now);
    }
    if (notice) observer_.PostModemState(generation_, notice->Index, notice->Change);
}

void PacketHandler::HandleHey() {
    bool connected_now = false;
    {
        std::lock_guard lock(table_.TableLock);
        table_.ServerSilenceCountdown = ServerSilenceTicks(ping_period_.load());
        if (table_.ServerConnected == 0) {
            table_.ServerConnected = 1;
            connected_now = true;
        }
    }
    if (connected_now) observer_.PostServerState(generation_);
}

void PacketHandler::HandleBye() {
    bool disconnected_now = false;
    {
        std::lock_guard lock(table_.TableLock);
        if (table_.ServerConnected == 1) {
            table_.ServerConnected = 0;
            disconnected_now = true;
        }
    }
    if (disconnected_now) observer_.PostServerState(generation_);
}

}  // namespace dlk
