#pragma once

#include "framework/controls/control.h"

namespace dlk {

// A bar that fills from the left as Position goes from Min to Max. Every
// change of Position repaints it at once: a program busy in a long loop on
// the window thread still shows its progress.
class TProgressBar : public TCustomControl {
    DLK_COMPONENT(TProgressBar)
public:
    explicit TProgressBar(TComponent* owner);
    int Min() const { return min_; }
    int Max() const { return max_; }
    int Position() const { return position_; }
    void SetMin(int v) { SetRange(v, std::max(v, max_)); }
    void SetMax(int v) { SetRange(std::min(v, min_), v); }
    void SetRange(int min, int max);
    // Kept within Min ... Max.
    void SetPosition(int v);
    // The filled part of the client area.
    TRect BarRect() const;

protected:
    void Paint() override;

private:
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
};

}  // namespace dlk
