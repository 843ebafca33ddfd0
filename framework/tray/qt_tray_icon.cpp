#include "framework/tray/qt_tray_icon.h"

#include "framework/application/messages.h"

namespace dlk {

namespace {

QString Q(std::string_view s) {
    QString text = QString::fromUtf8(s.data(), qsizetype(s.size()));
    text.replace(QChar('\r'), QChar('\n'));
    return text;
}

}  // namespace

std::string TrayTipText(std::string_view tip) {
    std::string out;
    std::size_t chars = 0;
    for (std::size_t i = 0; i < tip.size();) {
        std::size_t len = 1;
        const auto lead = static_cast<unsigned char>(tip[i]);
        if (lead >= 0xF0)
            len = 4;
        else if (lead >= 0xE0)
            len = 3;
        else if (lead >= 0xC0)
            len = 2;
        if (chars == TrayIconHost::kTipLimit || i + len > tip.size()) break;
        out.append(tip.substr(i, len));
        i += len;
        ++chars;
    }
    return out;
}

QtTrayIcon::QtTrayIcon() : icon_(std::make_unique<QSystemTrayIcon>()) {
    QObject::connect(icon_.get(), &QSystemTrayIcon::activated, icon_.get(),
                     [this](QSystemTrayIcon::ActivationReason reason) {
                         if (reason == QSystemTrayIcon::Trigger)
                             PostMessage(window_, message_, 0, WM_LBUTTONUP);
                         else if (reason == QSystemTrayIcon::Context)
                             PostMessage(window_, message_, 0, WM_RBUTTONDOWN);
                     });
}

QtTrayIcon::~QtTrayIcon() {
    Delete();
}

void QtTrayIcon::Add(QObject* window, unsigned callbackMessage, std::string_view, const QIcon& icon,
                     std::string_view tip) {
    window_ = window;
    message_ = callbackMessage;
    icon_->setIcon(icon);
    icon_->setToolTip(Q(TrayTipText(tip)));
    if (QSystemTrayIcon::isSystemTrayAvailable()) icon_->show();
}

void QtTrayIcon::SetIcon(std::string_view, const QIcon& icon) {
    icon_->setIcon(icon);
}

void QtTrayIcon::SetTip(std::string_view tip) {
    icon_->setToolTip(Q(TrayTipText(tip)));
}

void QtTrayIcon::ShowBalloon(std::string_view title, std::string_view text, int timeoutMs, TrayBalloonKind kind) {
    QSystemTrayIcon::MessageIcon icon = QSystemTrayIcon::NoIcon;
    if (kind == TrayBalloonKind::Information) icon = QSystemTrayIcon::Information;
    if (kind == TrayBalloonKind::Warning) icon = QSystemTrayIcon::Warning;
    if (kind == TrayBalloonKind::Error) icon = QSystemTrayIcon::Critical;
    if (icon_->isVisible()) icon_->showMessage(Q(title), Q(text), icon, timeoutMs);
}

bool QtTrayIcon::Available() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void QtTrayIcon::Delete() {
    if (icon_) icon_->hide();
}

}  // namespace dlk
