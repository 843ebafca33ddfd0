#include "framework/controls/refusal.h"

#include "framework/application/message_box.h"
#include "framework/controls/std_controls.h"

namespace dlk {

void RefuseValue(TForm& dialog, std::string_view control, std::string_view text, std::string_view caption) {
    MessageBox(dialog.Widget(), text, caption, MB_OK | MB_ICONERROR);
    // The box's window gone, the window manager may hand the activation to
    // any window; the keys belong to the dialog.
    dialog.BringToForeground();
    FocusControl(dialog, control);
}

}  // namespace dlk
