#include "framework/controls/mask_edit.h"

#include <QLineEdit>

#include "framework/components/properties.h"

namespace dlk {

namespace {

struct ParsedMask {
    QString QtMask;  // without the blank suffix
    bool SaveLiterals = true;
    QChar Blank = QLatin1Char('_');
    std::vector<bool> Editable;
};

// Splits at unescaped ';' and turns the classic mask letters into Qt's,
// whose letters mean other things (Qt's 9 is a required digit, its 0 an
// optional one, and N, X, D, H, B are letters of its own).
ParsedMask ParseMask(const QString& mask) {
    QStringList fields;
    QString current;
    for (qsizetype i = 0; i < mask.size(); ++i) {
        if (mask[i] == QLatin1Char('\\') && i + 1 < mask.size()) {
            current += mask[i];
            current += mask[++i];
        } else if (mask[i] == QLatin1Char(';') && fields.size() < 2) {
            fields << current;
            current.clear();
        } else {
            current += mask[i];
        }
    }
    fields << current;
    ParsedMask parsed;
    if (fields.size() > 1) parsed.SaveLiterals = fields[1].trimmed() != QLatin1String("0");
    if (fields.size() > 2) parsed.Blank = fields[2].isEmpty() ? QLatin1Char(' ') : fields[2][0];

    const QString& body = fields[0];
    const QString qtSpecial = QStringLiteral("AaNnXx90DdHhBb#><!\\[]{};");
    auto literal = [&](QChar c) {
        if (qtSpecial.contains(c)) parsed.QtMask += QLatin1Char('\\');
        parsed.QtMask += c;
        parsed.Editable.push_back(false);
    };
    auto place = [&](char qt) {
        parsed.QtMask += QLatin1Char(qt);
        parsed.Editable.push_back(true);
    };
    for (qsizetype i = 0; i < body.size(); ++i) {
        const QChar c = body[i];
        switch (c.unicode()) {
            case '\\':
                if (i + 1 < body.size()) literal(body[++i]);
                break;
            case '!': break;
            case '>': parsed.QtMask += QLatin1Char('>'); break;
            case '<':
                if (i + 1 < body.size() && body[i + 1] == QLatin1Char('>')) {
                    parsed.QtMask += QLatin1Char('!');
                    ++i;
                } else {
                    parsed.QtMask += QLatin1Char('<');
                }
                break;
            case '0': place('9'); break;
            case '9': place('0'); break;
            case '#': place('#'); break;
            case 'L': place('A'); break;
            case 'l': place('a'); break;
            case 'A': place('N'); break;
            case 'a': place('n'); break;
            case 'C': place('X'); break;
            case 'c': place('x'); break;
            case '_': literal(QLatin1Char(' ')); break;
            default: literal(c); break;
        }
    }
    return parsed;
}

}  // namespace

TMaskEdit::TMaskEdit(TComponent* owner) : TEdit(owner) {}

void TMaskEdit::SetEditMask(const std::string& mask) {
    const std::string text = Text();
    edit_mask_ = mask;
    if (mask.empty()) {
        editable_.clear();
        Edit()->setInputMask(QString());
    } else {
        const ParsedMask parsed = ParseMask(QString::fromStdString(mask));
        save_literals_ = parsed.SaveLiterals;
        blank_ = parsed.Blank.unicode();
        editable_ = parsed.Editable;
        Edit()->setInputMask(parsed.QtMask + QLatin1Char(';') + parsed.Blank);
    }
    // A description stores Text before EditMask: the text goes into the new places.
    if (!text.empty()) SetText(text);
}

std::string TMaskEdit::EditText() const {
    return Edit()->displayText().toStdString();
}

std::string TMaskEdit::Text() const {
    if (edit_mask_.empty()) return TEdit::Text();
    const QString shown = Edit()->displayText();
    QString text;
    for (qsizetype i = 0; i < shown.size() && std::size_t(i) < editable_.size(); ++i) {
        const bool blank = editable_[std::size_t(i)] && shown[i].unicode() == blank_;
        if (!editable_[std::size_t(i)] && !save_literals_) continue;
        text += blank ? QLatin1Char(' ') : shown[i];
    }
    return text.toStdString();
}

void TMaskEdit::SetText(const std::string& text) {
    if (edit_mask_.empty()) return TEdit::SetText(text);
    // The places are filled one by one; Qt's own reading of a text would
    // move characters past a place it refuses.
    const QString input = QString::fromStdString(text);
    QString shown = Edit()->displayText();
    qsizetype from = 0;
    for (qsizetype i = 0; i < shown.size() && std::size_t(i) < editable_.size(); ++i) {
        const bool editable = editable_[std::size_t(i)];
        if (!editable && !save_literals_) continue;
        const QChar c = from < input.size() ? input[from++] : QLatin1Char(' ');
        if (editable) shown[i] = c == QLatin1Char(' ') ? QChar(blank_) : c;
    }
    Edit()->setText(shown);
}

const ClassInfo& TMaskEdit::StaticClass() {
    using T = TMaskEdit;
    static const ClassInfo info("TMaskEdit", &TEdit::StaticClass(), Creator<T>(),
                                {
                                    prop::String<T>("EditMask", &T::EditMask, &T::SetEditMask),
                                });
    return info;
}

DLK_REGISTER_CLASS(TMaskEdit);

}  // namespace dlk
