#pragma once

#include "framework/core/geometry.h"
#include "tabs/core/strip_geometry.h"
#include "tabs/core/tab_data.h"

namespace dlk {

// Whether a tab (its layout rectangle) lies wholly in the shown part of a
// single row scrolled by scrollOffset, beside the scroller and the buttons.
bool TabWithinShownStrip(const TKtStripGeometryInput& in, const TRect& tab, int scrollOffset, int buttonSize,
                         int closeSize, int menuSize);

// Renumbers the rows so that the row of tab `selected` lies next to the card,
// the others keeping their cyclic order; every tab keeps its place along its
// row and takes the across position of its new row.
void RotateTabRows(TKtTabDataList& tabs, int selected);

}  // namespace dlk
