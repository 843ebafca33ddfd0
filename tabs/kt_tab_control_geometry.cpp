#include "tabs/kt_tab_control.h"

namespace dlk {

// The strip, the cards, the display rectangle and where the strip buttons
// go, over the pure functions of tabs/core.

TKtStripGeometryInput TKtCustomTabControl::GeometryInput() const {
    TKtStripGeometryInput in;
    in.Width = ClientWidth();
    in.Height = ClientHeight();
    in.Orientation = tab_orientation_;
    in.Sequence = tab_sequence_;
    in.Style = tab_style_;
    in.TextOrientation = text_orientation_;
    in.FixedDimension = fixed_dimension_;
    in.RowOverlap = row_overlap_;
    in.RowIndent = row_indent_;
    in.Margin = margin_;
    in.RowCount = row_count_;
    in.TabWidth = tab_width_;
    in.TabHeight = tab_height_;
    // The constructor's first resize aligns before the list exists.
    in.TabCount = tabs_ != nullptr ? tabs_->Count() : 0;
    in.CardVisible = card_visible_;
    in.ShowShadow = show_shadow_;
    in.ShowCardFrame = show_card_frame_;
    in.ShowFullFrame = show_full_frame_;
    in.ShowCloseButton = show_close_button_;
    in.ShowMenuButton = show_menu_button_;
    in.MultiLine = multi_line_;
    return SaneInput(in);
}

TRect TKtCustomTabControl::BaseRect() const {
    return StripBaseRect(GeometryInput());
}
int TKtCustomTabControl::StripDepth() const {
    return dlk::StripDepth(GeometryInput());
}
TRect TKtCustomTabControl::StripRect() const {
    return dlk::StripRect(GeometryInput());
}
int TKtCustomTabControl::StripLength() const {
    return dlk::StripLength(GeometryInput());
}
TRect TKtCustomTabControl::CardRect(int row) const {
    return dlk::CardRect(GeometryInput(), row);
}
TRect TKtCustomTabControl::DisplayRect() const {
    return dlk::DisplayRect(GeometryInput());
}

int TKtCustomTabControl::ButtonSize() {
    SelectTabFont();
    const int textHeight = MeasureText("A", true).cy;
    RestoreTabFont();
    return dlk::ButtonSize(GeometryInput(), textHeight);
}

int TKtCustomTabControl::CloseButtonSize() {
    if (!show_close_button_ || tabs_->Count() == 0) return 0;
    return ButtonSize();
}

int TKtCustomTabControl::MenuButtonSize() {
    if (!show_menu_button_ || tabs_->Count() == 0) return 0;
    return ButtonSize();
}

int TKtCustomTabControl::FirstVisibleTab() const {
    for (int i = 0; i < tabs_->Count(); ++i)
        if (tabs_->Items(i)->TabVisible) return i;
    return -1;
}

int TKtCustomTabControl::LastVisibleTab() const {
    for (int i = tabs_->Count() - 1; i >= 0; --i)
        if (tabs_->Items(i)->TabVisible) return i;
    return -1;
}

int TKtCustomTabControl::ScrollOffset() const {
    // A first shown tab that is no longer in the list counts as none.
    const bool valid = first_shown_tab_ >= 0 && first_shown_tab_ < tabs_->Count();
    const TRect* first = valid ? &tabs_->Items(first_shown_tab_)->LayoutRect : nullptr;
    return dlk::ScrollOffset(GeometryInput(), first);
}

void TKtCustomTabControl::UpdateScrollerNeeded() {
    scroller_needed_ = false;
    const int first = FirstVisibleTab();
    if (multi_line_ || first < 0) return;
    const int edge = tab_sequence_ == TKtTabSequence::tsStandard ? LastVisibleTab() : first;
    scroller_needed_ =
        NeedsScroller(GeometryInput(), true, tabs_->Items(edge)->LayoutRect.Right, CloseButtonSize(), MenuButtonSize());
}

void TKtCustomTabControl::PlaceCloseButton() {
    if (!show_close_button_ || IsLoading() || IsReading()) return;
    CreateCloseButton();
    TControl* button = close_button_.Control();
    const int s = CloseButtonSize();
    const TPoint p = CloseButtonPosition(GeometryInput(), s);
    button->SetBounds(p.X, p.Y, s, s);
    button->SetVisible(true);
}

void TKtCustomTabControl::PlaceMenuButton() {
    if (!show_menu_button_ || IsLoading() || IsReading()) return;
    CreateMenuButton();
    TControl* button = menu_button_.Control();
    const int s = MenuButtonSize();
    const TPoint p = MenuButtonPosition(GeometryInput(), CloseButtonSize(), s);
    button->SetBounds(p.X, p.Y, s, s);
    button->SetVisible(true);
}

void TKtCustomTabControl::PlaceScroller() {
    if (IsLoading() || IsReading()) return;
    if (!scroller_needed_) {
        // Once made, the scroller waits out of sight rather than hidden.
        if (TControl* s = scroller_.Control()) {
            const TPoint p = HiddenScrollerPosition(s->Width(), s->Height());
            s->SetBounds(p.X, p.Y, s->Width(), s->Height());
        }
        return;
    }
    CreateScroller();
    TControl* s = scroller_.Control();
    s->SetVisible(true);
    const TRect b = ScrollerBounds(GeometryInput(), ButtonSize(), CloseButtonSize(), MenuButtonSize());
    SetScrollerOrientation(IsHorizontalStrip(tab_orientation_) ? TOrientation::orHorizontal : TOrientation::orVertical);
    s->SetBounds(b.Left, b.Top, b.Width(), b.Height());
}

void TKtCustomTabControl::InvalidateButtons() {
    if (show_menu_button_ && menu_button_.Exists()) menu_button_.Control()->Invalidate();
    if (show_close_button_ && close_button_.Exists()) close_button_.Control()->Invalidate();
    if (scroller_.Exists()) scroller_.Control()->Invalidate();
}

void TKtCustomTabControl::AdjustClientRect(TRect& rect) {
    rect = DisplayRect();
    TCustomControl::AdjustClientRect(rect);
}

void TKtCustomTabControl::AlignControls(TRect& rect) {
    PlaceCloseButton();
    PlaceMenuButton();
    PlaceScroller();
    rect = DisplayRect();
    last_display_rect_ = rect;
    TCustomControl::AlignControls(rect);
}

}  // namespace dlk
