#pragma once

#include "tabs/core/tab_data.h"

namespace dlk {

// Brings the row of tab `selected` next to the card (row 0); the rows keep
// their cyclic order and every tab its place along its row. Only the visible
// tabs move. A tab whose new row holds no visible tab to copy from keeps its
// Top and Bottom.
void RotateTabRows(TKtTabDataList& tabs, int selected);

}  // namespace dlk
