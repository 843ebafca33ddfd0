#include "framework/controls/limited_line_edit.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <algorithm>

namespace dlk {

bool LimitedLineEdit::Limits() const {
    // A mask fixes the length itself.
    return user_limit_ > 0 && !isReadOnly() && inputMask().isEmpty();
}

QString LimitedLineEdit::Fitting(const QString& inserted) const {
    if (!Limits()) return inserted;
    const qsizetype outside = text().size() - selectedText().size();
    return inserted.left(std::max<qsizetype>(0, user_limit_ - outside));
}

void LimitedLineEdit::PasteFitting(QClipboard::Mode mode) {
    const QString clip = QApplication::clipboard()->text(mode);
    const QString fitting = Fitting(clip);
    // Whole, Qt's own paste keeps it one step of the undo history.
    if (fitting.size() == clip.size()) {
        if (mode == QClipboard::Clipboard) return paste();
        return insert(clip);
    }
    if (!fitting.isEmpty() || hasSelectedText()) insert(fitting);
}

void LimitedLineEdit::keyPressEvent(QKeyEvent* event) {
    if (Limits()) {
        if (event->matches(QKeySequence::Paste)) {
            PasteFitting(QClipboard::Clipboard);
            event->accept();
            return;
        }
        const QString typed = event->text();
        const bool typing = !typed.isEmpty() && typed.at(0).isPrint() &&
                            !(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
        if (typing && Fitting(typed).size() < typed.size()) {
            // Over a selection the selection still goes, as it would for
            // any typed key.
            if (hasSelectedText()) insert(Fitting(typed));
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void LimitedLineEdit::inputMethodEvent(QInputMethodEvent* event) {
    const QString commit = event->commitString();
    if (!Limits() || Fitting(commit).size() == commit.size()) return QLineEdit::inputMethodEvent(event);
    QInputMethodEvent cut(event->preeditString(), event->attributes());
    cut.setCommitString(Fitting(commit), event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&cut);
}

// The middle button pastes the X11 selection.
void LimitedLineEdit::mouseReleaseEvent(QMouseEvent* event) {
    if (!Limits() || event->button() != Qt::MiddleButton || !QApplication::clipboard()->supportsSelection())
        return QLineEdit::mouseReleaseEvent(event);
    deselect();
    PasteFitting(QClipboard::Selection);
    event->accept();
}

void LimitedLineEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // Qt names its actions only by their (translated) texts.
    const QString pasteText = QCoreApplication::translate("QLineEdit", "&Paste");
    for (QAction* paste : menu->actions()) {
        if (paste->text() != pasteText && !paste->text().startsWith(pasteText + QLatin1Char('\t'))) continue;
        QObject::disconnect(paste, &QAction::triggered, nullptr, nullptr);
        QObject::connect(paste, &QAction::triggered, this, [this] { PasteFitting(QClipboard::Clipboard); });
    }
    menu->popup(event->globalPos());
    event->accept();
}

}  // namespace dlk
