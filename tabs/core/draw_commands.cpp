#include "tabs/core/draw_commands.h"

#include <algorithm>

#include "tabs/core/tab_errors.h"

namespace dlk {

namespace {

bool HasPoint(std::int32_t kind) {
    return kind >= dcHead && kind <= dcLightShadow;
}

}  // namespace

void TKtDrawCommands::Add(TKtDrawCommand kind, int x, int y) {
    entries_.push_back(kind);
    entries_.push_back(x);
    entries_.push_back(y);
}

bool TKtDrawCommands::HasShadow() const {
    for (std::size_t i = 0; i < entries_.size(); i += HasPoint(entries_[i]) ? 3 : 1)
        if (entries_[i] == dcDarkShadow || entries_[i] == dcLightShadow) return true;
    return false;
}

std::vector<TPoint> ShadowLinePixels(TPoint from, TPoint to) {
    std::vector<TPoint> pixels;
    if (from.X == to.X) {
        for (int y = std::min(from.Y, to.Y); y <= std::max(from.Y, to.Y); ++y) pixels.push_back({from.X, y});
        return pixels;
    }
    const int y = from.X < to.X ? from.Y : to.Y;
    for (int x = std::min(from.X, to.X); x <= std::max(from.X, to.X); ++x) pixels.push_back({x, y});
    return pixels;
}

void RunDrawCommands(const TKtDrawCommands& commands, TKtDrawTarget& target) {
    const auto& e = commands.Entries();
    TPoint pen;
    target.UseFrameColor();
    for (std::size_t i = 0; i < e.size();) {
        const std::int32_t kind = e[i];
        if (!HasPoint(kind)) {
            if (kind == dcFrameColor) target.UseFrameColor();
            ++i;
            continue;
        }
        if (i + 2 >= e.size()) return;
        const TPoint p{e[i + 1], e[i + 2]};
        i += 3;
        switch (kind) {
            case dcHead: target.UseFrameColor(); break;
            case dcMove: target.MoveTo(p); break;
            case dcLine: target.LineTo(p); break;
            default:
                for (const TPoint& q : ShadowLinePixels(pen, p))
                    target.ShadowPixel(q, kind == dcDarkShadow ? kDarkShadow : kLightShadow);
                target.MoveTo(p);
                break;
        }
        if (kind != dcHead) pen = p;
    }
}

void AppendTabOutline(TKtDrawCommands& list, TKtTabStyle style, bool softCorners, TKtTabOrientation orientation,
                      const TKtTabShape& client) {
    if (client.Count != ExpectedShapePointCount(style, softCorners)) throw EKtTabControlError(kTabShapePointsError);
    const auto& c = client.Points;
    list.Add(dcFrameColor);
    if (style != TKtTabStyle::tsRoundCorners) {
        list.Add(dcMove, c[0]);
        for (int i = 1; i < client.Count; ++i) list.Add(dcLine, c[std::size_t(i)]);
        return;
    }
    // The order decides which corner pixels are set: every line leaves out its end.
    if (orientation == TKtTabOrientation::toLeft) {
        list.Add(dcMove, c[1]);
        list.Add(dcLine, c[0]);
        list.Add(dcMove, c[1]);
        list.Add(dcLine, c[2]);
        list.Add(dcMove, c[2]);
        for (std::size_t i : {3, 4, 5}) list.Add(dcLine, c[i]);
    } else {
        list.Add(dcMove, c[4]);
        list.Add(dcLine, c[5]);
        list.Add(dcMove, c[4]);
        list.Add(dcLine, c[3]);
        list.Add(dcMove, c[3]);
        for (std::size_t i : {2, 1, 0}) list.Add(dcLine, c[i]);
    }
}

namespace {

// Two pixels of shadow along the right and bottom sides, the inner line darker.
void AppendShadow(TKtDrawCommands& list, TPoint B, TPoint C, TPoint D) {
    list.Add(dcMove, B.X - 1, B.Y + 1);
    list.Add(dcDarkShadow, C.X - 1, C.Y - 1);
    list.Add(dcDarkShadow, D.X, D.Y - 1);
    list.Add(dcMove, B.X - 1, B.Y);
    list.Add(dcLightShadow, B);
    list.Add(dcLightShadow, C);
    list.Add(dcLightShadow, D);
    list.Add(dcLightShadow, D.X, D.Y - 1);
}

// The single pixel at E, which the lines towards and away from it leave out.
void AppendClosingPixel(TKtDrawCommands& list, TPoint E) {
    list.Add(dcMove, E);
    list.Add(dcLine, E);
    list.Add(dcLine, E.X + 1, E.Y);
}

void AppendOpenFrame(TKtDrawCommands& list, const TKtCardFrame& f, bool shadowed) {
    const TRect& K = f.Card;
    const TPoint A{K.Left, K.Top}, B{K.Right, K.Top}, C{K.Right, K.Bottom}, D{K.Left, K.Bottom};
    const TPoint S = f.S, E = f.E;
    const bool full = f.ShowFullFrame;
    auto move = [&](TPoint p) { list.Add(dcMove, p); };
    auto line = [&](std::initializer_list<TPoint> points) {
        for (const TPoint& p : points) list.Add(dcLine, p);
    };
    auto shadow = [&] { AppendShadow(list, B, C, D); };
    list.Add(dcFrameColor);
    if (f.Style != TKtTabStyle::tsRoundCorners) {
        switch (f.Orientation) {
            case TKtTabOrientation::toTop:
                move(A), line({S}), move(E);
                if (shadowed) {
                    line({Point(B.X - 2, B.Y)});
                    if (full) line({Point(C.X - 2, C.Y - 2), Point(D.X, D.Y - 2), Point(A.X, A.Y - 1)});
                    shadow();
                } else if (full) {
                    line({B, C, D, A});
                } else {
                    line({Point(B.X + 1, B.Y)});
                }
                return;
            case TKtTabOrientation::toLeft:
                if (full) return move(A), line({B, C, D, S}), move(E), line({A});
                return move(Point(D.X - 1, D.Y)), line({Point(S.X - 1, S.Y)}), move(Point(E.X - 1, E.Y)),
                       line({Point(A.X - 1, A.Y - 1)});
            case TKtTabOrientation::toBottom:
                if (full) return move(A), line({B, C, Point(E.X - 1, E.Y)}), move(Point(S.X - 1, E.Y)), line({D, A});
                return move(Point(C.X, C.Y + 1)), line({Point(E.X - 1, E.Y + 1)}), move(Point(S.X - 1, E.Y + 1)),
                       line({Point(D.X - 1, D.Y + 1)});
            case TKtTabOrientation::toRight:
                if (full) return move(A), line({B, S}), move(E), line({C, D, A});
                return move(Point(B.X + 1, B.Y)), line({Point(S.X + 1, S.Y)}), move(Point(E.X + 1, E.Y)),
                       line({Point(C.X + 1, C.Y + 1)});
        }
        return;
    }
    switch (f.Orientation) {
        case TKtTabOrientation::toTop:
            if (shadowed) {
                move(Point(D.X, D.Y - 2)), line({A, S}), move(E);
                line({Point(B.X - 2, B.Y), Point(C.X - 2, C.Y - 2), Point(D.X - 1, D.Y - 2)});
                shadow();
                list.Add(dcFrameColor);
            } else if (full) {
                move(D), line({A, S}), move(E), line({B, C, Point(D.X - 1, D.Y)});
            } else {
                move(A), line({S}), move(E), line({Point(B.X + 1, B.Y)});
            }
            return AppendClosingPixel(list, E);
        case TKtTabOrientation::toLeft:
            if (full) return move(D), line({S}), move(E), line({A, B, C, Point(D.X - 1, D.Y)});
            return move(Point(D.X - 1, D.Y)), line({Point(S.X - 1, S.Y)}), move(Point(E.X - 1, E.Y)),
                   line({Point(A.X - 1, A.Y)});
        case TKtTabOrientation::toBottom:
            if (full) return move(D), line({A, B, C, Point(E.X - 1, E.Y)}), move(Point(S.X - 1, S.Y)), line({D});
            return move(Point(C.X, C.Y + 1)), line({Point(E.X - 1, E.Y + 1)}), move(Point(S.X - 1, E.Y + 1)),
                   line({Point(D.X - 1, D.Y + 1)});
        case TKtTabOrientation::toRight:
            if (full)
                return move(D), line({A, Point(B.X + 1, B.Y)}), move(B), line({S}), move(E),
                       line({C, Point(D.X - 1, D.Y)});
            return move(Point(B.X + 1, B.Y)), line({Point(S.X + 1, S.Y)}), move(Point(E.X + 1, E.Y)),
                   line({Point(C.X + 1, C.Y + 1)});
    }
}

}  // namespace

void AppendCardFrame(TKtDrawCommands& list, const TKtCardFrame& f) {
    const bool shadowed =
        f.Orientation == TKtTabOrientation::toTop && f.Sequence == TKtTabSequence::tsStandard && f.ShowShadow;
    if (f.Open) return AppendOpenFrame(list, f, shadowed);
    const TRect& K = f.Card;
    const TPoint A{K.Left, K.Top}, B{K.Right, K.Top}, C{K.Right, K.Bottom}, D{K.Left, K.Bottom};
    list.Add(dcFrameColor);
    list.Add(dcMove, A);
    if (shadowed) {
        // All four sides, whatever ShowFullFrame says: the shadow needs them.
        list.Add(dcLine, B.X - 2, B.Y);
        list.Add(dcLine, C.X - 2, C.Y - 2);
        list.Add(dcLine, D.X, D.Y - 2);
        list.Add(dcLine, A);
        AppendShadow(list, B, C, D);
        return;
    }
    list.Add(dcLine, B);
    if (f.ShowFullFrame) {
        list.Add(dcLine, C);
        list.Add(dcLine, D);
        list.Add(dcLine, A);
    }
}

}  // namespace dlk
