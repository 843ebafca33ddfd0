#include <benchmark/benchmark.h>

#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "drawing/core/segment_clip.h"
#include "drawing/dib_surface.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

struct Segment {
    int X1, Y1, X2, Y2;
};

// The same segments for every contender: mostly inside, some crossing the edges.
const std::vector<Segment>& Segments() {
    static const std::vector<Segment> segments = [] {
        std::mt19937 rng(12345);
        std::uniform_int_distribution<int> x(-100, kWidth + 100), y(-100, kHeight + 100);
        std::vector<Segment> out(4096);
        for (Segment& s : out) s = Segment{x(rng), y(rng), x(rng), y(rng)};
        return out;
    }();
    return segments;
}

// Pixel positions a one-pixel line of each segment walks inside the surface,
// so both contenders are measured in the same unit.
std::int64_t VisiblePixels() {
    static const std::int64_t pixels = [] {
        const dlk::ClipRect clip{0, 0, kWidth - 1, kHeight - 1};
        std::int64_t total = 0;
        for (const Segment& seg : Segments()) {
            const auto c = dlk::ClipSegment(seg.X1, seg.Y1, seg.X2, seg.Y2, clip);
            if (c) total += std::max(c->X2 - c->X1, std::abs(c->Y2 - c->Y1)) + 1;
        }
        return total;
    }();
    return pixels;
}

void BM_LineEngineDotted(benchmark::State& state) {
    dlk::TDibSurface s(kWidth, kHeight, dlk::DibFormat::Rgb24);
    s.Clear();
    s.SetPenColor(dlk::clNavy);
    s.SetLineStyle(0xAAAAAAAA);
    for (auto _ : state) {
        for (const Segment& seg : Segments()) {
            s.MoveTo(seg.X1, seg.Y1);
            s.LineTo(seg.X2, seg.Y2);
        }
        benchmark::DoNotOptimize(s.Raster().Memory());
        benchmark::ClobberMemory();
    }
    state.counters["pixels/s"] =
        benchmark::Counter(static_cast<double>(VisiblePixels()) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_LineEngineDotted)->Unit(benchmark::kMillisecond);

void QPainterDotted(benchmark::State& state, QImage::Format format) {
    dlk::TDibSurface s(kWidth, kHeight, dlk::DibFormat::Rgb24);
    s.Clear();
    QImage own(kWidth, kHeight, format);
    own.fill(Qt::white);
    QPen pen(QColor(0, 0, 128));
    pen.setWidth(1);
    pen.setCosmetic(true);
    pen.setDashPattern({1, 1});
    pen.setCapStyle(Qt::FlatCap);
    // The surface's own image for 24 bits; a private one for the comparison format.
    QImage* target = format == QImage::Format_BGR888 ? const_cast<QImage*>(&s.Image()) : &own;
    for (auto _ : state) {
        QPainter p(target);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(pen);
        for (const Segment& seg : Segments()) p.drawLine(seg.X1, seg.Y1, seg.X2, seg.Y2);
        p.end();
        benchmark::ClobberMemory();
    }
    state.counters["pixels/s"] =
        benchmark::Counter(static_cast<double>(VisiblePixels()) * state.iterations(), benchmark::Counter::kIsRate);
}

void BM_QPainterDottedBgr888(benchmark::State& state) {
    QPainterDotted(state, QImage::Format_BGR888);
}
BENCHMARK(BM_QPainterDottedBgr888)->Unit(benchmark::kMillisecond);

void BM_QPainterDottedRgb32(benchmark::State& state) {
    QPainterDotted(state, QImage::Format_RGB32);
}
BENCHMARK(BM_QPainterDottedRgb32)->Unit(benchmark::kMillisecond);

void BM_Clear(benchmark::State& state) {
    const auto format = static_cast<dlk::DibFormat>(state.range(0));
    dlk::TDibSurface s(kWidth, kHeight, format);
    s.SetBrushColor(dlk::RGB(10, 200, 30));
    for (auto _ : state) {
        s.Clear();
        benchmark::DoNotOptimize(s.Raster().Memory());
        benchmark::ClobberMemory();
    }
    state.counters["pixels/s"] =
        benchmark::Counter(static_cast<double>(kWidth) * kHeight * state.iterations(), benchmark::Counter::kIsRate);
    state.SetBytesProcessed(static_cast<std::int64_t>(dlk::ImageSize(kWidth, kHeight, format)) * state.iterations());
}
BENCHMARK(BM_Clear)->Arg(5)->Arg(6)->Arg(3)->Unit(benchmark::kMicrosecond);

void BM_FillRect(benchmark::State& state) {
    const auto format = static_cast<dlk::DibFormat>(state.range(0));
    dlk::TDibSurface s(kWidth, kHeight, format);
    s.Canvas().Brush.Color = dlk::RGB(10, 200, 30);
    const dlk::TRect r{0, 0, kWidth, kHeight};
    for (auto _ : state) {
        s.FillRect(r);
        benchmark::DoNotOptimize(s.Raster().Memory());
        benchmark::ClobberMemory();
    }
    state.counters["pixels/s"] = benchmark::Counter(
        static_cast<double>(kWidth - 1) * (kHeight - 1) * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_FillRect)->Arg(5)->Arg(6)->Unit(benchmark::kMicrosecond);

// The floor: the same number of bytes as a 24-bit surface, set by memset.
void BM_Memset(benchmark::State& state) {
    std::vector<std::uint8_t> bytes(dlk::ImageSize(kWidth, kHeight, dlk::DibFormat::Rgb24));
    for (auto _ : state) {
        std::memset(bytes.data(), 0x5A, bytes.size());
        benchmark::DoNotOptimize(bytes.data());
        benchmark::ClobberMemory();
    }
    state.counters["pixels/s"] =
        benchmark::Counter(static_cast<double>(kWidth) * kHeight * state.iterations(), benchmark::Counter::kIsRate);
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes.size()) * state.iterations());
}
BENCHMARK(BM_Memset)->Unit(benchmark::kMicrosecond);

// QPainter's own fill of the same 24-bit image, for reference.
void BM_QPainterFillBgr888(benchmark::State& state) {
    dlk::TDibSurface s(kWidth, kHeight, dlk::DibFormat::Rgb24);
    for (auto _ : state) {
        QPainter p(const_cast<QImage*>(&s.Image()));
        p.fillRect(0, 0, kWidth, kHeight, QColor(10, 200, 30));
        p.end();
        benchmark::ClobberMemory();
    }
    state.counters["pixels/s"] =
        benchmark::Counter(static_cast<double>(kWidth) * kHeight * state.iterations(), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_QPainterFillBgr888)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
