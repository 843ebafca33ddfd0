#include "framework/controls/control_kinds.h"

#include "framework/controls/glyph_buttons.h"
#include "framework/controls/image.h"
#include "framework/controls/splitter.h"
#include "framework/controls/std_controls.h"

namespace dlk {

bool IsWindowedControl(const TControl& control) {
    return dynamic_cast<const TLabel*>(&control) == nullptr && dynamic_cast<const TSpeedButton*>(&control) == nullptr &&
           dynamic_cast<const TImage*>(&control) == nullptr && dynamic_cast<const TSplitter*>(&control) == nullptr;
}

}  // namespace dlk
