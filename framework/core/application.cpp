#include "framework/core/application.h"

#include <QAbstractEventDispatcher>
#include <QApplication>

#include "framework/core/message_box.h"

namespace dlk {

TApplication& Application() {
    static TApplication application;
    return application;
}

void TApplication::Initialize() {
    QApplication::setQuitOnLastWindowClosed(false);
    if (idle_hooked_) return;
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) {
        QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, [this] { DoIdle(); });
        idle_hooked_ = true;
    }
}

void TApplication::Run() {
    Initialize();
    if (terminated_) return;
    QApplication::exec();
}

void TApplication::Terminate() {
    terminated_ = true;
    // Not quit(): that first asks every visible window to close, and one
    // that declines (a dialog, a form asking its own question) would keep
    // the program running. exit() ends the open dialogs' loops as well.
    QCoreApplication::exit(0);
}

void TApplication::Reset() {
    terminated_ = false;
}

void TApplication::DoIdle() {
    if (!OnIdle || in_idle_) return;
    in_idle_ = true;
    Guarded([this] {
        bool done = true;
        OnIdle(nullptr, done);
    });
    in_idle_ = false;
}

void TApplication::HandleException(const std::string& message) {
    dlk::MessageBox(MainWindow, message, Title, MB_OK | MB_ICONERROR);
}

int TApplication::MessageBox(std::string_view text, std::string_view caption, unsigned flags) {
    return dlk::MessageBox(MainWindow, text, caption, flags);
}

void TApplication::SetIcon(const QIcon& icon) {
    icon_ = icon;
    QApplication::setWindowIcon(icon);
}

}  // namespace dlk
