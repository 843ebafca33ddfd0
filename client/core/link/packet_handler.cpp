#include "client/core/link/packet_handler.h"

#include <algorithm>
#include <cstring>
#include <mutex>

#include "platform/net/datagram_batch.h"

namespace dlk::client {
namespace {

// The most one datagram writes: a plain payload of the longest direct
// datagram (an unpacked one is shorter).
constexpr std::size_t kMostWrittenPerDatagram = kMaxDirectDatagram - 1;
static_assert(UnpackArea::kOutputSize <= kMostWrittenPerDatagram);

}  // namespace

PacketHandler::PacketHandler(ModemTable& table, LinkObserver& observer, LocalSide& local, LinkMode mode,
                             std::uint8_t ping_period, std::uint32_t generation)
    : table_(table),
      observer_(observer),
      local_(local),
      mode_(mode),
      ping_period_(ping_period),
      generation_(generation) {
    packets_.reserve(64);
    posts_.reserve(64);
    blocks_.reserve(64);
}

void PacketHandler::Handle(std::span<const std::uint8_t> datagram, const UdpEndpoint& source) {
    Classify(datagram, source);
    ApplyClassified();
}

void PacketHandler::HandleBatch(const DatagramBatch& batch, const std::optional<UdpEndpoint>& onlyFrom) {
    for (std::size_t i = 0; i < batch.Count(); ++i) {
        // Larger than its slot: only part of it was read, and the rule on
        // length below drops it whole.
        if (batch.Truncated(i)) continue;
        if (onlyFrom && batch.Source(i) != *onlyFrom) continue;
        Classify(batch.Datagram(i), batch.Source(i));
    }
    ApplyClassified();
}

void PacketHandler::Classify(std::span<const std::uint8_t> datagram, const UdpEndpoint& source) {
    // Longer than the protocol allows: its tail, and in client mode its
    // trailer, would be taken from the wrong bytes.
    const std::size_t limit = mode_ == LinkMode::Client ? kMaxClientDatagram : kMaxDirectDatagram;
    if (datagram.size() > limit) return;
    const ClassifiedDatagram packet = ClassifyDatagram(datagram, source, mode_);
    if (packet.Kind == DatagramKind::Dropped) return;
    packets_.push_back(packet);
}

void PacketHandler::ApplyClassified() {
    if (packets_.empty()) return;
    // The clock is read once a batch, and only when an announcement needs it.
    const bool announcements =
        std::ranges::any_of(packets_, [](const ClassifiedDatagram& p) { return p.Kind == DatagramKind::ModemOnOff; });
    const double now = announcements ? observer_.TimeOfDay() : 0;
    if (written_.size() < packets_.size() * kMostWrittenPerDatagram) {
        written_.resize(packets_.size() * kMostWrittenPerDatagram);
    }
    {
        std::lock_guard lock(table_.TableLock);
        for (const ClassifiedDatagram& packet : packets_) {
            switch (packet.Kind) {
                case DatagramKind::Data: HandleData(packet); break;
                case DatagramKind::ModemOnOff: HandleAnnouncement(packet, now); break;
                case DatagramKind::Hey: HandleHey(); break;
                case DatagramKind::Bye: HandleBye(); break;
                case DatagramKind::Dropped: break;
            }
        }
    }
    packets_.clear();

    for (const Post& post : posts_) {
        if (post.Server) {
            observer_.PostServerState(generation_);
        } else {
            observer_.PostModemState(generation_, post.Notice.Index, post.Notice.Change);
        }
    }
    posts_.clear();

    if (blocks_.empty()) return;
    local_.WriteBatch(blocks_);
    blocks_.clear();
    written_length_ = 0;
}

void PacketHandler::HandleData(const ClassifiedDatagram& packet) {
    const std::optional<std::uint16_t> index = table_.FindOnlineByAddress(packet.Modem);
    if (!index) return;
    table_.RefreshCountdown(*index);
    ModemEntry& e = table_.Entries[*index];
    if (e.Paused) return;
    const auto received = static_cast<std::uint32_t>(packet.Payload.size());
    e.BytesReceived += received;
    table_.RepaintNeeded = true;
    std::span<const std::uint8_t> bytes = packet.Payload;
    if (packet.DataKind == kPackedData) {
        const std::size_t unpacked = UnpackData(packet.Payload, unpack_);
        e.BytesUnpacked += static_cast<std::uint32_t>(unpacked);
        bytes = std::span<const std::uint8_t>(unpack_.Output.data(), unpacked);
    } else {
        e.BytesUnpacked += received;
    }
    // An empty write would read as the end of the stream on a message socket.
    if (bytes.empty()) return;
    std::uint8_t* const at = written_.data() + written_length_;
    std::memcpy(at, bytes.data(), bytes.size());
    blocks_.emplace_back(at, bytes.size());
    written_length_ += bytes.size();
}

void PacketHandler::HandleAnnouncement(const ClassifiedDatagram& packet, double now) {
    const std::optional<ModemStateNotice> notice = table_.ApplyAnnouncement(packet.Announcement, now);
    if (notice) posts_.push_back({false, *notice});
}

void PacketHandler::HandleHey() {
    table_.ServerSilenceCountdown = ServerSilenceTicks(ping_period_.load());
    if (table_.ServerConnected == 0) {
        table_.ServerConnected = 1;
        posts_.push_back({true, {}});
    }
}

void PacketHandler::HandleBye() {
    if (table_.ServerConnected == 1) {
        table_.ServerConnected = 0;
        posts_.push_back({true, {}});
    }
}

}  // namespace dlk::client
