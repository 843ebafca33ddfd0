// The link thread's keep-alive tick when a full table times out at once,
// measured as the time it holds TableLock: every modem behind one shared
// address (an off-line entry keeps its address, so stale entries pile up on
// a reused one), and every modem at an address of its own.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <mutex>

#include "client/core/table/modem_table.h"
#include "client/testing/modem_burst.h"

namespace {

enum class Sharing { OneAddress, DistinctAddresses };

// A full table, every entry on-line and one tick from timing out.
void FillAboutToTimeOut(dlk::client::ModemTable& table, Sharing sharing) {
    for (std::uint32_t i = 0; i < dlk::client::ModemTable::kMaxEntries; ++i) {
        const dlk::UdpEndpoint at =
            sharing == Sharing::OneAddress
                ? dlk::MakeEndpoint(10, 0, 0, 1, 4000)
                : dlk::MakeEndpoint(10, 0, static_cast<std::uint8_t>(i >> 8), static_cast<std::uint8_t>(i), 4000);
        table.ApplyAnnouncement({true, 0x55, dlk::client::sim::CrowdImei(i), at}, 0.5);
        table.Entries.back().Countdown = 1;
    }
}

void BM_KeepAliveTick_AllTimeOut(benchmark::State& state) {
    const auto sharing = static_cast<Sharing>(state.range(0));
    std::unique_ptr<dlk::client::ModemTable> table;  // filled and freed outside the measured time
    for (auto _ : state) {
        state.PauseTiming();
        table.reset();
        table = std::make_unique<dlk::client::ModemTable>();
        FillAboutToTimeOut(*table, sharing);
        state.ResumeTiming();
        std::lock_guard lock(table->TableLock);
        benchmark::DoNotOptimize(table->CountDownKeepAlive(0.6));
    }
    if (table && table->OnlineCount != 0) state.SkipWithError("some modem stayed on-line");
    state.counters["modems"] = static_cast<double>(dlk::client::ModemTable::kMaxEntries);
}
BENCHMARK(BM_KeepAliveTick_AllTimeOut)
    ->ArgName("distinct_addresses")
    ->Arg(int(Sharing::OneAddress))
    ->Arg(int(Sharing::DistinctAddresses))
    ->Unit(benchmark::kMillisecond);

}  // namespace
