#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "framework/core/colors.h"
#include "framework/core/geometry.h"
#include "tabs/core/tab_types.h"

namespace dlk {

// How a tab's background is filled when no event does it.
struct TKtTabFill {
    bool Gradient = false;
    std::uint8_t Direction = 0;  // gradient pattern: 2 vertical, 5 horizontal
    TColor From = clNone;        // the flat fill when not a gradient
    TColor To = clNone;
};

struct TKtTabFillInput {
    TKtTabOrientation Orientation = TKtTabOrientation::toTop;
    bool Selected = false;
    bool UseColoredTabs = false;
    bool UseGradients = true;
    bool TrueColor = true;
    TColor TabColor = clBtnFace;  // resolved to RGB by the caller
    TColor ControlColor = clBtnFace;
    TColor Unselected = clBtnFace;
    TColor Shadow = clBtnShadow;
};

// Unselected tabs run from the edge colour at their outer side to their fill
// at the card; on a display of 256 colours or fewer they are flat.
TKtTabFill TabFill(const TKtTabFillInput& in);

// The boxes of a tab's image and text inside its content rectangle.
void SplitTabContent(const TRect& content, TKtImagePosition position, TSize image, int margin, TRect& imageBox,
                     TRect& textBox);

// Where an image of size `image` is drawn in its box.
TPoint AlignImage(const TRect& box, TSize image, TKtImagePosition position, TKtHorizontalAlignment h,
                  TKtVerticalAlignment v, const TRect& content);

struct TKtCaptionInput {
    TRect Box;
    TOrientation Text = TOrientation::orHorizontal;
    TKtTabOrientation Tab = TKtTabOrientation::toTop;
    TKtHorizontalAlignment H = TKtHorizontalAlignment::haCenter;
    TKtVerticalAlignment V = TKtVerticalAlignment::vaCenter;
    TSize Whole;               // the whole caption, as the layout measures it
    std::vector<TSize> Lines;  // each line the same way; (0, 0) for an empty one
};

struct TKtCaptionPlacement {
    TRect Fitted;                 // the box fitted to the caption
    std::vector<TPoint> Origins;  // the reference point of each line
};

TKtCaptionPlacement PlaceCaption(const TKtCaptionInput& in);

// A caption line cut at its first "&": the text before, the underlined
// character (one UTF-8 character; empty for "&&", which shows one "&") and
// the rest. A "&" at the very end is not shown.
struct TKtAcceleratorParts {
    std::vector<std::string> Parts;
    int Underlined = -1;  // index in Parts, -1 none
};

TKtAcceleratorParts SplitAccelerator(std::string_view line);

// The hot-track or highlight bar on the outer edge of a tab.
TRect HighlightBarRect(const TRect& tab, TKtTabOrientation orientation);

// The focus rectangle around a fitted caption.
TRect FocusRectFor(const TRect& fitted, TKtTabOrientation orientation, TKtTabStyle style);

}  // namespace dlk
