#include "framework/controls/splitter.h"

#include <QCursor>
#include <QEvent>
#include <QWidget>
#include <algorithm>

#include "framework/components/properties.h"

namespace dlk {

int SplitterDragSize(int startSize, int growth, int minSize, int maxSize) {
    const int size = startSize + growth;
    if (maxSize < minSize) maxSize = minSize;
    return std::clamp(size, minSize, maxSize);
}

TSplitter::TSplitter(TComponent* owner) : TCustomControl(owner) {
    SetAlign(TAlign::alLeft);
    SetBounds(0, 0, 3, 100);
}

void TSplitter::SetBeveled(bool v) {
    beveled_ = v;
    Invalidate();
}

bool TSplitter::Vertical() const {
    return Align() == TAlign::alTop || Align() == TAlign::alBottom;
}

int TSplitter::Extent(const TControl& control) const {
    return Vertical() ? control.Height() : control.Width();
}

int TSplitter::PositionInParent(int x, int y) const {
    return Vertical() ? Top() + y : Left() + x;
}

TControl* TSplitter::ResizedControl() const {
    TControl* parent = Parent();
    if (parent == nullptr) return nullptr;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        if (c == this || !c->Visible() || c->Align() != Align()) continue;
        switch (Align()) {
            case TAlign::alTop:
                if (c->Top() + c->Height() == Top()) return c;
                break;
            case TAlign::alBottom:
                if (c->Top() == Top() + Height()) return c;
                break;
            case TAlign::alLeft:
                if (c->Left() + c->Width() == Left()) return c;
                break;
            case TAlign::alRight:
                if (c->Left() == Left() + Width()) return c;
                break;
            default: break;
        }
    }
    return nullptr;
}

// What the control filling the rest of the parent could give up.
int TSplitter::FillingExtent() const {
    TControl* parent = Parent();
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        if (c->Visible() && c->Align() == TAlign::alClient) return Extent(*c);
    }
    return 0;
}

void TSplitter::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (button != TMouseButton::mbLeft) return;
    dragged_ = ResizedControl();
    if (dragged_ == nullptr) return;
    drag_start_ = PositionInParent(x, y);
    start_size_ = Extent(*dragged_);
    max_size_ = start_size_ + std::max(0, FillingExtent() - min_size_);
}

void TSplitter::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    if (dragged_ == nullptr) return;
    const int moved = PositionInParent(x, y) - drag_start_;
    // A bar on the top or left side grows its control by moving away from
    // it; one on the bottom or right side by moving towards the middle.
    const bool growsForward = Align() == TAlign::alTop || Align() == TAlign::alLeft;
    const int size = SplitterDragSize(start_size_, growsForward ? moved : -moved, min_size_, max_size_);
    if (Vertical())
        dragged_->SetHeight(size);
    else
        dragged_->SetWidth(size);
}

void TSplitter::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseUp(button, shift, x, y);
    if (button != TMouseButton::mbLeft || dragged_ == nullptr) return;
    dragged_ = nullptr;
    Raise(OnMoved, this);
}

bool TSplitter::PreviewEvent(QEvent* event) {
    // The cursor follows the direction the bar moves in.
    if (event->type() == QEvent::Enter || event->type() == QEvent::Show)
        Widget()->setCursor(Vertical() ? Qt::SplitVCursor : Qt::SplitHCursor);
    return false;
}

void TSplitter::Paint() {
    TCanvas& canvas = Canvas();
    const TRect r = ClientRect();
    canvas.Brush.Color = Color();
    canvas.FillRect(r);
    if (!beveled_) return;
    // A raised edge along the bar.
    canvas.Pen.Color = clBtnHighlight;
    if (Vertical()) {
        canvas.MoveTo(r.Left, r.Top);
        canvas.LineTo(r.Right, r.Top);
        canvas.Pen.Color = clBtnShadow;
        canvas.MoveTo(r.Left, r.Bottom - 1);
        canvas.LineTo(r.Right, r.Bottom - 1);
    } else {
        canvas.MoveTo(r.Left, r.Top);
        canvas.LineTo(r.Left, r.Bottom);
        canvas.Pen.Color = clBtnShadow;
        canvas.MoveTo(r.Right - 1, r.Top);
        canvas.LineTo(r.Right - 1, r.Bottom);
    }
}

const ClassInfo& TSplitter::StaticClass() {
    using T = TSplitter;
    static const ClassInfo info(
        "TSplitter", &TCustomControl::StaticClass(), Creator<T>(),
        {prop::Bool<T>(
             "Beveled", [](const T& c) { return c.Beveled(); }, [](T& c, bool v) { c.SetBeveled(v); }),
         prop::Int<T>(
             "MinSize", [](const T& c) { return c.MinSize(); }, [](T& c, std::int64_t v) { c.SetMinSize(int(v)); },
             30)});
    return info;
}

DLK_REGISTER_CLASS(TSplitter);

}  // namespace dlk
