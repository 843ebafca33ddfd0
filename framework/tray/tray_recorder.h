#pragma once

#include <string>
#include <vector>

#include "framework/tray/tray_icon.h"

namespace dlk {

// A tray icon that only remembers, for tests.
class TrayRecorder : public TrayIconHost {
public:
    struct Balloon {
        std::string Title;
        std::string Text;
        int TimeoutMs = 0;
        TrayBalloonKind Kind = TrayBalloonKind::None;
    };

    void Add(QObject* window, unsigned callbackMessage, std::string_view iconName, const QIcon&,
             std::string_view tip) override {
        Window = window;
        CallbackMessage = callbackMessage;
        Added = true;
        Icon = iconName;
        IconChanges.push_back(Icon);
        Tip = TrayTipText(tip);
    }
    void SetIcon(std::string_view iconName, const QIcon&) override {
        Icon = iconName;
        IconChanges.push_back(Icon);
    }
    void SetTip(std::string_view tip) override { Tip = TrayTipText(tip); }
    void ShowBalloon(std::string_view title, std::string_view text, int timeoutMs, TrayBalloonKind kind) override {
        Balloons.push_back({std::string(title), std::string(text), timeoutMs, kind});
    }
    void Delete() override {
        if (Added) Deleted = true;
        Added = false;
    }
    bool Available() const override { return TrayAvailable; }

    bool TrayAvailable = true;  // false: a desktop without a notification area
    QObject* Window = nullptr;
    unsigned CallbackMessage = 0;
    bool Added = false;
    bool Deleted = false;
    std::string Icon;
    std::vector<std::string> IconChanges;
    std::string Tip;
    std::vector<Balloon> Balloons;
};

}  // namespace dlk
