#include "tabs/core/tab_rows.h"

#include <optional>
#include <vector>

namespace dlk {

void RotateTabRows(TKtTabDataList& tabs, int selected) {
    if (selected < 0 || selected >= tabs.Count()) return;
    int lastRow = -1;
    for (int i = 0; i < tabs.Count(); ++i)
        if (tabs.Items(i)->TabVisible && tabs.Items(i)->Row > lastRow) lastRow = tabs.Items(i)->Row;
    if (lastRow <= 0) return;
    const int rows = lastRow + 1;

    // One rectangle a row, taken before any tab moves.
    std::vector<std::optional<TRect>> across(static_cast<std::size_t>(rows));
    for (int i = 0; i < tabs.Count(); ++i) {
        const TKtTabData& t = *tabs.Items(i);
        if (t.TabVisible && t.Row >= 0 && !across[std::size_t(t.Row)]) across[std::size_t(t.Row)] = t.LayoutRect;
    }

    const int shift = ((lastRow - tabs.Items(selected)->Row + 1) % rows + rows) % rows;
    if (shift == 0) return;
    for (int i = 0; i < tabs.Count(); ++i) {
        TKtTabData& t = *tabs.Items(i);
        if (!t.TabVisible) continue;
        t.Row = ((t.Row + shift) % rows + rows) % rows;
        if (const auto& r = across[std::size_t(t.Row)]) {
            t.LayoutRect.Top = r->Top;
            t.LayoutRect.Bottom = r->Bottom;
        }
    }
}

}  // namespace dlk
