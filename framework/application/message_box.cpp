#include "framework/application/message_box.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <cstdio>
#include <mutex>

namespace dlk {

namespace {

std::mutex message_box_answerer_lock;
MessageBoxAnswerer message_box_answerer;

QString DisplayText(std::string_view text) {
    QString s = QString::fromUtf8(text.data(), qsizetype(text.size()));
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QChar('\r'), QChar('\n'));
    return s;
}

}  // namespace

bool NobodyToSee() {
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

void SetMessageBoxAnswerer(MessageBoxAnswerer a) {
    std::lock_guard guard(message_box_answerer_lock);
    message_box_answerer = std::move(a);
}

int DefaultAnswer(unsigned flags) {
    const bool second = flags & MB_DEFBUTTON2;
    switch (flags & 0x0F) {
        case MB_OKCANCEL: return second ? IDCANCEL : IDOK;
        case MB_YESNO:
        case MB_YESNOCANCEL: return second ? IDNO : IDYES;
        default: return IDOK;
    }
}

int MessageBox(QWidget* owner, std::string_view text, std::string_view caption, unsigned flags) {
    MessageBoxAnswerer current;
    {
        std::lock_guard guard(message_box_answerer_lock);
        current = message_box_answerer;
    }
    const MessageBoxRequest request{std::string(text), std::string(caption), flags, owner != nullptr, owner};
    if (current) return current(request);
    if (NobodyToSee()) {
        std::fprintf(stderr, "%s: %s\n", request.Caption.c_str(), DisplayText(text).toUtf8().constData());
        return DefaultAnswer(flags);
    }
    return ShowMessageBoxWindow(request);
}

int ShowMessageBoxWindow(const MessageBoxRequest& request) {
    const unsigned flags = request.Flags;
    QMessageBox box(request.Owner);
    box.setWindowTitle(QString::fromStdString(request.Caption));
    box.setText(DisplayText(request.Text));
    switch (flags & 0xF0) {
        case MB_ICONERROR: box.setIcon(QMessageBox::Critical); break;
        case MB_ICONQUESTION: box.setIcon(QMessageBox::Question); break;
        case MB_ICONWARNING: box.setIcon(QMessageBox::Warning); break;
        case MB_ICONINFORMATION: box.setIcon(QMessageBox::Information); break;
        default: break;
    }
    struct Choice {
        const char* Text;
        int Answer;
        QMessageBox::ButtonRole Role;
    };
    std::vector<Choice> choices;
    switch (flags & 0x0F) {
        case MB_OKCANCEL:
            choices = {{"ОК", IDOK, QMessageBox::AcceptRole}, {"Отмена", IDCANCEL, QMessageBox::RejectRole}};
            break;
        case MB_YESNO: choices = {{"Да", IDYES, QMessageBox::YesRole}, {"Нет", IDNO, QMessageBox::NoRole}}; break;
        case MB_YESNOCANCEL:
            choices = {{"Да", IDYES, QMessageBox::YesRole},
                       {"Нет", IDNO, QMessageBox::NoRole},
                       {"Отмена", IDCANCEL, QMessageBox::RejectRole}};
            break;
        default: choices = {{"ОК", IDOK, QMessageBox::AcceptRole}}; break;
    }
    const int preferred = DefaultAnswer(flags);
    std::vector<std::pair<QAbstractButton*, int>> buttons;
    for (const Choice& c : choices) {
        QPushButton* b = box.addButton(QString::fromUtf8(c.Text), c.Role);
        buttons.emplace_back(b, c.Answer);
        if (c.Answer == preferred) box.setDefaultButton(b);
    }
    box.exec();
    for (const auto& [button, answer] : buttons)
        if (box.clickedButton() == button) return answer;
    // Closed by its window frame or Escape: the box's cancel, or its only/last answer.
    return choices.size() == 2 && (flags & 0x0F) == MB_YESNO ? IDNO : choices.back().Answer;
}

}  // namespace dlk
