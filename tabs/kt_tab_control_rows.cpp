#include "tabs/core/tab_rows.h"
#include "tabs/kt_tab_control.h"

namespace dlk {

// Row rotation, scrolling of a single row, and the questions both ask.

bool TKtCustomTabControl::IsTabFullyShown(int tab) {
    if (tab < 0 || tab >= tabs_->Count() || !tabs_->Items(tab)->TabVisible) return false;
    if (!scroller_needed_) return true;
    // Asked for every tab at each paint and hit test: the font is selected
    // once, as every strip button has the same size (counted only when shown).
    const int bs = ButtonSize();
    return TabWithinShownStrip(GeometryInput(), tabs_->Items(tab)->LayoutRect, ScrollOffset(), bs, bs, bs);
}

void TKtCustomTabControl::RotateRows(int tab) {
    if (!multi_line_) return;
    RotateTabRows(*tabs_, tab);
}

void TKtCustomTabControl::ScrollTabs(bool forward) {
    const int saved = first_shown_tab_;
    const int count = tabs_->Count();
    if (forward) {
        if (first_shown_tab_ < count - 1 && !IsTabFullyShown(LastVisibleTab())) {
            do ++first_shown_tab_;
            while (first_shown_tab_ < count && !IsTabFullyShown(first_shown_tab_));
            if (first_shown_tab_ >= count)
                first_shown_tab_ = saved;
            else
                FullRepaint();
        }
    } else if (first_shown_tab_ > 0 && !IsTabFullyShown(FirstVisibleTab())) {
        do --first_shown_tab_;
        while (first_shown_tab_ >= 0 && !IsTabFullyShown(first_shown_tab_));
        if (first_shown_tab_ < 0)
            first_shown_tab_ = saved;
        else
            FullRepaint();
    }
    Raise(OnScrolledTabs, this);
}

// The half of the scroller that points toward the later tabs scrolls
// forward: on a right strip the tabs run downward, elsewhere they rise or
// run rightward.
void TKtCustomTabControl::ScrollerNextClick() {
    const bool standard = tab_sequence_ == TKtTabSequence::tsStandard;
    ScrollTabs(tab_orientation_ == TKtTabOrientation::toRight ? !standard : standard);
}

void TKtCustomTabControl::ScrollerPriorClick() {
    const bool standard = tab_sequence_ == TKtTabSequence::tsStandard;
    ScrollTabs(tab_orientation_ == TKtTabOrientation::toRight ? standard : !standard);
}

bool TKtCustomTabControl::CanSelectTab(int index) {
    if (index < 0 || index >= tabs_->Count()) return false;
    const TKtTabData& tab = *tabs_->Items(index);
    bool allowed = tab.TabVisible && tab.TabEnabled;
    if (allowed && index != tab_index_) DoChanging(index, allowed);
    return allowed;
}

}  // namespace dlk
