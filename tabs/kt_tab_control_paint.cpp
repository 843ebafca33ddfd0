#include <algorithm>

#include "tabs/core/draw_commands.h"
#include "tabs/core/paint_walk.h"
#include "tabs/drawing_helpers.h"
#include "tabs/kt_tab_control.h"

namespace dlk {

// The paint pipeline: composed on the off-screen bitmap, then copied.

void TKtCustomTabControl::Paint() {
    const QImage& picture = Compose();
    // The same rectangle on both sides: a plain copy of the picture's rows.
    Canvas().DrawPixels(0, 0, reinterpret_cast<const std::uint32_t*>(picture.constBits()),
                        std::min(ClientWidth(), picture.width()), std::min(ClientHeight(), picture.height()),
                        int(picture.bytesPerLine() / 4));
}

const QImage* TKtCustomTabControl::ComposePicture() {
    return &Compose();
}

const QImage& TKtCustomTabControl::Compose() {
    ApplyPendingLayout();
    if (bitmap_.Width() != Width() || bitmap_.Height() != Height()) bitmap_.SetSize(Width(), Height());
    TCanvas& c = bitmap_.Canvas();
    c.Brush = {clBlack, TBrushStyle::bsSolid};
    const TRect r = Rect(0, 0, ClientWidth(), ClientHeight());
    bool handled = false;
    DoPaintBackground(c, r, handled);
    if (!handled) {
        if (transparent_) {
            DrawParentBackground(this, c);
        } else {
            c.Brush.Color = ColorToRGB(background_color_);
            c.FillRect(r);
            c.Brush.Color = clBlack;
        }
    }
    PlaceCloseButton();
    PlaceMenuButton();
    PlaceScroller();
    InvalidateButtons();
    DrawTabs();
    PaintDropMarker(c);
    // Only the paint it was set for leaves the card's shadow out.
    hot_track_only_repaint_ = false;
    return bitmap_.Image();
}

void TKtCustomTabControl::DrawTabs() {
    TKtPaintWalkInput in{tabs_->Count(),
                         row_count_,
                         tab_index_,
                         first_shown_tab_,
                         [this](int i) { return tabs_->Items(i)->TabVisible; },
                         [this](int i) { return tabs_->Items(i)->Row; },
                         [this](int i) { return IsTabFullyShown(i); }};
    for (const TKtPaintStep& step : PaintWalk(in)) {
        if (step.What == TKtPaintStep::Tab)
            DrawTab(step.Index);
        else
            DrawCard(step.Index);
    }
}

void TKtCustomTabControl::DrawTab(int index) {
    const TRect rect = GetTabClientRect(index);
    TCanvas& c = bitmap_.Canvas();
    TRect shown;
    if (!IntersectRect(shown, rect, c.ClipBox())) return;
    if (const TRegion* region = GetTabRegion(index, rect)) {
        const int saved = c.SaveDC();
        if (saved <= 0) throw EKtTabControlError(kSaveDeviceContextError);
        c.ClipRegion = *region;
        try {
            DrawTabBackground(index, rect);
            DrawTabFace(index, rect);
        } catch (...) {
            c.RestoreDC(saved);
            throw;
        }
        c.RestoreDC(saved);
    }
    draw_commands_.Clear();
    AddDrawCommandPoint(dcHead, {0, index});
    DrawTabOutline(index);
    ExecuteDrawCommands();
}

void TKtCustomTabControl::DrawCard(int row) {
    TRect card = CardRect(row);
    // Only the rectangle of a row with no room is all zeros; a card one
    // pixel thick still has its edge to show.
    if (card == TRect{}) return;
    if (card_visible_) ++card.Right, ++card.Bottom;
    TCanvas& c = bitmap_.Canvas();
    bool handled = false;
    DoPaintCardBackground(c, row, card, handled);
    if (!handled) {
        const bool selected = tab_index_ >= 0 && tab_index_ < tabs_->Count();
        c.Brush = {ColorToRGB(use_colored_tabs_ && selected ? tabs_->Items(tab_index_)->Color : Color()),
                   TBrushStyle::bsSolid};
        c.FillRect(card);
    }
    if (!show_card_frame_) return;
    draw_commands_.Clear();
    AddDrawCommandPoint(dcHead, {1, row});
    DrawCardFrame(row);
    ExecuteDrawCommands();
}

void TKtCustomTabControl::ApplyPendingLayout() {
    if (!layout_pending_) return;
    SetLayoutPending(false);
    LayoutTabs();
    region_cache_->Clear();
    const int n = tabs_->Count();
    const int saved = first_shown_tab_;
    const int first = FirstVisibleTab();
    UpdateScrollerNeeded();
    if (scroller_needed_) {
        while (first_shown_tab_ >= 0 && first_shown_tab_ < n && !IsTabFullyShown(first_shown_tab_)) ++first_shown_tab_;
        // Past the end (also when tabs were removed): back from where it was.
        if (first_shown_tab_ >= n) {
            first_shown_tab_ = std::min(saved, n) - 1;
            while (first_shown_tab_ >= 0 && !IsTabFullyShown(first_shown_tab_)) --first_shown_tab_;
        }
        if (first_shown_tab_ < 0) first_shown_tab_ = first;
    } else {
        first_shown_tab_ = first;
    }
    int t = first < 0 || tab_index_ < 0 ? -1 : tab_index_;
    while (t >= 0 && t < n && !CanSelectTab(t)) ++t;
    if (t >= n) {
        t = std::min(tab_index_, n);
        if (t == n) --t;
        while (t >= 0 && !CanSelectTab(t)) --t;
    }
    if (t != -1) SetApprovedTabIndex(t);
    RealignIfNeeded();
}

}  // namespace dlk
