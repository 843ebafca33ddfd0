#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <set>
#include <span>
#include <string_view>
#include <vector>

#include "client/testing/datagram_peer.h"
#include "platform/net/udp_socket.h"

namespace dlk::client::sim {

// A relay server as the client relies on it: a ping whose CRC belongs to an
// account logs the sender in and is answered with Hey; a modem's datagram
// (kind below 0x80) goes to the logged-in client as kind | 0x80 with the
// modem's port and address appended; the client's 0x80 chunks go, without
// kind and trailer, to the modem the trailer names; a logoff logs out.
class SimulatedRelayServer {
public:
    SimulatedRelayServer();

    std::uint16_t Port() const { return peer_.Port(); }
    UdpEndpoint Endpoint() const { return peer_.Endpoint(); }

    void AddAccount(std::uint32_t credential_crc);
    void AddAccount(std::string_view client_id, std::string_view password);  // code page 1251 bytes
    void SetAnswerPings(bool answer);                                        // on by default

    std::optional<UdpEndpoint> LoggedInClient() const;
    void SendHey();
    void SendBye();
    void SendToClient(std::span<const std::uint8_t> datagram);

    // What the client sent (pings, logoffs, chunks), in order.
    std::optional<std::vector<std::uint8_t>> WaitForClientDatagram(std::chrono::milliseconds timeout = 2s);
    bool WaitForClientCount(std::size_t count, std::chrono::milliseconds timeout = 2s) const;
    std::vector<std::vector<std::uint8_t>> ClientDatagrams() const;

private:
    void OnDatagram(const ReceivedDatagram& datagram);

    mutable std::mutex mutex_;
    mutable std::condition_variable client_arrived_;
    std::set<std::uint32_t> accounts_;
    bool answer_pings_ = true;
    std::optional<UdpEndpoint> client_;
    std::vector<std::vector<std::uint8_t>> from_client_;
    std::size_t taken_ = 0;
    DatagramPeer peer_;  // last: its thread stops before the members it uses go
};

}  // namespace dlk::client::sim
