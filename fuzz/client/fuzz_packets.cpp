#include <cstddef>
#include <cstdint>
#include <span>

#include "client/core/link/packet_handler.h"
#include "client/testing/quiet_link_peers.h"

namespace {

// Every write must be a whole, bounded block; each byte is read so the
// sanitizer sees a read past the datagram.
class CheckingLocalSide : public dlk::sim::AlwaysOpenLocalSide {
public:
    void Write(std::span<const std::uint8_t> bytes) override {
        if (bytes.empty() || bytes.size() > 1024) __builtin_trap();
        volatile std::uint8_t sink = 0;
        for (const std::uint8_t b : bytes) sink = sink + b;
    }
};

}  // namespace

// Input: byte 0 picks the mode and the pause state; the rest is a sequence
// of datagrams, each preceded by its length byte and a source byte.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const dlk::LinkMode mode = (data[0] & 1) ? dlk::LinkMode::Client : dlk::LinkMode::Direct;
    const bool unpause = (data[0] & 2) != 0;
    dlk::ModemTable table;
    dlk::sim::QuietObserver observer;
    CheckingLocalSide local;
    dlk::PacketHandler handler(table, observer, local, mode, data[0] >> 2, 1);

    std::size_t at = 1;
    while (at + 2 <= size) {
        const std::size_t length = data[at] * 5u;  // reaches past the largest datagram
        const auto source = dlk::MakeEndpoint(10, 0, 0, data[at + 1] & 3, 4000);
        at += 2;
        const std::size_t take = length < size - at ? length : size - at;
        handler.Handle(std::span<const std::uint8_t>(data + at, take), source);
        at += take;
        if (unpause) {
            for (dlk::ModemEntry& e : table.Entries) e.Paused = 0;
        }
        table.CountDownKeepAlive(0.5);
    }
    std::size_t online = 0;
    for (const dlk::ModemEntry& e : table.Entries) online += e.Online;
    if (online != table.OnlineCount) __builtin_trap();
    return 0;
}
