#pragma once

#include "framework/controls/control.h"

namespace dlk {

// How far (in pixels, either axis) the pointer moves from where a drag was
// begun before it starts. Ours, so that drags behave the same on every
// platform (Qt's start distance differs between them).
inline constexpr int kDragThreshold = 5;

// Where the mouse event now being handled happened, in screen coordinates;
// a drag begun during it counts its threshold from there.
void NoteMousePoint(TPoint screen);

// The control being dragged (armed or started), or nullptr.
TControl* DragSource();

}  // namespace dlk
