#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "client/core/link/packets.h"
#include "client/core/table/modem_table.h"
#include "platform/net/udp_socket.h"

namespace dlk::client {

// Sends one whole datagram; a failure is the sender's to ignore.
using DatagramSender = std::function<void(std::span<const std::uint8_t> datagram, const UdpEndpoint& to)>;
// Sends every datagram of a block's chunks to one peer, in order.
using ChunkSender =
    std::function<void(std::span<const std::span<const std::uint8_t>> datagrams, const UdpEndpoint& to)>;

// Hands one block from the local program to every on-line, un-paused modem
// whose Modbus range (when set) holds the block's first byte: in chunks of
// at most 255 bytes, bare to the modem in direct mode, or as relayed chunks
// to the server in client mode. Each such modem's BytesSent grows by the
// whole block. The modems are chosen and counted under TableLock and the
// chunks sent after it is released, so the receiver never waits on a send;
// each modem's chunks go in one call of send. An empty block sends nothing.
void ForwardToModems(ModemTable& table, LinkMode mode, const UdpEndpoint& server, std::span<const std::uint8_t> block,
                     const ChunkSender& send);

// The same, one datagram a call.
void ForwardToModems(ModemTable& table, LinkMode mode, const UdpEndpoint& server, std::span<const std::uint8_t> block,
                     const DatagramSender& send);

// The same, sending on the link's socket, one system call a modem.
void ForwardToModems(ModemTable& table, LinkMode mode, const UdpEndpoint& server, std::span<const std::uint8_t> block,
                     const UdpSocket& socket);

// Whether a block starting with firstByte goes to the entry at all.
bool TakesPartInForwarding(const ModemEntry& entry, std::uint8_t firstByte);

}  // namespace dlk::client
