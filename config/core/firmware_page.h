#pragma once

#include <string>

#include "config/core/settings_procedures.h"

namespace dlk::config {

enum class BoxIcon { Information, Warning, Error };

// What flashing the controller and handing over the GSM module ask of the
// firmware page and its window, so that the procedures run without one.
class FirmwarePageWindow {
public:
    virtual ~FirmwarePageWindow() = default;

    // Yes or No, with the question icon; true for Yes.
    virtual bool Confirm(const char* caption, const char* text) = 0;
    // A message box owned by the main window, closed by the user.
    virtual void ShowMessage(const char* caption, const std::string& text, BoxIcon icon) = 0;
    // The boot-loader look: the caption, an empty schedule, the settings
    // pages and both buttons disabled, the labels emptied; then the window
    // repaints (pending events run, user input excepted). The unit may be
    // gone afterwards.
    virtual void ShowBootLoaderLook() = 0;
    // ProgressBar1 shown, or hidden and back at 0.
    virtual void ShowProgress(bool visible) = 0;
    virtual void SetProgress(int blocks) = 0;
    // Label2, Label8 and Label7 after the unit has been identified again.
    virtual void ShowRenewedIdentity(const IdentityTexts& texts) = 0;
    // Button1 enabled again after a failure.
    virtual void EnableFlashButton() = 0;
};

}  // namespace dlk::config
