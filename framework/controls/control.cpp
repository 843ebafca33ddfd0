#include "framework/controls/control.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimerEvent>
#include <QWheelEvent>
#include <algorithm>

#include "framework/application/application.h"
#include "framework/controls/control_properties.h"
#include "framework/controls/menus.h"

namespace dlk {

TControl* ControlOfWidget(const QWidget* widget) {
    if (widget == nullptr) return nullptr;
    return static_cast<TControl*>(widget->property(kControlProperty).value<void*>());
}

TControl::TControl(TComponent* owner) : TComponent(owner) {
    window_proc_ = [this](TMessage& m) { WndProc(m); };
}

TControl::~TControl() {
    MarkDestroying();
    link_->Control = nullptr;
    if (widget_ != nullptr) widget_->setProperty(kControlProperty, QVariant());
    while (!controls_.empty()) delete controls_.back();
    if (parent_ != nullptr) {
        std::erase(parent_->controls_, this);
        std::erase(parent_->tab_list_, this);
    }
    parent_ = nullptr;
    delete widget_;
    widget_ = nullptr;
}

void TControl::MarkDestroying() {
    Destroying();
    for (TControl* c : controls_) c->MarkDestroying();
}

void TControl::SetWidget(QWidget* widget) {
    delete widget_;
    widget_ = widget;
    link_->Control = this;
    widget_->setProperty(kControlProperty, QVariant::fromValue(static_cast<void*>(this)));
    // Moves without a button too (hot-tracking, hovering, the hint line).
    widget_->setMouseTracking(true);
    // Hidden explicitly, so that showing the window later shows only the
    // children whose Visible says so.
    widget_->hide();
    if (parent_ != nullptr) widget_->setParent(parent_->ChildHost());
    ApplyGeometry();
    ApplyFont();
    ApplyPalette();
    if (parent_ != nullptr && visible_) widget_->show();
}

void TControl::SetCustomPainted(bool on) {
    custom_painted_ = on;
    if (widget_ == nullptr) return;
    // Opaque: a parent that invalidates a child from its own paint would
    // otherwise be repainted without end.
    widget_->setAttribute(Qt::WA_OpaquePaintEvent, on);
    widget_->setAutoFillBackground(false);
}

void TControl::SetParent(TControl* parent) {
    if (parent == parent_) return;
    if (parent == this) throw EPropertyError("a control cannot be its own parent");
    for (TControl* p = parent; p != nullptr; p = p->parent_)
        if (p == this) throw EPropertyError("a control cannot be placed inside itself");
    TControl* old = parent_;
    if (old != nullptr) {
        std::erase(old->controls_, this);
        std::erase(old->tab_list_, this);
    }
    parent_ = parent;
    if (parent_ != nullptr) {
        parent_->controls_.push_back(this);
        parent_->tab_list_.push_back(this);
    }
    if (widget_ != nullptr) {
        widget_->setParent(parent_ != nullptr ? parent_->ChildHost() : nullptr);
        ApplyGeometry();
        if (parent_ != nullptr && visible_) widget_->show();
    }
    if (parent_ != nullptr) {
        if (parent_font_) {
            font_ = parent_->font_;
            FontChanged();
        }
        if (parent_color_) {
            color_ = parent_->color_;
            ColorChanged();
        }
    }
    if (old != nullptr && !old->IsDestroying()) old->Realign();
    if (parent_ != nullptr && align_ != TAlign::alNone) parent_->Realign();
}

void TControl::SetParentComponent(TComponent* parent) {
    if (auto* control = dynamic_cast<TControl*>(parent)) SetParent(control);
}

void TControl::GetChildren(const std::function<void(TComponent*)>& visit, TComponent* root) const {
    for (TControl* c : controls_) visit(c);
    // The form also lists what it owns that has no place among the controls.
    if (this == root) TComponent::GetChildren(visit, root);
}

void TControl::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == popup_menu_) popup_menu_ = nullptr;
}

void TControl::Loaded() {
    TComponent::Loaded();
    Realign();
    // The top of a description: every child's place in Tab's round is known.
    if (parent_ == nullptr) ApplyTabOrder();
}

void TControl::SetBounds(int left, int top, int width, int height) {
    width = std::max(0, width);
    height = std::max(0, height);
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    const bool resized = width != width_ || height != height_;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    ApplyGeometry();
    // Qt holds resize events back from hidden widgets; the children are laid
    // out now all the same.
    if (resized) Realign();
    if (parent_ != nullptr && align_ != TAlign::alNone && !parent_->aligning_) parent_->Realign();
}

void TControl::ApplyGeometry() {
    if (widget_ != nullptr) widget_->setGeometry(left_, top_, width_, height_);
}

void TControl::SyncSizeFromWidget() {
    if (widget_ == nullptr) return;
    width_ = widget_->width();
    height_ = widget_->height();
}

TPoint TControl::ClientToScreen(TPoint p) const {
    if (widget_ == nullptr) return p;
    const QPoint g = widget_->mapToGlobal(QPoint(p.X, p.Y));
    return {g.x(), g.y()};
}

TPoint TControl::ScreenToClient(TPoint p) const {
    if (widget_ == nullptr) return p;
    const QPoint l = widget_->mapFromGlobal(QPoint(p.X, p.Y));
    return {l.x(), l.y()};
}

void TControl::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    // A window shows itself once its description has been read (Loaded).
    const bool place = parent_ != nullptr || (IsWindow() && !IsLoading()) || !visible;
    if (widget_ != nullptr && place) widget_->setVisible(visible);
    if (parent_ != nullptr && align_ != TAlign::alNone) parent_->Realign();
    Perform(CM_VISIBLECHANGED, visible ? 1 : 0);
}

bool TControl::Showing() const {
    return widget_ != nullptr && widget_->isVisible();
}

void TControl::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (widget_ != nullptr) widget_->setEnabled(enabled);
}

void TControl::SetCaption(const std::string& text) {
    if (text == caption_) return;
    caption_ = text;
    TextChanged();
    Perform(CM_TEXTCHANGED);
}

void TControl::SetColor(TColor color) {
    parent_color_ = false;
    if (color == color_) return;
    color_ = color;
    ColorChanged();
}

void TControl::SetParentColor(bool v) {
    parent_color_ = v;
    if (v && parent_ != nullptr && parent_->color_ != color_) {
        color_ = parent_->color_;
        ColorChanged();
    }
}

void TControl::SetFont(const TFont& font) {
    parent_font_ = false;
    if (font == font_) return;
    font_ = font;
    FontChanged();
}

void TControl::SetParentFont(bool v) {
    parent_font_ = v;
    if (v && parent_ != nullptr && !(parent_->font_ == font_)) {
        font_ = parent_->font_;
        FontChanged();
    }
}

void TControl::FontChanged() {
    ApplyFont();
    for (TControl* c : controls_)
        if (c->parent_font_ && !(c->font_ == font_)) {
            c->font_ = font_;
            c->FontChanged();
        }
    Invalidate();
}

void TControl::ColorChanged() {
    ApplyPalette();
    NotifyChildrenParentColorChanged();
    Invalidate();
}

void TControl::NotifyChildrenParentColorChanged() {
    for (TControl* c : controls_) c->ParentColorChanged();
}

void TControl::ParentColorChanged() {
    if (parent_ == nullptr || !parent_color_ || color_ == parent_->color_) return;
    color_ = parent_->color_;
    ColorChanged();
}

void TControl::ApplyFont() {
    if (widget_ != nullptr) widget_->setFont(font_.ToQFont());
    if (widget_ != nullptr) {
        // The font colour for an enabled control; a disabled one shows its
        // text greyed, whatever its font says.
        QPalette p = widget_->palette();
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            p.setColor(group, QPalette::WindowText, ToQColor(font_.Color));
            p.setColor(group, QPalette::ButtonText, ToQColor(font_.Color));
            p.setColor(group, QPalette::Text, ToQColor(font_.Color));
        }
        for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
            p.setColor(QPalette::Disabled, role, ToQColor(clGrayText));
        widget_->setPalette(p);
    }
}

void TControl::ApplyPalette() {
    if (widget_ == nullptr) return;
    QPalette p = widget_->palette();
    p.setColor(QPalette::Window, ToQColor(color_));
    widget_->setPalette(p);
}

void TControl::SetAlign(TAlign align) {
    if (align == align_) return;
    align_ = align;
    if (parent_ != nullptr) parent_->Realign();
}

void TControl::SetHint(const std::string& hint) {
    hint_ = hint;
    if (widget_ != nullptr) widget_->setToolTip(show_hint_ ? QString::fromStdString(hint) : QString());
}

// Without a tab stop a control only leaves Tab's round: a field the user can
// type in still takes the focus when clicked. A control that never takes the
// focus (a label) stays that way, and one that takes it only when it asks
// for it (a painted control) is then reached by nothing but its own call.
void TControl::SetTabStop(bool v) {
    tab_stop_ = v;
    if (widget_ == nullptr) return;
    if (v)
        widget_->setFocusPolicy(focus_on_click_ ? Qt::StrongFocus : Qt::TabFocus);
    else if (widget_->focusPolicy() != Qt::NoFocus)
        widget_->setFocusPolicy(focus_on_click_ ? Qt::ClickFocus : Qt::NoFocus);
}

void TControl::SetFocusOnClick(bool on) {
    focus_on_click_ = on;
    SetTabStop(tab_stop_);
}

void TControl::SetPopupMenu(TPopupMenu* menu) {
    if (popup_menu_ != nullptr) RemoveFreeNotification(popup_menu_);
    popup_menu_ = menu;
    if (menu != nullptr) FreeNotification(menu);
}

void TControl::Invalidate() {
    if (widget_ != nullptr) widget_->update();
}

void TControl::Repaint() {
    if (widget_ != nullptr) widget_->repaint();
}

void TControl::Update() {
    if (widget_ != nullptr && widget_->isVisible()) widget_->repaint();
}

void TControl::BringToFront() {
    if (widget_ != nullptr) widget_->raise();
}

void TControl::SetFocus() {
    if (widget_ != nullptr) widget_->setFocus(Qt::OtherFocusReason);
}

bool TControl::Focused() const {
    return widget_ != nullptr && widget_->hasFocus();
}

bool TControl::CanFocus() const {
    return widget_ != nullptr && widget_->isVisible() && widget_->isEnabled();
}

void TControl::DispatchMessage(TMessage& message) {
    window_proc_(message);
}

void TControl::HookWindowProc(const std::function<WindowProcedure(WindowProcedure)>& make) {
    window_proc_ = make(window_proc_);
}

std::intptr_t TControl::Perform(unsigned msg, std::uintptr_t wparam, std::intptr_t lparam) {
    TMessage m{msg, wparam, lparam, 0};
    DispatchMessage(m);
    return m.Result;
}

void TControl::SetTimer(int id, int milliseconds) {
    KillTimer(id);
    if (widget_ == nullptr) return;
    timers_[id] = widget_->startTimer(std::max(1, milliseconds));
}

void TControl::KillTimer(int id) {
    auto it = timers_.find(id);
    if (it == timers_.end()) return;
    if (widget_ != nullptr) widget_->killTimer(it->second);
    timers_.erase(it);
}

void TControl::Resize() {
    Realign();
    Raise(OnResize, this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    Raise(OnMouseDown, this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    Raise(OnMouseUp, this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    Raise(OnMouseMove, this, shift, x, y);
}

void TControl::KeyDown(int& key, TShiftState shift) {
    Raise(OnKeyDown, this, key, shift);
}

bool TControl::MouseWheel(bool down, TShiftState shift, TPoint mousePos) {
    bool handled = false;
    Raise(down ? OnMouseWheelDown : OnMouseWheelUp, this, shift, mousePos, handled);
    return handled;
}

void TControl::Realign() {
    if (IsLoading() || IsDestroying() || aligning_) return;
    aligning_ = true;
    TRect r = ClientRect();
    AdjustClientRect(r);
    AlignControls(r);
    aligning_ = false;
}

void TControl::AlignControls(TRect& r) {
    for (TAlign pass : {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient}) {
        for (TControl* c : controls_) {
            if (c->align_ != pass || !c->visible_) continue;
            switch (pass) {
                case TAlign::alTop:
                    c->SetBounds(r.Left, r.Top, r.Width(), c->height_);
                    r.Top += c->height_;
                    break;
                case TAlign::alBottom:
                    c->SetBounds(r.Left, r.Bottom - c->height_, r.Width(), c->height_);
                    r.Bottom -= c->height_;
                    break;
                case TAlign::alLeft:
                    c->SetBounds(r.Left, r.Top, c->width_, r.Height());
                    r.Left += c->width_;
                    break;
                case TAlign::alRight:
                    c->SetBounds(r.Right - c->width_, r.Top, c->width_, r.Height());
                    r.Right -= c->width_;
                    break;
                default: c->SetBounds(r.Left, r.Top, r.Width(), r.Height()); break;
            }
        }
    }
}

void TControl::HandlePaint(QPaintEvent* e) {
    if (!custom_painted_) {
        Guarded([&] { link_->BasePaint(e); });
        return;
    }
    if (IsDestroying() || widget_ == nullptr) return;
    const QImage* picture = nullptr;
    bool failed = true;
    Guarded([&] {
        picture = ComposePicture();
        failed = false;
    });
    if (picture != nullptr || failed) {
        ShowPicture(picture);
        return;
    }
    // Kept from paint to paint: a fresh image of this size costs more than painting it.
    const QSize size(std::max(1, widget_->width()), std::max(1, widget_->height()));
    if (paint_buffer_.size() != size) paint_buffer_ = QImage(size, QImage::Format_RGB32);
    QImage& buffer = paint_buffer_;
    buffer.fill(ToQColor(color_));
    canvas_.SetImage(&buffer);
    canvas_.Font = font_;
    canvas_.Brush = TBrush{color_, TBrushStyle::bsSolid};
    canvas_.Pen = TPen{};
    canvas_.CopyMode = TCopyMode::cmSrcCopy;
    canvas_.Origin = {};
    canvas_.ClipRect = {};
    canvas_.MoveTo(0, 0);
    Guarded([this] { Paint(); });
    canvas_.SetImage(nullptr);
    QPainter painter(widget_);
    painter.drawImage(0, 0, buffer);
}

void TControl::ShowPicture(const QImage* picture) {
    // What the canvas path would show: the client part of the picture over
    // the control's colour. A failed composition leaves only the colour.
    QPainter painter(widget_);
    QRect shown;
    if (picture != nullptr && picture->format() == QImage::Format_RGB32)
        shown = QRect(0, 0, std::min(ClientWidth(), picture->width()), std::min(ClientHeight(), picture->height()));
    if (!shown.isEmpty()) painter.drawImage(shown.topLeft(), *picture, shown);
    for (const QRect& rest : QRegion(widget_->rect()).subtracted(shown)) painter.fillRect(rest, ToQColor(color_));
}

// A painted control, like the classic one, is given the focus by its own
// code (or Tab), never by a press as such.
TCustomControl::TCustomControl(TComponent* owner) : TControl(owner) {
    SetWidget(new HostWidget<QWidget>(Link()));
    SetCustomPainted(true);
    SetFocusOnClick(false);
}

}  // namespace dlk
