#include "tabs/kt_tab_control.h"

namespace dlk {

// The strip buttons, made on first need.

void TKtCustomTabControl::CreateScroller() {}

void TKtCustomTabControl::CreateCloseButton() {}

void TKtCustomTabControl::CreateMenuButton() {}

void TKtCustomTabControl::SetScrollerOrientation(TOrientation orientation) {
    (void)orientation;
}

}  // namespace dlk
