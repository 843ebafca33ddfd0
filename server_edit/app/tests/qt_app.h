#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include "framework/tests/qt_test_app.h"

namespace dlk::server_edit::testing {
using namespace ::dlk::testing;

// Mouse events as a user's hand makes them, delivered at once.
inline void SendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
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

}  // namespace dlk::server_edit::testing
