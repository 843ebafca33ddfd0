#include "tabs/core/color_helpers.h"
#include "tabs/kt_tab_control.h"
#include "tabs/strip_buttons.h"

namespace dlk {

// The strip buttons, made on first need. They take their frame from the
// control's outline colour; the control places and shows them.

namespace {

template <class T>
T* MakeButton(TKtCustomTabControl& control) {
    auto* button = new T(&control);
    button->SetVisible(false);
    button->SetParent(&control);
    button->SetFrameColor(AdjustLuminance(control.FlatColor(), control.FlatColorAdjustment()));
    return button;
}

}  // namespace

void TKtCustomTabControl::CreateScroller() {
    if (scroller_.Exists()) return;
    auto* s = MakeButton<TKtTabScroller>(*this);
    s->OnUpRightClick = [this](TObject*) { ScrollerNextClick(); };
    s->OnDownLeftClick = [this](TObject*) { ScrollerPriorClick(); };
    scroller_.Set(s);
}

void TKtCustomTabControl::CreateCloseButton() {
    if (close_button_.Exists()) return;
    auto* b = MakeButton<TKtTabCloseButton>(*this);
    b->OnClose = [this](TObject*) { CloseButtonClick(); };
    close_button_.Set(b);
}

void TKtCustomTabControl::CreateMenuButton() {
    if (menu_button_.Exists()) return;
    menu_button_.Set(MakeButton<TKtTabMenuButton>(*this));
}

void TKtCustomTabControl::SetScrollerOrientation(TOrientation orientation) {
    if (scroller_.Exists()) scroller_.Get()->SetOrientation(orientation);
}

// The buttons' frames follow the outline colour.
void TKtCustomTabControl::UpdateButtonFrames() {
    const TColor frame = AdjustLuminance(flat_color_, flat_color_adjustment_);
    if (scroller_.Exists()) scroller_.Get()->SetFrameColor(frame);
    if (close_button_.Exists()) close_button_.Get()->SetFrameColor(frame);
    if (menu_button_.Exists()) menu_button_.Get()->SetFrameColor(frame);
}

void TKtCustomTabControl::CloseButtonClick() {
    TryCloseSelectedTab();
}

void TKtCustomTabControl::TryCloseSelectedTab() {
    if (tab_index_ != -1 && DoClose()) CloseSelectedTab();
}

}  // namespace dlk
