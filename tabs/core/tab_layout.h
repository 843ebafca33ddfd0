#pragma once

#include "framework/core/geometry.h"
#include "tabs/core/strip_geometry.h"
#include "tabs/core/tab_data.h"
#include "tabs/core/tab_text.h"
#include "tabs/core/tab_types.h"

namespace dlk {

// What the tab sizes and places depend on besides the strip itself. The
// measurers answer for the tab font (bold already applied when every tab is
// measured bold) and for the control's own font.
struct TKtTabLayoutInput {
    TKtStripGeometryInput Strip;  // FixedDimension and RowCount are results
    TKtImagePosition ImagePosition = TKtImagePosition::ipLeft;
    int ImageMargin = 2;
    int CutCornerSize = 6;
    int TabOverlap = -1;
    bool AlignTabs = false;
    bool HasImages = false;
    TSize ImageSize;  // of every image in the list
    const TKtTextMeasurer* TabFont = nullptr;
    int TabFontHeight = -11;
    const TKtTextMeasurer* ControlFont = nullptr;
    int ControlFontHeight = -11;
    // Height of "A" in the tab font as the strip buttons are sized.
    int ButtonTextHeight = 0;
};

struct TKtLayoutResult {
    int FixedDimension = 0;
    int RowCount = 1;
};

// How far neighbouring tabs of that thickness overlap; for slanted tabs also
// their slant.
int TabOverlapFor(TKtTabStyle style, int tabOverlap, int thickness);
TSize ImageSizeFor(const TKtTabLayoutInput& in, int imageIndex);
// The smallest text box of a tab in the font measurer measures.
TSize MinTextSize(const TKtTabLayoutInput& in, const TKtTextMeasurer& measurer, int fontHeight);
// Image and caption of one tab together; (0, 0) for a hidden tab.
TSize TabContentSize(const TKtTabLayoutInput& in, const TKtTabData& tab);
// The outer size of a tab around content of that size.
TSize ContentToTabSize(const TKtTabLayoutInput& in, TSize content);

// Sizes every visible tab and places it in strip coordinates (x along the
// strip, y across it, row 0 next to the card); hidden tabs keep what they
// had.
TKtLayoutResult LayoutTabs(const TKtTabLayoutInput& in, TKtTabDataList& tabs);

// Strip coordinates to client coordinates, for a strip scrolled by
// scrollOffset pixels.
TPoint StripToClient(const TKtStripGeometryInput& in, int scrollOffset, TPoint p);
TRect TabRectToClient(const TKtStripGeometryInput& in, int scrollOffset, const TRect& r);
// Where image and caption go inside a tab's client rectangle.
TRect TabContentRect(const TKtTabLayoutInput& in, const TRect& tabRect);

}  // namespace dlk
