#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <span>
#include <vector>

#include "client/testing/datagram_peer.h"
#include "platform/encoding/imei_bcd.h"
#include "platform/net/udp_socket.h"

namespace dlk::client::sim {

// A modem unit as the client sees it: it sends its on, off and data packets
// in the direct form to a target (the client, or the relay server, which
// adds the trailer) and takes the chunks sent to it.
class SimulatedModem {
public:
    // Status 0x55: keep-alive 20 s, signal level 5, no battery alarm.
    static constexpr std::uint8_t kDefaultStatus = 0x55;

    SimulatedModem(const ImeiBcd& imei, const UdpEndpoint& target);

    std::uint16_t Port() const { return peer_.Port(); }
    UdpEndpoint Endpoint() const { return peer_.Endpoint(); }
    const ImeiBcd& Imei() const { return imei_; }
    void SetTarget(const UdpEndpoint& target);

    void SendOn(std::uint8_t status = kDefaultStatus);
    void SendOff(std::uint8_t status = kDefaultStatus);
    void SendData(std::span<const std::uint8_t> payload);    // kind 0
    void SendPacked(std::span<const std::uint8_t> payload);  // kind 1, payload already packed
    void SendRaw(std::span<const std::uint8_t> datagram);

    // Each chunk the modem takes is answered with the returned bytes as a
    // plain data packet; an empty answer sends nothing.
    void SetAnswer(std::function<std::vector<std::uint8_t>(std::span<const std::uint8_t>)> answer);

    std::optional<std::vector<std::uint8_t>> WaitForChunk(std::chrono::milliseconds timeout = 2s);
    bool WaitForChunkCount(std::size_t count, std::chrono::milliseconds timeout = 2s) const;
    std::vector<std::vector<std::uint8_t>> Chunks() const;

private:
    void Send(std::uint8_t kind, std::span<const std::uint8_t> body);
    void OnChunk(const ReceivedDatagram& datagram);
    UdpEndpoint Target() const;

    const ImeiBcd imei_;
    mutable std::mutex mutex_;
    UdpEndpoint target_;
    std::function<std::vector<std::uint8_t>(std::span<const std::uint8_t>)> answer_;
    DatagramPeer peer_;  // last: its thread stops before the members it uses go
};

}  // namespace dlk::client::sim
