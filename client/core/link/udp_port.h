#pragma once

#include <array>
#include <atomic>
#include <thread>

#include "client/core/link/packet_handler.h"
#include "platform/net/udp_socket.h"

namespace dlk {

// The receiver thread: takes every datagram from the link's socket and hands
// it to the packet handler, one at a time.
class UDP_port {
public:
    UDP_port(UdpSocket& socket, PacketHandler& handler) : socket_(socket), handler_(handler) {}
    ~UDP_port() { Stop(); }
    UDP_port(const UDP_port&) = delete;
    UDP_port& operator=(const UDP_port&) = delete;

    void Start();
    // Terminate request, wake the blocked receive, join. The socket stays
    // open for the caller to close afterwards. Idempotent.
    void Stop();
    bool Running() const { return thread_.joinable(); }

private:
    void Execute();

    UdpSocket& socket_;
    PacketHandler& handler_;
    std::atomic<bool> terminated_{false};
    std::thread thread_;
    // One byte more than the largest accepted datagram, so an oversized one
    // shows itself by its length.
    std::array<std::uint8_t, kMaxClientDatagram + 1> buffer_{};
};

}  // namespace dlk
