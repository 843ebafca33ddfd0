#include <benchmark/benchmark.h>

#include <QLinearGradient>
#include <QPainter>

#include "tabs/drawing_helpers.h"

namespace {

// A tab strip's face (the window's width, one tab row high) and a square box.
struct Shape {
    int w, h;
};
constexpr Shape kShapes[] = {{792, 22}, {200, 200}};

void BM_GradientPainter(benchmark::State& state) {
    const Shape s = kShapes[state.range(0)];
    const auto direction = std::uint8_t(state.range(1));
    QImage image(s.w, s.h, QImage::Format_RGB32);
    image.fill(Qt::black);
    dlk::TCanvas canvas(&image);
    for (auto _ : state) {
        dlk::GradientPainter(canvas, dlk::Rect(0, 0, s.w, s.h), direction, dlk::clWhite, dlk::clNavy, 1);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetItemsProcessed(state.iterations() * s.w * s.h);
}

void BM_QLinearGradient(benchmark::State& state) {
    const Shape s = kShapes[state.range(0)];
    const bool vertical = state.range(1) == 2;
    QImage image(s.w, s.h, QImage::Format_RGB32);
    image.fill(Qt::black);
    for (auto _ : state) {
        QPainter painter(&image);
        QLinearGradient gradient(0, 0, vertical ? 0 : s.w, vertical ? s.h : 0);
        gradient.setColorAt(0, Qt::white);
        gradient.setColorAt(1, QColor(0, 0, 128));
        painter.fillRect(QRect(0, 0, s.w, s.h), gradient);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetItemsProcessed(state.iterations() * s.w * s.h);
}

// Shape index, pattern (2 vertical, 5 horizontal).
void Cases(benchmark::internal::Benchmark* b) {
    b->ArgNames({"shape", "pattern"});
    for (int shape : {0, 1})
        for (int pattern : {2, 5}) b->Args({shape, pattern});
}

BENCHMARK(BM_GradientPainter)->Apply(Cases);
BENCHMARK(BM_QLinearGradient)->Apply(Cases);

}  // namespace
