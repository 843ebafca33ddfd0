// The window-level keyboard: before Qt moves the focus or a control takes a
// key, the window offers Ctrl+Tab and characters to itself (its DialogKey and
// DialogChar offer them on to its controls), and a lone Alt tells every
// window to show its accelerator cues.
#include <QApplication>
#include <QKeyEvent>
#include <algorithm>

#include "framework/application/application.h"
#include "framework/controls/form.h"
#include "framework/controls/screen.h"

namespace dlk {

namespace {

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
            return form.DialogKey(VK_TAB, shift);
        }
        if ((mods & Qt::ControlModifier) || key.text().isEmpty()) return false;
        // As typed: Alt+Shift+a letter is the capital, which a Cyrillic
        // accelerator tells apart from the small one.
        const QChar c = key.text().at(0);
        if (!c.isPrint() || c.isSpace()) return false;
        // Without Alt only where the focused control takes no text.
        if (!(mods & Qt::AltModifier)) {
            QWidget* focus = QApplication::focusWidget();
            if (focus != nullptr && focus->testAttribute(Qt::WA_InputMethodEnabled)) return false;
        }
        return form.DialogChar(c.unicode(), ShiftStateOf(mods));
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
