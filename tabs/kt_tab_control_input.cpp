#include "tabs/kt_tab_control.h"

namespace dlk {

// Selection, mouse, hot-tracking and dragging.

void TKtCustomTabControl::SetTabIndex(int v) {
    // While a description is read the index waits for Loaded, when every
    // tab exists.
    if (IsLoading() || IsReading()) {
        stored_tab_index_ = v;
        return;
    }
    if (v < 0 || v >= tabs_->Count()) v = -1;
    if (v == tab_index_) return;
    tab_index_ = v;
    FullRepaint();
}

void TKtCustomTabControl::DrawDropMarker(const TRect& aRect) {
    (void)aRect;
}

void TKtCustomTabControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
}

void TKtCustomTabControl::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
}

void TKtCustomTabControl::MouseLeave() {
    TCustomControl::MouseLeave();
}

void TKtCustomTabControl::WMTimer(int id) {
    TCustomControl::WMTimer(id);
}

}  // namespace dlk
