#include "tabs/glyphs.h"
#include "tabs/kt_tab_control.h"
#include "tabs/strip_buttons.h"

namespace dlk {

TKtTabScroller::TKtTabScroller(TKtCustomTabControl* control) : TKtTabStripButton(control) {}

void TKtTabScroller::SetOrientation(TOrientation value) {
    if (value == orientation_) return;
    orientation_ = value;
    Invalidate();
}

bool TKtTabScroller::HalfEnabled(int half) const {
    TKtCustomTabControl& c = TabControl();
    const int last = c.LastVisibleTab();
    // Hidden tabs before the first visible one are nothing to scroll back to.
    const bool atStart = c.FirstShownTab() <= c.FirstVisibleTab();
    const bool atEnd = last < 0 || c.IsTabFullyShown(last);
    // The down/left half points to the earlier tabs unless the strip runs
    // the other way: reversed, or down a right edge, but not both.
    const bool swapped =
        (c.TabSequence() == TKtTabSequence::tsReverse) != (c.TabOrientation() == TKtTabOrientation::toRight);
    const bool downLeftDisabled = swapped ? atEnd : atStart;
    const bool upRightDisabled = swapped ? atStart : atEnd;
    return half == 0 ? !downLeftDisabled : !upRightDisabled;
}

void TKtTabScroller::Paint() {
    const TRect r = ClientRect();
    const int w = Width() / 2, h = Height() / 2;
    const bool horizontal = orientation_ == TOrientation::orHorizontal;
    const TRect halves[2] = {
        horizontal ? Rect(r.Left, r.Top, r.Left + w + 1, r.Bottom) : Rect(r.Left, r.Bottom - h - 1, r.Right, r.Bottom),
        horizontal ? Rect(r.Right - w - 1, r.Top, r.Right, r.Bottom) : Rect(r.Left, r.Top, r.Right, r.Top + h + 1),
    };
    const std::uint8_t arrows[2] = {std::uint8_t(horizontal ? 2 : 1), std::uint8_t(horizontal ? 3 : 0)};
    for (int half = 0; half < 2; ++half) {
        const bool pressed = inside_ && pressed_half_ == half;
        PaintFace(halves[half], pressed);
        ArrowGlyph(Canvas(), halves[half], arrows[half], pressed, HalfEnabled(half));
    }
}

void TKtTabScroller::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    pressed_half_ =
        orientation_ == TOrientation::orHorizontal ? (x >= Width() / 2 ? 1 : 0) : (y <= Height() / 2 ? 1 : 0);
    TKtTabStripButton::MouseDown(button, shift, x, y);
    if (!timer_) {
        timer_ = std::make_unique<TTimer>(nullptr);
        timer_->SetEnabled(false);
        timer_->SetOnTimer([this](TObject*) { RepeatTick(); });
    }
    timer_->SetInterval(RepeatDelay);
    timer_->SetEnabled(true);
}

void TKtTabScroller::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (timer_) timer_->SetEnabled(false);
    TKtTabStripButton::MouseUp(button, shift, x, y);
}

bool TKtTabScroller::OverPressedPart(int x, int y) const {
    const int w = Width() / 2, h = Height() / 2;
    TRect r = orientation_ == TOrientation::orHorizontal ? Rect(0, 0, w, Height()) : Rect(0, 0, Width(), h);
    if (orientation_ == TOrientation::orHorizontal && pressed_half_ == 1) OffsetRect(r, w, 0);
    if (orientation_ == TOrientation::orVertical && pressed_half_ == 0) OffsetRect(r, 0, h);
    return r.Contains({x, y});
}

void TKtTabScroller::RepeatTick() {
    timer_->SetInterval(RepeatInterval);
    if (!inside_ || !MouseCapture()) return;
    try {
        ClickStep();
    } catch (...) {
        // A scroll that fails once would fail at every repeat.
        timer_->SetEnabled(false);
        throw;
    }
}

void TKtTabScroller::ClickStep() {
    if (pressed_half_ == 0)
        DownLeftClick();
    else
        UpRightClick();
}

void TKtTabScroller::DownLeftClick() {
    Raise(OnDownLeftClick, this);
}
void TKtTabScroller::UpRightClick() {
    Raise(OnUpRightClick, this);
}

const ClassInfo& TKtTabScroller::StaticClass() {
    static const ClassInfo info("TKtTabScroller", &TKtTabStripButton::StaticClass(), nullptr);
    return info;
}

}  // namespace dlk
