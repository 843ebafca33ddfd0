#include "config/core/schedule_chart.h"

#include <algorithm>

#include "config/core/schedule_time_text.h"

namespace dlk::config {

ScheduleChart::ScheduleChart(ScheduleTable& table, int chart_width) : table_(table) {
    view_.Width = chart_width;
}

bool ScheduleChart::MouseMove(int x, int y) {
    if (dragging_) {
        // No pointer confinement here: the pointer may leave the chart while
        // the button is held, so its position is kept on the chart instead.
        x = std::clamp(x, 0, view_.Width - 1);
        const std::uint16_t minute = view_.XToMinute(x);
        label_ = {true, x, ScheduleTimeText(minute)};
        if (table_.Highlighted) {
            table_.Points[table_.HighlightIndex].Minute = minute;
            table_.SortPoints();
        } else {
            view_.Pan(last_mouse_x_, x);
        }
        last_mouse_x_ = x;
        return true;
    }

    // The marked marker is drawn above its neighbours, so a change of mark
    // needs a redraw; a plain move over the chart does not.
    const bool was_highlighted = table_.Highlighted;
    const std::uint8_t was_index = table_.HighlightIndex;
    table_.ClearHighlight();
    if (y < kChartTop) {
        label_.Visible = false;
        popup_assigned_ = false;
    } else {
        label_.Left = x;
        const std::uint16_t minute = view_.XToMinute(x);
        if (y < kMarkerStripTop) {
            label_.Visible = true;
            label_.Text = ScheduleTimeText(minute);
        } else {
            label_.Visible = false;
            if (const auto found = FindPointNear(table_, minute, view_.HoverTolerance())) {
                table_.SetHighlight(*found);
                label_.Visible = true;
                label_.Text = ScheduleTimeText(table_.Points[*found].Minute);
            }
        }
    }
    last_mouse_x_ = x;
    return table_.Highlighted != was_highlighted || (table_.Highlighted && table_.HighlightIndex != was_index);
}

void ScheduleChart::LeftDown(int x, int y) {
    if (y < kChartTop) return;
    dragging_ = !popup_over_point_;
    popup_over_point_ = false;
    last_mouse_x_ = std::clamp(x, 0, view_.Width - 1);
}

void ScheduleChart::RightDown(int y) {
    popup_assigned_ = y >= kChartTop;
}

void ScheduleChart::MouseLeave() {
    label_.Visible = false;
    table_.ClearHighlight();
}

bool ScheduleChart::Wheel(bool towards_user) {
    if (towards_user) {
        view_.ZoomOut(last_mouse_x_);
    } else {
        view_.ZoomIn(last_mouse_x_);
    }
    return true;
}

ScheduleChart::MenuItems ScheduleChart::Popup(bool switches_off) {
    popup_over_point_ = table_.Highlighted;
    return {table_.Highlighted, !table_.Highlighted, !table_.Highlighted && switches_off};
}

bool ScheduleChart::AddPoint(bool on) {
    return table_.AddPoint(view_.XToMinute(last_mouse_x_), on);
}

void ScheduleChart::RemovePoint() {
    table_.RemoveHighlightedPoint();
    popup_over_point_ = false;
}

void ScheduleChart::Clear() {
    table_.Clear();
    view_.Reset();
}

}  // namespace dlk::config
