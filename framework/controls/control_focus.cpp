// Tab's round, the keys a window offers its controls, and mouse capture.
#include <QCursor>
#include <QWidget>
#include <algorithm>

#include "framework/controls/control.h"
#include "framework/controls/form.h"

namespace dlk {

namespace {

std::function<TPoint()>& CursorSource() {
    static std::function<TPoint()> source;
    return source;
}

bool Focusable(const TControl& c) {
    return c.CanFocus() && c.Widget()->focusPolicy() != Qt::NoFocus;
}

void CollectTabOrder(const std::vector<TControl*>& list, std::vector<TControl*>& out) {
    for (TControl* c : list) {
        out.push_back(c);
        const std::vector<TControl*> inner = c->TabOrderList();
        out.insert(out.end(), inner.begin(), inner.end());
    }
}

}  // namespace

int TControl::TabOrder() const {
    if (parent_ == nullptr || IsReading()) return std::max(tab_order_, 0);
    auto it = std::find(parent_->tab_list_.begin(), parent_->tab_list_.end(), this);
    return it == parent_->tab_list_.end() ? -1 : int(it - parent_->tab_list_.begin());
}

void TControl::SetTabOrder(int v) {
    tab_order_ = v;
    if (parent_ == nullptr || IsReading()) return;
    std::vector<TControl*>& list = parent_->tab_list_;
    std::erase(list, this);
    list.insert(list.begin() + std::clamp(v, 0, int(list.size())), this);
    if (TForm* form = GetParentForm(this)) form->ApplyTabOrder();
}

// The stored numbers, once every child has been read: each child with a
// number takes that place in the round, and those without one fill the
// places left in their reading order.
void TControl::FixupTabList() {
    const auto firstNumbered =
        std::stable_partition(tab_list_.begin(), tab_list_.end(), [](const TControl* c) { return c->tab_order_ < 0; });
    std::vector<TControl*> numbered(firstNumbered, tab_list_.end());
    tab_list_.erase(firstNumbered, tab_list_.end());
    std::stable_sort(numbered.begin(), numbered.end(),
                     [](const TControl* a, const TControl* b) { return a->tab_order_ < b->tab_order_; });
    // In ascending order each lands on its number (or last); an equal
    // number read earlier keeps its place before it.
    for (TControl* c : numbered) {
        std::size_t at = std::min(std::size_t(c->tab_order_), tab_list_.size());
        while (at < tab_list_.size() && tab_list_[at]->tab_order_ == c->tab_order_) ++at;
        tab_list_.insert(tab_list_.begin() + std::ptrdiff_t(at), c);
    }
}

void TControl::ReadState(TReader& reader) {
    TComponent::ReadState(reader);
    FixupTabList();
}

std::vector<TControl*> TControl::TabOrderList() const {
    std::vector<TControl*> out;
    CollectTabOrder(tab_list_, out);
    return out;
}

// Qt keeps one focus chain per window: ours, parent by parent, laid over it.
void TControl::ApplyTabOrder() {
    QWidget* previous = nullptr;
    for (TControl* c : TabOrderList()) {
        // Every control keeps its place in the chain, so one that becomes a
        // tab stop later (a radio button as it is checked) is met in order.
        if (c->widget_ == nullptr) continue;
        if (previous != nullptr) QWidget::setTabOrder(previous, c->widget_);
        previous = c->widget_;
    }
}

TControl* TControl::FindNextControl(TControl* current, bool forward, bool checkTabStop, bool checkParent) const {
    const std::vector<TControl*> list = TabOrderList();
    if (list.empty()) return nullptr;
    const int count = int(list.size());
    auto at = std::find(list.begin(), list.end(), current);
    const int start = at != list.end() ? int(at - list.begin()) : (forward ? count - 1 : 0);
    int i = start;
    do {
        i = forward ? (i + 1) % count : (i + count - 1) % count;
        TControl* c = list[std::size_t(i)];
        if (Focusable(*c) && (!checkTabStop || c->TabStop()) && (!checkParent || c->Parent() == this)) return c;
    } while (i != start);
    return nullptr;
}

void TControl::SelectFirst() {
    if (TControl* c = FindNextControl(nullptr, true, true, false)) c->SetFocus();
}

bool TControl::DialogKey(int key, TShiftState shift) {
    for (TControl* c : controls_)
        if (c->Visible() && c->Enabled() && c->DialogKey(key, shift)) return true;
    return false;
}

bool TControl::DialogChar(int charCode, TShiftState shift) {
    for (TControl* c : controls_)
        if (c->Visible() && c->Enabled() && c->DialogChar(charCode, shift)) return true;
    return false;
}

bool TControl::MouseCapture() const {
    return widget_ != nullptr && QWidget::mouseGrabber() == widget_;
}

void TControl::SetMouseCapture(bool capture) {
    if (widget_ == nullptr) return;
    if (capture)
        widget_->grabMouse();
    else if (MouseCapture())
        widget_->releaseMouse();
}

TControl* CaptureControl() {
    for (QWidget* w = QWidget::mouseGrabber(); w != nullptr; w = w->parentWidget())
        if (TControl* c = ControlOfWidget(w)) return c;
    return nullptr;
}

TPoint CursorPos() {
    if (CursorSource()) return CursorSource()();
    const QPoint p = QCursor::pos();
    return {p.x(), p.y()};
}

void SetCursorPosSource(std::function<TPoint()> source) {
    CursorSource() = std::move(source);
}

}  // namespace dlk
