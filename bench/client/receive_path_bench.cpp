#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "client/core/link/client_link.h"
#include "client/core/link/packet_handler.h"
#include "client/testing/quiet_link_peers.h"

namespace {

class CountingLocalSide : public dlk::client::sim::AlwaysOpenLocalSide {
public:
    void Write(std::span<const std::uint8_t> bytes) override {
        bytes_ += bytes.size();
        writes_.fetch_add(1, std::memory_order_release);
    }
    std::size_t Writes() const { return writes_.load(std::memory_order_acquire); }

private:
    std::size_t bytes_ = 0;
    std::atomic<std::size_t> writes_{0};
};

using dlk::client::sim::QuietObserver;

// A table of 16 on-line, active modems; the one sending data is the last.
void FillTable(dlk::client::ModemTable& table, const dlk::UdpEndpoint& sender) {
    for (int i = 0; i < 16; ++i) {
        dlk::client::ModemEntry& e = table.Entries.emplace_back();
        e.Online = 1;
        e.KeepAlive = 20;
        e.Imei[6] = static_cast<std::uint8_t>(i);
        e.RowOrder = static_cast<std::uint16_t>(i);
        const dlk::UdpEndpoint at = i == 15 ? sender : dlk::MakeEndpoint(10, 0, 0, static_cast<std::uint8_t>(i), 4000);
        e.Port = at.Port;
        e.Address = at.Address;
    }
    table.OnlineCount = 16;
}

std::vector<std::uint8_t> DataPacket(std::uint8_t kind, std::size_t payload) {
    std::vector<std::uint8_t> d(payload + 1);
    d[0] = kind;
    for (std::size_t i = 1; i < d.size(); ++i) d[i] = static_cast<std::uint8_t>('a' + i % 8);
    if (kind == 1) {
        for (std::size_t i = 9; i < d.size(); i += 9) d[i] = 0x00;  // literal groups
    }
    return d;
}

// Datagram -> table update -> local write, without the socket.
void BM_ReceivePath_Handler(benchmark::State& state) {
    const auto kind = static_cast<std::uint8_t>(state.range(0));
    const auto payload = static_cast<std::size_t>(state.range(1));
    const dlk::UdpEndpoint modem = dlk::MakeEndpoint(10, 0, 0, 99, 5000);
    dlk::client::ModemTable table;
    FillTable(table, modem);
    QuietObserver observer;
    CountingLocalSide local;
    dlk::client::PacketHandler handler(table, observer, local, dlk::client::LinkMode::Direct, 5, 1);
    const std::vector<std::uint8_t> datagram = DataPacket(kind, payload);
    for (auto _ : state) handler.Handle(datagram, modem);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * payload));
}
BENCHMARK(BM_ReceivePath_Handler)->Args({0, 255})->Args({0, 1024})->Args({1, 1024});

// The same through the real socket and receiver thread on loopback, in
// bursts of 32 datagrams, each burst waited for.
void BM_ReceivePath_Loopback(benchmark::State& state) {
    const auto payload = static_cast<std::size_t>(state.range(0));
    dlk::UdpSocket sender;
    sender.Open();
    sender.Bind(0);
    const dlk::UdpEndpoint modem = dlk::LoopbackEndpoint(sender.LocalPort());
    dlk::client::ModemTable table;
    FillTable(table, modem);
    QuietObserver observer;
    CountingLocalSide local;
    dlk::client::ClientLink link(table, observer);
    dlk::client::LinkSettings settings;
    settings.LocalPort = 0;
    if (!link.OpenLink(settings, local).Ok()) {
        state.SkipWithError("link did not open");
        return;
    }
    const dlk::UdpEndpoint to = dlk::LoopbackEndpoint(link.BoundPort());
    const std::vector<std::uint8_t> datagram = DataPacket(0, payload);
    constexpr std::size_t kBurst = 32;
    std::size_t expected = 0;
    for (auto _ : state) {
        for (std::size_t i = 0; i < kBurst; ++i) sender.SendTo(datagram, to);
        expected += kBurst;
        const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (local.Writes() < expected) {
            if (std::chrono::steady_clock::now() > give_up) {
                state.SkipWithError("datagrams lost on loopback");
                link.CloseLink();
                return;
            }
            std::this_thread::yield();
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kBurst * payload));
    link.CloseLink();
}
BENCHMARK(BM_ReceivePath_Loopback)->Arg(255)->Arg(1024)->UseRealTime();

// One datagram against tables of every size, the modem it names entered
// last: a data packet, an on packet from a modem already on-line, an on
// packet from a stranger when the table is full (it gets no entry), and a
// late data packet from a modem that has just gone off-line (it is dropped).
// The cost must not grow with the table.
enum class Arrival { Data, OnAgain, StrangerAtFullTable, LateData };

void BM_ReceivePath_TableSize(benchmark::State& state) {
    const auto arrival = static_cast<Arrival>(state.range(0));
    const auto modems = static_cast<std::size_t>(
        arrival == Arrival::StrangerAtFullTable ? dlk::client::ModemTable::kMaxEntries : state.range(1));
    dlk::client::ModemTable table;
    for (std::size_t i = 0; i < modems; ++i) {
        dlk::ImeiBcd imei{0x35,
                          0,
                          0,
                          static_cast<std::uint8_t>(i >> 16),
                          static_cast<std::uint8_t>(i >> 8),
                          static_cast<std::uint8_t>(i),
                          0,
                          0};
        const dlk::UdpEndpoint at =
            dlk::MakeEndpoint(10, static_cast<std::uint8_t>(i >> 16), static_cast<std::uint8_t>(i >> 8),
                              static_cast<std::uint8_t>(i), 4000);
        table.ApplyAnnouncement({true, 0x55, imei, at}, 0.5);
        table.Entries.back().Paused = 0;
    }
    const dlk::client::ModemEntry last = table.Entries.back();
    if (arrival == Arrival::LateData) table.ApplyAnnouncement({false, 0x55, last.Imei, last.Endpoint()}, 0.6);
    QuietObserver observer;
    CountingLocalSide local;
    dlk::client::PacketHandler handler(table, observer, local, dlk::client::LinkMode::Direct, 5, 1);
    std::vector<std::uint8_t> datagram;
    dlk::UdpEndpoint from = last.Endpoint();
    if (arrival == Arrival::Data || arrival == Arrival::LateData) {
        datagram = DataPacket(0, 64);
    } else {
        datagram = {0x02, 0x55};
        datagram.insert(datagram.end(), last.Imei.begin(), last.Imei.end());
        if (arrival == Arrival::StrangerAtFullTable) {
            datagram[2] = 0x99;
            from = dlk::MakeEndpoint(192, 168, 0, 1, 4000);
        }
    }
    for (auto _ : state) handler.Handle(datagram, from);
    state.counters["modems"] = static_cast<double>(modems);
}
BENCHMARK(BM_ReceivePath_TableSize)
    ->ArgNames({"arrival", "modems"})
    ->Args({int(Arrival::Data), 10})
    ->Args({int(Arrival::Data), 100})
    ->Args({int(Arrival::Data), 1000})
    ->Args({int(Arrival::Data), 10000})
    ->Args({int(Arrival::OnAgain), 10})
    ->Args({int(Arrival::OnAgain), 100})
    ->Args({int(Arrival::OnAgain), 1000})
    ->Args({int(Arrival::OnAgain), 10000})
    ->Args({int(Arrival::StrangerAtFullTable), 65535})
    ->Args({int(Arrival::LateData), 10})
    ->Args({int(Arrival::LateData), 100})
    ->Args({int(Arrival::LateData), 1000})
    ->Args({int(Arrival::LateData), 10000});

}  // namespace

BENCHMARK_MAIN();
