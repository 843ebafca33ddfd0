#include "tabs/kt_tab_control.h"

namespace dlk {

// Property setters. A change either asks for a new layout (TabsChanged: the
// layout is rebuilt once, at the next paint, however many changes came
// before it) or only repaints (FullRepaint); an equal value does nothing.

namespace {
template <class V>
bool Store(V& field, const V& value) {
    if (field == value) return false;
    field = value;
    return true;
}
}  // namespace

void TKtCustomTabControl::SetAlignTabs(bool v) {
    if (Store(align_tabs_, v) && multi_line_) TabsChanged();
}
void TKtCustomTabControl::SetBackgroundColor(TColor v) {
    if (!Store(background_color_, v)) return;
    parent_background_color_ = false;
    FullRepaint();
}
void TKtCustomTabControl::SetBoldCurrentTab(bool v) {
    if (Store(bold_current_tab_, v)) TabsChanged();
}
void TKtCustomTabControl::SetShowCardFrame(bool v) {
    if (Store(show_card_frame_, v)) TabsChanged();
}
void TKtCustomTabControl::SetShowFullFrame(bool v) {
    if (!Store(show_full_frame_, v)) return;
    if (!v) show_shadow_ = false;
    TabsChanged();
}
// Showing a strip button makes it when it is missing.
void TKtCustomTabControl::SetShowCloseButton(bool v) {
    if (!Store(show_close_button_, v)) return;
    CreateCloseButton();
    ShowStripButton(*close_button_.Control(), v);
}
void TKtCustomTabControl::SetShowMenuButton(bool v) {
    if (!Store(show_menu_button_, v)) return;
    CreateMenuButton();
    ShowStripButton(*menu_button_.Control(), v);
}
void TKtCustomTabControl::ShowStripButton(TControl& button, bool v) {
    button.SetVisible(v);
    TabsChanged();
    FullRepaint();
}
void TKtCustomTabControl::SetUseColoredTabs(bool v) {
    if (Store(use_colored_tabs_, v)) FullRepaint();
}
void TKtCustomTabControl::SetFlatColor(TColor v) {
    if (!Store(flat_color_, v)) return;
    UpdateButtonFrames();
    FullRepaint();
}
void TKtCustomTabControl::SetFlatColorAdjustment(int v) {
    if (!Store(flat_color_adjustment_, v)) return;
    UpdateButtonFrames();
    FullRepaint();
}
void TKtCustomTabControl::SetImagePosition(TKtImagePosition v) {
    if (Store(image_position_, v)) TabsChanged();
}
void TKtCustomTabControl::SetImageAlignment(TKtHorizontalAlignment v) {
    if (Store(image_alignment_, v)) TabsChanged();
}
void TKtCustomTabControl::SetImageMargin(int v) {
    if (v >= 0 && Store(image_margin_, v)) TabsChanged();
}
void TKtCustomTabControl::SetImageAlignmentVertical(TKtVerticalAlignment v) {
    if (Store(image_alignment_vertical_, v)) TabsChanged();
}
// Hot-tracking and tab hints share the hover timer: it stops when the last
// of the two that needs it is switched off.
void TKtCustomTabControl::SetHotTrack(bool v) {
    if (v == hot_track_) return;
    if (hot_track_ && !tab_hints_ && hot_track_timer_running_) {
        KillTimer(kHotTrackTimerId);
        hot_track_timer_running_ = false;
    }
    hot_track_ = v;
}
void TKtCustomTabControl::SetHotTrackColor(TColor v) {
    if (Store(hot_track_color_, v)) FullRepaint();
}
void TKtCustomTabControl::SetHotTrackColorType(TKtHotTrackColorType v) {
    if (Store(hot_track_color_type_, v)) FullRepaint();
}
void TKtCustomTabControl::SetHotTrackStyle(TKtTabHotTrackStyle v) {
    if (Store(hot_track_style_, v)) FullRepaint();
}
void TKtCustomTabControl::SetImages(TImageList* v) {
    if (images_ != nullptr) {
        images_->UnRegisterChanges(image_change_link_.get());
        RemoveFreeNotification(images_);
    }
    images_ = v;
    if (images_ != nullptr) {
        images_->RegisterChanges(image_change_link_.get());
        FreeNotification(images_);
    }
    TabsChanged();
}
void TKtCustomTabControl::SetMargin(int v) {
    if (v >= 0 && Store(margin_, v)) TabsChanged();
}
void TKtCustomTabControl::SetMultiLine(bool v) {
    if (Store(multi_line_, v)) TabsChanged();
}
void TKtCustomTabControl::SetParentBackgroundColor(bool v) {
    if (Store(parent_background_color_, v) && Parent() != nullptr) ParentColorChanged();
}
void TKtCustomTabControl::SetRowIndent(int v) {
    if (v >= 0 && Store(row_indent_, v)) TabsChanged();
}
void TKtCustomTabControl::SetRowOverlap(int v) {
    if (v >= 0 && Store(row_overlap_, v)) TabsChanged();
}
// The focus rectangle is drawn over a finished face: a repaint for it alone
// leaves the hot-track-only flag as it is.
void TKtCustomTabControl::SetShowFocusRect(bool v) {
    if (Store(show_focus_rect_, v)) Invalidate();
}
void TKtCustomTabControl::SetShowShadow(bool v) {
    if (!Store(show_shadow_, v)) return;
    if (v) show_full_frame_ = true;
    TabsChanged();
    FullRepaint();
}
void TKtCustomTabControl::SetTabColors(const TKtTabColors& v) {
    tab_colors_->Assign(v);
}
void TKtCustomTabControl::SetTabHints(bool v) {
    if (v == tab_hints_) return;
    if (tab_hints_ && !hot_track_ && hot_track_timer_running_) {
        KillTimer(kHotTrackTimerId);
        hot_track_timer_running_ = false;
    }
    tab_hints_ = v;
}
void TKtCustomTabControl::SetTextColors(const TKtTextColors& v) {
    text_colors_->Assign(v);
}
void TKtCustomTabControl::SetTextAlignment(TKtHorizontalAlignment v) {
    if (Store(text_alignment_, v)) TabsChanged();
}
void TKtCustomTabControl::SetTextAlignmentVertical(TKtVerticalAlignment v) {
    if (Store(text_alignment_vertical_, v)) TabsChanged();
}
void TKtCustomTabControl::SetUseGradients(bool v) {
    if (Store(use_gradients_, v)) FullRepaint();
}
void TKtCustomTabControl::SetTransparent(bool v) {
    if (Store(transparent_, v)) FullRepaint();
}

}  // namespace dlk
