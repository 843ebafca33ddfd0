// Docking: which site each control is docked in, the window a floating
// control sits in, and the dock drag that follows the pointer. Sites are
// found by walking the program's windows, so no platform drag is involved.
#include "framework/controls/docking.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <cstdlib>
#include <map>
#include <memory>

#include "framework/application/application.h"
#include "framework/controls/form.h"
#include "framework/controls/screen.h"

namespace dlk {

namespace {

struct ClientState {
    TDockSite* host = nullptr;
    QPointer<QWidget> floating;  // the widget of the host window while it floats
    bool hooked = false;
};

TForm* FormOfWidget(QWidget* widget) {
    return widget != nullptr ? dynamic_cast<TForm*>(ControlOfWidget(widget)) : nullptr;
}

// Forgets a control when it dies; its floating window goes after it.
class DockRegistry : public TComponent {
public:
    DockRegistry() : TComponent(nullptr) {}
    // Keyed by the component: a dying control is told as a mere component.
    std::map<const TComponent*, ClientState> clients;

    ClientState& Of(TControl& control) {
        auto it = clients.find(&control);
        if (it == clients.end()) {
            it = clients.emplace(&control, ClientState{}).first;
            FreeNotification(&control);
        }
        return it->second;
    }
    void Notification(TComponent* component, TOperation operation) override {
        if (operation != TOperation::opRemove) return;
        auto it = clients.find(component);
        if (it == clients.end()) return;
        DropHostLater(it->second.floating);
        clients.erase(it);
    }
    // Not at once: the control inside may be on its way out of it.
    static void DropHostLater(QPointer<QWidget> host) {
        if (host.isNull()) return;
        QTimer::singleShot(0, qApp, [host] {
            if (TForm* form = FormOfWidget(host.data()); form != nullptr && !form->IsDestroying()) delete form;
        });
    }
};

DockRegistry& Clients() {
    static DockRegistry* registry = new DockRegistry();  // lives as long as the program
    return *registry;
}

// The site's notifications of its clients' caption and visibility.
void HookClient(TControl& control, ClientState& state) {
    if (state.hooked) return;
    state.hooked = true;
    TControl* client = &control;
    control.HookWindowProc([client](TControl::WindowProcedure previous) {
        return [client, previous](TMessage& message) {
            previous(message);
            if ((message.Msg != CM_TEXTCHANGED && message.Msg != CM_VISIBLECHANGED) || client->IsDestroying()) return;
            if (TDockSite* site = HostDockSite(*client)) site->DockNotification(*client, message);
        };
    });
}

// Asks the old site to let the control go; false when it is refused.
bool LetGo(TControl& control, TDockSite& old, TDockSite* newTarget) {
    bool allow = true;
    if (old.OnUnDock && !old.SiteControl().IsDestroying()) old.OnUnDock(&old.SiteControl(), &control, newTarget, allow);
    if (!allow) return false;
    old.UndockClient(control, newTarget);
    return true;
}

bool Inside(const TControl* control, const TControl& outer) {
    for (const TControl* c = control; c != nullptr; c = c->Parent())
        if (c == &outer) return true;
    return false;
}

void FindSite(TControl& control, TControl& client, TPoint pos, TDockSite*& found) {
    if (&control == &client || !control.Showing()) return;
    if (auto* site = dynamic_cast<TDockSite*>(&control); site != nullptr && site->DockSite()) {
        TRect influence = ScreenRectOf(control);
        bool canDock = true;
        site->GetSiteInfo(client, influence, pos, canDock);
        if (canDock && influence.Contains(pos)) found = site;
    }
    for (int i = 0; i < control.ControlCount(); ++i) FindSite(*control.Controls(i), client, pos, found);
}

// The site under pos that takes client, the innermost one of the topmost
// window that has one.
TDockSite* SiteAt(TControl& client, TPoint pos) {
    for (int i = Screen().FormCount(); i-- > 0;) {
        TForm* form = Screen().Forms(i);
        if (Inside(form, client) || form->IsDestroying()) continue;
        TDockSite* found = nullptr;
        FindSite(*form, client, pos, found);
        if (found != nullptr) return found;
    }
    return nullptr;
}

class DockDrag : public QObject {
public:
    DockDrag(TControl& control, TPoint start, bool started) : start_(start), started_(started) {
        object.Control = &control;
        object.DragPos = start;
        qApp->installEventFilter(this);
        if (started_) Follow(start);
    }
    TDragDockObject object;

    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
            case QEvent::MouseMove: {
                auto* m = static_cast<QMouseEvent*>(event);
                if (!(m->buttons() & Qt::LeftButton)) return false;
                const QPoint g = m->globalPosition().toPoint();
                Guarded([&] { Move(Point(g.x(), g.y())); });
                return started_;
            }
            case QEvent::MouseButtonRelease: {
                auto* m = static_cast<QMouseEvent*>(event);
                if (m->button() != Qt::LeftButton) return false;
                const QPoint g = m->globalPosition().toPoint();
                const bool started = started_;
                Guarded([&] { Release(Point(g.x(), g.y())); });
                return started;
            }
            case QEvent::KeyPress:
                if (static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape || !started_) return false;
                Guarded([] { CancelDockDrag(); });
                return true;
            default: return false;
        }
    }

    void Leave() {
        if (object.DragTarget == nullptr) return;
        TDockSite* target = object.DragTarget;
        object.DragTarget = nullptr;
        const TPoint p = target->SiteControl().ScreenToClient(object.DragPos);
        bool accept = false;
        target->DockOver(object, p.X, p.Y, TDockState::dsDragLeave, accept);
    }

private:
    void Move(TPoint pos) {
        if (object.Control == nullptr) return;
        if (!started_) {
            if (std::abs(pos.X - start_.X) < kDockDragThreshold && std::abs(pos.Y - start_.Y) < kDockDragThreshold)
                return;
            started_ = true;
        }
        Follow(pos);
    }
    // Over which site the pointer is, and the rectangle that shows where the
    // control would go.
    void Follow(TPoint pos) {
        object.DragPos = pos;
        TDockSite* target = SiteAt(*object.Control, pos);
        if (target != object.DragTarget) Leave();
        object.DockRect = Bounds(pos.X, pos.Y, object.Control->Width(), object.Control->Height());
        if (target == nullptr) return;
        const TDockState state = target == object.DragTarget ? TDockState::dsDragMove : TDockState::dsDragEnter;
        object.DragTarget = target;
        const TPoint p = target->SiteControl().ScreenToClient(pos);
        bool accept = true;
        target->DockOver(object, p.X, p.Y, state, accept);
        if (!accept) {
            object.DragTarget = nullptr;
            object.DockRect = Bounds(pos.X, pos.Y, object.Control->Width(), object.Control->Height());
        }
    }
    void Release(TPoint pos) {
        const bool started = started_;
        if (started) Move(pos);
        TDragDockObject done = object;
        CancelDockDrag();  // this object is gone from here on
        if (!started || done.Control == nullptr) return;
        if (done.DragTarget != nullptr) {
            const TPoint p = done.DragTarget->SiteControl().ScreenToClient(pos);
            done.DragTarget->DockDrop(done, p.X, p.Y);
        } else if (HostDockSite(*done.Control) != nullptr || FloatingHost(*done.Control) != nullptr) {
            FloatControl(*done.Control, done.DockRect);
        }
    }

    TPoint start_;
    bool started_;
};

std::unique_ptr<DockDrag>& CurrentDrag() {
    static std::unique_ptr<DockDrag> drag;
    return drag;
}

}  // namespace

TDockSite::TDockSite(TControl& self) : self_(self) {}

TDockSite::~TDockSite() {
    if (auto& drag = CurrentDrag(); drag && drag->object.DragTarget == this) drag->object.DragTarget = nullptr;
    for (auto& [control, state] : Clients().clients)
        if (state.host == this) state.host = nullptr;
}

int TDockSite::DockClientCount() const {
    int n = 0;
    for (const auto& [control, state] : Clients().clients)
        if (state.host == this) ++n;
    return n;
}

TControl* TDockSite::DockClients(int index) const {
    for (const auto& [control, state] : Clients().clients)
        if (state.host == this && index-- == 0) return static_cast<TControl*>(const_cast<TComponent*>(control));
    return nullptr;
}

void TDockSite::DockDrop(TDragDockObject& source, int x, int y) {
    if (DockClient(source, Point(x, y)) != 0) return;
    if (OnDockDrop && !self_.IsDestroying()) OnDockDrop(&self_, source, x, y);
}

int TDockSite::DockClient(TDragDockObject& source, TPoint mousePos) {
    (void)mousePos;
    DockControl(*source.Control, *this, source.DockRect);
    return 0;
}

void TDockSite::DoAddDockClient(TControl& client, const TRect& rect) {
    client.SetParent(&self_);
    const TPoint p = self_.ScreenToClient(Point(rect.Left, rect.Top));
    client.SetBounds(p.X, p.Y, rect.Right - rect.Left, rect.Bottom - rect.Top);
}

int TDockSite::UndockClient(TControl& client, TDockSite* newTarget) {
    (void)client;
    (void)newTarget;
    return 0;
}

void TDockSite::DockOver(TDragDockObject& source, int x, int y, TDockState state, bool& accept) {
    if (OnDockOver && !self_.IsDestroying()) OnDockOver(&self_, source, x, y, state, accept);
}

void TDockSite::GetSiteInfo(TControl& client, TRect& influenceRect, TPoint mousePos, bool& canDock) {
    if (OnGetSiteInfo && !self_.IsDestroying()) OnGetSiteInfo(&self_, &client, influenceRect, mousePos, canDock);
}

TRect ScreenRectOf(const TControl& control) {
    const TPoint origin = control.ClientToScreen(Point(0, 0));
    return Bounds(origin.X, origin.Y, control.Width(), control.Height());
}

TDockSite* HostDockSite(const TControl& control) {
    auto& clients = Clients().clients;
    auto it = clients.find(&control);
    return it == clients.end() ? nullptr : it->second.host;
}

TControl* FloatingHost(const TControl& control) {
    auto& clients = Clients().clients;
    auto it = clients.find(&control);
    return it == clients.end() ? nullptr : FormOfWidget(it->second.floating.data());
}

void DockControl(TControl& control, TDockSite& site, const TRect& rect) {
    ClientState& state = Clients().Of(control);
    TDockSite* old = state.host;
    if (old == &site) return;
    if (old != nullptr && !LetGo(control, *old, &site)) return;
    TControl* oldParent = control.Parent();
    state.host = &site;
    try {
        site.DoAddDockClient(control, rect);
    } catch (...) {
        // Still where it was: back in its old place, with its old site.
        if (control.Parent() != oldParent) control.SetParent(oldParent);
        Clients().Of(control).host = old;
        throw;
    }
    HookClient(control, state);
    if (old != nullptr) old->DoRemoveDockClient(control);
    DockRegistry::DropHostLater(state.floating);
    state.floating = nullptr;
}

void FloatControl(TControl& control, const TRect& rect) {
    ClientState& state = Clients().Of(control);
    TDockSite* old = state.host;
    const int width = rect.Right - rect.Left, height = rect.Bottom - rect.Top;
    if (TForm* host = FormOfWidget(state.floating.data())) {  // already floating: only moves
        host->SetBounds(rect.Left, rect.Top, width + host->FrameWidth(), height + host->FrameHeight());
        return;
    }
    if (old == nullptr) return;
    if (!LetGo(control, *old, nullptr)) return;
    auto* host = new TForm(nullptr);
    host->SetBorderStyle(TBorderStyle::bsToolWindow);
    host->SetCaption(control.Caption());
    host->SetBounds(rect.Left, rect.Top, width + host->FrameWidth(), height + host->FrameHeight());
    state.host = nullptr;
    control.SetParent(host);
    control.SetBounds(0, 0, width, height);
    state.floating = host->Widget();
    host->Show();
    old->DoRemoveDockClient(control);
}

void BeginDockDrag(TControl& control, bool immediate, TPoint start) {
    auto& drag = CurrentDrag();
    if (drag) return;
    drag = std::make_unique<DockDrag>(control, start, immediate);
}

const TDragDockObject* DockDragInProgress() {
    const auto& drag = CurrentDrag();
    return drag ? &drag->object : nullptr;
}

void CancelDockDrag() {
    auto& drag = CurrentDrag();
    if (!drag) return;
    drag->Leave();
    // Not deleted from inside its own event filter.
    drag.release()->deleteLater();
}

}  // namespace dlk
