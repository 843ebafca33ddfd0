#pragma once

#include <optional>

#include "client/core/link/packet_handler.h"
#include "platform/net/datagram_batch.h"
#include "platform/net/udp_socket.h"
#include "platform/thread/thread.h"

namespace dlk::client {

// The receiver thread: takes every datagram waiting on the link's socket in
// one call and hands the lot to the packet handler. With onlyFrom set
// (client mode: the relay server) a datagram from any other address or port
// is dropped unread, as malformed input is; direct mode hears modems from
// anywhere.
class UDP_port final : public TThread {
public:
    UDP_port(UdpSocket& socket, PacketHandler& handler, std::optional<UdpEndpoint> onlyFrom = std::nullopt)
        : TThread("UDP_port"), socket_(socket), handler_(handler), only_from_(onlyFrom) {}
    // The socket stays open for the caller to close after the join.
    ~UDP_port() override { Stop(); }

private:
    void Execute() override;
    void WakeUp() override { socket_.Wake(); }

    static constexpr std::size_t kBatchSize = 64;

    UdpSocket& socket_;
    PacketHandler& handler_;
    const std::optional<UdpEndpoint> only_from_;
    // One byte more than the largest accepted datagram per slot, so an
    // oversized one shows itself by its length.
    DatagramBatch batch_{kBatchSize, kMaxClientDatagram + 1};
};

}  // namespace dlk::client
