#pragma once

#include "config/core/chart_surface.h"
#include "config/core/schedule_markers.h"
#include "config/core/schedule_table.h"
#include "config/core/schedule_view.h"

namespace dlk::config {

struct SceneOptions {
    bool WorksBySchedule = false;  // CheckBox1: coloured, else grey
    bool DrawsBands = true;        // a unit that never switches off shows no ON bands
};

// The week on the chart: day lines and names, hour lines as the zoom allows,
// the bands where the unit is on, and a marker for every point, the
// highlighted one drawn last so that it lies above its neighbours.
void DrawScheduleScene(ChartSurface& surface, const ScheduleTable& table, const ScheduleView& view,
                       const SceneOptions& options, const ScheduleMarkers& markers = DefaultScheduleMarkers());

}  // namespace dlk::config
