#include "framework/controls/scroll_bar.h"

#include <QScrollBar>
#include <algorithm>

#include "framework/application/application.h"
#include "framework/components/properties.h"

namespace dlk {

TScrollBar::TScrollBar(TComponent* owner) : TControl(owner) {
    auto* bar = new HostWidget<QScrollBar>(Link(), Qt::Horizontal);
    // Keys stay with the window, which scrolls its own content.
    bar->setFocusPolicy(Qt::NoFocus);
    SetWidget(bar);
    QObject::connect(bar, &QAbstractSlider::actionTriggered, bar,
                     [this](int action) { Guarded([&] { UserAction(action); }); });
    SetBounds(0, 0, 121, 17);
    ShowRange();
}

QScrollBar* TScrollBar::Bar() const {
    return static_cast<QScrollBar*>(Widget());
}

void TScrollBar::SetKind(TScrollBarKind kind) {
    kind_ = kind;
    Bar()->setOrientation(kind == TScrollBarKind::sbVertical ? Qt::Vertical : Qt::Horizontal);
}

int TScrollBar::LastPosition() const {
    return std::max(min_, page_size_ > 0 ? max_ - page_size_ + 1 : max_);
}

void TScrollBar::SetMin(int v) {
    SetParams(position_, v, std::max(v, max_));
}
void TScrollBar::SetMax(int v) {
    SetParams(position_, std::min(min_, v), v);
}

void TScrollBar::SetPageSize(int v) {
    page_size_ = std::clamp(v, 0, std::max(0, max_ - min_ + 1));
    ShowRange();
}

void TScrollBar::SetPosition(int v) {
    SetParams(v, min_, max_);
}

void TScrollBar::SetParams(int position, int min, int max) {
    min_ = min;
    max_ = std::max(min, max);
    page_size_ = std::min(page_size_, max_ - min_ + 1);
    position_ = std::clamp(position, min_, max_);
    ShowRange();
}

void TScrollBar::ShowRange() {
    showing_ = true;
    QScrollBar* bar = Bar();
    const int last = LastPosition();
    position_ = std::clamp(position_, min_, last);
    bar->setRange(min_, last);
    bar->setPageStep(std::max(1, page_size_));
    bar->setSingleStep(std::max(1, SmallChange));
    bar->setValue(position_);
    showing_ = false;
}

void TScrollBar::UserAction(int action) {
    if (showing_) return;
    QScrollBar* bar = Bar();
    const int last = LastPosition();
    int position = bar->sliderPosition();
    TScrollCode code = TScrollCode::scPosition;
    switch (action) {
        case QAbstractSlider::SliderSingleStepAdd:
            code = TScrollCode::scLineDown;
            position = std::min(last, bar->value() + SmallChange);
            break;
        case QAbstractSlider::SliderSingleStepSub:
            code = TScrollCode::scLineUp;
            position = std::max(min_, bar->value() - SmallChange);
            break;
        // Qt steps by the thumb's size; the classic bar by LargeChange.
        case QAbstractSlider::SliderPageStepAdd:
            code = TScrollCode::scPageDown;
            position = std::min(last, bar->value() + LargeChange);
            break;
        case QAbstractSlider::SliderPageStepSub:
            code = TScrollCode::scPageUp;
            position = std::max(min_, bar->value() - LargeChange);
            break;
        case QAbstractSlider::SliderToMinimum: code = TScrollCode::scTop; break;
        case QAbstractSlider::SliderToMaximum: code = TScrollCode::scBottom; break;
        case QAbstractSlider::SliderMove: code = TScrollCode::scTrack; break;
        default: break;
    }
    Raise(OnScroll, this, code, position);
    position_ = std::clamp(position, min_, last);
    showing_ = true;
    bar->setSliderPosition(position_);
    showing_ = false;
}

namespace {

std::vector<std::pair<const char*, TScrollBarKind>> KindNames() {
    return {{"sbHorizontal", TScrollBarKind::sbHorizontal}, {"sbVertical", TScrollBarKind::sbVertical}};
}

}  // namespace

const ClassInfo& TScrollBar::StaticClass() {
    using T = TScrollBar;
    static const ClassInfo info(
        "TScrollBar", &TControl::StaticClass(), Creator<T>(),
        {
            prop::Enum<T, TScrollBarKind>(
                "Kind", KindNames(), [](const T& c) { return c.Kind(); }, [](T& c, TScrollBarKind v) { c.SetKind(v); },
                TScrollBarKind::sbHorizontal),
            prop::Int<T>(
                "Min", [](const T& c) { return c.Min(); }, [](T& c, std::int64_t v) { c.SetMin(int(v)); }),
            prop::Int<T>(
                "Max", [](const T& c) { return c.Max(); }, [](T& c, std::int64_t v) { c.SetMax(int(v)); }, 100),
            prop::Int<T>(
                "PageSize", [](const T& c) { return c.PageSize(); },
                [](T& c, std::int64_t v) { c.SetPageSize(int(v)); }),
            prop::Int<T>(
                "Position", [](const T& c) { return c.Position(); },
                [](T& c, std::int64_t v) { c.SetPosition(int(v)); }),
            prop::Int<T>(
                "SmallChange", [](const T& c) { return c.SmallChange; },
                [](T& c, std::int64_t v) {
                    c.SmallChange = int(v);
                    c.ShowRange();
                },
                1),
            prop::Int<T>(
                "LargeChange", [](const T& c) { return c.LargeChange; },
                [](T& c, std::int64_t v) { c.LargeChange = int(v); }, 1),
        });
    return info;
}

DLK_REGISTER_CLASS(TScrollBar);

}  // namespace dlk
