// A full relayout of the tab control (sizes, rows, places, the scroller's
// need) with real font metrics, for 5, 50 and 500 tabs, in one row that
// overflows into the scroller and in several rows.
#include <benchmark/benchmark.h>

#include "tabs/kt_tab_control.h"

namespace {

using namespace dlk;

const char* const kCaptions[] = {"График работы", "RS-232 (COM-порт)", "Настройки", "SMS-сообщения", "Перепрошивка"};

void Relayout(benchmark::State& state, bool multiLine) {
    TKtCustomTabControl c(nullptr);
    c.SetBounds(0, 0, 792, 217);
    c.SetTabStyle(TKtTabStyle::tsRoundCorners);
    c.SetMultiLine(multiLine);
    // Rows that do not shorten: 500 tabs need some 65 of them, more than a
    // strip of 792 would keep room for with the default indent.
    if (multiLine) c.SetRowIndent(0);
    TFont f = c.Font();
    f.Name = "Verdana";
    f.Height = -11;
    c.SetFont(f);
    for (int i = 0; i < state.range(0); ++i) {
        auto tab = std::make_unique<TKtTabData>();
        tab->Caption = kCaptions[i % 5];
        c.Tabs().Add(std::move(tab));
    }
    for (auto _ : state) {
        c.LayoutTabs();
        c.UpdateScrollerNeeded();
        benchmark::DoNotOptimize(c.Tabs().Items(0)->LayoutRect);
    }
    state.counters["rows"] = c.RowCount();
    state.counters["scroller"] = c.ScrollerNeeded();
    state.SetComplexityN(state.range(0));
}

void BM_RelayoutOneRow(benchmark::State& state) {
    Relayout(state, false);
}
void BM_RelayoutMultiLine(benchmark::State& state) {
    Relayout(state, true);
}

BENCHMARK(BM_RelayoutOneRow)->Arg(5)->Arg(50)->Arg(500)->Unit(benchmark::kMicrosecond)->Complexity();
BENCHMARK(BM_RelayoutMultiLine)->Arg(5)->Arg(50)->Arg(500)->Unit(benchmark::kMicrosecond)->Complexity();

}  // namespace
