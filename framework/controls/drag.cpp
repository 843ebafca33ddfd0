// The drag of a control inside the program: no platform drag and drop, no
// nested event loop. A control arms it with BeginDrag while a mouse button is
// held; the manager then watches that control's widget (the button's
// implicit grab sends it every move and the release). Past the threshold the
// drag starts, and from then on the moves and the release are the drag's:
// the control under the pointer is told it is entered, moved over and left,
// and gets the drop when its last answer accepted.
#include "framework/controls/drag.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPointer>
#include <cstdlib>

#include "framework/application/application.h"

namespace dlk {

namespace {

class DragManager : public QObject {
public:
    TPoint last_point_;

    void Begin(TControl& source, bool immediate) {
        if (Source() == &source) return;
        Cancel();
        source_ = source.Widget();
        start_ = last_point_;
        source_->installEventFilter(this);
        if (immediate) Start(start_);
    }

    TControl* Source() const { return source_ ? ControlOfWidget(source_) : nullptr; }
    bool Started(const TControl& c) const { return started_ && Source() == &c; }

    void End(bool drop, TPoint at) {
        if (drop && started_) {
            if (at.X != last_move_.X || at.Y != last_move_.Y) MoveTo(at);
            TControl* target = Target();
            TControl* source = Source();
            const bool accepted = accepted_;
            Finish();
            if (target != nullptr && accepted) {
                const TPoint p = target->ScreenToClient(at);
                target->DragDrop(source, p.X, p.Y);
            }
            return;
        }
        Cancel();
    }

    void Cancel() {
        if (started_) {
            if (TControl* target = Target()) Tell(*target, TDragState::dsDragLeave, CursorPos());
        }
        Finish();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (watched != source_) return false;
        switch (e->type()) {
            case QEvent::MouseMove: {
                const TPoint at = ScreenPoint(e);
                if (!started_) {
                    if (std::abs(at.X - start_.X) >= kDragThreshold || std::abs(at.Y - start_.Y) >= kDragThreshold)
                        Guarded([&] { Start(at); });
                    return started_;
                }
                // Qt repeats a move at the same place around presses and
                // releases; the drag goes on only where the pointer goes.
                if (at.X != last_move_.X || at.Y != last_move_.Y) Guarded([&] { MoveTo(at); });
                return true;
            }
            case QEvent::MouseButtonRelease: {
                const bool wasStarted = started_;
                const TPoint at = ScreenPoint(e);
                Guarded([&] { End(true, at); });
                return wasStarted;
            }
            default: return false;
        }
    }

private:
    static TPoint ScreenPoint(QEvent* e) {
        const QPoint p = static_cast<QMouseEvent*>(e)->globalPosition().toPoint();
        return {p.x(), p.y()};
    }

    TControl* Target() const { return target_ ? ControlOfWidget(target_) : nullptr; }

    // The control under a screen point: the innermost one whose widget is
    // there, else the source itself when the point is inside it.
    TControl* ControlAt(TPoint at) const {
        for (QWidget* w = QApplication::widgetAt(at.X, at.Y); w != nullptr; w = w->parentWidget())
            if (TControl* c = ControlOfWidget(w)) return c;
        TControl* source = Source();
        if (source != nullptr && source->ClientRect().Contains(source->ScreenToClient(at))) return source;
        return nullptr;
    }

    void Start(TPoint at) {
        started_ = true;
        MoveTo(at);
    }

    void MoveTo(TPoint at) {
        last_move_ = at;
        TControl* now = ControlAt(at);
        TControl* before = Target();
        if (now != before) {
            if (before != nullptr) Tell(*before, TDragState::dsDragLeave, at);
            target_ = now != nullptr ? now->Widget() : nullptr;
            accepted_ = false;
            if (now != nullptr) Tell(*now, TDragState::dsDragEnter, at);
            return;
        }
        if (now != nullptr) Tell(*now, TDragState::dsDragMove, at);
    }

    void Tell(TControl& target, TDragState state, TPoint at) {
        const TPoint p = target.ScreenToClient(at);
        bool accept = false;
        target.DragOver(Source(), p.X, p.Y, state, accept);
        accepted_ = state != TDragState::dsDragLeave && accept;
    }

    void Finish() {
        if (source_) source_->removeEventFilter(this);
        source_ = nullptr;
        target_ = nullptr;
        started_ = false;
        accepted_ = false;
    }

    QPointer<QWidget> source_;
    QPointer<QWidget> target_;
    TPoint start_;
    TPoint last_move_;
    bool started_ = false;
    bool accepted_ = false;
};

DragManager& Manager() {
    static auto* manager = new DragManager;  // lives as long as the program
    return *manager;
}

}  // namespace

TControl* DragSource() {
    return Manager().Source();
}

void NoteMousePoint(TPoint screen) {
    Manager().last_point_ = screen;
}

void TControl::BeginDrag(bool immediate) {
    if (Widget() != nullptr) Manager().Begin(*this, immediate);
}

bool TControl::Dragging() const {
    return Manager().Started(*this);
}

void TControl::EndDrag(bool drop) {
    if (Manager().Source() == this) Manager().End(drop, CursorPos());
}

void TControl::DragOver(TObject* source, int x, int y, TDragState state, bool& accept) {
    accept = bool(OnDragOver);
    if (OnDragOver) OnDragOver(this, source, x, y, state, accept);
}

void TControl::DragDrop(TObject* source, int x, int y) {
    if (OnDragDrop) OnDragDrop(this, source, x, y);
}

}  // namespace dlk
