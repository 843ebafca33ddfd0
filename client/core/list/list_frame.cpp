#include "client/core/list/list_frame.h"

#include <algorithm>

#include "client/core/list/list_input.h"
#include "client/core/list/modem_sort.h"
#include "client/core/list/row_texts.h"
#include "platform/encoding/cp1251.h"

namespace dlk::client {
namespace {

constexpr int kStrongestSignalImage = 5;

ListRow RowOf(const ModemEntry& e, int y, bool selected) {
    ListRow row;
    row.Y = y;
    row.Selected = selected;
    row.Online = e.Online != 0;
    row.Paused = e.Paused != 0;
    row.Name = Cp1251ToUtf8(e.Name.Text());
    row.Imei = ImeiToText(e.Imei);
    row.Received = ReceivedText(e.BytesReceived, e.BytesUnpacked);
    row.Sent = std::to_string(e.BytesSent);
    row.OnTime = TimeOfDayText(e.OnTime);
    row.OffTime = TimeOfDayText(e.OffTime);
    row.Address = AddressText(e.Address, e.Port);
    row.SignalLevel = std::min<int>(e.SignalLevel, kStrongestSignalImage);
    row.BatteryAlarm = e.BatteryAlarm != 0;
    return row;
}

}  // namespace

bool TakeListFrame(ModemTable& t, int clientWidth, int clientHeight, ListFrame& frame) {
    t.RepaintNeeded = false;
    const int h = clientHeight - kListHeaderHeight;
    if (clientWidth <= 0 || h <= 0) return false;

    frame.Width = clientWidth;
    frame.Height = h;
    frame.Rows.clear();
    const int n = t.ModemTableCount();
    const int listHeight = n * kListRowHeight;

    if (t.ScrollOffset != 0 && listHeight - t.ScrollOffset + 1 < h) {
        t.ScrollOffset = std::max(0, listHeight + 1 - h);
    }
    if (t.ScrollOffset < 0) t.ScrollOffset = 0;

    frame.ScrollBar = ListScrollBar{};
    if (listHeight > h) {
        frame.ScrollBar = ListScrollBar{true, h, t.ScrollOffset, listHeight};
    }

    const int selected = EntryOfRow(t, t.SelectedRow);
    int y = -(t.ScrollOffset % kListRowHeight);
    for (int r = t.ScrollOffset / kListRowHeight; r < n && y < h; ++r, y += kListRowHeight) {
        const int entry = t.Entries[static_cast<std::size_t>(r)].RowOrder;
        if (entry >= n) continue;  // a permutation the table no longer has: nothing to show
        frame.Rows.push_back(RowOf(t.Entries[static_cast<std::size_t>(entry)], y, entry == selected));
    }
    return true;
}

}  // namespace dlk::client
