#pragma once

namespace dlk {

class TControl;

// Whether the control has a window of its own. Labels, speed buttons, images
// and splitters are drawn on their parent in the classic framework; code that
// walks "windowed controls" leaves them out the same way here.
bool IsWindowedControl(const TControl& control);

}  // namespace dlk
