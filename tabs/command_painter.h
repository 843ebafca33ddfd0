#pragma once

#include <functional>

#include "framework/canvas/canvas.h"
#include "tabs/core/draw_commands.h"

namespace dlk {

// Runs a command list on canvas with the frame colour as its pen. Shadow
// pixels blend black into what the parent shows behind the control there;
// parentImage paints that picture (client coordinates) and is asked only when
// the list holds a shadow.
void PaintDrawCommands(TCanvas& canvas, const TKtDrawCommands& commands, TColor frameColor,
                       const std::function<void(TCanvas&)>& parentImage);

}  // namespace dlk
