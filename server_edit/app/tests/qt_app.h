#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include "framework/core/application.h"

namespace dlk::testing {

// The one Qt application of the test program (offscreen platform).
inline void EnsureApplication() {
    if (QCoreApplication::instance() != nullptr) return;
    static int argc = 1;
    static char name[] = "server_edit_window_tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
    Application().Initialize();
}

// Mouse events as a user's hand makes them, delivered at once.
inline void SendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button,
                      Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

inline void Click(QWidget* target, QPoint at) {
    SendMouse(target, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    SendMouse(target, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

inline void DoubleClick(QWidget* target, QPoint at) {
    Click(target, at);
    SendMouse(target, QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
    SendMouse(target, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

}  // namespace dlk::testing
