#include "framework/application/application.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QToolTip>
#include <algorithm>

#include "framework/application/message_box.h"

namespace dlk {

namespace {

// Runs f, guarded, for each subscriber of live as it is now; one that a
// handler before it freed (another or itself) is passed over.
template <class F>
void ForEachSubscriber(const std::vector<TApplicationEvents*>& live, F f) {
    const std::vector<TApplicationEvents*> subscribers = live;
    for (TApplicationEvents* e : subscribers)
        if (std::find(live.begin(), live.end(), e) != live.end()) Guarded([&] { f(e); });
}

}  // namespace

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
    if (in_idle_) return;
    in_idle_ = true;
    if (OnIdle)
        Guarded([this] {
            bool done = true;
            OnIdle(nullptr, done);
        });
    ForEachSubscriber(events_, [](TApplicationEvents* e) {
        bool done = true;
        e->Raise(e->OnIdle, e, done);
    });
    in_idle_ = false;
}

void TApplication::SetHint(const std::string& hint) {
    if (hint == hint_) return;
    hint_ = hint;
    Guarded([this] {
        if (OnHint) OnHint(nullptr);
    });
    ForEachSubscriber(events_, [](TApplicationEvents* e) { e->Raise(e->OnHint, e); });
}

void TApplication::ProcessMessages() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void TApplication::ProcessMessagesExceptInput() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

TApplicationEvents::TApplicationEvents(TComponent* owner) : TComponent(owner) {
    Application().events_.push_back(this);
}

TApplicationEvents::~TApplicationEvents() {
    std::erase(Application().events_, this);
}

void TApplication::CancelHint() {
    QToolTip::hideText();
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
