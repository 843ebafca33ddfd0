#pragma once

#include <QImage>

#include "config/core/chart_surface.h"

namespace dlk::config {

// A chart marker as a menu picture: transparent where its mask keeps the
// background.
QImage MarkerPicture(const MarkerImage& mask, const MarkerImage& image);

// The schedule buttons' 16 x 16 glyphs, their bottom-left colour transparent:
// a crossed-out sheet (clear), a folder (open) and a disk (save).
QImage ClearScheduleGlyph();
QImage OpenScheduleGlyph();
QImage SaveScheduleGlyph();

}  // namespace dlk::config
