#include "tabs/kt_tab_control.h"

namespace dlk {

// The paint pipeline: composed on the off-screen bitmap, then copied.

void TKtCustomTabControl::Paint() {
    painted_once_ = true;
    if (bitmap_.Width() != Width() || bitmap_.Height() != Height()) bitmap_.SetSize(Width(), Height());
    TCanvas& c = bitmap_.Canvas();
    c.Brush.Color = background_color_;
    c.Brush.Style = TBrushStyle::bsSolid;
    const TRect r = Rect(0, 0, ClientWidth(), ClientHeight());
    c.FillRect(r);
    Canvas().CopyRect(r, c, r);
}

}  // namespace dlk
