#include <benchmark/benchmark.h>

#include <vector>

#include "client/core/link/unpack_data.h"

namespace {

// Text-like input: mostly literals with an occasional copy of an earlier phrase.
std::vector<std::uint8_t> MixedPayload() {
    std::vector<std::uint8_t> p;
    std::size_t items = 0;
    while (p.size() + 9 <= 1024 && items < 440) {
        const bool copies = items >= 16;  // from the third group on, item 5 copies a short phrase
        for (int j = 0; j < 8; ++j, ++items) {
            p.push_back(copies && j == 5 ? static_cast<std::uint8_t>(items % 16) : static_cast<std::uint8_t>('a' + j));
        }
        p.push_back(copies ? 0x04 : 0x00);
    }
    return p;
}

// Long runs: each item copies the phrase of the item before it, up to 512 bytes of output.
std::vector<std::uint8_t> RunPayload() {
    std::vector<std::uint8_t> p = {'A', 0, 1, 2, 3, 4, 5, 6, 0x7F};
    for (std::uint8_t k = 7; k < 40; k += 8) {
        for (std::uint8_t j = 0; j < 8; ++j) p.push_back(static_cast<std::uint8_t>(k + j));
        p.push_back(0xFF);
    }
    return p;
}

void Unpack(benchmark::State& state, const std::vector<std::uint8_t>& payload) {
    dlk::client::UnpackArea area;
    std::size_t out = 0;
    for (auto _ : state) {
        out = dlk::client::UnpackData(payload, area);
        benchmark::DoNotOptimize(area.Output.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * payload.size()));
    state.counters["out_bytes"] = static_cast<double>(out);
    state.counters["out_bytes_per_second"] =
        benchmark::Counter(static_cast<double>(state.iterations() * out), benchmark::Counter::kIsRate);
    state.counters["in_bytes"] = static_cast<double>(payload.size());
}

void BM_UnpackData_Mixed(benchmark::State& state) {
    Unpack(state, MixedPayload());
}
void BM_UnpackData_Runs(benchmark::State& state) {
    Unpack(state, RunPayload());
}

BENCHMARK(BM_UnpackData_Mixed);
BENCHMARK(BM_UnpackData_Runs);

}  // namespace
