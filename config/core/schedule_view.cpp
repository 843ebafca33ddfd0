#include "config/core/schedule_view.h"

#include <cmath>

namespace dlk::config {
namespace {

std::int64_t FloorDivide(std::int64_t a, std::int64_t b) {
    const std::int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

}  // namespace

std::int64_t ScheduleView::MinuteToX(int minute) const {
    // Halves go to the even neighbour, as everywhere on the chart.
    std::int64_t w = std::llrint(minute - ViewOffset);
    if (ViewOffset >= 0 && minute < ViewOffset) w += kMinutesPerWeek;
    if (ViewOffset < 0 && minute > ViewOffset + kMinutesPerWeek) w -= kMinutesPerWeek;
    // In 64 bits: the product grows with the zoom and the chart's width.
    return FloorDivide(w * ZoomFactor * Width, kMinutesPerWeek);
}

std::uint16_t ScheduleView::XToMinute(int x) const {
    const double m =
        static_cast<std::uint16_t>(x) / static_cast<double>(Width) * kMinutesPerWeek / ZoomFactor + ViewOffset;
    return static_cast<std::uint16_t>(WeekMinute(std::llrint(m)));
}

int ScheduleView::HoverTolerance() const {
    return static_cast<int>(std::lrint(6.0 * kMinutesPerWeek / Width / ZoomFactor));
}

void ScheduleView::ZoomIn(int mouse_x) {
    if (ZoomFactor >= kMaxZoomFactor) return;
    const double z = ZoomFactor;
    ViewOffset += mouse_x / static_cast<double>(Width) * kMinutesPerWeek * (1 / z - 1 / (2 * z));
    ZoomFactor = static_cast<std::uint8_t>(ZoomFactor * 2);
    WrapOffset();
}

void ScheduleView::ZoomOut(int mouse_x) {
    if (ZoomFactor <= 1) return;
    const double z = ZoomFactor;
    ViewOffset += mouse_x / static_cast<double>(Width) * kMinutesPerWeek * (1 / z - 1 / (z / 2));
    ZoomFactor = static_cast<std::uint8_t>(ZoomFactor / 2);
    WrapOffset();
}

void ScheduleView::Pan(int from, int to) {
    ViewOffset += (from - to) / static_cast<double>(Width) * kMinutesPerWeek / ZoomFactor;
    WrapOffset();
}

void ScheduleView::WrapOffset() {
    // The mapping wraps a minute once, so an offset past a whole week would
    // push part of the week off the chart.
    while (ViewOffset > kMinutesPerWeek) ViewOffset -= kMinutesPerWeek;
    while (ViewOffset < -kMinutesPerWeek) ViewOffset += kMinutesPerWeek;
}

std::optional<std::uint8_t> FindPointNear(const ScheduleTable& table, int minute, int tolerance) {
    for (std::uint8_t i = 0; i < table.PointCount; ++i) {
        const int m = table.Points[i].Minute;
        if (minute - tolerance < m && m < minute + tolerance) return i;
    }
    return std::nullopt;
}

}  // namespace dlk::config
