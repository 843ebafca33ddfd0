#pragma once

#include <QRegion>

#include "framework/core/geometry.h"

namespace dlk {

// A set of pixels for clipping and hit tests, with the classic rules: a
// rectangle or polygon leaves out its right and bottom edges, and a polygon
// that crosses itself is filled by the alternate (odd-even) rule.
class TRegion {
public:
    TRegion() = default;
    static TRegion FromRect(const TRect& r);
    static TRegion FromPolygon(const TPoint* points, int count);

    bool IsEmpty() const { return region_.isEmpty(); }
    bool Contains(TPoint p) const { return region_.contains(QPoint(p.X, p.Y)); }
    const QRegion& ToQRegion() const { return region_; }
    friend bool operator==(const TRegion& a, const TRegion& b) { return a.region_ == b.region_; }

private:
    explicit TRegion(QRegion r) : region_(std::move(r)) {}
    QRegion region_;
};

}  // namespace dlk
