#include "tabs/core/strip_geometry.h"

#include <algorithm>
#include <cstdint>

namespace dlk {

namespace {

using O = TKtTabOrientation;

bool Horizontal(const TKtStripGeometryInput& in) {
    return IsHorizontalStrip(in.Orientation);
}
bool Round(const TKtStripGeometryInput& in) {
    return in.Style == TKtTabStyle::tsRoundCorners;
}
bool Standard(const TKtStripGeometryInput& in) {
    return in.Sequence == TKtTabSequence::tsStandard;
}
// Many rows of thick tabs: far off any screen, and still room to add to.
int Saturated(std::int64_t v) {
    constexpr std::int64_t limit = std::int64_t(1) << 30;
    return int(std::clamp(v, -limit, limit));
}
// The right edge the buttons of a top strip keep to: inside the shadow.
int TopEnd(const TKtStripGeometryInput& in, const TRect& strip) {
    return in.ShowShadow ? strip.Right - 1 : strip.Right + 1;
}

}  // namespace

int SaneExtent(int v) {
    return std::clamp(v, -kLargestExtent, kLargestExtent);
}

TKtStripGeometryInput SaneInput(TKtStripGeometryInput in) {
    for (int* v : {&in.Width, &in.Height, &in.FixedDimension, &in.RowOverlap, &in.RowIndent, &in.Margin, &in.TabWidth,
                   &in.TabHeight})
        *v = SaneExtent(*v);
    // One row per tab at most, however many tabs there are.
    in.RowCount = std::clamp(in.RowCount, 1, kLargestExtent);
    return in;
}

TRect StripBaseRect(const TKtStripGeometryInput& in) {
    return {0, 0, in.Width - 1, in.Height - 1};
}

int StripDepth(const TKtStripGeometryInput& in) {
    if (in.CardVisible) {
        const std::int64_t step = std::int64_t(in.FixedDimension) - in.RowOverlap;
        return Saturated((Round(in) ? 3 : 0) + in.FixedDimension + step * (in.RowCount - 1));
    }
    int depth = Horizontal(in) ? in.Height - 1 : in.Width - 1;
    if (Round(in) && (in.Orientation == O::toBottom || in.Orientation == O::toRight)) --depth;
    return depth;
}

TRect StripRect(const TKtStripGeometryInput& in) {
    const int d = StripDepth(in), w = in.Width - 1, h = in.Height - 1;
    switch (in.Orientation) {
        case O::toTop: {
            const bool shadowed = in.ShowShadow && Standard(in);
            return {0, 0, shadowed ? w - 2 : w, d};
        }
        case O::toBottom: return {0, h - d, w, h};
        case O::toLeft: return {0, 0, d, h};
        case O::toRight: return {w - d, 0, w, h};
    }
    return {};
}

int StripLength(const TKtStripGeometryInput& in) {
    const TRect r = StripRect(in);
    return Horizontal(in) ? r.Right - r.Left : r.Bottom - r.Top;
}

TRect CardRect(const TKtStripGeometryInput& in, int row) {
    const TRect base = StripBaseRect(in);
    if (in.TabCount == 0 && in.CardVisible) return base;
    const int L = base.Left, T = base.Top, R = base.Right, B = base.Bottom;
    const std::int64_t step = std::int64_t(in.FixedDimension) - in.RowOverlap;
    const int D = Saturated(StripDepth(in) - step * row), S = Saturated(step * row);
    const int I = Saturated(std::int64_t(in.RowIndent) * row);
    const int J = Saturated(std::int64_t(in.RowIndent) * (std::int64_t(in.RowCount) - row - 1));
    // The row's card steps toward the tabs and is indented at the end the
    // sequence starts from, so the cards of the rows form a staircase.
    const int near = Standard(in) ? I : J, far = Standard(in) ? J : I;
    TRect k;
    switch (in.Orientation) {
        case O::toTop: k = {L + near, T + D, R - far, B - S}; break;
        case O::toBottom: k = {L + near, T + S, R - far, B - D}; break;
        case O::toLeft: k = {L + D, T + far, R - S, B - near}; break;
        case O::toRight: k = {L + S, T + near, R - D, B - far}; break;
    }
    if (k.Left > k.Right || k.Top > k.Bottom) return {};
    if (!in.CardVisible) {
        // Only the edge next to the tabs stays inside the control.
        switch (in.Orientation) {
            case O::toTop: k.Left = L - 3, k.Right = R + 3, k.Bottom = B + 3; break;
            case O::toBottom: k.Left = L - 3, k.Right = R + 3, k.Top = T - 3; break;
            case O::toLeft: k.Right = R + 3, k.Top = T - 3, k.Bottom = B + 3; break;
            case O::toRight: k.Left = L - 3, k.Top = T - 3, k.Bottom = B + 3; break;
        }
    }
    return k;
}

TRect DisplayRect(const TKtStripGeometryInput& in) {
    if (!in.CardVisible) return {-2, -2, -1, -1};
    TRect r = CardRect(in, 0);
    if (in.ShowCardFrame && in.ShowFullFrame) {
        ++r.Left, ++r.Top;
        if (in.Orientation == O::toTop && Standard(in) && in.ShowShadow) r.Right -= 2, r.Bottom -= 2;
    } else if (in.ShowCardFrame) {
        if (in.Orientation == O::toTop) ++r.Top;
        ++r.Right, ++r.Bottom;
    } else {
        if (!in.ShowFullFrame) {
            if (in.Orientation == O::toLeft) --r.Left;
            if (in.Orientation == O::toBottom) ++r.Bottom;
            if (in.Orientation == O::toRight) ++r.Right;
        }
        ++r.Right, ++r.Bottom;
    }
    return r;
}

int ButtonSize(const TKtStripGeometryInput& in, int textHeight) {
    const bool verticalText = in.TextOrientation == TOrientation::orVertical;
    const int s = textHeight + (verticalText ? 2 : 4);
    const int fit = in.FixedDimension - 2;
    const bool fixedAlongText = Horizontal(in) ? !verticalText && in.TabHeight > 0 : verticalText && in.TabWidth > 0;
    // A thin row (FixedDimension of 2 or less) must not give a negative size.
    return std::max(0, fixedAlongText ? std::max(s, fit) : std::min(s, fit));
}

int CloseButtonSize(const TKtStripGeometryInput& in, int buttonSize) {
    return in.ShowCloseButton && in.TabCount > 0 ? buttonSize : 0;
}

int MenuButtonSize(const TKtStripGeometryInput& in, int buttonSize) {
    return in.ShowMenuButton && in.TabCount > 0 ? buttonSize : 0;
}

namespace {

// The top-left corner of a w x h button that lies `before` pixels inward
// from the strip's end (tsStandard) or start (tsReverse).
TPoint ButtonAt(const TKtStripGeometryInput& in, int w, int h, int before) {
    const TRect s = StripRect(in);
    const int M = in.Margin;
    const bool std = Standard(in);
    switch (in.Orientation) {
        case O::toTop: return {std ? TopEnd(in, s) - w - M - before : s.Left + M + before, s.Bottom - h - 2};
        case O::toBottom: return {std ? s.Right + 1 - w - M - before : s.Left + M + before, s.Top + 2};
        case O::toLeft: return {s.Right - w - 2, std ? s.Top + M + before : s.Bottom + 1 - h - M - before};
        case O::toRight: return {s.Left + 2, std ? s.Bottom + 1 - h - M - before : s.Top + M + before};
    }
    return {};
}

int Gap(bool shown, int size) {
    return shown ? size + 2 : 0;
}

}  // namespace

TPoint CloseButtonPosition(const TKtStripGeometryInput& in, int closeSize) {
    return ButtonAt(in, closeSize, closeSize, 0);
}

TPoint MenuButtonPosition(const TKtStripGeometryInput& in, int closeSize, int menuSize) {
    return ButtonAt(in, menuSize, menuSize, Gap(in.ShowCloseButton, closeSize));
}

int ButtonsRoom(const TKtStripGeometryInput& in, int closeSize, int menuSize) {
    return Gap(in.ShowCloseButton, closeSize) + Gap(in.ShowMenuButton, menuSize);
}

TRect ScrollerBounds(const TKtStripGeometryInput& in, int buttonSize, int closeSize, int menuSize) {
    // Two square halves sharing one pixel.
    const int sw = Horizontal(in) ? 2 * buttonSize - 1 : buttonSize;
    const int sh = Horizontal(in) ? buttonSize : 2 * buttonSize - 1;
    const TPoint p = ButtonAt(in, sw, sh, ButtonsRoom(in, closeSize, menuSize));
    return Bounds(p.X, p.Y, sw, sh);
}

TPoint HiddenScrollerPosition(int width, int height) {
    return {-1 - width, -1 - height};
}

bool NeedsScroller(const TKtStripGeometryInput& in, bool anyTabVisible, int layoutRight, int closeSize, int menuSize) {
    if (in.MultiLine || !anyTabVisible) return false;
    return StripLength(in) - 2 * in.Margin - ButtonsRoom(in, closeSize, menuSize) < layoutRight;
}

int ScrollOffset(const TKtStripGeometryInput& in, const TRect* firstShown) {
    if (firstShown == nullptr) return 0;
    const int m = in.Margin + (Round(in) ? 2 : 0);
    return Standard(in) ? firstShown->Left - m : firstShown->Right + m;
}

}  // namespace dlk
