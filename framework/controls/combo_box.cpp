#include "framework/controls/combo_box.h"

#include <QComboBox>
#include <QLineEdit>

#include "framework/application/application.h"
#include "framework/components/properties.h"

namespace dlk {

TComboBox::TComboBox(TComponent* owner) : TControl(owner) {
    auto* combo = new HostWidget<QComboBox>(Link());
    combo->setEditable(true);
    SetWidget(combo);
    SetColor(clWindow);
    SetTabStop(true);
    SetBounds(0, 0, 145, 21);
    QObject::connect(combo, &QComboBox::activated, combo, [this] { Guarded([this] { Raise(OnChange, this); }); });
    FollowTyping();
}

// The field of an editable list is made anew each time the style changes.
void TComboBox::FollowTyping() {
    QLineEdit* field = Combo()->lineEdit();
    if (field == nullptr) return;
    Combo()->setInsertPolicy(QComboBox::NoInsert);
    QObject::connect(field, &QLineEdit::textEdited, Combo(), [this] { Guarded([this] { Raise(OnChange, this); }); });
}

QComboBox* TComboBox::Combo() const {
    return static_cast<QComboBox*>(Widget());
}

void TComboBox::SetStyle(TComboBoxStyle v) {
    if (v == style_) return;
    style_ = v;
    const int index = ItemIndex();
    Combo()->setEditable(v == TComboBoxStyle::csDropDown);
    FollowTyping();
    SetItemIndex(index);
}

void TComboBox::SetItems(std::vector<std::string> items) {
    items_ = std::move(items);
    const QSignalBlocker quiet(Combo());
    Combo()->clear();
    for (const std::string& item : items_) Combo()->addItem(QString::fromStdString(item));
    // New items leave nothing selected, as the classic list does.
    Combo()->setCurrentIndex(-1);
}

std::string TComboBox::ItemsText() const {
    std::string text;
    for (const std::string& item : items_) text += item + "\n";
    return text;
}

void TComboBox::SetItemsText(const std::string& text) {
    std::vector<std::string> items;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        items.push_back(std::move(line));
        start = end + 1;
    }
    SetItems(std::move(items));
}

void TComboBox::AddItem(const std::string& item) {
    items_.push_back(item);
    const QSignalBlocker quiet(Combo());
    const int index = Combo()->currentIndex();
    Combo()->addItem(QString::fromStdString(item));
    Combo()->setCurrentIndex(index);
}

void TComboBox::Clear() {
    SetItems({});
}

int TComboBox::ItemIndex() const {
    return Combo()->currentIndex();
}

void TComboBox::SetItemIndex(int index) {
    if (index < 0 || index >= int(items_.size())) index = -1;
    const QSignalBlocker quiet(Combo());
    Combo()->setCurrentIndex(index);
    if (index < 0 && Combo()->lineEdit() != nullptr) Combo()->lineEdit()->clear();
}

std::string TComboBox::Text() const {
    return Combo()->currentText().toStdString();
}

void TComboBox::SetText(const std::string& text) {
    const QString t = QString::fromStdString(text);
    const int found = Combo()->findText(t, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    if (style_ == TComboBoxStyle::csDropDownList) {
        SetItemIndex(found);
        return;
    }
    const QSignalBlocker quiet(Combo());
    Combo()->setCurrentIndex(found);
    Combo()->setEditText(t);
}

namespace {

std::vector<std::pair<const char*, TComboBoxStyle>> StyleNames() {
    return {{"csDropDown", TComboBoxStyle::csDropDown}, {"csDropDownList", TComboBoxStyle::csDropDownList}};
}

}  // namespace

const ClassInfo& TComboBox::StaticClass() {
    using T = TComboBox;
    static const ClassInfo info(
        "TComboBox", &TControl::StaticClass(), Creator<T>(),
        {
            prop::Enum<T, TComboBoxStyle>("Style", StyleNames(), &T::Style, &T::SetStyle, TComboBoxStyle::csDropDown),
            prop::String<T>("Items.Text", &T::ItemsText, &T::SetItemsText),
            prop::Int<T>("ItemIndex", &T::ItemIndex, &T::SetItemIndex, -1),
            prop::String<T>(
                "Text", [](const T& c) { return c.Style() == TComboBoxStyle::csDropDown ? c.Text() : std::string(); },
                [](T& c, const std::string& v) { c.SetText(v); }),
        });
    return info;
}

DLK_REGISTER_CLASS(TComboBox);

}  // namespace dlk
