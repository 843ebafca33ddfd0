#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "client/core/table/modem_table.h"

namespace dlk::client {

// What one painted row shows, copied out of the table so that painting runs
// without TableLock.
struct ListRow {
    int Y = 0;  // top of the row on the surface
    bool Selected = false;
    bool Online = false;
    bool Paused = false;
    std::string Name;  // UTF-8
    std::string Imei;
    std::string Received;
    std::string Sent;
    std::string OnTime;
    std::string OffTime;
    std::string Address;
    int SignalLevel = 0;  // 0..5: levels above 5 show the strongest bars
    bool BatteryAlarm = false;
};

struct ListScrollBar {
    bool Visible = false;
    int Page = 0;
    int Position = 0;
    int Max = 0;  // the range is 0..Max
};

// One paint of the list: a surface of Width by Height (the client area below
// the header) and the rows that fall on it.
struct ListFrame {
    int Width = 0;
    int Height = 0;
    ListScrollBar ScrollBar;
    std::vector<ListRow> Rows;
};

// Takes a frame for a client area of clientWidth by clientHeight: clears
// RepaintNeeded, pulls a scroll offset past the list's end back, works out
// the scroll bar and copies the visible rows. Nothing is returned when the
// area below the header is empty (the window is too low to show a row).
// The caller holds TableLock.
bool TakeListFrame(ModemTable& table, int clientWidth, int clientHeight, ListFrame& frame);

}  // namespace dlk::client
