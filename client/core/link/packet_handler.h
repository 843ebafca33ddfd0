#pragma once

#include <atomic>
#include <cstdint>
#include <span>

#include "client/core/link/link_observer.h"
#include "client/core/link/packets.h"
#include "client/core/link/unpack_data.h"
#include "client/core/local_side.h"
#include "client/core/table/modem_table.h"

namespace dlk {

// Everything the receiver does with one datagram: table changes under
// TableLock, posted messages after the lock is released, and the write of a
// modem's data to the local side. Owns the unpack area, so it allocates
// nothing per datagram (apart from appending a new entry).
class PacketHandler {
public:
    PacketHandler(ModemTable& table, LinkObserver& observer, LocalSide& local, LinkMode mode, std::uint8_t ping_period,
                  std::uint32_t generation);

    void Handle(std::span<const std::uint8_t> datagram, const UdpEndpoint& source);

    // A settings change of the ping period applies to the next Hey.
    void SetPingPeriod(std::uint8_t ping_period) { ping_period_.store(ping_period); }
    LinkMode Mode() const { return mode_; }

private:
    void HandleData(const ClassifiedDatagram& packet);
    void HandleAnnouncement(const ClassifiedDatagram& packet);
    void HandleHey();
    void HandleBye();

    ModemTable& table_;
    LinkObserver& observer_;
    LocalSide& local_;
    const LinkMode mode_;
    std::atomic<std::uint8_t> ping_period_;
    const std::uint32_t generation_;
    UnpackArea unpack_{};
};

}  // namespace dlk
