#include "client/core/list/list_input.h"

#include <limits>

#include "client/core/list/modem_sort.h"
#include "client/core/table/pause_rules.h"

namespace dlk::client {
namespace {

// Rows per page. A window too low for a whole page (below 52 pixels) has no
// page size, and a page key then runs to the first or last row.
int PageRows(int clientHeight) {
    const int rows = clientHeight >= 36 ? (clientHeight - 36) / kListRowHeight : 0;
    return rows > 0 ? rows : std::numeric_limits<int>::max();
}

void StepUp(ModemTable& t) {
    t.SelectedRow -= 1;
    const int above = t.SelectedRow * kListRowHeight - t.ScrollOffset;
    if (above < 0) t.ScrollOffset += above;
}

void StepDown(ModemTable& t, int clientHeight) {
    t.SelectedRow += 1;
    const int below = t.SelectedRow * kListRowHeight - t.ScrollOffset - clientHeight + 37;
    if (below > 0) t.ScrollOffset += below;
}

}  // namespace

KeyResult ListKeyDown(ModemTable& t, ListKey key, int clientHeight) {
    const int last = static_cast<int>(t.ModemTableCount()) - 1;
    switch (key) {
        case ListKey::Enter: return t.SelectedRow != -1 ? KeyResult::OpenProperties : KeyResult::None;
        case ListKey::PageUp:
        case ListKey::Up: {
            if (t.SelectedRow <= 0) return KeyResult::None;
            const int steps = key == ListKey::Up ? 1 : PageRows(clientHeight);
            for (int i = 0; i < steps && t.SelectedRow > 0; ++i) StepUp(t);
            return KeyResult::Repaint;
        }
        case ListKey::PageDown:
        case ListKey::Down: {
            if (t.SelectedRow >= last) return KeyResult::None;
            const int steps = key == ListKey::Down ? 1 : PageRows(clientHeight);
            for (int i = 0; i < steps && t.SelectedRow < last; ++i) StepDown(t, clientHeight);
            return KeyResult::Repaint;
        }
        case ListKey::End: {
            if (t.SelectedRow >= last) return KeyResult::None;
            const int listHeight = (last + 1) * kListRowHeight;
            const int visible = clientHeight - kListHeaderHeight;
            // The list's paint pulls an offset past the end back into range.
            t.ScrollOffset = visible > 0 ? listHeight - listHeight % visible : listHeight;
            t.SelectedRow = last;
            return KeyResult::Repaint;
        }
        case ListKey::Home:
            if (t.SelectedRow <= 0) return KeyResult::None;
            t.SelectedRow = 0;
            t.ScrollOffset = 0;
            return KeyResult::Repaint;
        case ListKey::Other: break;
    }
    return KeyResult::None;
}

KeyResult ListWheel(ModemTable& t, bool down, int clientHeight) {
    return ListKeyDown(t, down ? ListKey::Down : ListKey::Up, clientHeight);
}

void ListMouseDown(ModemTable& t, int x, int y, std::uint8_t oneModemActive) {
    const int offset = y - kListHeaderHeight + t.ScrollOffset;
    int row = offset >= 0 ? offset / kListRowHeight : -1;
    if (row >= t.ModemTableCount()) row = -1;
    if (x > kPauseColumnRight) {
        t.SelectedRow = row;
    } else if (row != -1) {
        ClickPause(t, static_cast<std::uint16_t>(EntryOfRow(t, row)), oneModemActive);
    }
}

void ListHeaderClick(ModemTable& t, int section, int clientHeight) {
    if (!ListHeaderChoose(t, section)) return;
    SortModems(t, section);
    ListKeepSelectionInView(t, clientHeight);
}

bool ListHeaderChoose(ModemTable& t, int section) {
    if (section < 0 || section >= kModemListColumnCount) return false;
    if (section == t.SortColumn) {
        t.SortDescending = t.SortDescending ? 0 : 1;
    } else {
        t.SortColumn = static_cast<std::uint8_t>(section);
        t.SortDescending = 0;
    }
    return true;
}

void ListKeepSelectionInView(ModemTable& t, int clientHeight) {
    if (t.SelectedRow != -1) {
        const int a = t.SelectedRow * kListRowHeight - t.ScrollOffset;
        if (clientHeight < a + 36) {
            t.ScrollOffset += a - clientHeight + 37;
        } else if (a < 0) {
            t.ScrollOffset += a;
        }
    }
}

void ListScroll(ModemTable& t, int position, int max, int page) {
    if (position > max - page) position = max - page + 1;
    t.ScrollOffset = position < 0 ? 0 : position;
}

int PropertiesEntry(const ModemTable& t, int cursorX) {
    if (cursorX <= kPauseColumnRight) return -1;
    return EntryOfRow(t, t.SelectedRow);
}

}  // namespace dlk::client
