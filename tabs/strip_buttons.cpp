#include "tabs/strip_buttons.h"

#include "framework/controls/control_properties.h"
#include "tabs/core/color_helpers.h"
#include "tabs/drawing_helpers.h"
#include "tabs/glyphs.h"
#include "tabs/kt_tab_control.h"

namespace dlk {

TKtTabStripButton::TKtTabStripButton(TKtCustomTabControl* control) : TCustomControl(control), control_(control) {}

void TKtTabStripButton::SetFrameColor(TColor value) {
    if (value == frame_color_) return;
    frame_color_ = value;
    Invalidate();
}

void TKtTabStripButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    captured_ = true;
    inside_ = true;
    Invalidate();
    SetMouseCapture(true);
}

void TKtTabStripButton::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    if (!captured_) return;
    const bool inside = OverPressedPart(x, y);
    if (inside == inside_) return;
    inside_ = inside;
    Invalidate();
}

void TKtTabStripButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseUp(button, shift, x, y);
    SetMouseCapture(false);
    captured_ = false;
    if (!inside_) return;
    inside_ = false;
    ClickStep();
    if (!IsDestroying()) Invalidate();
}

bool TKtTabStripButton::OverPressedPart(int x, int y) const {
    return ClientRect().Contains({x, y});
}

void TKtTabStripButton::PaintFace(const TRect& rect, bool pressed) {
    TCanvas& canvas = Canvas();
    const TKtTabColors& colors = control_->TabColors();
    const TColor frame = LightenColor(frame_color_, 30);
    canvas.Pen.Color = frame;
    canvas.Brush.Color = colors.Unselected();
    if (!control_->UseGradients()) {
        canvas.Rectangle(rect);
        return;
    }
    TRect r = rect;
    InflateRect(r, -1, -1);
    const TColor a = pressed ? colors.Shadow() : colors.Unselected();
    const TColor b = pressed ? colors.Unselected() : colors.Shadow();
    GradientPainter(canvas, r, 2, a, b, 1);
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.Rectangle(rect);
    canvas.Brush.Style = TBrushStyle::bsSolid;
    // The arrow picks its colour against the face: the unselected colour.
    canvas.Brush.Color = colors.Unselected();
}

const ClassInfo& TKtTabStripButton::StaticClass() {
    using T = TKtTabStripButton;
    static const ClassInfo info("TKtTabStripButton", &TCustomControl::StaticClass(), nullptr,
                                {prop::Color<T>(
                                    "FrameColor", [](const T& c) { return c.FrameColor(); },
                                    [](T& c, TColor v) { c.SetFrameColor(v); }, clBtnShadow)});
    return info;
}

TKtTabCloseButton::TKtTabCloseButton(TKtCustomTabControl* control) : TKtTabStripButton(control) {}

void TKtTabCloseButton::Paint() {
    const TRect r = ClientRect();
    PaintFace(r, inside_);
    CloseGlyph(Canvas(), r, inside_);
}

void TKtTabCloseButton::ClickStep() {
    Raise(OnClose, this);
}

const ClassInfo& TKtTabCloseButton::StaticClass() {
    static const ClassInfo info("TKtTabCloseButton", &TKtTabStripButton::StaticClass(), nullptr);
    return info;
}

}  // namespace dlk
