#pragma once

#include <array>
#include <vector>

#include "framework/core/geometry.h"
#include "tabs/core/tab_types.h"

namespace dlk {

// A tab's outline in strip coordinates: x runs along the strip, y across it,
// the smaller y on the outer edge and the largest on the card.
struct TKtTabShape {
    std::array<TPoint, 6> Points{};
    int Count = 0;
};

// The rectangle a tab is drawn in, in strip coordinates: its layout rectangle
// moved along the strip by its row's indent (back for a reversed strip); a
// selected round-cornered tab stands 2 pixels out at both ends and outward.
TRect ShapeRect(const TRect& layoutRect, int row, int rowIndent, TKtTabSequence sequence, TKtTabStyle style,
                bool selected);

// The outline points of a tab of style inside r (strip coordinates).
TKtTabShape ShapePoints(const TRect& r, TKtTabStyle style, bool softCorners, int cutCornerSize);

// How many points the outline of a style has; the outline refuses any other.
int ExpectedShapePointCount(TKtTabStyle style, bool softCorners);

// The part of a polygon that lies within rect (its edges included), as a
// polygon again: what a region needs of a shape far larger than the control.
std::vector<TPoint> ClipPolygon(const TPoint* points, int count, const TRect& rect);

}  // namespace dlk
