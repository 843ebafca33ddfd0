#include "tabs/core/paint_walk.h"

namespace dlk {

std::vector<TKtPaintStep> PaintWalk(const TKtPaintWalkInput& in) {
    std::vector<TKtPaintStep> steps;
    const int n = in.Count;
    const bool selected = in.TabIndex >= 0 && in.TabIndex < n;
    if (n > 0) {
        int first = 0;
        for (int i = 0; i < n; ++i)
            if (in.Visible(i) && in.Row(i) == 0) {
                first = i;
                break;
            }
        // Backwards from just before row 0's first tab, wrapping, each index once.
        const int start = first == 0 ? n - 1 : first - 1;
        int row = in.RowCount - 1;
        int i = start;
        do {
            if (in.Drawable(i) && i >= in.FirstShownTab && i != in.TabIndex) {
                if (in.Row(i) < row && row > 0) {
                    steps.push_back({TKtPaintStep::Card, row});
                    row = in.Row(i);
                }
                steps.push_back({TKtPaintStep::Tab, i});
            }
            i = i == 0 ? n - 1 : i - 1;
        } while (i != start);
        if (row == 1) steps.push_back({TKtPaintStep::Card, 1});
        if (selected && in.TabIndex >= in.FirstShownTab && in.Drawable(in.TabIndex))
            steps.push_back({TKtPaintStep::Tab, in.TabIndex});
    }
    steps.push_back({TKtPaintStep::Card, 0});
    return steps;
}

}  // namespace dlk
