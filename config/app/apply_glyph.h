#pragma once

#include <QImage>

namespace dlk::config {

// The 16 x 16 glyph of "Применить": a green tick that sends the settings
// to the unit, its bottom-left colour transparent like the schedule buttons'.
QImage ApplyGlyph();

}  // namespace dlk::config
