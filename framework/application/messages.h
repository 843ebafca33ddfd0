#pragma once

#include <QEvent>
#include <cstdint>

class QObject;

namespace dlk {

// A window message as the programs handle them.
struct TMessage {
    unsigned Msg = 0;
    std::uintptr_t WParam = 0;
    std::intptr_t LParam = 0;
    std::intptr_t Result = 0;
};

constexpr unsigned WM_SETFOCUS = 0x0007;
constexpr unsigned WM_KILLFOCUS = 0x0008;
constexpr unsigned WM_TIMER = 0x0113;
constexpr unsigned WM_SYSCOMMAND = 0x0112;
constexpr unsigned WM_UPDATEUISTATE = 0x0128;
constexpr unsigned WM_MOUSEWHEEL = 0x020A;
constexpr unsigned WM_USER = 0x0400;
constexpr unsigned SC_MINIMIZE = 0xF020;
// The framework's own notifications, through the window procedure like any
// message: a hooked procedure sees them, and the default step calls the
// control's virtual (MouseEnter, MouseLeave, ShowingChanged).
constexpr unsigned CM_BASE = 0xB000;
constexpr unsigned CM_VISIBLECHANGED = CM_BASE + 4;  // WParam: the new Visible
constexpr unsigned CM_TEXTCHANGED = CM_BASE + 18;    // the caption changed
constexpr unsigned CM_MOUSEENTER = CM_BASE + 19;
constexpr unsigned CM_MOUSELEAVE = CM_BASE + 20;
constexpr unsigned CM_SHOWINGCHANGED = CM_BASE + 25;

constexpr std::intptr_t WM_LBUTTONUP = 0x0202;
constexpr std::intptr_t WM_RBUTTONDOWN = 0x0204;

// A posted message on its way to the window's thread.
class MessageEvent : public QEvent {
public:
    explicit MessageEvent(const TMessage& message) : QEvent(EventType()), Message(message) {}
    static QEvent::Type EventType();
    TMessage Message;
};

// Queues the message for target's thread and returns at once; safe from any
// thread. Pending messages die with their target.
void PostMessage(QObject* target, unsigned msg, std::uintptr_t wparam, std::intptr_t lparam);

}  // namespace dlk
