#include "framework/application/messages.h"

#include <QCoreApplication>

namespace dlk {

QEvent::Type MessageEvent::EventType() {
    static const QEvent::Type type = QEvent::Type(QEvent::registerEventType());
    return type;
}

void PostMessage(QObject* target, unsigned msg, std::uintptr_t wparam, std::intptr_t lparam) {
    if (target == nullptr) return;
    QCoreApplication::postEvent(target, new MessageEvent(TMessage{msg, wparam, lparam, 0}));
}

}  // namespace dlk
