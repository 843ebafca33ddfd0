#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <span>
#include <thread>
#include <vector>

#include "platform/net/udp_socket.h"

namespace dlk::client::sim {

struct ReceivedDatagram {
    std::vector<std::uint8_t> Bytes;
    UdpEndpoint Source{};
};

using namespace std::chrono_literals;

// A UDP peer on a port the system picks, with its own receiving thread. Every
// datagram is recorded; an optional handler answers it on that thread.
class DatagramPeer {
public:
    using Handler = std::function<void(const ReceivedDatagram&)>;

    // Throws std::runtime_error when no socket can be opened.
    explicit DatagramPeer(Handler handler = {});
    ~DatagramPeer();
    DatagramPeer(const DatagramPeer&) = delete;
    DatagramPeer& operator=(const DatagramPeer&) = delete;

    std::uint16_t Port() const { return port_; }
    UdpEndpoint Endpoint() const { return LoopbackEndpoint(port_); }
    bool SendTo(std::span<const std::uint8_t> datagram, const UdpEndpoint& to) const {
        return socket_.SendTo(datagram, to);
    }

    // The next datagram not yet taken by this call, or nothing after the time-out.
    std::optional<ReceivedDatagram> WaitForDatagram(std::chrono::milliseconds timeout = 2s);
    // True once at least count datagrams have arrived in all.
    bool WaitForCount(std::size_t count, std::chrono::milliseconds timeout = 2s) const;
    std::vector<ReceivedDatagram> Received() const;
    std::size_t ReceivedCount() const;

private:
    void Run();

    UdpSocket socket_;
    std::uint16_t port_ = 0;
    Handler handler_;
    mutable std::mutex mutex_;
    mutable std::condition_variable arrived_;
    std::vector<ReceivedDatagram> received_;
    std::size_t taken_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace dlk::client::sim
