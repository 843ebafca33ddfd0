#include <benchmark/benchmark.h>

#include <vector>

#include "config/core/firmware_update.h"
#include "config/core/raster_chart_surface.h"
#include "config/core/schedule_scene.h"
#include "config/core/settings_procedures.h"
#include "config/testing/configured_unit.h"
#include "config/testing/simulated_unit.h"
#include "platform/testing/temp_folder.h"

namespace dlk::config {
namespace {

const UnitIdentity kGprsModem{.UsbProgramVersion = 3, .DeviceType = 128, .MainProgramVersion = 14};

// Per exchange: the counter is the time of one request and its reply.
void PerExchange(benchmark::State& state, double exchanges) {
    state.counters["per_exchange"] =
        benchmark::Counter(exchanges, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_OpenAndReadUnit(benchmark::State& state) {
    SimulatedUnit unit(kGprsModem);
    ReportLink link;
    link.Attach(&unit);
    SettingsPages pages = PagesWithValidNumbers();
    ScheduleTable schedule;
    for (auto _ : state) {
        unit.ClearRequestLog();
        OpenedUnit opened;
        benchmark::DoNotOptimize(OpenUnit(link, UnitMode::Normal, ',', pages, schedule, opened));
    }
    PerExchange(state, 30);
}
BENCHMARK(BM_OpenAndReadUnit);

void BM_ApplySettings(benchmark::State& state) {
    SimulatedUnit unit(kGprsModem);
    ReportLink link;
    link.Attach(&unit);
    SettingsPages pages = PagesWithValidNumbers();
    const ScheduleTable schedule;
    for (auto _ : state) {
        unit.ClearRequestLog();
        benchmark::DoNotOptimize(ApplySettings(link, 128, ',', pages, schedule));
    }
    PerExchange(state, 29);
}
BENCHMARK(BM_ApplySettings);

// Everything the window would do, done at once.
class SilentWindow final : public FirmwarePageWindow {
public:
    bool Confirm(const char*, const char*) override { return true; }
    void ShowMessage(const char*, const std::string&, BoxIcon) override {}
    void ShowBootLoaderLook() override {}
    void ShowProgress(bool) override {}
    void SetProgress(int blocks) override { benchmark::DoNotOptimize(blocks); }
    void ShowRenewedIdentity(const IdentityTexts&) override {}
    void EnableFlashButton() override {}
};

void BM_FlashFirmware(benchmark::State& state) {
    SimulatedUnit unit(kGprsModem);
    ReportLink link;
    link.Attach(&unit);
    SilentWindow window;
    FirmwareBytes image{};
    dlk::testing::TempFolder folder;
    folder.Write("image.bin", std::vector<std::uint8_t>(kFirmwareImageSize, 0x5A));
    const std::filesystem::path file = folder / "image.bin";
    for (auto _ : state) {
        unit.ReturnToBus();
        unit.ClearRequestLog();
        benchmark::DoNotOptimize(RunFirmwareUpdate(link, file, image, window));
    }
    state.counters["per_block"] =
        benchmark::Counter(static_cast<double>(kFirmwareBlockCount),
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_FlashFirmware)->Unit(benchmark::kMillisecond);

class NoTextSurface final : public RasterChartSurface {
public:
    using RasterChartSurface::RasterChartSurface;
    int TextWidth(ChartFont, std::string_view text) override { return 5 * static_cast<int>(text.size()); }
    void TextOut(ChartFont, std::uint32_t, int, int, std::string_view) override {}
};

// The chart without its text, which the program's canvas draws.
void BM_DrawScene(benchmark::State& state) {
    std::vector<std::uint8_t> memory(ImageSize(790, 129, DibFormat::Rgb24));
    DibRaster raster(memory.data(), 790, 129, DibFormat::Rgb24);
    NoTextSurface surface(raster);
    ScheduleTable table;
    for (int i = 0; i < 127; ++i) table.AddPoint(static_cast<std::uint16_t>(i * 79), i % 2 == 0);
    const ScheduleView view{790, static_cast<std::uint8_t>(state.range(0)), 0};
    for (auto _ : state) {
        DrawScheduleScene(surface, table, view, {true, true});
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DrawScene)->Arg(1)->Arg(128)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace dlk::config

BENCHMARK_MAIN();
