#include "tabs/core/tab_search.h"
#include "tabs/kt_tab_control.h"

namespace dlk {

// Keyboard, focus and the framework's notifications.

void TKtCustomTabControl::KeyDown(int& key, TShiftState shift) {
    TCustomControl::KeyDown(key, shift);
    const int count = tabs_->Count();
    if (count == 0) return;
    const bool standard = tab_sequence_ == TKtTabSequence::tsStandard;
    const bool left = tab_orientation_ == TKtTabOrientation::toLeft;
    auto canSelect = [this](int i) { return CanSelectTab(i); };
    int t = tab_index_;
    switch (key) {
        case VK_HOME:
        case VK_END: {
            // Home goes to the tab drawn at the strip's start, which is the
            // last one where the strip runs the other way.
            const bool mirrored = left == standard;
            t = HomeEndTarget(count, tab_index_, (key == VK_HOME) != mirrored, canSelect);
            break;
        }
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN: {
            const bool rightOrDown = key == VK_RIGHT || key == VK_DOWN;
            // On a left strip the tabs rise, so up and left lead on.
            const bool next = (left ? !rightOrDown : rightOrDown) == standard;
            t = ArrowKeyTarget(count, tab_index_, next, canSelect);
            break;
        }
        default: return;
    }
    if (t == tab_index_) return;
    SetApprovedTabIndex(t);
    DoTabClick();
}

bool TKtCustomTabControl::DialogChar(int charCode, TShiftState shift) {
    if (CanFocus() && Showing()) {
        for (int i = 0; i < tabs_->Count(); ++i) {
            const TKtTabData& tab = *tabs_->Items(i);
            if (!tab.TabEnabled || !tab.TabVisible) continue;
            if (!AcceleratorMatches(AcceleratorChar(tab.Caption), char32_t(charCode))) continue;
            SetFocus();
            if (Focused()) {
                SetTabIndex(i);
                if (tab_index_ == i) DoTabClick();
            }
            return true;
        }
    }
    return TCustomControl::DialogChar(charCode, shift);
}

void TKtCustomTabControl::DoEnter() {
    FullRepaint();
    TCustomControl::DoEnter();
}

void TKtCustomTabControl::DoExit() {
    FullRepaint();
    TCustomControl::DoExit();
}

// The pages follow a strip that changed its thickness or number of rows.
void TKtCustomTabControl::RealignIfNeeded() {
    if (DisplayRect() != last_display_rect_) Realign();
}

void TKtCustomTabControl::Resize() {
    TCustomControl::Resize();
    TabsChanged();
}

void TKtCustomTabControl::FontChanged() {
    tab_font_ = Font();
    TabsChanged();
    TCustomControl::FontChanged();
}

// With coloured tabs the control's colour is not its face: only the
// children hear of it.
void TKtCustomTabControl::ColorChanged() {
    if (use_colored_tabs_) {
        NotifyChildrenParentColorChanged();
        return;
    }
    TCustomControl::ColorChanged();
    FullRepaint();
}

void TKtCustomTabControl::ParentColorChanged() {
    TCustomControl::ParentColorChanged();
    if (parent_background_color_ && Parent() != nullptr) {
        SetBackgroundColor(Parent()->Color());
        parent_background_color_ = true;
    }
}

}  // namespace dlk
