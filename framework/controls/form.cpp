#include "framework/controls/form.h"

#include <QApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>
#include <QWindow>
#include <QWindowStateChangeEvent>

#include "framework/application/application.h"
#include "framework/controls/control_properties.h"
#include "framework/controls/menus.h"
#include "framework/controls/screen.h"
#include "framework/controls/std_controls.h"

namespace dlk {

namespace {

std::function<void(TForm&)>& ModalAnswerer() {
    static std::function<void(TForm&)> answerer;
    return answerer;
}

struct Frame {
    int Side;     // each of left, right and bottom
    int Caption;  // top, above the client area
};

Frame FrameOf(TBorderStyle style) {
    switch (style) {
        case TBorderStyle::bsNone: return {0, 0};
        case TBorderStyle::bsSingle:
        case TBorderStyle::bsDialog: return {3, 25};
        case TBorderStyle::bsToolWindow: return {3, 21};
        case TBorderStyle::bsSizeToolWin: return {8, 26};
        default: return {8, 30};
    }
}

// Only these frames let the user resize the window.
bool Sizeable(TBorderStyle style) {
    return style == TBorderStyle::bsSizeable || style == TBorderStyle::bsSizeToolWin;
}

// The first shown, enabled button under control that answers to the key.
TButton* FindDialogButton(const TControl& control, bool wantDefault) {
    for (int i = 0; i < control.ControlCount(); ++i) {
        TControl* child = control.Controls(i);
        if (!child->Visible() || !child->Enabled()) continue;
        if (auto* button = dynamic_cast<TButton*>(child))
            if (wantDefault ? button->Default() : button->Cancel) return button;
        if (TButton* inner = FindDialogButton(*child, wantDefault)) return inner;
    }
    return nullptr;
}

// The button Enter presses: the focused one, as the user moved to it, or
// else the window's Default button.
TButton* EnterButton(const TForm& form) {
    auto* focused = dynamic_cast<TButton*>(ControlOfWidget(QApplication::focusWidget()));
    if (focused != nullptr && GetParentForm(focused) == &form) return focused;
    return FindDialogButton(form, true);
}

// The button Enter presses wears the default frame: the focused one, or
// (focused: nullptr) the Default one.
void MarkActiveButton(const TControl& control, const TButton* focused) {
    for (int i = 0; i < control.ControlCount(); ++i) {
        TControl* child = control.Controls(i);
        if (auto* button = dynamic_cast<TButton*>(child))
            button->ShowActive(focused != nullptr ? button == focused : button->Default());
        MarkActiveButton(*child, focused);
    }
}

}  // namespace

TForm::TForm(TComponent* owner) : TControl(owner) {
    SetWidget(new HostWidget<QWidget>(Link(), nullptr, Qt::Window));
    SetCustomPainted(true);
    SetParentColor(false);
    SetParentFont(false);
    SetVisible(false);
    ApplyWindowFlags();
    Screen().AddForm(this);
}

TForm::~TForm() {
    Screen().RemoveForm(this);
    DoDestroy();
    if (IsMainForm()) Application().MainWindow = nullptr;
    if (modal_loop_ != nullptr) modal_loop_->quit();
}

void TForm::DoCreate() {
    if (created_) return;
    created_ = true;
    Raise(OnCreate, this);
}

void TForm::DoDestroy() {
    if (destroyed_ || !created_) return;
    destroyed_ = true;
    if (!IsDestroying()) Guarded([this] { Raise(OnDestroy, this); });
}

void TForm::TextChanged() {
    if (Widget() != nullptr) Widget()->setWindowTitle(QString::fromStdString(Caption()));
}

int TForm::FrameWidth() const {
    return 2 * FrameOf(border_style_).Side;
}
int TForm::FrameHeight() const {
    const Frame f = FrameOf(border_style_);
    return f.Caption + f.Side;
}

void TForm::ApplyGeometry() {
    QWidget* w = Widget();
    if (w == nullptr) return;
    const Frame f = FrameOf(border_style_);
    // A fixed frame: the window manager offers no resizing when the least
    // and the largest size are the same.
    if (!Sizeable(border_style_)) w->setFixedSize(ClientWidth(), ClientHeight());
    w->setGeometry(Left() + f.Side, Top() + f.Caption, ClientWidth(), ClientHeight());
    if (menu_bar_ != nullptr) menu_bar_->setGeometry(0, 0, ClientWidth(), MenuBarHeight());
}

void TForm::SyncSizeFromWidget() {
    QWidget* w = Widget();
    if (w == nullptr) return;
    StoredWidth() = w->width() + FrameWidth();
    StoredHeight() = w->height() + FrameHeight();
    if (menu_bar_ != nullptr) menu_bar_->setGeometry(0, 0, w->width(), MenuBarHeight());
}

void TForm::Resize() {
    TControl::Resize();
}

int TForm::MenuBarHeight() const {
    return menu_bar_ != nullptr ? menu_bar_->sizeHint().height() : 0;
}

void TForm::AdjustClientRect(TRect& rect) {
    rect.Top += MenuBarHeight();
}

void TForm::SetFormStyle(TFormStyle v) {
    form_style_ = v;
    ApplyWindowFlags();
}

void TForm::SetBorderStyle(TBorderStyle v) {
    border_style_ = v;
    ApplyWindowFlags();
    ApplyConstraints();
    ApplyGeometry();
}

void TForm::SetShowInTaskbar(bool v) {
    show_in_taskbar_ = v;
    ApplyWindowFlags();
}

void TForm::ApplyWindowFlags() {
    QWidget* w = Widget();
    if (w == nullptr) return;
    // A dialog frame has no minimise or maximise button, and the window
    // manager treats it as a dialog.
    Qt::WindowFlags flags = border_style_ == TBorderStyle::bsDialog ? Qt::Dialog : Qt::Window;
    // A tool window has no taskbar button.
    if (!show_in_taskbar_ || border_style_ == TBorderStyle::bsToolWindow ||
        border_style_ == TBorderStyle::bsSizeToolWin)
        flags = Qt::Tool;
    if (border_style_ == TBorderStyle::bsNone) flags |= Qt::FramelessWindowHint;
    if (border_style_ == TBorderStyle::bsDialog)
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    if (form_style_ == TFormStyle::fsStayOnTop) flags |= Qt::WindowStaysOnTopHint;
    const bool wasVisible = w->isVisible();
    w->setWindowFlags(flags);  // hides the window
    if (wasVisible) w->show();
}

void TForm::ApplyConstraints() {
    QWidget* w = Widget();
    if (w == nullptr) return;
    if (!Sizeable(border_style_)) {
        w->setFixedSize(ClientWidth(), ClientHeight());
        return;
    }
    w->setMinimumSize(std::max(0, MinWidth - FrameWidth()), std::max(0, MinHeight - FrameHeight()));
    w->setMaximumSize(MaxWidth > 0 ? MaxWidth - FrameWidth() : QWIDGETSIZE_MAX,
                      MaxHeight > 0 ? MaxHeight - FrameHeight() : QWIDGETSIZE_MAX);
}

void TForm::SetMenu(TMainMenu* menu) {
    if (menu_ != nullptr) RemoveFreeNotification(menu_);
    menu_ = menu;
    delete menu_bar_.data();
    if (menu_ != nullptr) {
        FreeNotification(menu_);
        menu_bar_ = new QMenuBar(Widget());
        menu_->FillBar(*menu_bar_);
        menu_bar_->setGeometry(0, 0, ClientWidth(), MenuBarHeight());
        menu_bar_->show();
    }
    Realign();
}

void TForm::Notification(TComponent* component, TOperation operation) {
    TControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == active_control_) active_control_ = nullptr;
    if (operation == TOperation::opRemove && component == menu_) {
        menu_ = nullptr;
        delete menu_bar_.data();
    }
}

void TForm::Loaded() {
    TControl::Loaded();
    ApplyConstraints();
}

// Shown only now: every component of the window has run its Loaded.
void TForm::AfterRead() {
    if (Visible() && Widget() != nullptr) {
        PlaceOnFirstShow();
        Widget()->show();
    }
}

void TForm::SetActiveControl(TControl* control) {
    if (control == this) control = nullptr;
    if (control != nullptr && GetParentForm(control) != this)
        throw EPropertyError("the active control must be on its own window");
    NoteFocused(control);
    if (control != nullptr && Widget()->isVisible()) control->SetFocus();
}

// The control that had the focus when the window was last hidden gets it
// back; a window shown for the first time starts at its first tab stop. An
// edit entered so shows its whole text selected, ready to be typed over.
void TForm::FocusOnShow() {
    TControl* control = active_control_ != nullptr ? active_control_ : FindNextControl(nullptr, true, true, false);
    if (control == nullptr) return;
    if (!control->Focused()) control->SetFocus();
    if (auto* edit = dynamic_cast<TEdit*>(control)) edit->SelectAll();
}

void TForm::NoteFocused(TControl* control) {
    if (control == active_control_) return;
    if (active_control_ != nullptr) RemoveFreeNotification(active_control_);
    active_control_ = control;
    if (control != nullptr) FreeNotification(control);
    MarkActiveButton(*this, dynamic_cast<TButton*>(control));
}

TForm* GetParentForm(const TControl* control) {
    while (control != nullptr && control->Parent() != nullptr) control = control->Parent();
    return dynamic_cast<TForm*>(const_cast<TControl*>(control));
}

bool TForm::IsMainForm() const {
    return Widget() != nullptr && Application().MainWindow == Widget();
}

void TForm::MakeMainForm() {
    Application().MainWindow = Widget();
}

bool TForm::Minimized() const {
    return Widget() != nullptr && Widget()->isMinimized();
}

void TForm::BringToForeground() {
    if (Widget() == nullptr) return;
    Widget()->raise();
    Widget()->activateWindow();
}

void TForm::PlaceOnFirstShow() {
    if (shown_once_) return;
    shown_once_ = true;
    TRect area;
    if (position_ == TPosition::poScreenCenter) {
        if (QScreen* screen = QGuiApplication::primaryScreen()) {
            const QRect g = screen->geometry();
            area = Bounds(g.x(), g.y(), g.width(), g.height());
        }
    } else if (position_ == TPosition::poMainFormCenter || position_ == TPosition::poOwnerFormCenter) {
        const TForm* over = dynamic_cast<const TForm*>(Owner());
        if (position_ == TPosition::poMainFormCenter || over == nullptr) {
            if (QWidget* main = Application().MainWindow) {
                const QRect g = main->frameGeometry();
                area = Bounds(g.x(), g.y(), g.width(), g.height());
            }
        } else {
            area = over->BoundsRect();
        }
    }
    if (!area.IsEmpty())
        SetBounds(area.Left + (area.Width() - Width()) / 2, area.Top + (area.Height() - Height()) / 2, Width(),
                  Height());
}

bool TForm::CloseQuery() {
    bool canClose = true;
    Raise(OnCloseQuery, this, canClose);
    return canClose;
}

void TForm::Close() {
    if (!CloseQuery()) return;
    TCloseAction action = IsMainForm() ? TCloseAction::caFree : TCloseAction::caHide;
    Raise(OnClose, this, action);
    if (action == TCloseAction::caNone) return;
    if (modal_) {
        if (modal_result_ == mrNone) SetModalResult(mrCancel);
        return;
    }
    if (IsMainForm()) {
        Hide();
        Application().Terminate();
        return;
    }
    if (action == TCloseAction::caMinimize) {
        Widget()->showMinimized();
        return;
    }
    Hide();
}

void TForm::SetModalResult(int v) {
    modal_result_ = v;
    if (v != mrNone && modal_loop_ != nullptr) modal_loop_->quit();
}

void TForm::SetModalAnswerer(std::function<void(TForm&)> answerer) {
    ModalAnswerer() = std::move(answerer);
}

int TForm::ShowModal() {
    if (modal_) return mrNone;
    modal_ = true;
    modal_result_ = mrNone;
    if (ModalAnswerer()) {
        Show();
        // The answerer plays the user again while the window refuses to close.
        do ModalAnswerer()(*this);
        while (!Closes());
        Hide();
    } else {
        QWidget* w = Widget();
        // Qt takes a window into its modal bookkeeping when it is shown modal
        // and out when it is hidden modal: the modality changes only while
        // the window is hidden, or every other window stays blocked.
        w->hide();
        w->setWindowModality(Qt::ApplicationModal);
        SetTransientParent();
        PlaceOnFirstShow();
        Show();
        QEventLoop loop;
        modal_loop_ = &loop;
        do {
            while (modal_result_ == mrNone && w->isVisible() && !Application().Terminated()) loop.exec();
        } while (w->isVisible() && !Application().Terminated() && !Closes());
        modal_loop_ = nullptr;
        Hide();
        w->setWindowModality(Qt::NonModal);
    }
    if (modal_result_ == mrNone) modal_result_ = mrCancel;
    modal_ = false;
    return modal_result_;
}

// A modal result asks the window to close, and it may still refuse (a value
// it cannot take): it stays on the screen, and the result goes back to none.
bool TForm::Closes() {
    if (modal_result_ == mrNone) return true;
    bool canClose = true;
    Guarded([&] { canClose = CloseQuery(); });
    if (!canClose) modal_result_ = mrNone;
    return canClose;
}

void TForm::SetTransientParent() {
    QWidget* w = Widget();
    const TForm* over = dynamic_cast<const TForm*>(Owner());
    QWidget* parent = over != nullptr ? over->Widget() : Application().MainWindow;
    // A dialog stands over a window that is on the screen; over a hidden one
    // (the tray program's list) some window managers would not show it.
    if (parent == nullptr || parent == w || !parent->isVisible()) parent = nullptr;
    w->winId();  // the window handle to hang the parent on
    if (parent != nullptr) parent->winId();
    w->windowHandle()->setTransientParent(parent != nullptr ? parent->windowHandle() : nullptr);
}

bool TForm::PreviewEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::Close:
            // The window frame's close button: the same road as Close.
            event->ignore();
            Close();
            return true;
        case QEvent::Show:
            if (!event->spontaneous()) {
                PlaceOnFirstShow();
                FocusOnShow();
                Raise(OnShow, this);
            }
            return false;
        case QEvent::Hide:
            if (!event->spontaneous()) Raise(OnHide, this);
            return false;
        case QEvent::KeyPress: {
            // Enter and Escape that no control took press a button.
            const int key = static_cast<QKeyEvent*>(event)->key();
            const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
            if (!enter && key != Qt::Key_Escape) return false;
            if (TButton* button = enter ? EnterButton(*this) : FindDialogButton(*this, false)) {
                button->PerformClick();
                return true;
            }
            return false;
        }
        case QEvent::WindowActivate: Raise(OnActivate, this); return false;
        case QEvent::WindowDeactivate: Raise(OnDeactivate, this); return false;
        case QEvent::WindowStateChange:
            if (Widget()->isMinimized() &&
                !(static_cast<QWindowStateChangeEvent*>(event)->oldState() & Qt::WindowMinimized))
                Perform(WM_SYSCOMMAND, SC_MINIMIZE, 0);
            return false;
        case QEvent::Move:
            if (Widget() != nullptr) {
                // geometry() is the client area on every platform (pos()
                // includes a real frame), and ApplyGeometry places that.
                const Frame f = FrameOf(border_style_);
                StoredLeft() = Widget()->geometry().x() - f.Side;
                StoredTop() = Widget()->geometry().y() - f.Caption;
            }
            return false;
        default: return false;
    }
}

const ClassInfo& TForm::StaticClass() {
    using T = TForm;
    static const ClassInfo info(
        "TForm", &TControl::StaticClass(), nullptr,
        {
            prop::Int<T>(
                "ClientWidth", [](const T& c) { return c.ClientWidth(); },
                [](T& c, std::int64_t v) { c.SetClientWidth(int(v)); }, -1),
            prop::Int<T>(
                "ClientHeight", [](const T& c) { return c.ClientHeight(); },
                [](T& c, std::int64_t v) { c.SetClientHeight(int(v)); }, -1),
            prop::Enum<T, TFormStyle>(
                "FormStyle", {{"fsNormal", TFormStyle::fsNormal}, {"fsStayOnTop", TFormStyle::fsStayOnTop}},
                [](const T& c) { return c.FormStyle(); }, [](T& c, TFormStyle v) { c.SetFormStyle(v); },
                TFormStyle::fsNormal),
            prop::Enum<T, TBorderStyle>(
                "BorderStyle",
                {{"bsNone", TBorderStyle::bsNone},
                 {"bsSingle", TBorderStyle::bsSingle},
                 {"bsSizeable", TBorderStyle::bsSizeable},
                 {"bsDialog", TBorderStyle::bsDialog},
                 {"bsToolWindow", TBorderStyle::bsToolWindow},
                 {"bsSizeToolWin", TBorderStyle::bsSizeToolWin}},
                [](const T& c) { return c.BorderStyle(); }, [](T& c, TBorderStyle v) { c.SetBorderStyle(v); },
                TBorderStyle::bsSizeable),
            prop::Enum<T, TPosition>(
                "Position",
                {{"poDesigned", TPosition::poDesigned},
                 {"poScreenCenter", TPosition::poScreenCenter},
                 {"poMainFormCenter", TPosition::poMainFormCenter},
                 {"poOwnerFormCenter", TPosition::poOwnerFormCenter}},
                [](const T& c) { return c.Position(); }, [](T& c, TPosition v) { c.SetPosition(v); },
                TPosition::poDesigned),
            prop::Int<T>("Constraints.MinWidth", &T::MinWidth),
            prop::Int<T>("Constraints.MinHeight", &T::MinHeight),
            prop::Int<T>("Constraints.MaxWidth", &T::MaxWidth),
            prop::Int<T>("Constraints.MaxHeight", &T::MaxHeight),
            prop::Reference<T, TMainMenu>(
                "Menu", [](const T& c) { return c.Menu(); }, [](T& c, TMainMenu* m) { c.SetMenu(m); }),
        });
    return info;
}

}  // namespace dlk
