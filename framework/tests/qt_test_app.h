#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <functional>

#include "framework/application/application.h"

namespace dlk::testing {

// The one Qt application of a test program (offscreen platform).
inline void EnsureApplication() {
    if (QCoreApplication::instance() != nullptr) return;
    static int argc = 1;
    static char name[] = "framework_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
    Application().Initialize();
}

// Runs the event loop until done() or the time limit; true when done.
inline bool WaitUntil(const std::function<bool()>& done, int limitMs = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > limitMs) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

}  // namespace dlk::testing
