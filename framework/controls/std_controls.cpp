#include "framework/controls/std_controls.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "framework/application/application.h"
#include "framework/controls/form.h"
#include "framework/controls/limited_line_edit.h"

namespace dlk {

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

// ---- TLabel

TLabel::TLabel(TComponent* owner) : TControl(owner) {
    SetWidget(new HostWidget<QLabel>(Link()));
    static_cast<QLabel*>(Widget())->setTextFormat(Qt::PlainText);
    SetAlignment(TAlignment::taLeftJustify);
}

void TLabel::SetAlignment(TAlignment v) {
    alignment_ = v;
    Qt::Alignment a = Qt::AlignTop;
    a |= v == TAlignment::taCenter         ? Qt::AlignHCenter
         : v == TAlignment::taRightJustify ? Qt::AlignRight
                                           : Qt::AlignLeft;
    static_cast<QLabel*>(Widget())->setAlignment(a);
}

void TLabel::SetAutoSize(bool v) {
    auto_size_ = v;
    AdjustSize();
}

void TLabel::SetWordWrap(bool v) {
    word_wrap_ = v;
    static_cast<QLabel*>(Widget())->setWordWrap(v);
}

// Sizing waits while the window is read (the font may still change); the
// label fits its text once the whole description is in.
void TLabel::Loaded() {
    TControl::Loaded();
    AdjustSize();
}

void TLabel::TextChanged() {
    QString text = Q(Caption());
    text.replace(QChar('\r'), QString());
    static_cast<QLabel*>(Widget())->setText(text);
    AdjustSize();
}

void TLabel::FontChanged() {
    TControl::FontChanged();
    AdjustSize();
}

void TLabel::AdjustSize() {
    if (!auto_size_ || word_wrap_ || IsLoading()) return;
    TCanvas measure;
    measure.Font = Font();
    const TSize size = measure.TextExtent(Caption());
    SetBounds(Left(), Top(), size.cx, std::max(size.cy, measure.TextExtent("W").cy));
}

// ---- TEdit

TEdit::TEdit(TComponent* owner) : TControl(owner) {
    auto* edit = new HostWidget<LimitedLineEdit>(Link());
    SetWidget(edit);
    SetColor(clWindow);
    SetTabStop(true);
    QObject::connect(edit, &QLineEdit::textChanged, edit, [this] { Guarded([this] { Raise(OnChange, this); }); });
}

void FocusControl(const TComponent& owner, std::string_view name) {
    if (auto* edit = FindOwned<TEdit>(owner, name)) {
        edit->SetFocus();
        edit->SelectAll();
    }
}

QLineEdit* TEdit::Edit() const {
    return static_cast<QLineEdit*>(Widget());
}

std::string TEdit::Text() const {
    return Edit()->text().toStdString();
}

// The limit is on what the user types or pastes (the line edit cuts that);
// a longer text the program sets is shown whole. Qt's own limit, which
// also cuts setText, is only moved here, where the text is set anew anyway.
void TEdit::SetText(const std::string& text) {
    const QString q = Q(text);
    if (Edit()->text() == q) return;
    // Raised before and lowered after, so that no cut text is ever seen.
    const int limit = std::max(static_cast<int>(q.size()), LengthLimit());
    if (limit > Edit()->maxLength()) SetQtLengthLimit(limit);
    Edit()->setText(q);
    SetQtLengthLimit(limit);
}

void TEdit::SetMaxLength(int v) {
    max_length_ = v;
    static_cast<LimitedLineEdit*>(Edit())->SetUserLimit(v);
    SetQtLengthLimit(std::max(static_cast<int>(Edit()->text().size()), LengthLimit()));
}

int TEdit::LengthLimit() const {
    return max_length_ > 0 ? max_length_ : kNoLengthLimit;
}

void TEdit::SetQtLengthLimit(int limit) {
    QLineEdit* edit = Edit();
    // A mask sets the length itself.
    if (edit->maxLength() == limit || !edit->inputMask().isEmpty()) return;
    // Qt reapplies the text when its limit changes, which puts the caret at
    // the end; the user's place is kept.
    const int caret = edit->cursorPosition();
    edit->setMaxLength(limit);
    edit->setCursorPosition(caret);
}

void TEdit::SetReadOnly(bool v) {
    read_only_ = v;
    Edit()->setReadOnly(v);
}

void TEdit::SetPasswordChar(char c) {
    password_char_ = c;
    Edit()->setEchoMode(c != 0 ? QLineEdit::Password : QLineEdit::Normal);
}

void TEdit::SelectAll() {
    Edit()->selectAll();
}

// ---- buttons

QAbstractButton* TButtonControl::ButtonWidget() const {
    return static_cast<QAbstractButton*>(Widget());
}

// "\r" breaks a caption into lines, as it does in message boxes.
void TButtonControl::TextChanged() {
    QString text = Q(Caption());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QChar('\r'), QChar('\n'));
    ButtonWidget()->setText(text);
}

void TButtonControl::PerformClick() {
    if (Enabled()) ButtonWidget()->click();
}

TButton::TButton(TComponent* owner) : TButtonControl(owner) {
    auto* button = new HostWidget<QPushButton>(Link());
    SetWidget(button);
    SetTabStop(true);
    QObject::connect(button, &QPushButton::clicked, button, [this] { Guarded([this] { Click(); }); });
}

void TButton::SetDefault(bool v) {
    default_ = v;
    static_cast<QPushButton*>(Widget())->setDefault(v);
}

void TButton::ShowActive(bool active) {
    static_cast<QPushButton*>(Widget())->setDefault(active);
}

void TButton::Click() {
    if (ModalResult != mrNone)
        for (TControl* p = Parent(); p != nullptr; p = p->Parent())
            if (auto* form = dynamic_cast<TForm*>(p)) {
                form->SetModalResult(ModalResult);
                break;
            }
    TButtonControl::Click();
}

TCheckBox::TCheckBox(TComponent* owner) : TButtonControl(owner) {
    auto* box = new HostWidget<QCheckBox>(Link());
    SetWidget(box);
    SetTabStop(true);
    QObject::connect(box, &QCheckBox::toggled, box, [this] { Guarded([this] { Click(); }); });
}

bool TCheckBox::Checked() const {
    return ButtonWidget()->isChecked();
}
void TCheckBox::SetChecked(bool v) {
    ButtonWidget()->setChecked(v);
}

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) {
    auto* radio = new HostWidget<QRadioButton>(Link());
    SetWidget(radio);
    SetTabStop(true);
    QObject::connect(radio, &QRadioButton::toggled, radio, [this](bool on) {
        Guarded([this, on] {
            TabStopsFollowCheck();
            if (on) Click();
        });
    });
}

bool TRadioButton::Checked() const {
    return ButtonWidget()->isChecked();
}
void TRadioButton::SetChecked(bool v) {
    ButtonWidget()->setChecked(v);
}

void TRadioButton::Loaded() {
    TButtonControl::Loaded();
    TabStopsFollowCheck();
}

// Tab enters a group of radio buttons at its checked one (the arrows move
// within it); with none checked, every one of them is a stop.
void TRadioButton::TabStopsFollowCheck() {
    if (Parent() == nullptr || IsLoading()) return;
    std::vector<TRadioButton*> group;
    bool anyChecked = false;
    for (int i = 0; i < Parent()->ControlCount(); ++i)
        if (auto* radio = dynamic_cast<TRadioButton*>(Parent()->Controls(i))) {
            group.push_back(radio);
            anyChecked = anyChecked || radio->Checked();
        }
    for (TRadioButton* radio : group) radio->SetTabStop(!anyChecked || radio->Checked());
}

// ---- TGroupBox

TGroupBox::TGroupBox(TComponent* owner) : TControl(owner) {
    SetWidget(new HostWidget<QGroupBox>(Link()));
}

void TGroupBox::TextChanged() {
    static_cast<QGroupBox*>(Widget())->setTitle(Q(Caption()));
}

void TGroupBox::AdjustClientRect(TRect& rect) {
    TCanvas measure;
    measure.Font = Font();
    rect.Top += measure.TextExtent("W").cy;
    InflateRect(rect, -2, 0);
    rect.Bottom -= 2;
}

// ---- TPanel

void Frame3D(TCanvas& canvas, TRect& r, TColor topLeft, TColor bottomRight) {
    canvas.Pen.Style = TPenStyle::psSolid;
    canvas.Pen.Width = 1;
    canvas.Pen.Color = topLeft;
    canvas.MoveTo(r.Left, r.Bottom - 1);
    canvas.LineTo(r.Left, r.Top);
    canvas.LineTo(r.Right - 1, r.Top);
    canvas.Pen.Color = bottomRight;
    canvas.LineTo(r.Right - 1, r.Bottom - 1);
    canvas.LineTo(r.Left - 1, r.Bottom - 1);
    InflateRect(r, -1, -1);
}

TPanel::TPanel(TComponent* owner) : TCustomControl(owner) {}

void TPanel::SetBevelOuter(TBevelCut v) {
    bevel_outer_ = v;
    Invalidate();
}

void TPanel::SetBevelInner(TBevelCut v) {
    bevel_inner_ = v;
    Invalidate();
}

void TPanel::AdjustClientRect(TRect& rect) {
    const int width = (bevel_outer_ != TBevelCut::bvNone) + (bevel_inner_ != TBevelCut::bvNone);
    InflateRect(rect, -width, -width);
}

void TPanel::Paint() {
    TCanvas& c = Canvas();
    TRect r = ClientRect();
    for (TBevelCut cut : {bevel_outer_, bevel_inner_}) {
        if (cut == TBevelCut::bvRaised) Frame3D(c, r, clBtnHighlight, clBtnShadow);
        if (cut == TBevelCut::bvLowered) Frame3D(c, r, clBtnShadow, clBtnHighlight);
    }
    c.Brush.Color = Color();
    c.FillRect(r);
    if (!Caption().empty()) {
        c.Brush.Style = TBrushStyle::bsClear;
        const TSize size = c.TextExtent(Caption());
        c.TextOut((Width() - size.cx) / 2, (Height() - size.cy) / 2, Caption());
    }
}

}  // namespace dlk
