#include "framework/controls/timer.h"

#include <QTimer>

#include "framework/application/application.h"
#include "framework/components/properties.h"

namespace dlk {

TTimer::TTimer(TComponent* owner) : TComponent(owner), timer_(std::make_unique<QTimer>()) {
    QObject::connect(timer_.get(), &QTimer::timeout, [this] { Guarded([this] { Timer(); }); });
}

TTimer::~TTimer() {
    Destroying();
    timer_->stop();
}

void TTimer::SetEnabled(bool v) {
    if (v == enabled_) return;
    enabled_ = v;
    Update();
}

void TTimer::SetInterval(int ms) {
    if (ms == interval_) return;
    interval_ = ms;
    Update();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
    on_timer_ = std::move(handler);
    Update();
}

bool TTimer::Running() const {
    return timer_->isActive();
}

void TTimer::Timer() {
    Raise(on_timer_, this);
}

void TTimer::Loaded() {
    TComponent::Loaded();
    Update();
}

void TTimer::Update() {
    timer_->stop();
    if (enabled_ && interval_ > 0 && on_timer_ && !IsLoading() && !IsDestroying()) timer_->start(interval_);
}

const ClassInfo& TTimer::StaticClass() {
    using T = TTimer;
    static const ClassInfo info(
        "TTimer", &TComponent::StaticClass(), Creator<T>(),
        {
            prop::Bool<T>(
                "Enabled", [](const T& c) { return c.Enabled(); }, [](T& c, bool v) { c.SetEnabled(v); }, true),
            prop::Int<T>(
                "Interval", [](const T& c) { return c.Interval(); },
                [](T& c, std::int64_t v) { c.SetInterval(int(v)); }, 1000),
        });
    return info;
}

DLK_REGISTER_CLASS(TTimer);

}  // namespace dlk
