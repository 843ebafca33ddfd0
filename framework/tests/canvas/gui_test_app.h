#pragma once

#include <QGuiApplication>

namespace dlk::testing {

// The one Qt GUI application of the canvas tests (offscreen platform).
inline void EnsureGuiApplication() {
    if (QCoreApplication::instance() != nullptr) return;
    static int argc = 1;
    static char name[] = "framework_canvas_tests";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
}

}  // namespace dlk::testing
