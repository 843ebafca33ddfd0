#pragma once

#include <functional>
#include <vector>

namespace dlk {

// One step of painting the tabs: a tab (by index) or the card of a row.
struct TKtPaintStep {
    enum Kind { Tab, Card } What;
    int Index;
    friend bool operator==(const TKtPaintStep&, const TKtPaintStep&) = default;
};

struct TKtPaintWalkInput {
    int Count = 0;
    int RowCount = 1;
    int TabIndex = -1;  // past the end counts as no selection
    int FirstShownTab = -1;
    std::function<bool(int)> Visible;
    std::function<int(int)> Row;
    std::function<bool(int)> Drawable;  // visible and, on a scrolled strip, wholly shown
};

// The order in which tabs and cards are painted: rows from the farthest back,
// each row's card over the rows behind it, the selected tab after all others
// and the card of row 0 last.
std::vector<TKtPaintStep> PaintWalk(const TKtPaintWalkInput& in);

}  // namespace dlk
