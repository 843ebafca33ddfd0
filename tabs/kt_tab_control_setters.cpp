#include "tabs/kt_tab_control.h"

namespace dlk {

// Property setters: each stores a changed value and asks for a new layout.

namespace {
template <class V>
bool Store(V& field, const V& value) {
    if (field == value) return false;
    field = value;
    return true;
}
}  // namespace

void TKtCustomTabControl::SetAlignTabs(bool v) {
    if (Store(align_tabs_, v)) TabsChanged();
}
void TKtCustomTabControl::SetBackgroundColor(TColor v) {
    if (Store(background_color_, v)) TabsChanged();
}
void TKtCustomTabControl::SetBoldCurrentTab(bool v) {
    if (Store(bold_current_tab_, v)) TabsChanged();
}
void TKtCustomTabControl::SetShowCardFrame(bool v) {
    if (Store(show_card_frame_, v)) TabsChanged();
}
void TKtCustomTabControl::SetShowFullFrame(bool v) {
    if (Store(show_full_frame_, v)) TabsChanged();
}
void TKtCustomTabControl::SetShowCloseButton(bool v) {
    if (Store(show_close_button_, v)) TabsChanged();
}
void TKtCustomTabControl::SetShowMenuButton(bool v) {
    if (Store(show_menu_button_, v)) TabsChanged();
}
void TKtCustomTabControl::SetUseColoredTabs(bool v) {
    if (Store(use_colored_tabs_, v)) TabsChanged();
}
void TKtCustomTabControl::SetFlatColor(TColor v) {
    if (Store(flat_color_, v)) TabsChanged();
}
void TKtCustomTabControl::SetFlatColorAdjustment(int v) {
    if (Store(flat_color_adjustment_, v)) TabsChanged();
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
void TKtCustomTabControl::SetHotTrack(bool v) {
    if (Store(hot_track_, v)) TabsChanged();
}
void TKtCustomTabControl::SetHotTrackColor(TColor v) {
    if (Store(hot_track_color_, v)) TabsChanged();
}
void TKtCustomTabControl::SetHotTrackColorType(TKtHotTrackColorType v) {
    if (Store(hot_track_color_type_, v)) TabsChanged();
}
void TKtCustomTabControl::SetHotTrackStyle(TKtTabHotTrackStyle v) {
    if (Store(hot_track_style_, v)) TabsChanged();
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
    if (Store(parent_background_color_, v)) TabsChanged();
}
void TKtCustomTabControl::SetRowIndent(int v) {
    if (v >= 0 && Store(row_indent_, v)) TabsChanged();
}
void TKtCustomTabControl::SetRowOverlap(int v) {
    if (v >= 0 && Store(row_overlap_, v)) TabsChanged();
}
void TKtCustomTabControl::SetShowFocusRect(bool v) {
    if (Store(show_focus_rect_, v)) TabsChanged();
}
void TKtCustomTabControl::SetShowShadow(bool v) {
    if (Store(show_shadow_, v)) TabsChanged();
}
void TKtCustomTabControl::SetTabColors(const TKtTabColors& v) {
    tab_colors_->Assign(v);
}
void TKtCustomTabControl::SetTabHints(bool v) {
    if (Store(tab_hints_, v)) TabsChanged();
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
    if (Store(use_gradients_, v)) TabsChanged();
}
void TKtCustomTabControl::SetTransparent(bool v) {
    if (Store(transparent_, v)) TabsChanged();
}

}  // namespace dlk
