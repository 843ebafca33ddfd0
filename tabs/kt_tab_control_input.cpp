#include <algorithm>

#include "framework/application/application.h"
#include "framework/controls/drag.h"
#include "tabs/core/tab_search.h"
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
    if (v < 0 || v >= tabs_->Count()) {
        tab_index_ = -1;
        FullRepaint();
        InvalidateButtons();
        return;
    }
    const int old = tab_index_;
    const bool allowed = v == old || tab_change_approved_ || CanSelectTab(v);
    bool scrolled = false;
    if (allowed) {
        tab_index_ = v;
        if (!scroller_needed_) {
            RotateRows(v);
        } else {
            // Back to the tab when it lies before the shown part, else on
            // over visible tabs until it is wholly shown; a hidden tab would
            // give the strip a stale offset.
            const int before = first_shown_tab_;
            if (v < first_shown_tab_) first_shown_tab_ = v;
            while (first_shown_tab_ < v && !IsTabFullyShown(v)) {
                do ++first_shown_tab_;
                while (first_shown_tab_ < v && !tabs_->Items(first_shown_tab_)->TabVisible);
            }
            scrolled = first_shown_tab_ != before;
        }
    }
    if (scrolled || tab_index_ != old) {
        FullRepaint();
        if (scroller_.Exists()) scroller_.Control()->Invalidate();
    }
    if (tab_index_ != old) {
        DoChange();
        DoPageChange();
    }
    if (show_close_button_ && close_button_.Exists()) close_button_.Control()->Invalidate();
    if (show_menu_button_ && menu_button_.Exists()) menu_button_.Control()->Invalidate();
}

void TKtCustomTabControl::SetApprovedTabIndex(int index) {
    struct Restore {
        bool& flag;
        bool saved;
        ~Restore() { flag = saved; }
    } restore{tab_change_approved_, tab_change_approved_};
    tab_change_approved_ = true;
    SetTabIndex(index);
}

int TKtCustomTabControl::TabAtPoint(int x, int y) {
    const TPoint p{x, y};
    return FindTabInHitOrder(tabs_->Count(), tab_index_, first_shown_tab_, [&](int i) {
        if (!IsTabFullyShown(i)) return false;
        const TRect r = GetTabClientRect(i);
        if (!r.Contains(p)) return false;
        const TRegion* region = GetTabRegion(i, r);
        return region != nullptr && region->Contains(p);
    });
}

void TKtCustomTabControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (!Enabled()) return;
    const int index = TabAtPoint(x, y);
    if (index >= 0 && tabs_->Items(index)->TabEnabled) {
        if (TabStop() && index == tab_index_) {
            SetFocus();
            if (!Focused()) return;
        }
        SetTabIndex(index);
        if (tab_index_ == index) DoTabClick();
    }
    drag_candidate_ = index;
}

void TKtCustomTabControl::MouseMove(TShiftState shift, int x, int y) {
    if (hot_track_ || tab_hints_) TrackTabUnderPointer(TabAtPoint(x, y), x, y);
    TCustomControl::MouseMove(shift, x, y);
    // Only the selected tab is dragged: a press whose selection was refused
    // must not move the tab that stayed selected.
    if (allow_tab_dragging_ && (shift & ssLeft) && drag_candidate_ >= 0 && drag_candidate_ < tabs_->Count() &&
        drag_candidate_ == tab_index_ && tabs_->Items(drag_candidate_)->TabEnabled)
        BeginDrag(false);
}

void TKtCustomTabControl::TrackTabUnderPointer(int index, int x, int y) {
    if (index < 0) {
        const bool inStrip = StripRect().Contains({x, y});
        if (tab_hints_ && (hot_tab_index_ >= 0 || inStrip)) Application().CancelHint();
        ClearHotTrack();
        // Over free strip space no hint at all; elsewhere the control's own.
        if (tab_hints_ && inStrip) SetHint(std::string());
        return;
    }
    if (index == hot_tab_index_) return;
    hot_tab_index_ = index;
    if (hot_track_) {
        hot_track_only_repaint_ = true;
        Invalidate();
    }
    if (tab_hints_) {
        Application().CancelHint();
        SetHint(tabs_->Items(index)->Hint);
    }
    if (!hot_track_timer_running_) {
        SetTimer(kHotTrackTimerId, kHotTrackInterval);
        hot_track_timer_running_ = true;
    }
}

void TKtCustomTabControl::ClearHotTrack() {
    if (hot_track_timer_running_) KillTimer(kHotTrackTimerId);
    hot_track_timer_running_ = false;
    hot_tab_index_ = -1;
    Invalidate();
    SetHint(saved_hint_);
}

// The pointer may leave a tab without a move reaching the control (out of
// the window at speed): the hover timer notices.
void TKtCustomTabControl::WMTimer(int id) {
    if (id != kHotTrackTimerId) return TCustomControl::WMTimer(id);
    if (!hot_track_timer_running_) return;
    const TPoint p = ScreenToClient(CursorPos());
    if (TabAtPoint(p.X, p.Y) < 0) ClearHotTrack();
}

void TKtCustomTabControl::DragOver(TObject* source, int x, int y, TDragState state, bool& accept) {
    TCustomControl::DragOver(source, x, y, state, accept);
    if (!allow_tab_dragging_ || source != this) return;
    // Off every tab, and so also on the way out past the strip's end: the
    // timer scrolls while the pointer is held beyond it.
    const int index = state == TDragState::dsDragLeave ? -1 : TabAtPoint(x, y);
    if (index == -1) {
        if (!drag_timer_) {
            drag_timer_ = std::make_unique<TTimer>(nullptr);
            drag_timer_->SetEnabled(false);
            drag_timer_->SetOnTimer([this](TObject*) { DragScrollTick(); });
        }
        drag_timer_->SetInterval(drag_first_interval_);
        drag_timer_->SetEnabled(true);
    }
    if (state == TDragState::dsDragLeave) {
        accept = false;
        if (drop_marker_shown_) DrawDropMarker(drag_marker_rect_);
        drop_target_ = -1;
        return;
    }
    accept = index != -1 && index != tab_index_;
    if (index == drop_target_) return;
    drop_target_ = index;
    if (drop_marker_shown_) DrawDropMarker(drag_marker_rect_);
    if (accept) DrawDropMarker(DropMarkerRectFor(index));
}

void TKtCustomTabControl::DragDrop(TObject* source, int x, int y) {
    if (allow_tab_dragging_ && source == this) {
        if (drag_timer_) drag_timer_->SetEnabled(false);
        if (drop_marker_shown_) DrawDropMarker(drag_marker_rect_);
        drop_target_ = -1;
        const int index = TabAtPoint(x, y);
        if (index != -1) MoveSelectedTab(index);
    }
    TCustomControl::DragDrop(source, x, y);
}

void TKtCustomTabControl::DragScrollTick() {
    drag_timer_->SetInterval(drag_step_interval_);
    // A drag that ended off the control leaves nothing to scroll for.
    if (!Dragging()) return drag_timer_->SetEnabled(false);
    const TPoint p = ScreenToClient(CursorPos());
    int direction = 0;
    switch (tab_orientation_) {
        case TKtTabOrientation::toTop:
        case TKtTabOrientation::toBottom: direction = p.X < 0 ? -1 : p.X > Width() ? 1 : 0; break;
        case TKtTabOrientation::toLeft: direction = p.Y < 0 ? 1 : p.Y > Height() ? -1 : 0; break;
        case TKtTabOrientation::toRight: direction = p.Y < 0 ? -1 : p.Y > Height() ? 1 : 0; break;
    }
    if (tab_sequence_ == TKtTabSequence::tsReverse) direction = -direction;
    if (direction == 0) return;
    try {
        ScrollTabs(direction > 0);
    } catch (...) {
        drag_timer_->SetEnabled(false);
        throw;
    }
}

TRect TKtCustomTabControl::DropMarkerRectFor(int target) const {
    const TRect r = GetTabClientRect(target);
    const bool standard = tab_sequence_ == TKtTabSequence::tsStandard;
    const bool before = standard ? target < tab_index_ : target > tab_index_;
    const int h = fixed_dimension_ / 2;
    const TKtTabStyle s = tab_style_;
    const bool doubleOrBack = s == TKtTabStyle::tsDoubleSlant || s == TKtTabStyle::tsBackSlant;
    const bool singleOrDouble = s == TKtTabStyle::tsSingleSlant || s == TKtTabStyle::tsDoubleSlant;
    const bool cutOrRound = s == TKtTabStyle::tsCutCorner || s == TKtTabStyle::tsRoundCorners;
    TRect m;
    switch (tab_orientation_) {
        case TKtTabOrientation::toTop:
        case TKtTabOrientation::toBottom: {
            if (tab_orientation_ == TKtTabOrientation::toTop)
                m.Top = r.Top - 2, m.Bottom = r.Top + 6;
            else
                m.Bottom = r.Bottom + 2, m.Top = r.Bottom - 6;
            int dx = 0;
            if (before) {
                m.Left = r.Left - 8, m.Right = r.Left + 7;
                if (doubleOrBack) dx = h;
            } else {
                m.Right = r.Right + 8, m.Left = r.Right - 7;
                if (singleOrDouble) dx = -h;
                if (cutOrRound) dx = 1;
            }
            OffsetRect(m, dx, 0);
            break;
        }
        case TKtTabOrientation::toLeft:
        case TKtTabOrientation::toRight: {
            const bool left = tab_orientation_ == TKtTabOrientation::toLeft;
            if (left)
                m.Left = r.Left - 2, m.Right = r.Left + 6;
            else
                m.Right = r.Right + 3, m.Left = r.Right - 5;
            int dy = 0;
            // A left strip rises from the bottom, a right one runs down.
            if (before == left) {
                m.Bottom = r.Bottom + 8, m.Top = r.Bottom - 7;
                if (left && doubleOrBack) dy = -h;
                if (!left && singleOrDouble) dy = -h;
                if (cutOrRound) dy = 1;
            } else {
                m.Top = r.Top - 8, m.Bottom = r.Top + 7;
                if (left && singleOrDouble) dy = h;
                if (!left && doubleOrBack) dy = h + 1;
            }
            OffsetRect(m, 0, dy);
            break;
        }
    }
    return m;
}

// Drawing the marker twice at the same place takes it away again, as an
// inverted copy would on the screen; it lives in the control's own image.
void TKtCustomTabControl::DrawDropMarker(const TRect& aRect) {
    if (drop_marker_shown_ && aRect == drag_marker_rect_) {
        drop_marker_shown_ = false;
    } else {
        drag_marker_rect_ = aRect;
        drop_marker_shown_ = true;
    }
    Invalidate();
}

void TKtCustomTabControl::PaintDropMarker(TCanvas& canvas) const {
    if (!drop_marker_shown_) return;
    // On the screen the marker may reach past the control's outer edge; in
    // the control's own image it is moved in by that much, so none of its
    // rows is lost.
    TRect r = drag_marker_rect_;
    switch (tab_orientation_) {
        case TKtTabOrientation::toTop: OffsetRect(r, 0, std::max(0, -r.Top)); break;
        case TKtTabOrientation::toBottom: OffsetRect(r, 0, -std::max(0, r.Bottom - ClientHeight())); break;
        case TKtTabOrientation::toLeft: OffsetRect(r, std::max(0, -r.Left), 0); break;
        case TKtTabOrientation::toRight: OffsetRect(r, -std::max(0, r.Right - ClientWidth()), 0); break;
    }
    TBitmap marker;
    marker.SetSize(r.Width(), r.Height());
    TCanvas& m = marker.Canvas();
    m.Brush.Color = clBtnShadow;
    m.Brush.Style = TBrushStyle::bsSolid;
    m.FillRect(Rect(0, 0, r.Width(), r.Height()));
    m.Pen.Style = TPenStyle::psClear;
    m.Brush.Color = clBlack;
    static const TPoint triangles[4][2][3] = {
        {{{0, 0}, {8, 8}, {0, 8}}, {{7, 8}, {15, 0}, {15, 8}}},
        {{{1, 0}, {8, 0}, {8, 8}}, {{-1, 15}, {8, 7}, {8, 15}}},
        {{{-1, 8}, {-1, -1}, {8, -1}}, {{7, -1}, {15, 0}, {15, 8}}},
        {{{0, 0}, {7, 0}, {0, 7}}, {{0, 7}, {8, 15}, {0, 15}}},
    };
    for (const auto& t : triangles[int(tab_orientation_)]) m.Polygon(t, 3);
    const TCopyMode mode = canvas.CopyMode;
    canvas.CopyMode = TCopyMode::cmSrcInvert;
    canvas.CopyRect(r, m, Rect(0, 0, r.Width(), r.Height()));
    canvas.CopyMode = mode;
}

}  // namespace dlk
