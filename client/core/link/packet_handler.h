#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "client/core/link/link_observer.h"
#include "client/core/link/packets.h"
#include "client/core/link/unpack_data.h"
#include "client/core/local_side.h"
#include "client/core/table/modem_table.h"

namespace dlk {
class DatagramBatch;
}  // namespace dlk

namespace dlk::client {

// Everything the receiver does with the datagrams it has taken: table
// changes under one hold of TableLock, posted messages after the lock is
// released, and one write of the modems' data to the local side. Owns its
// work areas, so it allocates nothing per datagram (apart from appending a
// new entry).
class PacketHandler {
public:
    PacketHandler(ModemTable& table, LinkObserver& observer, LocalSide& local, LinkMode mode, std::uint8_t ping_period,
                  std::uint32_t generation);

    void Handle(std::span<const std::uint8_t> datagram, const UdpEndpoint& source);
    // Every datagram of the batch in order; one longer than its slot, or
    // from another peer than onlyFrom when that is set, is dropped.
    void HandleBatch(const DatagramBatch& batch, const std::optional<UdpEndpoint>& onlyFrom = std::nullopt);

    // A settings change of the ping period applies to the next Hey.
    void SetPingPeriod(std::uint8_t ping_period) { ping_period_.store(ping_period); }
    LinkMode Mode() const { return mode_; }

private:
    // A message to post once the lock is released: a modem's or the server's.
    struct Post {
        bool Server = false;
        ModemStateNotice Notice{};
    };

    // Checks the form of one datagram, before the lock is taken.
    void Classify(std::span<const std::uint8_t> datagram, const UdpEndpoint& source);
    // Applies what Classify kept, under TableLock, then posts and writes.
    void ApplyClassified();
    void HandleData(const ClassifiedDatagram& packet);
    void HandleAnnouncement(const ClassifiedDatagram& packet, double now);
    void HandleHey();
    void HandleBye();

    ModemTable& table_;
    LinkObserver& observer_;
    LocalSide& local_;
    const LinkMode mode_;
    std::atomic<std::uint8_t> ping_period_;
    const std::uint32_t generation_;
    UnpackArea unpack_{};
    std::vector<ClassifiedDatagram> packets_;
    std::vector<Post> posts_;
    // The modems' data of one batch, back to back; blocks_ are its pieces.
    // Sized before the lock is taken, so the pieces never move.
    std::vector<std::uint8_t> written_;
    std::size_t written_length_ = 0;
    std::vector<std::span<const std::uint8_t>> blocks_;
};

}  // namespace dlk::client
