#pragma once

#include <cstdint>

#include "client/core/table/modem_table.h"

namespace dlk::client {

// The list's answers to the user. Each works on the table's list state
// (SelectedRow, ScrollOffset, SortColumn, SortDescending) and expects the
// caller to hold TableLock. Heights are the window's client height, header
// included; the rows start 20 pixels down.

inline constexpr int kListHeaderHeight = 20;
inline constexpr int kListRowHeight = 16;
inline constexpr int kPauseColumnRight = 17;  // x <= 17 is the pause column

enum class ListKey { Enter, PageUp, PageDown, End, Home, Up, Down, Other };

enum class KeyResult {
    None,            // nothing happened
    Repaint,         // the selection or scroll moved
    OpenProperties,  // Enter on a selected row: the properties dialog, if the cursor allows
};

KeyResult ListKeyDown(ModemTable& table, ListKey key, int clientHeight);

// One wheel notch acts as one Down (or Up) key.
KeyResult ListWheel(ModemTable& table, bool down, int clientHeight);

// A press of any mouse button at (x, y): right of the pause column it selects
// the row (or clears the selection below the last row); in the pause column
// it applies the pause rule to the row's modem. Always repaints.
void ListMouseDown(ModemTable& table, int x, int y, std::uint8_t oneModemActive);

// A header section was clicked: a second click on the sort column turns the
// direction, another column sorts ascending. The rows are sorted and the
// selected row scrolled into view.
void ListHeaderClick(ModemTable& table, int section, int clientHeight);
// The same click in the two steps around the sort, for a caller that sorts
// with the lock released between them: the column and direction (false for
// a section outside the list), then the selected row scrolled into view.
bool ListHeaderChoose(ModemTable& table, int section);
void ListKeepSelectionInView(ModemTable& table, int clientHeight);

// The scroll bar moved to position (its range ends at max, its page is page).
void ListScroll(ModemTable& table, int position, int max, int page);

// The entry the properties dialog is for: the selected row's, when the cursor
// lies right of the pause column. -1 otherwise.
int PropertiesEntry(const ModemTable& table, int cursorX);

}  // namespace dlk::client
