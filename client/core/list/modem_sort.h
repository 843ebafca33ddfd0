#pragma once

#include <cstdint>

#include "client/core/table/modem_table.h"

namespace dlk {

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

// The entry shown in row, or -1 outside the table.
int EntryOfRow(const ModemTable& table, int row);

}  // namespace dlk
