// The window-level keyboard: before Qt moves the focus or a control takes a
// key, the window offers Ctrl+Tab and Alt+character to its controls, and a
// lone Alt tells every window to show its accelerator cues.
#include <QApplication>
#include <QKeyEvent>
#include <algorithm>

#include "framework/controls/form.h"
#include "framework/controls/screen.h"
#include "framework/core/application.h"

namespace dlk {

namespace {

bool OfferDialogKey(TControl& control, int key, TShiftState shift) {
    if (control.DialogKey(key, shift)) return true;
    for (int i = 0; i < control.ControlCount(); ++i) {
        TControl* child = control.Controls(i);
        if (child->Visible() && child->Enabled() && OfferDialogKey(*child, key, shift)) return true;
    }
    return false;
}

bool OfferDialogChar(TControl& control, int charCode, TShiftState shift) {
    if (control.DialogChar(charCode, shift)) return true;
    for (int i = 0; i < control.ControlCount(); ++i) {
        TControl* child = control.Controls(i);
        if (child->Visible() && child->Enabled() && OfferDialogChar(*child, charCode, shift)) return true;
    }
    return false;
}

class KeyboardRouter : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget == nullptr) return false;
        // Once per key: at the widget Qt gives it to first, not again as it
        // travels up to the parents.
        QWidget* focus = QApplication::focusWidget();
        if (focus != nullptr ? widget != focus : !widget->isWindow()) return false;
        auto* form = dynamic_cast<TForm*>(ControlOfWidget(widget->window()));
        if (form == nullptr || form->IsDestroying()) return false;
        bool taken = false;
        Guarded([&] { taken = Route(*form, *static_cast<QKeyEvent*>(event)); });
        return taken;
    }

private:
    static bool Route(TForm& form, const QKeyEvent& key) {
        const Qt::KeyboardModifiers mods = key.modifiers();
        if (key.key() == Qt::Key_Alt && !key.isAutoRepeat() && (mods & ~Qt::AltModifier) == 0) {
            for (int i = 0; i < Screen().FormCount(); ++i) Screen().Forms(i)->Perform(WM_UPDATEUISTATE, 0x30002, 0);
            return false;
        }
        if ((key.key() == Qt::Key_Tab || key.key() == Qt::Key_Backtab) && (mods & Qt::ControlModifier)) {
            TShiftState shift = ShiftStateOf(mods);
            if (key.key() == Qt::Key_Backtab) shift |= ssShift;
            return OfferDialogKey(form, 0x09, shift);
        }
        if ((mods & Qt::AltModifier) && !(mods & Qt::ControlModifier) && !key.text().isEmpty()) {
            const QChar c = key.text().at(0).toUpper();
            if (c.isLetterOrNumber()) return OfferDialogChar(form, c.unicode(), ShiftStateOf(mods));
        }
        return false;
    }
};

bool themes_enabled = true;

}  // namespace

TScreen& Screen() {
    static TScreen screen;
    return screen;
}

TForm* TScreen::ActiveForm() const {
    QWidget* active = QApplication::activeWindow();
    for (TForm* f : forms_)
        if (f->Widget() == active) return f;
    return nullptr;
}

void TScreen::AddForm(TForm* form) {
    if (std::find(forms_.begin(), forms_.end(), form) != forms_.end()) return;
    forms_.push_back(form);
    static KeyboardRouter* router = nullptr;
    if (router == nullptr && qApp != nullptr) {
        router = new KeyboardRouter();
        qApp->installEventFilter(router);
    }
}

void TScreen::RemoveForm(TForm* form) {
    std::erase(forms_, form);
}

bool ThemesEnabled() {
    return themes_enabled;
}
void SetThemesEnabled(bool enabled) {
    themes_enabled = enabled;
}

}  // namespace dlk
