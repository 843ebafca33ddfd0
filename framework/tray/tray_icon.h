#pragma once

#include <QIcon>
#include <string>
#include <string_view>

class QObject;

namespace dlk {

enum class TrayBalloonKind : std::uint8_t { None = 0, Information = 1, Warning = 2, Error = 3 };

// The program's icon in the notification area. The shell's tip field holds
// 63 characters; longer tips are cut there. Clicks come back to the window
// as posted messages: Add names the window and the message, and the mouse
// event (WM_LBUTTONUP, WM_RBUTTONDOWN) is the message's lParam.
class TrayIconHost {
public:
    virtual ~TrayIconHost() = default;
    static constexpr std::size_t kTipLimit = 63;

    virtual void Add(QObject* window, unsigned callbackMessage, std::string_view iconName, const QIcon& icon,
                     std::string_view tip) = 0;
    virtual void SetIcon(std::string_view iconName, const QIcon& icon) = 0;
    virtual void SetTip(std::string_view tip) = 0;
    virtual void ShowBalloon(std::string_view title, std::string_view text, int timeoutMs, TrayBalloonKind kind) = 0;
    virtual void Delete() = 0;
    // False where the desktop has no notification area: the icon would
    // never show, so the program has to be reached through its window.
    virtual bool Available() const = 0;
};

// The tip as the shell keeps it: at most kTipLimit characters (UTF-8 kept whole).
std::string TrayTipText(std::string_view tip);

}  // namespace dlk
