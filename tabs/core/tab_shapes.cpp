#include "tabs/core/tab_shapes.h"

#include <cstdint>
#include <initializer_list>

namespace dlk {

TRect ShapeRect(const TRect& layoutRect, int row, int rowIndent, TKtTabSequence sequence, TKtTabStyle style,
                bool selected) {
    TRect r = layoutRect;
    if (row > 0) {
        const int shift = sequence == TKtTabSequence::tsStandard ? row * rowIndent : -row * rowIndent;
        r.Left += shift;
        r.Right += shift;
    }
    if (style == TKtTabStyle::tsRoundCorners && selected) {
        r.Left -= 2;
        r.Right += 2;
        r.Top -= 2;
    }
    return r;
}

namespace {

TKtTabShape Shape(std::initializer_list<TPoint> points) {
    TKtTabShape shape;
    for (const TPoint& p : points) shape.Points[std::size_t(shape.Count++)] = p;
    return shape;
}

}  // namespace

TKtTabShape ShapePoints(const TRect& r, TKtTabStyle style, bool softCorners, int cutCornerSize) {
    const int L = r.Left;
    const int T = r.Top;
    const int R = r.Right;
    const int B = r.Bottom;
    const int h = B - T;
    switch (style) {
        case TKtTabStyle::tsSingleSlant:
            if (softCorners) return Shape({{L, B}, {L, T + 2}, {L + 2, T}, {R - h - 4, T}, {R - h + 2, T + 2}, {R, B}});
            return Shape({{L, B}, {L, T + 2}, {L + 2, T}, {R - h, T}, {R, B}});
        case TKtTabStyle::tsDoubleSlant:
            if (softCorners)
                return Shape({{L, B}, {L + h - 2, T + 2}, {L + h + 4, T}, {R - h - 4, T}, {R - h + 2, T + 2}, {R, B}});
            return Shape({{L, B}, {L + h, T}, {R - h, T}, {R, B}});
        case TKtTabStyle::tsCutCorner:
            return Shape({{L, B}, {L, T}, {R - cutCornerSize, T}, {R, T + cutCornerSize}, {R, B}});
        case TKtTabStyle::tsRoundCorners:
            return Shape({{L, B}, {L, T + 2}, {L + 2, T}, {R - 2, T}, {R, T + 2}, {R, B}});
        case TKtTabStyle::tsBackSlant:
            if (softCorners) return Shape({{L, B}, {L + h - 2, T + 2}, {L + h + 4, T}, {R - 2, T}, {R, T + 2}, {R, B}});
            return Shape({{L, B}, {L + h, T}, {R - 2, T}, {R, T + 2}, {R, B}});
    }
    return {};
}

int ExpectedShapePointCount(TKtTabStyle style, bool softCorners) {
    switch (style) {
        case TKtTabStyle::tsSingleSlant:
        case TKtTabStyle::tsBackSlant: return softCorners ? 6 : 5;
        case TKtTabStyle::tsDoubleSlant: return softCorners ? 6 : 4;
        case TKtTabStyle::tsCutCorner: return 5;
        case TKtTabStyle::tsRoundCorners: return 6;
    }
    return 0;
}

std::vector<TPoint> ClipPolygon(const TPoint* points, int count, const TRect& rect) {
    std::vector<TPoint> in(points, points + count), out;
    // One side of the rectangle at a time: keep what lies on its inner side
    // and put a point where an edge crosses it.
    auto clip = [&](auto inside, auto cross) {
        out.clear();
        for (std::size_t i = 0; i < in.size(); ++i) {
            const TPoint a = in[i], b = in[(i + 1) % in.size()];
            if (inside(a)) out.push_back(a);
            if (inside(a) != inside(b)) out.push_back(cross(a, b));
        }
        in.swap(out);
    };
    // Where the edge a-b meets the line at v of one axis, the other axis's
    // value at that place, in 64 bits: the shapes clipped here are huge.
    auto at = [](int v, int a1, int a2, int b1, int b2) {
        return int(b1 + (std::int64_t(b2) - b1) * (std::int64_t(v) - a1) / (std::int64_t(a2) - a1));
    };
    clip([&](TPoint p) { return p.X >= rect.Left; },
         [&](TPoint a, TPoint b) {
             return TPoint{rect.Left, at(rect.Left, a.X, b.X, a.Y, b.Y)};
         });
    clip([&](TPoint p) { return p.X <= rect.Right; },
         [&](TPoint a, TPoint b) {
             return TPoint{rect.Right, at(rect.Right, a.X, b.X, a.Y, b.Y)};
         });
    clip([&](TPoint p) { return p.Y >= rect.Top; },
         [&](TPoint a, TPoint b) {
             return TPoint{at(rect.Top, a.Y, b.Y, a.X, b.X), rect.Top};
         });
    clip([&](TPoint p) { return p.Y <= rect.Bottom; },
         [&](TPoint a, TPoint b) {
             return TPoint{at(rect.Bottom, a.Y, b.Y, a.X, b.X), rect.Bottom};
         });
    return in;
}

}  // namespace dlk
