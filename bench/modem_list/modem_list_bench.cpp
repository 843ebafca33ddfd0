#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "client/app/modem_list_render.h"
#include "client/core/list/list_frame.h"
#include "client/core/list/modem_sort.h"

namespace dlk::client {
namespace {

void Fill(ModemTable& table, int n) {
    std::mt19937 random(42);
    for (int i = 0; i < n; ++i) {
        ModemEntry e;
        e.Online = random() % 4 != 0;
        e.Paused = random() % 2;
        std::string digits = std::to_string(350000000000000ull + random() % 100000000000ull);
        e.Imei = *TextToImei(digits);
        e.Name = MakeShortString<31>("modem " + std::to_string(random() % 500));
        e.BytesReceived = random() % 1000000;
        e.BytesUnpacked = e.BytesReceived + random() % 1000000;
        e.BytesSent = random() % 1000000;
        e.OnTime = (random() % 86400) / 86400.0;
        e.OffTime = (random() % 86400) / 86400.0;
        e.Address = random();
        e.Port = static_cast<std::uint16_t>(random());
        e.SignalLevel = static_cast<std::uint8_t>(random() % 8);
        e.BatteryAlarm = random() % 2;
        e.RowOrder = static_cast<std::uint16_t>(i);
        table.Entries.push_back(e);
    }
}

const std::array<int, kModemListColumns> kWidths = {150, 120, 60, 60, 60, 60, 120};

// Sort by a column (the order reversed each time, so every run sorts) then
// take the frame and paint it: what a header click costs.
void BM_SortAndPaint(benchmark::State& state) {
    ModemTable table;
    Fill(table, static_cast<int>(state.range(0)));
    const int clientHeight = static_cast<int>(state.range(1));
    const int column = static_cast<int>(state.range(2));
    ListFrame frame;
    for (auto _ : state) {
        table.SortDescending ^= 1;
        SortModems(table, column);
        TakeListFrame(table, 704, clientHeight, frame);
        auto surface = RenderModemList(frame, kWidths);
        benchmark::DoNotOptimize(surface->Image().constBits());
    }
    state.SetLabel(std::to_string(frame.Rows.size()) + " rows painted");
}
BENCHMARK(BM_SortAndPaint)
    ->Args({1000, 229 - 28, 0})
    ->Args({1000, 1000, 0})
    ->Args({1000, 1000, 2})
    ->Args({1000, 1000, 6})
    ->Args({10000, 1000, 0})
    ->Unit(benchmark::kMillisecond);

void BM_SortOnly(benchmark::State& state) {
    ModemTable table;
    Fill(table, static_cast<int>(state.range(0)));
    for (auto _ : state) {
        table.SortDescending ^= 1;
        SortModems(table, 0);
        benchmark::DoNotOptimize(table.Entries.data());
    }
}
BENCHMARK(BM_SortOnly)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace dlk::client
