#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <deque>
#include <functional>
#include <set>

namespace dlk::testing {

// Input as the window system delivers it: a window a modal one blocks never sees it.
inline void ClickAt(QWidget* widget, QPoint at) {
    QWidget* window = widget->window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, widget->mapTo(window, at));
}
inline void ClickOn(QWidget* widget) {
    ClickAt(widget, widget->rect().center());
}
inline void PressKey(QWidget* widget, Qt::Key key) {
    QTest::keyClick(widget->window()->windowHandle(), key);
}

// After Application().Terminate() in an earlier test every event loop
// returns at once until a main loop has run: run one that ends at once.
inline void ForgetEndedRuns() {
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
}

// Plays the user inside real modal loops: each step acts on the next window
// the program shows that is then the modal one, or on a modal window that
// is uncovered again (a dialog under the box that refused its value). An
// unexpected modal window is closed, and the test fails.
class ModalUser : public QObject {
public:
    using Step = std::function<void(QWidget& modal)>;
    ModalUser() {
        qApp->installEventFilter(this);
        QObject::connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
        timer_.start(5);
    }
    ~ModalUser() override {
        qApp->removeEventFilter(this);
        EXPECT_TRUE(steps_.empty()) << steps_.size() << " steps never taken";
    }
    ModalUser& Then(Step step) {
        steps_.push_back(std::move(step));
        return *this;
    }
    bool Done() const { return steps_.empty() && running_ == 0; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // The program's own show, not the window system's notice of it.
        if (event->type() == QEvent::Show && !event->spontaneous() && watched->isWidgetType())
            shown_.insert(static_cast<QWidget*>(watched));
        return false;
    }

private:
    void Tick() {
        QWidget* modal = QApplication::activeModalWidget();
        const bool uncovered = modal != nullptr && modal != acted_on_ && acted_on_ != nullptr;
        if (modal == nullptr) acted_on_ = nullptr;
        if (modal == nullptr || (shown_.erase(modal) == 0 && !uncovered)) return;
        acted_on_ = modal;
        if (steps_.empty()) {
            ADD_FAILURE() << "an unexpected modal window: " << modal->windowTitle().toStdString();
            modal->windowHandle()->close();
            return;
        }
        // Run from an event of its own: a timer is not fired again inside
        // its own handler, and a step may open a box in a nested loop.
        ++running_;
        QTimer::singleShot(0, this, [this, step = std::move(steps_.front()), window = QPointer<QWidget>(modal)] {
            if (window != nullptr) step(*window);
            --running_;
        });
        steps_.pop_front();
    }

    QTimer timer_;
    std::deque<Step> steps_;
    std::set<QWidget*> shown_;
    QWidget* acted_on_ = nullptr;  // the modal window of the last step
    int running_ = 0;              // steps begun and not yet over
};

}  // namespace dlk::testing
