#pragma once

#include "config/core/settings_pages.h"
#include "config/core/settings_transfer.h"

namespace dlk {
class TEdit;
class TLabel;
}  // namespace dlk

namespace dlk::config {

class TForm1;
class TForm2;

// The settings as the controls of the two windows hold them, and back.
SettingsPages CollectPages(const TForm1& form1, const TForm2& form2);
void ShowPages(const SettingsPages& pages, TForm1& form1, TForm2& form2);

// The edit that shows a text field of the pages, the label the user knows
// it by, and whether it is on the main window (else on the APN panel).
struct TextFieldControls {
    TEdit* Edit;
    const TLabel* Label;
    bool OnMainWindow;
};
TextFieldControls ControlsOf(TextField field, const TForm1& form1, const TForm2& form2);

// The separator the settings pages write and read decimal numbers with.
char LocaleDecimalSeparator();

}  // namespace dlk::config
