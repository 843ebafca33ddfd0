#include "config/core/schedule_table.h"

#include <utility>

namespace dlk::config {

void ScheduleTable::SortPoints() {
    const std::size_t count = PointCount;
    for (std::size_t pass = 1; pass < count; ++pass) {
        for (std::size_t j = 0; j + pass < count; ++j) {
            if (Points[j].Minute <= Points[j + 1].Minute) continue;
            std::swap(Points[j], Points[j + 1]);
            if (HighlightIndex == j) {
                HighlightIndex = static_cast<std::uint8_t>(j + 1);
            } else if (HighlightIndex == j + 1) {
                HighlightIndex = static_cast<std::uint8_t>(j);
            }
        }
    }
}

bool ScheduleTable::AddPoint(std::uint16_t minute, bool on) {
    if (PointCount < kScheduleRecords) Points[PointCount].On = on ? 1 : 0;
    if (PointCount >= kMaxSchedulePoints) return false;
    Points[PointCount].Minute = minute;
    Points[PointCount].Highlighted = 0;
    ++PointCount;
    SortPoints();
    return true;
}

void ScheduleTable::RemoveHighlightedPoint() {
    if (HighlightIndex >= PointCount) return;
    Points[HighlightIndex].Minute = 0xFFFF;
    Points[HighlightIndex].Highlighted = 0;
    SortPoints();
    --PointCount;
    Highlighted = false;
}

void ScheduleTable::SetHighlight(std::uint8_t index) {
    if (index >= PointCount) return;
    Highlighted = true;
    HighlightIndex = index;
    Points[index].Highlighted = 1;
}

void ScheduleTable::ClearHighlight() {
    Highlighted = false;
    if (HighlightIndex < kScheduleRecords) Points[HighlightIndex].Highlighted = 0;
}

void ScheduleTable::Clear() {
    Points.fill(SchedulePoint{});
    PointCount = 0;
    Highlighted = false;
    HighlightIndex = 0;
}

}  // namespace dlk::config
