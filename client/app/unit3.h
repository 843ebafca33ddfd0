#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "client/core/settings/modem_properties.h"
#include "client/core/table/modem_table.h"
#include "framework/controls/form.h"
#include "framework/controls/std_controls.h"

namespace dlk::client {

// A modem's properties: "свойства IMEI " and its 15 digits.
class TForm3 : public TForm {
public:
    explicit TForm3(TComponent* owner);
    ~TForm3() override;

    // Shows the settings; the Modbus addresses are enabled only with
    // "Modbus", and OK waits for a change.
    void Fill(const std::string& imeiText, const ModemUserSettings& settings);
    ModemPropertiesValues Values() const;

    TLabel* Label1;
    TEdit* Edit1;
    TCheckBox* CheckBox1;
    TCheckBox* CheckBox2;
    TLabel* Label2;
    TEdit* Edit2;
    TLabel* Label3;
    TEdit* Edit3;
    TButton* Button1;
    TButton* Button2;

private:
    void Edit1Change(TObject* sender);
    void CheckBox2Click(TObject* sender);
    void EnableModbusControls(bool on);

    bool filling_ = false;
};

struct ModemPropertiesPlace {
    int ScreenHeight = 0;
    int TaskbarHeight = 0;
};

// The dialog's outer rectangle: centred on the main window, then moved down
// to the screen's top edge or up to just above the taskbar.
TRect PropertiesDialogBounds(const TRect& mainWindow, int width, int height, const ModemPropertiesPlace& place);

// Opens the properties of entry over owner (centred on it, kept on the
// screen above the taskbar). The dialog remembers the modem by its IMEI, so
// OK stores into that modem's entry and record even when the table was
// emptied and refilled meanwhile. repaint paints the list after OK. Returns
// false at once while the dialog is already open or the entry is gone.
bool ExecuteModemProperties(TForm& owner, ModemTable& table, int entry, const std::filesystem::path& modemsFile,
                            const ModemPropertiesPlace& place, const std::function<void()>& repaint);

class TForm1;
// What a double click or Enter on a row of the main window runs in the program.
void OpenModemProperties(TForm1& main, int entry);

// True while the properties dialog is shown.
bool ModemPropertiesOpen();

}  // namespace dlk::client
