#include "client/core/bridge/forward_to_modems.h"

#include <algorithm>
#include <array>
#include <mutex>

namespace dlk {

bool TakesPartInForwarding(const ModemEntry& entry, std::uint8_t firstByte) {
    if (entry.Online != 1 || entry.Paused != 0) return false;
    // Only the slave address is looked at; the frame's check value is the
    // equipment's business.
    if (entry.Modbus == 1 && (firstByte < entry.ModbusLo || firstByte > entry.ModbusHi)) return false;
    return true;
}

void ForwardToModems(ModemTable& table, LinkMode mode, const UdpEndpoint& server, std::span<const std::uint8_t> block,
                     const DatagramSender& send) {
    if (block.empty()) return;
    std::array<std::uint8_t, kMaxRelayedChunkDatagram> sendArea{};

    std::lock_guard lock(table.TableLock);
    for (ModemEntry& entry : table.Entries) {
        if (!TakesPartInForwarding(entry, block[0])) continue;
        entry.BytesSent += static_cast<std::uint32_t>(block.size());
        table.RepaintNeeded = true;

        const UdpEndpoint modem = entry.Endpoint();
        for (std::size_t offset = 0; offset < block.size(); offset += kMaxChunk) {
            const auto chunk = block.subspan(offset, std::min(kMaxChunk, block.size() - offset));
            if (mode == LinkMode::Direct) {
                send(chunk, modem);
            } else {
                const std::size_t length = BuildRelayedChunk(chunk, modem, sendArea);
                send(std::span<const std::uint8_t>(sendArea.data(), length), server);
            }
        }
    }
}

void ForwardToModems(ModemTable& table, LinkMode mode, const UdpEndpoint& server, std::span<const std::uint8_t> block,
                     const UdpSocket& socket) {
    ForwardToModems(
        table, mode, server, block,
        [&socket](std::span<const std::uint8_t> datagram, const UdpEndpoint& to) { socket.SendTo(datagram, to); });
}

}  // namespace dlk
