#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace dlk::config {

inline constexpr int kMinutesPerDay = 1440;
inline constexpr int kMinutesPerWeek = 7 * kMinutesPerDay;
inline constexpr std::size_t kScheduleRecords = 128;
// The unit counts its points in 7 bits.
inline constexpr std::uint8_t kMaxSchedulePoints = 127;

// A minute counted from the week's start taken round the week, so always within it.
constexpr int WeekMinute(std::int64_t minute) {
    const std::int64_t m = minute % kMinutesPerWeek;
    return static_cast<int>(m < 0 ? m + kMinutesPerWeek : m);
}

// One switch-on or switch-off moment of the weekly schedule.
struct SchedulePoint {
    std::uint16_t Minute = 0;      // of the week, 0 = Monday 00:00
    std::uint8_t On = 0;           // 1 switches on, 0 off
    std::uint8_t Highlighted = 0;  // 1 while the mouse marks it

    bool operator==(const SchedulePoint&) const = default;
};

// The week's points: the first PointCount records are in use, in ascending
// minute order (equal minutes in the order they came); the records after them
// keep whatever they last held, as the schedule file stores them too.
struct ScheduleTable {
    std::array<SchedulePoint, kScheduleRecords> Points{};
    std::uint8_t PointCount = 0;
    bool Highlighted = false;
    std::uint8_t HighlightIndex = 0;

    std::span<const SchedulePoint> InUse() const { return std::span(Points).first(PointCount); }

    // Stable bubble sort of the points in use; HighlightIndex stays on its record.
    void SortPoints();
    // A new point at `minute`, sorted in; false (and nothing added) when the
    // table already holds kMaxSchedulePoints. Like the menu items it serves,
    // it marks the next free record's on flag before it looks at the count.
    bool AddPoint(std::uint16_t minute, bool on);
    // Removes the point at HighlightIndex, whether or not it is still marked:
    // the pop-up menu's own leave notice clears the mark before its item runs.
    void RemoveHighlightedPoint();
    void SetHighlight(std::uint8_t index);
    void ClearHighlight();
    // Every record zeroed, no points.
    void Clear();
};

}  // namespace dlk::config
