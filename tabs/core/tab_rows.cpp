#include "tabs/core/tab_rows.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace dlk {

bool TabWithinShownStrip(const TKtStripGeometryInput& in, const TRect& tab, int scrollOffset, int buttonSize,
                         int closeSize, int menuSize) {
    const int avail = StripLength(in) - 2 * buttonSize - 2 * in.Margin - ButtonsRoom(in, closeSize, menuSize);
    const int o = scrollOffset;
    if (in.Sequence == TKtTabSequence::tsStandard) return o <= tab.Left && tab.Right - o <= avail;
    return o >= tab.Right && o - tab.Left <= avail;
}

void RotateTabRows(TKtTabDataList& tabs, int selected) {
    if (selected < 0 || selected >= tabs.Count()) return;
    int last = -1;
    for (int i = 0; i < tabs.Count(); ++i)
        if (tabs.Items(i)->TabVisible) last = std::max(last, tabs.Items(i)->Row);
    if (last < 0) return;
    // Each row's across position, from its first visible tab.
    std::vector<std::optional<TRect>> across(std::size_t(last) + 1);
    for (int i = 0; i < tabs.Count(); ++i) {
        const TKtTabData& t = *tabs.Items(i);
        if (t.TabVisible && t.Row >= 0 && !across[std::size_t(t.Row)]) across[std::size_t(t.Row)] = t.LayoutRect;
    }
    const int rows = last + 1;
    const int shift = ((last - tabs.Items(selected)->Row + 1) % rows + rows) % rows;
    for (int i = 0; i < tabs.Count(); ++i) {
        TKtTabData& t = *tabs.Items(i);
        if (!t.TabVisible) continue;
        t.Row = ((t.Row + shift) % rows + rows) % rows;
        // A row without a visible tab has no position to give: the tab keeps
        // its own.
        if (const auto& r = across[std::size_t(t.Row)]) {
            t.LayoutRect.Top = r->Top;
            t.LayoutRect.Bottom = r->Bottom;
        }
    }
}

}  // namespace dlk
