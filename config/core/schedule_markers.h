#pragma once

#include "config/core/chart_surface.h"

namespace dlk::config {

// The chart's marker pictures: an arrow pointing up for an ON point and down
// for an OFF point, 15 pixels wide at the head and 7 at the shaft with its
// point in column 7, black around it; the masks are black on the arrow and
// white elsewhere, so that AND then OR puts the arrow on any background.
struct ScheduleMarkers {
    MarkerImage On;       // MARKER_ON, greens
    MarkerImage Off;      // MARKER_OFF, reds
    MarkerImage OnGray;   // MARKER_ON_GRAY
    MarkerImage OffGray;  // MARKER_OFF_GRAY
    MarkerImage MaskOn;   // MARKER_MASK_ON
    MarkerImage MaskOff;  // MARKER_MASK_OFF
};

const ScheduleMarkers& DefaultScheduleMarkers();

}  // namespace dlk::config
