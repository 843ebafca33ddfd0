#include "tabs/core/tab_layout.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace dlk {

namespace {

using S = TKtTabStyle;
using O = TKtTabOrientation;

bool Horizontal(const TKtStripGeometryInput& in) {
    return IsHorizontalStrip(in.Orientation);
}
int RoundInset(const TKtStripGeometryInput& in) {
    return in.Style == S::tsRoundCorners ? 4 : 0;
}
int Overlap(const TKtTabLayoutInput& in, int thickness) {
    return TabOverlapFor(in.Strip.Style, in.TabOverlap, thickness);
}

}  // namespace

int TabOverlapFor(TKtTabStyle style, int tabOverlap, int thickness) {
    switch (style) {
        case S::tsSingleSlant:
        case S::tsBackSlant: return thickness / 2;
        case S::tsDoubleSlant: return thickness;
        case S::tsCutCorner:
        case S::tsRoundCorners: return tabOverlap;
    }
    return 0;
}

TSize ImageSizeFor(const TKtTabLayoutInput& in, int imageIndex) {
    if (imageIndex == -1 || !in.HasImages) return {};
    return in.ImageSize;
}

TSize MinTextSize(const TKtTabLayoutInput& in, const TKtTextMeasurer& measurer, int fontHeight) {
    const bool horizontalText = in.Strip.TextOrientation == TOrientation::orHorizontal;
    const TSize s = MeasureCaption(measurer, in.Strip.Style == S::tsRoundCorners ? "AAA" : "A", horizontalText);
    const int h = std::abs(fontHeight);
    return horizontalText ? TSize{s.cx, h} : TSize{h, s.cy};
}

namespace {

// The content size with the tab font's smallest text box already measured.
TSize ContentSize(const TKtTabLayoutInput& in, const TKtTabData& tab, TSize m) {
    if (!tab.TabVisible) return {};
    const TSize image = ImageSizeFor(in, tab.ImageIndex);
    const TSize text = tab.Caption.empty() ? TSize{}
                                           : MeasureCaption(*in.TabFont, tab.Caption,
                                                            in.Strip.TextOrientation == TOrientation::orHorizontal);
    // The image margin counts even for a tab without an image.
    TSize size;
    switch (in.ImagePosition) {
        case TKtImagePosition::ipLeft:
        case TKtImagePosition::ipRight:
            size = {in.ImageMargin + image.cx + text.cx, std::max(image.cy, text.cy)};
            break;
        case TKtImagePosition::ipTop:
        case TKtImagePosition::ipBottom:
            size = {std::max(image.cx, text.cx), in.ImageMargin + image.cy + text.cy};
            break;
        case TKtImagePosition::ipBack: size = {std::max(image.cx, text.cx), std::max(image.cy, text.cy)}; break;
        case TKtImagePosition::ipStretch: size = text; break;
    }
    if (in.Strip.TabWidth == 0) size.cx = std::max(size.cx, m.cx);
    if (in.Strip.TabHeight == 0) size.cy = std::max(size.cy, m.cy);
    return size;
}

}  // namespace

TSize TabContentSize(const TKtTabLayoutInput& in, const TKtTabData& tab) {
    return ContentSize(in, tab, MinTextSize(in, *in.TabFont, in.TabFontHeight));
}

TSize ContentToTabSize(const TKtTabLayoutInput& in, TSize content) {
    const int W = content.cx + 2, H = content.cy + 2;
    const bool horizontal = Horizontal(in.Strip);
    const bool verticalText = in.Strip.TextOrientation == TOrientation::orVertical;
    const int th = in.Strip.TabHeight, cc = in.CutCornerSize;
    switch (in.Strip.Style) {
        case S::tsSingleSlant:
        case S::tsBackSlant:
            // Vertical strips add TabHeight too, as horizontal ones do.
            if (horizontal) return {W + 4 + 2 * Overlap(in, H + 4) + th / 2, H + 4};
            return {W + 4, H + 4 + 2 * Overlap(in, W + 4) + th / 2};
        case S::tsDoubleSlant:
            if (horizontal) return {W + 4 + 2 * Overlap(in, H) + th, H + 4};
            return {W + 4, H + 4 + 2 * Overlap(in, W) + th};
        case S::tsCutCorner:
            if (horizontal) return verticalText ? TSize{W + 8, H + cc + 5} : TSize{W + 2 * cc + 6, H + 5};
            return verticalText ? TSize{W + 5, H + 2 * cc + 6} : TSize{W + cc + 5, H + 8};
        case S::tsRoundCorners: return verticalText ? TSize{W + 4, H + 14} : TSize{W + 14, H + 4};
    }
    return {};
}

namespace {

// One visible tab on its way through the layout.
struct Sized {
    TKtTabData* tab;
    int length;  // along the strip, before the clamp
};

// Rows needed for tabs of these lengths, each pass trying one row more with
// every row shortened by the row indent; each tab starts step pixels back
// over the one before.
int CountRows(const TKtStripGeometryInput& g, const std::vector<Sized>& tabs, int step) {
    if (!g.MultiLine || tabs.empty()) return 1;
    const int M = g.Margin;
    const int last = int(tabs.size()) - 1;
    int rows = 1, avail = StripLength(g) - 2 * M;
    for (;;) {
        int used = 1, pos = M;
        bool restart = false;
        for (int i = 0; i <= last && !restart;) {
            const int len = std::clamp(tabs[std::size_t(i)].length, 0, std::max(0, avail - RoundInset(g)));
            if (pos + len < avail) {
                pos += len - step;
                ++i;
            } else if (used < rows) {
                ++used;
                const bool wasEmpty = pos == M;
                pos = M;
                if (wasEmpty) ++i;  // alone on its row; the next tab starts the new one
            } else if ((pos > M || i < last) && rows <= last) {
                // Every visible tab on a row of its own is as far as a pass
                // can go; the cap only matters for overlaps longer than tabs.
                ++rows;
                avail -= g.RowIndent;
                restart = true;
            } else {
                pos = M;
                ++i;
            }
        }
        if (!restart) return used;
    }
}

// Places the visible tabs in rows of the available length g's row count
// leaves; answers how many rows they took.
int PlaceTabs(const TKtTabLayoutInput& in, const TKtStripGeometryInput& g, std::vector<Sized>& tabs, int T,
              int advance) {
    const int M = g.Margin;
    int avail = StripLength(g) - 2 * M;
    if (g.MultiLine) {
        avail -= (g.RowCount - 1) * g.RowIndent;
    } else {
        const int bs = ButtonSize(g, in.ButtonTextHeight);
        avail -= ButtonsRoom(g, CloseButtonSize(g, bs), MenuButtonSize(g, bs));
        // The scroller's room is kept whether or not the tabs overflow.
        avail -= 2 * bs + 2;
    }
    // A row too short for any tab leaves its tabs empty, never of negative
    // length (which would make every one of them fit).
    const int maxLength = std::max(0, avail - RoundInset(g));
    const int rowStep = T - g.RowOverlap;
    int c = StripDepth(g) - T, row = 0;
    const bool standard = g.Sequence == TKtTabSequence::tsStandard;
    const int rowStart = standard ? M : -M;
    int pos = rowStart;
    for (Sized& s : tabs) {
        const int len = std::clamp(s.length, 0, maxLength);
        const bool overflows = g.MultiLine && (standard ? pos + len >= avail : pos - len <= -avail);
        // A tab too long even for an empty row fills that row by itself.
        const bool alone = overflows && pos == rowStart;
        if (overflows && !alone) {
            pos = rowStart;
            c -= rowStep;
            ++row;
        }
        s.tab->LayoutRect = standard ? TRect{pos, c, pos + len, c + T} : TRect{pos - len, c, pos, c + T};
        s.tab->Row = row;
        if (alone) {
            c -= rowStep;
            ++row;
        } else {
            pos = standard ? pos + len - advance : pos - len + advance;
        }
    }
    if (!standard) {
        // Back into positive coordinates; StripToClient takes its scroll
        // offset from the same rectangles, so the shift cancels there.
        const int shift = g.MultiLine ? g.Width : std::abs(pos);
        for (Sized& s : tabs) OffsetRect(s.tab->LayoutRect, shift, 0);
    }

    int rows = 0;
    for (const Sized& s : tabs) rows = std::max(rows, s.tab->Row + 1);
    return std::max(rows, 1);
}

void AlignRows(const TKtStripGeometryInput& g, const std::vector<Sized>& tabs, int rowCount) {
    const bool standard = g.Sequence == TKtTabSequence::tsStandard;
    const int rowLength = StripLength(g) - 2 * g.Margin - (rowCount - 1) * g.RowIndent;
    std::vector<TKtTabData*> row;
    for (int r = 0; r < rowCount; ++r) {
        row.clear();
        for (const Sized& s : tabs)
            if (s.tab->Row == r) row.push_back(s.tab);
        if (row.empty()) continue;
        const TRect& first = row.front()->LayoutRect;
        const TRect& last = row.back()->LayoutRect;
        const int used = (standard ? last.Right - first.Left : first.Right - last.Left) + RoundInset(g);
        const int free = rowLength - used;
        if (free <= 0) continue;
        const int n = int(row.size());
        int acc = 0;
        for (int i = 0; i < n; ++i) {
            const int extra = free / n + (i < free % n ? 1 : 0);
            TRect& r2 = row[std::size_t(i)]->LayoutRect;
            if (standard) {
                r2.Left += acc;
                r2.Right += acc + extra;
            } else {
                r2.Right -= acc;
                r2.Left -= acc + extra;
            }
            acc += extra;
        }
    }
}

}  // namespace

TKtLayoutResult LayoutTabs(const TKtTabLayoutInput& in, TKtTabDataList& list) {
    const TKtStripGeometryInput& g0 = in.Strip;
    const bool horizontal = Horizontal(g0);
    std::vector<Sized> tabs;
    std::vector<TSize> contents;
    tabs.reserve(std::size_t(list.Count()));
    contents.reserve(std::size_t(list.Count()));

    // Content and tab maxima.
    TSize maxContent, maxTab;
    const TSize minControl = MinTextSize(in, *in.ControlFont, in.ControlFontHeight);
    const TSize minTab = MinTextSize(in, *in.TabFont, in.TabFontHeight);
    for (int i = 0; i < list.Count(); ++i) {
        TKtTabData* tab = list.Items(i);
        if (!tab->TabVisible) continue;
        const TSize c = ContentSize(in, *tab, minTab);
        tabs.push_back({tab, 0});
        contents.push_back(c);
        maxContent = {std::max(maxContent.cx, c.cx), std::max(maxContent.cy, c.cy)};
        const TSize t = ContentToTabSize(in, {std::max(c.cx, minControl.cx), std::max(c.cy, minControl.cy)});
        maxTab = {std::max(maxTab.cx, t.cx), std::max(maxTab.cy, t.cy)};
    }
    if (g0.TabWidth > 0) maxTab.cx = g0.TabWidth;
    if (g0.TabHeight > 0) maxTab.cy = g0.TabHeight;

    TKtLayoutResult result;
    result.FixedDimension = SaneExtent(horizontal ? maxTab.cy : maxTab.cx);
    const int T = result.FixedDimension;

    // Each tab's length along the strip, its across side as thick as the
    // thickest content.
    for (std::size_t k = 0; k < tabs.size(); ++k) {
        TSize c = contents[k];
        if (horizontal)
            c.cy = maxContent.cy;
        else
            c.cx = maxContent.cx;
        TSize t = ContentToTabSize(in, c);
        if (g0.TabWidth > 0) t.cx = g0.TabWidth;
        if (g0.TabHeight > 0) t.cy = g0.TabHeight;
        tabs[k].length = horizontal ? t.cx : t.cy;
    }

    TKtStripGeometryInput g = g0;
    g.FixedDimension = T;
    const int advance = Overlap(in, T) - 1;
    // The row count pass clamps to each pass's own available length.
    result.RowCount = CountRows(g, tabs, advance);
    g.RowCount = result.RowCount;

    // Positions. The tab lengths are clamped to the final available length:
    // of the rows' shortest length with several rows, of the room the
    // buttons leave in a single one. The count clamps to each pass's own
    // length, so tabs longer than a row can need more rows than it found:
    // the count then grows until every tab lies on one of its rows.
    for (;;) {
        const int rows = PlaceTabs(in, g, tabs, T, advance);
        if (rows <= result.RowCount) break;
        result.RowCount = rows;
        g.RowCount = rows;
    }
    const bool lengthAutomatic = horizontal ? g.TabWidth == 0 : g.TabHeight == 0;
    if (g.MultiLine && in.AlignTabs && lengthAutomatic) AlignRows(g, tabs, result.RowCount);
    return result;
}

TPoint StripToClient(const TKtStripGeometryInput& in, int s, TPoint p) {
    const TRect R = StripRect(in);
    const bool standard = in.Sequence == TKtTabSequence::tsStandard;
    const int x = p.X, y = p.Y;
    switch (in.Orientation) {
        case O::toTop: return {(standard ? R.Left : R.Right) + x - s, R.Top + y};
        case O::toLeft: return {R.Left + y, (standard ? R.Bottom : R.Top) - x + s};
        case O::toBottom: return {(standard ? R.Left : R.Right) + x - s, R.Bottom - y};
        case O::toRight: return {R.Right - y, (standard ? R.Top : R.Bottom) + x - s};
    }
    return {};
}

TRect TabRectToClient(const TKtStripGeometryInput& in, int s, const TRect& r) {
    const TPoint a = StripToClient(in, s, {r.Left, r.Top});
    const TPoint b = StripToClient(in, s, {r.Right, r.Bottom});
    return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

TRect TabContentRect(const TKtTabLayoutInput& in, const TRect& tabRect) {
    const TKtStripGeometryInput& g = in.Strip;
    const int w = tabRect.Width(), h = tabRect.Height(), cc = in.CutCornerSize;
    const O o = g.Orientation;
    const bool horizontal = Horizontal(g);
    const bool verticalText = g.TextOrientation == TOrientation::orVertical;
    TRect r = tabRect;
    // The sides of the tab a caption keeps clear of: the slants and the
    // corners, and toward the card the card's own edge.
    auto edgeTowardOuter = [&](int outer) {
        if (o == O::toTop) r.Top += outer;
        if (o == O::toBottom) r.Bottom -= outer;
        if (o == O::toLeft) r.Left += outer;
        if (o == O::toRight) r.Right -= outer;
    };
    switch (g.Style) {
        case S::tsSingleSlant:
            InflateRect(r, -1, -1);
            if (horizontal) {
                r.Right -= 2 * Overlap(in, h) + 2;
                OffsetRect(r, 3, 0);
                edgeTowardOuter(2);
                if (o == O::toBottom) OffsetRect(r, 0, 1);
            } else {
                if (o == O::toLeft) r.Top += 2 * Overlap(in, w) + 2, OffsetRect(r, 0, -1);
                if (o == O::toRight) r.Bottom -= 2 * Overlap(in, w) + 2, OffsetRect(r, 0, 3);
                edgeTowardOuter(2);
                if (o == O::toRight) OffsetRect(r, 1, 0);
            }
            break;
        case S::tsBackSlant:
            InflateRect(r, -1, -1);
            if (horizontal) {
                r.Left += 2 * Overlap(in, h) + 2;
                OffsetRect(r, -3, 0);
                edgeTowardOuter(2);
                if (o == O::toBottom) OffsetRect(r, 0, -1);
            } else {
                if (o == O::toLeft) r.Bottom -= 2 * Overlap(in, w) + 2, OffsetRect(r, 0, 1);
                if (o == O::toRight) r.Top += 2 * Overlap(in, w) + 2, OffsetRect(r, 0, -3);
                edgeTowardOuter(2);
                if (o == O::toRight) OffsetRect(r, 1, 0);
            }
            break;
        case S::tsDoubleSlant:
            if (horizontal) {
                InflateRect(r, 1, -1);
                InflateRect(r, -Overlap(in, h), 0);
                OffsetRect(r, 1, 0);
                edgeTowardOuter(2);
                if (o == O::toBottom) OffsetRect(r, 0, 1);
            } else {
                InflateRect(r, -1, 1);
                InflateRect(r, 0, -Overlap(in, w));
                r.Bottom += 2;
                OffsetRect(r, 0, 1);
                edgeTowardOuter(2);
                if (o == O::toRight) OffsetRect(r, 1, 0);
            }
            break;
        case S::tsCutCorner:
            if (horizontal) {
                if (verticalText) {
                    InflateRect(r, -4, -1);
                    edgeTowardOuter(cc + 3);
                } else {
                    InflateRect(r, -(cc + 3), -1);
                    edgeTowardOuter(3);
                }
                if (o == O::toBottom) OffsetRect(r, 0, 1);
            } else {
                if (verticalText) {
                    InflateRect(r, -1, -(cc + 3));
                    edgeTowardOuter(5);
                } else {
                    InflateRect(r, -1, -4);
                    edgeTowardOuter(cc + 5);
                }
                if (o == O::toRight) OffsetRect(r, 1, 0);
            }
            break;
        case S::tsRoundCorners:
            if (verticalText)
                InflateRect(r, -2, -4);
            else
                InflateRect(r, -4, -2);
            break;
    }
    InflateRect(r, -1, -1);
    return r;
}

}  // namespace dlk
