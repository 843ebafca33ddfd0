#pragma once

#include <QPointer>
#include <QSystemTrayIcon>
#include <memory>

#include "framework/tray/tray_icon.h"

namespace dlk {

// The tray icon on Qt's system tray icon. Where the desktop has no tray
// (offscreen), everything is kept and nothing shows.
class QtTrayIcon : public TrayIconHost {
public:
    QtTrayIcon();
    ~QtTrayIcon() override;
    void Add(QObject* window, unsigned callbackMessage, std::string_view iconName, const QIcon& icon,
             std::string_view tip) override;
    void SetIcon(std::string_view iconName, const QIcon& icon) override;
    void SetTip(std::string_view tip) override;
    void ShowBalloon(std::string_view title, std::string_view text, int timeoutMs, TrayBalloonKind kind) override;
    void Delete() override;
    bool Available() const override;

private:
    std::unique_ptr<QSystemTrayIcon> icon_;
    QPointer<QObject> window_;
    unsigned message_ = 0;
};

}  // namespace dlk
