#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "tabs/kt_tab_control.h"

namespace {

// A multi-line control of n tabs 60 pixels long, laid out.
std::unique_ptr<dlk::TKtCustomTabControl> Strip(int n) {
    auto c = std::make_unique<dlk::TKtCustomTabControl>(nullptr);
    c->SetBounds(0, 0, 792, 2000);
    c->SetTabWidth(60);
    c->SetMultiLine(true);
    for (int i = 0; i < n; ++i) {
        auto t = std::make_unique<dlk::TKtTabData>();
        t->Caption = "Tab " + std::to_string(i);
        c->Tabs().Add(std::move(t));
    }
    c->TabsChanged();
    c->ApplyPendingLayout();
    return c;
}

// The pointer over every tenth pixel of the strip, as a hover over all rows.
void BM_TabAtPoint(benchmark::State& state) {
    auto c = Strip(int(state.range(0)));
    c->SetTabIndex(int(state.range(0)) / 2);
    c->ApplyPendingLayout();
    const dlk::TRect strip = c->StripRect();
    int hits = 0, points = 0;
    for (auto _ : state) {
        for (int y = strip.Top; y < strip.Bottom; y += 10)
            for (int x = strip.Left; x < strip.Right; x += 10, ++points) hits += c->TabAtPoint(x, y) >= 0;
    }
    benchmark::DoNotOptimize(hits);
    state.SetItemsProcessed(points);
    state.counters["rows"] = c->RowCount();
}
BENCHMARK(BM_TabAtPoint)->Arg(5)->Arg(50)->Arg(500);

// What one setter costs at the next paint: its relayout.
void BM_RelayoutAfterSetter(benchmark::State& state) {
    auto c = Strip(int(state.range(0)));
    int margin = 0;
    for (auto _ : state) {
        c->SetMargin(margin ^= 1);
        c->ApplyPendingLayout();
    }
}
BENCHMARK(BM_RelayoutAfterSetter)->Arg(5)->Arg(50)->Arg(500);

}  // namespace
