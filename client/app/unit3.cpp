#include "client/app/unit3.h"

#include <QGuiApplication>
#include <QScreen>
#include <memory>
#include <mutex>

#include "client/app/dialog_check.h"
#include "client/app/modem_list_view.h"
#include "client/app/unit1.h"
#include "client/core/link/link_messages.h"
#include "client/core/settings/modem_settings_lookup.h"
#include "framework/application/message_box.h"
#include "framework/components/description_reader.h"

namespace dlk::client {
namespace {

bool properties_open = false;

}  // namespace

TForm3::TForm3(TComponent* owner) : TForm(owner) {
    ReadComponentResource(*this, ":/client/unit3.form");
    Label1 = FindRequired<TLabel>(*this, "Label1");
    Edit1 = FindRequired<TEdit>(*this, "Edit1");
    CheckBox1 = FindRequired<TCheckBox>(*this, "CheckBox1");
    CheckBox2 = FindRequired<TCheckBox>(*this, "CheckBox2");
    Label2 = FindRequired<TLabel>(*this, "Label2");
    Edit2 = FindRequired<TEdit>(*this, "Edit2");
    Label3 = FindRequired<TLabel>(*this, "Label3");
    Edit3 = FindRequired<TEdit>(*this, "Edit3");
    Button1 = FindRequired<TButton>(*this, "Button1");
    Button2 = FindRequired<TButton>(*this, "Button2");

    const TNotifyEvent changed = [this](TObject* s) { Edit1Change(s); };
    Edit1->OnChange = changed;
    Edit2->OnChange = changed;
    Edit3->OnChange = changed;
    CheckBox1->OnClick = changed;
    CheckBox2->OnClick = [this](TObject* s) { CheckBox2Click(s); };
    DoCreate();
}

TForm3::~TForm3() {
    DoDestroy();
}

void TForm3::Fill(const std::string& imeiText, const ModemUserSettings& settings) {
    const ModemPropertiesValues v = PropertiesValuesFrom(settings);
    filling_ = true;
    SetCaption("свойства IMEI " + imeiText);
    Edit1->SetText(v.Name);
    Edit2->SetText(v.ModbusLo);
    Edit3->SetText(v.ModbusHi);
    CheckBox1->SetChecked(v.PausedAtStart);
    CheckBox2->SetChecked(v.Modbus);
    filling_ = false;
    EnableModbusControls(v.Modbus);
    Button1->SetEnabled(false);
}

ModemPropertiesValues TForm3::Values() const {
    ModemPropertiesValues v;
    v.Name = Edit1->Text();
    v.PausedAtStart = CheckBox1->Checked();
    v.Modbus = CheckBox2->Checked();
    v.ModbusLo = Edit2->Text();
    v.ModbusHi = Edit3->Text();
    return v;
}

void TForm3::Edit1Change(TObject*) {
    if (!filling_) Button1->SetEnabled(true);
}

void TForm3::CheckBox2Click(TObject* sender) {
    if (filling_) return;
    EnableModbusControls(CheckBox2->Checked());
    Edit1Change(sender);
}

void TForm3::EnableModbusControls(bool on) {
    Edit2->SetEnabled(on);
    Label2->SetEnabled(on);
    Edit3->SetEnabled(on);
    Label3->SetEnabled(on);
}

TRect PropertiesDialogBounds(const TRect& mainWindow, int width, int height, const ModemPropertiesPlace& place) {
    int top = mainWindow.Top + (mainWindow.Height() - height) / 2;
    if (top < 0) top = 0;
    const int lowest = place.ScreenHeight - place.TaskbarHeight - height;
    if (top > lowest) top = lowest;
    return Bounds(mainWindow.Left + (mainWindow.Width() - width) / 2, top, width, height);
}

void OpenModemProperties(TForm1& main, int entry) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int screenHeight = screen != nullptr ? screen->geometry().height() : 0;
    ExecuteModemProperties(main, main.Table(), entry, main.Environment().Folder / kModemsFileName,
                           {screenHeight, main.TaskbarHeight()}, [&main] { main.List().DrawModemList(); });
}

bool ModemPropertiesOpen() {
    return properties_open;
}

bool ExecuteModemProperties(TForm& owner, ModemTable& table, int entry, const std::filesystem::path& modemsFile,
                            const ModemPropertiesPlace& place, const std::function<void()>& repaint) {
    if (properties_open) return false;
    ImeiBcd imei;
    ModemUserSettings current;
    {
        std::lock_guard lock(table.TableLock);
        if (entry < 0 || entry >= table.ModemTableCount()) return false;
        imei = table.Entries[std::size_t(entry)].Imei;
        current = UserSettingsOf(table.Entries[std::size_t(entry)]);
    }
    properties_open = true;
    struct Closing {
        ~Closing() { properties_open = false; }
    } closing;

    auto dialog = std::make_unique<TForm3>(&owner);
    dialog->Fill(ImeiToText(imei), current);
    const TRect r = PropertiesDialogBounds(owner.BoundsRect(), dialog->Width(), dialog->Height(), place);
    dialog->SetBounds(r.Left, r.Top, r.Width(), r.Height());

    CheckOnOk(*dialog, [&] { return ValidateModemProperties(dialog->Values(), current); });
    if (dialog->ShowModal() != mrOk) return false;
    const auto checked = ValidateModemProperties(dialog->Values(), current);
    if (!std::holds_alternative<ModemUserSettings>(checked)) return false;
    std::string writeError;
    const bool stored =
        StoreModemSettingsFor(table, imei, std::get<ModemUserSettings>(checked), modemsFile, &writeError);
    if (repaint) repaint();
    if (!stored) {
        MessageBox(owner.Widget(), "Не удаётся сохранить свойства модема: " + writeError, kProgramCaption,
                   MB_OK | MB_ICONERROR);
    }
    return true;
}

}  // namespace dlk::client
