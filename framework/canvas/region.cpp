#include "framework/canvas/region.h"

#include <QPolygon>

namespace dlk {

TRegion TRegion::FromRect(const TRect& r) {
    if (r.IsEmpty()) return {};
    return TRegion(QRegion(r.Left, r.Top, r.Width(), r.Height()));
}

TRegion TRegion::FromPolygon(const TPoint* points, int count) {
    if (count < 3) return {};
    QPolygon polygon;
    polygon.reserve(count);
    for (int i = 0; i < count; ++i) polygon << QPoint(points[i].X, points[i].Y);
    return TRegion(QRegion(polygon, Qt::OddEvenFill));
}

}  // namespace dlk
