#pragma once

#include "framework/core/geometry.h"
#include "tabs/core/tab_types.h"

namespace dlk {

// What the strip's rectangles and the buttons' places depend on: the
// control's client size and the properties that shape the strip.
struct TKtStripGeometryInput {
    int Width = 0;  // client size
    int Height = 0;
    TKtTabOrientation Orientation = TKtTabOrientation::toTop;
    TKtTabSequence Sequence = TKtTabSequence::tsStandard;
    TKtTabStyle Style = TKtTabStyle::tsSingleSlant;
    TOrientation TextOrientation = TOrientation::orHorizontal;
    int FixedDimension = 0;  // thickness of one row
    int RowOverlap = 5;
    int RowIndent = 5;
    int Margin = 0;
    int RowCount = 1;
    int TabWidth = 0;
    int TabHeight = 0;
    int TabCount = 0;
    bool CardVisible = true;
    bool ShowShadow = true;
    bool ShowCardFrame = true;
    bool ShowFullFrame = true;
    bool ShowCloseButton = false;
    bool ShowMenuButton = false;
    bool MultiLine = false;
};

// The largest size the geometry takes from a property or the control: far
// beyond any screen, yet small enough that the sums and the products with a
// row count stay within 32 bits.
inline constexpr int kLargestExtent = 1 << 16;
// v within -kLargestExtent .. kLargestExtent.
int SaneExtent(int v);
// The input with every size, margin and count of it made sane.
TKtStripGeometryInput SaneInput(TKtStripGeometryInput in);

// All rectangles are (Left, Top, Right, Bottom) in client coordinates.
TRect StripBaseRect(const TKtStripGeometryInput& in);
int StripDepth(const TKtStripGeometryInput& in);
TRect StripRect(const TKtStripGeometryInput& in);
int StripLength(const TKtStripGeometryInput& in);
// The card of a row (row 0 borders the page area); (0, 0, 0, 0) when the
// control is too small for it.
TRect CardRect(const TKtStripGeometryInput& in, int row);
// Where child controls go; out of sight when there is no card.
TRect DisplayRect(const TKtStripGeometryInput& in);

// The side of a square strip button for captions textHeight pixels high;
// never below 0.
int ButtonSize(const TKtStripGeometryInput& in, int textHeight);
int CloseButtonSize(const TKtStripGeometryInput& in, int buttonSize);
int MenuButtonSize(const TKtStripGeometryInput& in, int buttonSize);

// Top-left corners of the buttons, and the scroller's bounds as
// (x, y, x + width, y + height).
TPoint CloseButtonPosition(const TKtStripGeometryInput& in, int closeSize);
TPoint MenuButtonPosition(const TKtStripGeometryInput& in, int closeSize, int menuSize);
// The length the close and menu buttons take from a row, each shown one with
// the 2 pixels beside it.
int ButtonsRoom(const TKtStripGeometryInput& in, int closeSize, int menuSize);
TRect ScrollerBounds(const TKtStripGeometryInput& in, int buttonSize, int closeSize, int menuSize);
// Where a scroller that is not needed waits, keeping its size.
TPoint HiddenScrollerPosition(int width, int height);

// Whether the tabs overflow a single row; layoutRight is the layout Right of
// the last visible tab (tsStandard) or of the first one (tsReverse).
bool NeedsScroller(const TKtStripGeometryInput& in, bool anyTabVisible, int layoutRight, int closeSize, int menuSize);

// How far a scrolled strip is moved; firstShown is the layout rectangle of
// the first shown tab, or nullptr when the strip is not scrolled.
int ScrollOffset(const TKtStripGeometryInput& in, const TRect* firstShown);

}  // namespace dlk
