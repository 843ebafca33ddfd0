#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "config/core/firmware_page.h"
#include "config/core/report_link.h"
#include "config/core/schedule_chart.h"
#include "config/core/schedule_table.h"
#include "config/core/settings_fields.h"
#include "config/core/settings_transfer.h"
#include "config/core/unit_discovery.h"
#include "framework/controls/combo_box.h"
#include "framework/controls/file_dialogs.h"
#include "framework/controls/form.h"
#include "framework/controls/glyph_buttons.h"
#include "framework/controls/image.h"
#include "framework/controls/mask_edit.h"
#include "framework/controls/menus.h"
#include "framework/controls/progress_bar.h"
#include "framework/controls/std_controls.h"
#include "platform/hid/hid_device.h"
#include "platform/hid/hidraw_enumeration.h"
#include "platform/hid/hidraw_watcher.h"

class QSocketNotifier;

namespace dlk {
class TAltCueFix;
class TDibSurface;
class TKtPageControl;
class TKtTabSheet;
}  // namespace dlk

namespace dlk::config {

class DibChartSurface;
class TForm2;

// A device arriving or leaving, posted to the main window by the hot-plug
// watcher so that it is handled between other events, never during an exchange.
inline constexpr unsigned WM_DEVICECHANGE = 0x0219;

// Where the window looks for units and how it opens one: the system's hidraw
// folders and the real device by default; tests point them at a fake tree
// and hand out simulated units.
struct UnitBus {
    HidrawPaths Paths;
    std::function<std::shared_ptr<HidDevice>(const std::string& path)> Open;
};
UnitBus SystemUnitBus();

// The configurator's main window: finds the unit, follows it in and out,
// shows the pages its type offers and writes the settings back.
class TForm1 : public TForm, public FirmwarePageWindow {
    DLK_COMPONENT(TForm1)
public:
    TForm1(TComponent* owner, UnitBus bus = SystemUnitBus());
    ~TForm1() override;

    // The APN panel, whose edits are part of the settings.
    TForm2* Form2 = nullptr;

    TKtPageControl* KtPageControl1;
    TKtTabSheet* TabSheet1;
    TKtTabSheet* TabSheet2;
    TKtTabSheet* TabSheet3;
    TKtTabSheet* TabSheet4;
    TKtTabSheet* TabSheet5;
    // The schedule strip.
    TCheckBox* CheckBox1;
    TLabel* Label11;
    TEdit* Edit4;
    TLabel* Label12;
    TComboBox* ComboBox1;
    TSpeedButton* SpeedButton3;
    TSpeedButton* SpeedButton2;
    TSpeedButton* SpeedButton5;
    TSpeedButton* SpeedButton6;
    TPopupMenu* PopupMenu1;
    TMenuItem* N1;
    TMenuItem* N2;
    TMenuItem* N3;
    // "RS-232 (COM-порт)".
    TComboBox* ComboBox2;
    TComboBox* ComboBox3;
    TComboBox* ComboBox4;
    TComboBox* ComboBox5;
    TCheckBox* CheckBox3;
    TCheckBox* CheckBox4;
    TCheckBox* CheckBox5;
    // "Настройки".
    TEdit* Edit6;
    TEdit* Edit7;
    TLabel* Label18;
    TEdit* Edit8;
    TLabel* Label28;
    TEdit* Edit9;
    TLabel* Label20;
    TEdit* Edit10;
    TEdit* Edit11;
    TCheckBox* CheckBox2;
    TCheckBox* CheckBox6;
    // "SMS-сообщения".
    TCheckBox* CheckBox7;
    TMaskEdit* MaskEdit1;
    TLabel* Label19;
    TEdit* Edit12;
    TRadioButton* RadioButton1;
    TRadioButton* RadioButton2;
    // "Перепрошивка".
    TLabel* Label2;
    TLabel* Label4;
    TLabel* Label7;
    TLabel* Label8;
    TLabel* Label27;
    TButton* Button1;
    TButton* Button2;
    TEdit* Edit1;
    TSpeedButton* SpeedButton1;
    TProgressBar* ProgressBar1;
    TImage* Image1;
    // Below the pages.
    TBitBtn* BitBtn2;
    TButton* Button3;
    TCheckBox* CheckBox10;
    TLabel* Label30;
    TLabel* Label10;
    TOpenDialog* OpenDialog1;
    TSaveDialog* SaveDialog1;
    TAltCueFix* AltCueFix1;

    // The open device's path as found; empty while no device is open.
    std::string DevicePath;
    std::uint8_t DeviceType = 0;
    ReportLink Link;
    ScheduleTable Schedule;
    // The chart below the schedule strip: the page's size less the strip's rows.
    static constexpr std::uint16_t kChartWidth = 790;
    static constexpr std::uint16_t kChartHeight = 193 - ScheduleChart::kChartTop;
    // The chart page's mouse and menu state over Schedule.
    ScheduleChart Chart{Schedule, kChartWidth};
    // Bytes 0-7 of the settings block as last read, written back with the
    // combo boxes' choice over them.
    SerialLineRecord SerialLine{};
    TDibSurface* Surface() const { return surface_.get(); }
    bool HasDevice() const { return Link.HasUnit(); }

    void FormCreate(TObject* sender);
    void FormActivate(TObject* sender);
    void FormShow(TObject* sender);
    void FormDestroy(TObject* sender);
    void FindDevice();
    void OpenDevice(const std::string& path, UnitMode mode);
    void WMDeviceChange(const HidrawChange& change);
    void CheckBox1Click(TObject* sender);
    void CheckBox6Click(TObject* sender);
    void CheckBox7Click(TObject* sender);
    void CheckBox10Click(TObject* sender);
    void ShowHintText(TObject* sender);
    void SpeedButton3Click(TObject* sender);
    void Button3Click(TObject* sender);
    void BitBtn2Click(TObject* sender);
    void SpeedButton1Click(TObject* sender);
    void Button1Click(TObject* sender);
    void Button2Click(TObject* sender);

    // What flashing asks of the firmware page.
    bool Confirm(const char* caption, const char* text) override;
    void ShowMessage(const char* caption, const std::string& text, BoxIcon icon) override;
    void ShowBootLoaderLook() override;
    void ShowProgress(bool visible) override;
    void SetProgress(int blocks) override;
    void ShowRenewedIdentity(const IdentityTexts& texts) override;
    void EnableFlashButton() override;

    // The week on the surface, then shown on the page.
    void Draw_Scene();
    void TabSheet2PaintBackground(TObject* sender, TCanvas& canvas, const TRect& rect, bool& handled);
    void TabSheet2MouseMove(TObject* sender, TShiftState shift, int x, int y);
    void TabSheet2MouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void TabSheet2MouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void PopupMenu1Popup(TObject* sender);
    void N1Click(TObject* sender);
    void N2Click(TObject* sender);
    void N3Click(TObject* sender);
    void SpeedButton2Click(TObject* sender);
    void SpeedButton5Click(TObject* sender);
    void SpeedButton6Click(TObject* sender);

protected:
    void WndProc(TMessage& message) override;

private:
    void ResetOnRemoval();
    // A unit that identified and then failed while its settings were read.
    void ReportUnreadableUnit(const std::string& path, LinkStatus status);
    void CloseDevice();
    // What a unit's settings put into the window, emptied (removal, boot loader).
    void ClearUnitSettings();
    void OfferTypePages(std::uint8_t device_type);
    void TakeDeviceChanges();
    void FindFirmwarePageControls();
    void Form1WindowProc(TMessage& message, const WindowProcedure& previous);
    void TabSheet2WindowProc(TMessage& message, const WindowProcedure& previous);
    void ShowTimeLabel();
    void ShowSchedulePictures();
    // A text code page 1251 cannot hold: said, and the caret put in its edit.
    void RefuseText(TextField field);
    void AddMenuPoint(bool on);
    void ShowScheduleFile(const std::string& path);

    UnitBus bus_;
    std::shared_ptr<HidDevice> device_;
    std::unique_ptr<TDibSurface> surface_;
    // Kept with the surface: it remembers what its texts measure.
    std::unique_ptr<DibChartSurface> chart_surface_;
    std::unique_ptr<HidrawWatcher> watcher_;
    std::unique_ptr<QSocketNotifier> watcher_notifier_;
    std::deque<HidrawChange> pending_changes_;
    // What the open unit's settings were read as; empty without one.
    std::optional<SettingsAsRead> as_read_;
    // A unit that could not be read is not searched for again until it arrives anew.
    std::string unreadable_path_;
    bool shown_before_ = false;
    // The image last read, kept for the whole run like the unit's buffers.
    FirmwareBytes firmware_image_{};
};

// A page that is offered has its tab and its controls; one that is not has neither.
void OfferPage(TKtTabSheet& page, bool offered);

}  // namespace dlk::config
