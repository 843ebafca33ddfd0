#pragma once

#include "config/core/settings_pages.h"

namespace dlk::config {

class TForm1;
class TForm2;

// The settings as the controls of the two windows hold them, and back.
SettingsPages CollectPages(const TForm1& form1, const TForm2& form2);
void ShowPages(const SettingsPages& pages, TForm1& form1, TForm2& form2);

// The separator the settings pages write and read decimal numbers with.
char LocaleDecimalSeparator();

}  // namespace dlk::config
