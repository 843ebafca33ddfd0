// How a Qt event reaches a control.
//
// Every event Qt delivers to a control's widget enters HandleEvent, and all
// that follows runs inside the exception guard: the dispatch steps, the
// virtuals and handlers they call, and the widget's own Qt handling (which
// may raise signals connected to program code). An exception is shown in a
// box and the event is over; the event loop goes on.
//
// Dispatch tries the steps in a fixed order; the first that consumes the
// event gives Qt its answer. An event no step consumes goes to the widget's
// own handling. The steps:
//   1. a posted message: through the window procedure;
//   2. one of the control's window timers: WM_TIMER through the window
//      procedure;
//   3. PreviewEvent, the derived class's look at the raw event;
//   4. mouse buttons, moves, enter and leave: the widget first, then
//      MouseDown/MouseUp/MouseMove/Click/DblClick, and CM_MOUSEENTER /
//      CM_MOUSELEAVE through the window procedure; the event stops here;
//   5. a key with a virtual-key code: KeyDown; a key set to 0 is consumed,
//      any other goes on to the widget;
//   6. the wheel: WM_MOUSEWHEEL through the window procedure; not handled,
//      Qt passes it on to the parent;
//   7. focus in and out: the widget first, then WM_SETFOCUS / WM_KILLFOCUS
//      through the window procedure;
//   8. shown or hidden on screen (not by the window manager): the widget
//      first, then CM_SHOWINGCHANGED through the window procedure;
//   9. resize: the widget first, then the stored size and Resize;
//  10. a context menu request: the control's PopupMenu, when it has one.
// A control being destroyed gets only the widget's own handling.
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimerEvent>
#include <QWheelEvent>

#include "framework/application/application.h"
#include "framework/controls/control.h"
#include "framework/controls/drag.h"
#include "framework/controls/form.h"
#include "framework/controls/menus.h"

namespace dlk {

namespace {

TMouseButton ButtonOf(Qt::MouseButton b) {
    if (b == Qt::RightButton) return TMouseButton::mbRight;
    if (b == Qt::MiddleButton) return TMouseButton::mbMiddle;
    return TMouseButton::mbLeft;
}

// The key-state word of a mouse message.
constexpr unsigned MK_LBUTTON = 0x01, MK_RBUTTON = 0x02, MK_SHIFT = 0x04, MK_CONTROL = 0x08, MK_MBUTTON = 0x10;

unsigned KeyStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
    unsigned k = 0;
    if (buttons & Qt::LeftButton) k |= MK_LBUTTON;
    if (buttons & Qt::RightButton) k |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton) k |= MK_MBUTTON;
    if (modifiers & Qt::ShiftModifier) k |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier) k |= MK_CONTROL;
    return k;
}

TShiftState ShiftOfKeyState(unsigned k) {
    TShiftState s = 0;
    if (k & MK_SHIFT) s |= ssShift;
    if (k & MK_CONTROL) s |= ssCtrl;
    if (k & MK_LBUTTON) s |= ssLeft;
    if (k & MK_RBUTTON) s |= ssRight;
    if (k & MK_MBUTTON) s |= ssMiddle;
    return s;
}

// The application's hint: that of the control under the pointer, or of its
// nearest parent that has one.
void ShowHintOf(const TControl* control) {
    while (control != nullptr && control->Hint().empty()) control = control->Parent();
    Application().SetHint(control != nullptr ? control->Hint() : std::string());
}

std::intptr_t PackPoint(QPoint p) {
    return std::intptr_t((std::uint32_t(std::uint16_t(p.y())) << 16) | std::uint16_t(p.x()));
}

}  // namespace

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
    TShiftState s = 0;
    if (modifiers & Qt::ShiftModifier) s |= ssShift;
    if (modifiers & Qt::AltModifier) s |= ssAlt;
    if (modifiers & Qt::ControlModifier) s |= ssCtrl;
    if (buttons & Qt::LeftButton) s |= ssLeft;
    if (buttons & Qt::RightButton) s |= ssRight;
    if (buttons & Qt::MiddleButton) s |= ssMiddle;
    return s;
}

int VirtualKeyOf(int key) {
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z)) return key;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return VK_F1 + (key - Qt::Key_F1);
    switch (key) {
        case Qt::Key_Backspace: return VK_BACK;
        case Qt::Key_Tab:
        case Qt::Key_Backtab: return VK_TAB;
        case Qt::Key_Return:
        case Qt::Key_Enter: return VK_RETURN;
        case Qt::Key_Shift: return VK_SHIFT;
        case Qt::Key_Control: return VK_CONTROL;
        case Qt::Key_Alt: return VK_MENU;
        case Qt::Key_Escape: return VK_ESCAPE;
        case Qt::Key_Space: return VK_SPACE;
        case Qt::Key_PageUp: return VK_PRIOR;
        case Qt::Key_PageDown: return VK_NEXT;
        case Qt::Key_End: return VK_END;
        case Qt::Key_Home: return VK_HOME;
        case Qt::Key_Left: return VK_LEFT;
        case Qt::Key_Up: return VK_UP;
        case Qt::Key_Right: return VK_RIGHT;
        case Qt::Key_Down: return VK_DOWN;
        case Qt::Key_Insert: return VK_INSERT;
        case Qt::Key_Delete: return VK_DELETE;
        default: return 0;
    }
}

bool TControl::HandleEvent(QEvent* e) {
    bool result = false;
    Guarded([&] { result = Dispatch(e); });
    return result;
}

bool TControl::BaseEvent(QEvent* e) {
    return link_->BaseEvent ? link_->BaseEvent(e) : false;
}

bool TControl::Dispatch(QEvent* e) {
    if (IsDestroying()) return BaseEvent(e);
    if (Outcome o = MessageStep(e)) return *o;
    if (Outcome o = TimerStep(e)) return *o;
    if (PreviewEvent(e)) return true;
    for (Outcome (TControl::*step)(QEvent*) :
         {&TControl::MouseStep, &TControl::KeyStep, &TControl::WheelStep, &TControl::FocusStep, &TControl::ShowStep,
          &TControl::ResizeStep, &TControl::ContextMenuStep})
        if (Outcome o = (this->*step)(e)) return *o;
    return BaseEvent(e);
}

TControl::Outcome TControl::MessageStep(QEvent* e) {
    if (e->type() != MessageEvent::EventType()) return std::nullopt;
    DispatchMessage(static_cast<MessageEvent*>(e)->Message);
    return true;
}

TControl::Outcome TControl::TimerStep(QEvent* e) {
    if (e->type() != QEvent::Timer) return std::nullopt;
    const int qtId = static_cast<QTimerEvent*>(e)->timerId();
    for (const auto& [id, q] : timers_)
        if (q == qtId) {
            Perform(WM_TIMER, std::uintptr_t(id), 0);
            return true;
        }
    return std::nullopt;
}

TControl::Outcome TControl::MouseStep(QEvent* e) {
    switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseMove: break;
        case QEvent::Enter: {
            const bool r = BaseEvent(e);
            Perform(CM_MOUSEENTER);
            return r;
        }
        case QEvent::Leave: {
            const bool r = BaseEvent(e);
            Perform(CM_MOUSELEAVE);
            return r;
        }
        default: return std::nullopt;
    }
    auto* m = static_cast<QMouseEvent*>(e);
    const QPoint global = m->globalPosition().toPoint();
    NoteMousePoint({global.x(), global.y()});
    const bool result = BaseEvent(e);
    // The control under the pointer had the event; it goes no further up.
    e->accept();
    const QPoint p = m->position().toPoint();
    const TShiftState shift = ShiftStateOf(m->modifiers(), m->buttons());
    switch (e->type()) {
        case QEvent::MouseButtonPress:
            double_clicked_ = false;
            MouseDown(ButtonOf(m->button()), shift, p.x(), p.y());
            break;
        case QEvent::MouseButtonDblClick:
            // Qt sends this in place of the second press: the classic order
            // is DblClick, then the second MouseDown with ssDouble, and the
            // release that follows is no click.
            double_clicked_ = true;
            DblClick();
            if (!IsDestroying()) MouseDown(ButtonOf(m->button()), shift | ssDouble, p.x(), p.y());
            break;
        case QEvent::MouseButtonRelease: {
            const bool click =
                custom_painted_ && m->button() == Qt::LeftButton && !double_clicked_ && widget_->rect().contains(p);
            double_clicked_ = false;
            MouseUp(ButtonOf(m->button()), shift, p.x(), p.y());
            if (click && !IsDestroying()) Click();
            break;
        }
        default:
            MouseMove(shift, p.x(), p.y());
            if (!IsDestroying()) ShowHintOf(this);
            break;
    }
    return result;
}

TControl::Outcome TControl::KeyStep(QEvent* e) {
    if (e->type() != QEvent::KeyPress) return std::nullopt;
    auto* k = static_cast<QKeyEvent*>(e);
    int key = VirtualKeyOf(k->key());
    if (key == 0) return std::nullopt;
    KeyDown(key, ShiftStateOf(k->modifiers()));
    if (key == 0) return true;
    return std::nullopt;
}

TControl::Outcome TControl::WheelStep(QEvent* e) {
    if (e->type() != QEvent::Wheel) return std::nullopt;
    auto* w = static_cast<QWheelEvent*>(e);
    const int delta = w->angleDelta().y();
    if (delta == 0) return std::nullopt;
    const unsigned keys = KeyStateOf(w->modifiers(), w->buttons());
    TMessage m{WM_MOUSEWHEEL, (std::uintptr_t(std::uint16_t(delta)) << 16) | keys,
               PackPoint(w->globalPosition().toPoint()), 0};
    DispatchMessage(m);
    if (m.Result == 0) return std::nullopt;
    e->accept();
    return true;
}

void TControl::WheelMessage(TMessage& message) {
    const auto delta = std::int16_t(std::uint16_t(message.WParam >> 16));
    const TShiftState shift = ShiftOfKeyState(unsigned(message.WParam & 0xFFFF));
    const TPoint at{std::int16_t(std::uint16_t(message.LParam & 0xFFFF)),
                    std::int16_t(std::uint16_t((message.LParam >> 16) & 0xFFFF))};
    message.Result = MouseWheel(delta < 0, shift, at) ? 1 : 0;
}

TControl::Outcome TControl::FocusStep(QEvent* e) {
    if (e->type() != QEvent::FocusIn && e->type() != QEvent::FocusOut) return std::nullopt;
    const bool result = BaseEvent(e);
    Perform(e->type() == QEvent::FocusIn ? WM_SETFOCUS : WM_KILLFOCUS);
    return result;
}

TControl::Outcome TControl::ShowStep(QEvent* e) {
    if ((e->type() != QEvent::Show && e->type() != QEvent::Hide) || e->spontaneous()) return std::nullopt;
    const bool result = BaseEvent(e);
    const bool showing = widget_ != nullptr && widget_->isVisible();
    if (showing != showing_) {
        showing_ = showing;
        Perform(CM_SHOWINGCHANGED);
    }
    return result;
}

TControl::Outcome TControl::ResizeStep(QEvent* e) {
    if (e->type() != QEvent::Resize) return std::nullopt;
    const bool result = BaseEvent(e);
    SyncSizeFromWidget();
    Resize();
    return result;
}

TControl::Outcome TControl::ContextMenuStep(QEvent* e) {
    if (e->type() != QEvent::ContextMenu || popup_menu_ == nullptr) return std::nullopt;
    const QPoint g = static_cast<QContextMenuEvent*>(e)->globalPos();
    popup_menu_->Popup(g.x(), g.y());
    return true;
}

void TControl::WndProc(TMessage& message) {
    switch (message.Msg) {
        case WM_TIMER: WMTimer(int(message.WParam)); break;
        case WM_MOUSEWHEEL: WheelMessage(message); break;
        case CM_MOUSEENTER: MouseEnter(); break;
        case CM_MOUSELEAVE: MouseLeave(); break;
        case WM_SETFOCUS:
            if (TForm* form = GetParentForm(this); form != nullptr && form != this) form->NoteFocused(this);
            DoEnter();
            break;
        case WM_KILLFOCUS: DoExit(); break;
        case CM_SHOWINGCHANGED: ShowingChanged(); break;
        default: break;
    }
}

void TControl::MouseEnter() {
    ShowHintOf(this);
    Raise(OnMouseEnter, this);
}

void TControl::MouseLeave() {
    // Out of the window altogether: no control's hint applies.
    if (IsWindow()) Application().SetHint("");
    Raise(OnMouseLeave, this);
}

}  // namespace dlk
