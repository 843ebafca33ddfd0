#pragma once

#include <cstdint>
#include <vector>

#include "client/core/table/modem_table.h"

namespace dlk::client {

inline constexpr int kModemListColumnCount = 7;

// True when a sorts after b by column: its own comparison, or on a tie the
// column's tie column, each level inverted when descending. The repeated
// inversion is what makes a tie one level down come out ascending in a
// descending list.
bool ModemGreater(const ModemEntry& a, const ModemEntry& b, int column, bool descending);

// Re-orders the rows (the RowOrder permutation) by column in the table's
// SortDescending direction; the selection stays on the modem it showed.
// The caller holds TableLock.
void SortModems(ModemTable& table, int column);

// The same sort for the window thread, without holding TableLock for the
// sort itself: the entries are copied out under short holds, the copy is
// sorted with the lock released, and the rows are written back under one
// more hold, so the receiver and the reader go on meanwhile. Entries
// appended since the copy keep their rows at the end until the next sort;
// a table emptied meanwhile is left alone. Only the window thread sorts or
// empties the table, so the rows cannot change under the copy. Takes
// TableLock itself; scratch keeps its room from one sort to the next.
void SortModemsOnCopy(ModemTable& table, std::vector<ModemEntry>& scratch);

// The entry shown in row, or -1 outside the table.
int EntryOfRow(const ModemTable& table, int row);

}  // namespace dlk::client
