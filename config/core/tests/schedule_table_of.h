#pragma once

#include <cstdint>
#include <vector>

#include "config/core/schedule_table.h"

namespace dlk::config::testing {

// A table holding exactly these points, in the order given.
inline ScheduleTable TableOf(const std::vector<SchedulePoint>& points) {
    ScheduleTable table;
    for (std::size_t i = 0; i < points.size(); ++i) table.Points[i] = points[i];
    table.PointCount = static_cast<std::uint8_t>(points.size());
    return table;
}

}  // namespace dlk::config::testing
