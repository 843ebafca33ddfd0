#include "client/core/link/forward_to_modems.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace dlk::client {
namespace {

// Work areas of the reader thread (one runs at a time), kept between
// blocks so that forwarding allocates nothing once warmed up.
struct ForwardArea {
    std::vector<UdpEndpoint> Targets;
    std::vector<std::uint8_t> Relayed;  // client mode: each chunk framed for the server
    std::vector<std::span<const std::uint8_t>> Datagrams;
};

ForwardArea& ThreadArea() {
    thread_local ForwardArea area;
    return area;
}

}  // namespace

bool TakesPartInForwarding(const ModemEntry& entry, std::uint8_t firstByte) {
    if (entry.Online != 1 || entry.Paused != 0) return false;
    // Only the slave address is looked at; the frame's check value is the
    // equipment's business.
    if (entry.Modbus == 1 && (firstByte < entry.ModbusLo || firstByte > entry.ModbusHi)) return false;
    return true;
}

void ForwardToModems(ModemTable& table, LinkMode mode, const UdpEndpoint& server, std::span<const std::uint8_t> block,
                     const ChunkSender& send) {
    if (block.empty()) return;
    ForwardArea& area = ThreadArea();
    area.Targets.clear();
    {
        std::lock_guard lock(table.TableLock);
        for (ModemEntry& entry : table.Entries) {
            if (!TakesPartInForwarding(entry, block[0])) continue;
            entry.BytesSent += static_cast<std::uint32_t>(block.size());
            table.RepaintNeeded = true;
            area.Targets.push_back(entry.Endpoint());
        }
    }

    const std::size_t chunks = (block.size() + kMaxChunk - 1) / kMaxChunk;
    if (mode == LinkMode::Client) area.Relayed.resize(chunks * kMaxRelayedChunkDatagram);
    for (const UdpEndpoint& modem : area.Targets) {
        area.Datagrams.clear();
        for (std::size_t c = 0; c < chunks; ++c) {
            const std::size_t offset = c * kMaxChunk;
            const auto chunk = block.subspan(offset, std::min(kMaxChunk, block.size() - offset));
            if (mode == LinkMode::Direct) {
                area.Datagrams.push_back(chunk);
            } else {
                const std::span<std::uint8_t> frame(area.Relayed.data() + c * kMaxRelayedChunkDatagram,
                                                    kMaxRelayedChunkDatagram);
                area.Datagrams.push_back(frame.first(BuildRelayedChunk(chunk, modem, frame)));
            }
        }
        send(area.Datagrams, mode == LinkMode::Direct ? modem : server);
    }
}

void ForwardToModems(ModemTable& table, LinkMode mode, const UdpEndpoint& server, std::span<const std::uint8_t> block,
                     const DatagramSender& send) {
    ForwardToModems(
        table, mode, server, block,
        ChunkSender([&send](std::span<const std::span<const std::uint8_t>> datagrams, const UdpEndpoint& to) {
            for (const auto datagram : datagrams) send(datagram, to);
        }));
}

void ForwardToModems(ModemTable& table, LinkMode mode, const UdpEndpoint& server, std::span<const std::uint8_t> block,
                     const UdpSocket& socket) {
    ForwardToModems(table, mode, server, block,
                    ChunkSender([&socket](std::span<const std::span<const std::uint8_t>> datagrams,
                                          const UdpEndpoint& to) { socket.SendAllTo(datagrams, to); }));
}

}  // namespace dlk::client
