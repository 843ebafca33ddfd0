#pragma once

#include <string_view>

#include "framework/controls/form.h"

namespace dlk {

// A value the dialog cannot take, found as it is asked to close: the box
// stands over the dialog, which stays on the screen, and once the box is
// answered the caret is in the named edit with its text selected, for the
// user to correct.
void RefuseValue(TForm& dialog, std::string_view control, std::string_view text, std::string_view caption);

}  // namespace dlk
