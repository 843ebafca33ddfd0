// The main of the benchmarks that draw through Qt: text, images and widgets
// want a (headless) application, and the framework its own set-up.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "framework/application/application.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    dlk::Application().Initialize();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
