#pragma once

#include <memory>

#include "framework/components/class_registry.h"

class QTimer;

namespace dlk {

// The timer component: OnTimer every Interval milliseconds while Enabled and
// assigned. Changing Interval of a running timer starts its period afresh.
class TTimer : public TComponent {
    DLK_COMPONENT(TTimer)
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    int Interval() const { return interval_; }
    void SetInterval(int ms);
    // Assigning a handler to an enabled timer starts it; none stops it.
    void SetOnTimer(TNotifyEvent handler);

    bool Running() const;
    // What one expiry does; tests call it to tick without waiting.
    void Timer();
    void Loaded() override;

private:
    void Update();
    TNotifyEvent on_timer_;
    bool enabled_ = true;
    int interval_ = 1000;
    std::unique_ptr<QTimer> timer_;
};

}  // namespace dlk
