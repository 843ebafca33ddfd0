#include "framework/controls/progress_bar.h"

#include "framework/components/properties.h"
#include "framework/controls/std_controls.h"

namespace dlk {

TProgressBar::TProgressBar(TComponent* owner) : TCustomControl(owner) {
    SetBounds(0, 0, 150, 16);
}

void TProgressBar::SetRange(int min, int max) {
    if (max < min) max = min;
    min_ = min;
    max_ = max;
    position_ = std::clamp(position_, min_, max_);
    Repaint();
}

void TProgressBar::SetPosition(int v) {
    v = std::clamp(v, min_, max_);
    if (v == position_) return;
    position_ = v;
    Repaint();
}

TRect TProgressBar::BarRect() const {
    TRect inside = ClientRect();
    InflateRect(inside, -1, -1);
    if (inside.IsEmpty() || max_ == min_) return {inside.Left, inside.Top, inside.Left, inside.Bottom};
    const std::int64_t span = std::int64_t(inside.Width()) * (position_ - min_) / (std::int64_t(max_) - min_);
    return {inside.Left, inside.Top, inside.Left + int(span), inside.Bottom};
}

void TProgressBar::Paint() {
    TCanvas& c = Canvas();
    TRect r = ClientRect();
    Frame3D(c, r, clBtnShadow, clBtnHighlight);
    c.Brush.Color = clBtnFace;
    c.FillRect(r);
    c.Brush.Color = clHighlight;
    c.FillRect(BarRect());
}

const ClassInfo& TProgressBar::StaticClass() {
    using T = TProgressBar;
    static const ClassInfo info("TProgressBar", &TCustomControl::StaticClass(), Creator<T>(),
                                {
                                    prop::Int<T>("Min", &T::Min, &T::SetMin),
                                    prop::Int<T>("Max", &T::Max, &T::SetMax, 100),
                                    prop::Int<T>("Position", &T::Position, &T::SetPosition),
                                });
    return info;
}

DLK_REGISTER_CLASS(TProgressBar);

}  // namespace dlk
