#include <cstddef>
#include <cstdint>
#include <span>

#include "client/core/link/packet_handler.h"
#include "client/testing/quiet_link_peers.h"

namespace {

// Every write must be a whole, bounded block; each byte is read so the
// sanitizer sees a read past the datagram.
class CheckingLocalSide : public dlk::client::sim::AlwaysOpenLocalSide {
public:
    void Write(std::span<const std::uint8_t> bytes) override {
        if (bytes.empty() || bytes.size() > 1024) __builtin_trap();
        volatile std::uint8_t sink = 0;
        for (const std::uint8_t b : bytes) sink = sink + b;
    }
};

}  // namespace

// Input: byte 0 picks the mode (bit 0), whether paused modems are let go
// after each datagram (bit 1) and the ping period (the rest). Then come
// datagrams, each preceded by a source byte and a length byte; a length byte
// of 255 is followed by two more (little-endian) for the datagrams longer
// than that, up to the oversized ones the handler must drop. Every datagram
// has its own length, so a 4-byte Hey or Bye can come anywhere in the run.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const dlk::client::LinkMode mode = (data[0] & 1) ? dlk::client::LinkMode::Client : dlk::client::LinkMode::Direct;
    const bool unpause = (data[0] & 2) != 0;
    dlk::client::ModemTable table;
    dlk::client::sim::QuietObserver observer;
    CheckingLocalSide local;
    dlk::client::PacketHandler handler(table, observer, local, mode, data[0] >> 2, 1);

    std::size_t at = 1;
    while (at + 2 <= size) {
        const auto source = dlk::MakeEndpoint(10, 0, 0, data[at] & 3, 4000);
        std::size_t length = data[at + 1];
        at += 2;
        if (length == 255) {
            if (at + 2 > size) break;
            length = data[at] | (data[at + 1] << 8);
            at += 2;
        }
        const std::size_t take = length < size - at ? length : size - at;
        handler.Handle(std::span<const std::uint8_t>(data + at, take), source);
        at += take;
        if (unpause) {
            for (dlk::client::ModemEntry& e : table.Entries) e.Paused = 0;
        }
        table.CountDownKeepAlive(0.5);
    }
    std::size_t online = 0;
    for (const dlk::client::ModemEntry& e : table.Entries) online += e.Online;
    if (online != table.OnlineCount) __builtin_trap();
    // Only the relay server's Hey connects it, and there is none in direct mode.
    if (table.ServerConnected > (mode == dlk::client::LinkMode::Client ? 1 : 0)) __builtin_trap();
    return 0;
}
