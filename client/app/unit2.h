#pragma once

#include "client/core/link_settings.h"
#include "client/core/settings/settings_apply.h"
#include "framework/controls/form.h"
#include "framework/controls/std_controls.h"

namespace dlk::client {

// The settings dialog "ДЛК-клиент (Настройки)".
class TForm2 : public TForm {
public:
    explicit TForm2(TComponent* owner);
    ~TForm2() override;

    // Shows the settings; the client-mode fields are enabled only in client
    // mode, and OK waits for a change.
    void Fill(const LinkSettings& settings);
    SettingsDialogValues Values() const;

    TGroupBox* GroupBox1;
    TLabel* Label1;
    TEdit* Edit1;
    TCheckBox* CheckBox2;
    TLabel* Label4;
    TEdit* Edit4;
    TLabel* Label6;
    TEdit* Edit6;
    TLabel* Label2;
    TEdit* Edit2;
    TLabel* Label3;
    TEdit* Edit3;
    TLabel* Label5;
    TEdit* Edit5;
    TGroupBox* GroupBox2;
    TRadioButton* RadioButton1;
    TRadioButton* RadioButton2;
    TCheckBox* CheckBox1;
    TButton* Button1;
    TButton* Button2;

private:
    void Edit1Change(TObject* sender);
    void CheckBox2Click(TObject* sender);
    void EnableClientModeControls(bool on);

    bool filling_ = false;
};

struct SettingsDialogPlace {
    int PopupX = 0;  // where the tray menu last popped up
    int ScreenHeight = 0;
    int TaskbarHeight = 0;
    TRect Area;  // the screen's available area; empty: not kept to it
};

// The dialog's outer rectangle: centred under the point where the tray menu
// popped up, its bottom on the taskbar, then moved into the available area
// (its top-left corner kept inside when it is larger).
TRect SettingsDialogBounds(int width, int height, const SettingsDialogPlace& place);

// "Настройки" of the tray menu: shows the dialog over owner, and on OK
// checks every field, applies the settings through target and returns
// true. A refused field is reported over the dialog, which stays open
// with the user's text; Cancel changes nothing. Returns false at once while the
// dialog is already open.
bool ExecuteSettingsDialog(TForm& owner, LinkSettings& settings, SettingsApplyTarget& target,
                           const SettingsDialogPlace& place);

class TForm1;
// What the main window's "Настройки" runs in the program.
void OpenSettingsDialog(TForm1& main);

// True while the settings dialog is shown: the main window must not go away under it.
bool SettingsDialogOpen();

}  // namespace dlk::client
