#pragma once

#include <QClipboard>
#include <QLineEdit>

namespace dlk {

// A line edit whose length limit holds back the user only: what the user
// types or pastes is cut to the room the limit leaves outside the selection
// it replaces (never below nothing), while a longer text the program sets
// stands whole and can be shortened but never lengthened. Qt's own limit
// cannot be moved to follow such a text: changing it sets the text again,
// which throws the undo history away.
class LimitedLineEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

    // 0: no limit.
    int UserLimit() const { return user_limit_; }
    void SetUserLimit(int limit) { user_limit_ = limit; }

    // The part of text that fits where the selection, or the caret, is.
    QString Fitting(const QString& text) const;
    void PasteFitting(QClipboard::Mode mode);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    bool Limits() const;

    int user_limit_ = 0;
};

}  // namespace dlk
