#pragma once

#include <cstdint>
#include <optional>

#include "config/core/schedule_table.h"

namespace dlk::config {

inline constexpr std::uint8_t kMaxZoomFactor = 128;

// Which part of the week the chart shows: ZoomFactor (1, 2, 4 ... 128)
// shrinks the visible span to 10080 / ZoomFactor minutes, and ViewOffset is
// the minute at the chart's left edge, kept within -10080 to 10080. Width
// is the chart's width in pixels.
struct ScheduleView {
    int Width = 790;
    std::uint8_t ZoomFactor = 1;
    double ViewOffset = 0;

    void Reset() {
        ZoomFactor = 1;
        ViewOffset = 0;
    }

    // The chart x of a minute of the week, the week taken as a circle from
    // the left edge on (minutes before the edge wrap to the right).
    std::int64_t MinuteToX(int minute) const;
    // The minute of the week under chart x (taken as a 16-bit value, as the
    // mouse reports it), always within the week.
    std::uint16_t XToMinute(int x) const;
    // Six pixels' worth of minutes, the distance within which the mouse finds a marker.
    int HoverTolerance() const;

    // One wheel step: the minute under `mouse_x` keeps its place while the
    // span halves (in) or doubles (out); nothing changes past the ends.
    void ZoomIn(int mouse_x);
    void ZoomOut(int mouse_x);
    // The week dragged from x `from` to x `to`.
    void Pan(int from, int to);

private:
    void WrapOffset();
};

// The first point in use, in table order, strictly within `tolerance` of
// `minute` (no wrap across the week's end).
std::optional<std::uint8_t> FindPointNear(const ScheduleTable& table, int minute, int tolerance);

}  // namespace dlk::config
