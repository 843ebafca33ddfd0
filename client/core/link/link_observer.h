#pragma once

#include <cstdint>
#include <string_view>

#include "client/core/table/modem_table.h"

namespace dlk::client {

enum class TrayIcon : std::uint8_t { MAINICON, COLOR };
enum class BalloonIcon : std::uint8_t { Information = 1, Error = 3 };

// What the main window does for the link. The window implements it on its
// framework; tests implement it with recorders.
class LinkObserver {
public:
    virtual ~LinkObserver() = default;

    // Any thread, never while TableLock is held; must only post, never wait
    // for the window. The generation names the link that posted: a message
    // from a closed link is dropped by ClientLink::IsCurrentGeneration.
    virtual void PostModemState(std::uint32_t generation, std::uint16_t index, ModemStateChange change) = 0;
    virtual void PostServerState(std::uint32_t generation) = 0;

    // Any thread: the current time of day as a fraction of a day, no date.
    virtual double TimeOfDay() = 0;

    // Window thread only, never while TableLock is held.
    virtual void SetIcon(TrayIcon icon) = 0;
    virtual void SetTip(std::string_view text) = 0;  // UTF-8
    // Title "ДЛК-клиент", 30 seconds.
    virtual void ShowBalloon(std::string_view text, BalloonIcon icon) = 0;
    virtual void SetLinkTimer(bool running) = 0;  // Timer1, 1000 ms
    virtual void SortModems() = 0;                // by the current column; takes TableLock itself
    virtual void PaintList() = 0;                 // clears RepaintNeeded; takes TableLock itself
};

}  // namespace dlk::client
