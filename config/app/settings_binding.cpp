#include "config/app/settings_binding.h"

#include <clocale>
#include <stdexcept>

#include "config/app/unit1.h"
#include "config/app/unit2.h"

namespace dlk::config {

namespace {

struct TextFieldPlace {
    TextField Field;
    bool OnPanel;
    const char* Edit;
    const char* Label;
};

const TextFieldPlace kTextFieldPlaces[] = {
    {&SettingsPages::Apn, true, "Edit2", "Label14"},
    {&SettingsPages::Login, true, "Edit3", "Label15"},
    {&SettingsPages::Password, true, "Edit5", "Label16"},
    {&SettingsPages::NtpServer, false, "Edit4", "Label11"},
    {&SettingsPages::ServerAddress, false, "Edit6", "Label13"},
    {&SettingsPages::ServerPort, false, "Edit7", "Label17"},
    {&SettingsPages::Phone, false, "MaskEdit1", "Label25"},
    {&SettingsPages::SmsText, false, "Edit12", "Label19"},
};

}  // namespace

SettingsPages CollectPages(const TForm1& f, const TForm2& f2) {
    SettingsPages p;
    p.Apn = f2.Edit2->Text();
    p.Login = f2.Edit3->Text();
    p.Password = f2.Edit5->Text();
    p.NtpServer = f.Edit4->Text();
    p.TimeZoneIndex = f.ComboBox1->ItemIndex();
    p.WorksBySchedule = f.CheckBox1->Checked();
    p.BaudIndex = f.ComboBox2->ItemIndex();
    p.DataBitsIndex = f.ComboBox5->ItemIndex();
    p.ParityIndex = f.ComboBox3->ItemIndex();
    p.StopBitsIndex = f.ComboBox4->ItemIndex();
    p.ServerAddress = f.Edit6->Text();
    p.ServerPort = f.Edit7->Text();
    p.PacketTimeout = f.Edit8->Text();
    p.AutoDisconnect = f.Edit9->Text();
    p.PacketLength = f.Edit10->Text();
    p.PingPeriod = f.Edit11->Text();
    p.Phone = f.MaskEdit1->EditText();
    p.SmsText = f.Edit12->Text();
    p.Flags.Compression = f.CheckBox2->Checked();
    p.Flags.InvertRx = f.CheckBox5->Checked();
    p.Flags.InvertTx = f.CheckBox4->Checked();
    p.Flags.DtrControl = f.CheckBox3->Checked();
    p.Flags.ConnectOnCall = f.CheckBox6->Checked();
    p.Flags.AlarmSms = f.CheckBox7->Checked();
    p.Flags.SmsOnOpening = f.RadioButton2->Checked();
    p.SerialLine = f.SerialLine;
    return p;
}

void ShowPages(const SettingsPages& p, TForm1& f, TForm2& f2) {
    f2.Edit2->SetText(p.Apn);
    f2.Edit3->SetText(p.Login);
    f2.Edit5->SetText(p.Password);
    f.Edit4->SetText(p.NtpServer);
    f.ComboBox1->SetItemIndex(p.TimeZoneIndex);
    f.ComboBox2->SetItemIndex(p.BaudIndex);
    f.ComboBox5->SetItemIndex(p.DataBitsIndex);
    f.ComboBox3->SetItemIndex(p.ParityIndex);
    f.ComboBox4->SetItemIndex(p.StopBitsIndex);
    f.Edit6->SetText(p.ServerAddress);
    f.Edit7->SetText(p.ServerPort);
    f.Edit8->SetText(p.PacketTimeout);
    f.Edit9->SetText(p.AutoDisconnect);
    f.Edit10->SetText(p.PacketLength);
    f.Edit11->SetText(p.PingPeriod);
    f.MaskEdit1->SetText(p.Phone);
    f.Edit12->SetText(p.SmsText);
    // Setting a check box runs its click, so the dependent controls follow.
    f.CheckBox1->SetChecked(p.WorksBySchedule);
    f.CheckBox2->SetChecked(p.Flags.Compression);
    f.CheckBox5->SetChecked(p.Flags.InvertRx);
    f.CheckBox4->SetChecked(p.Flags.InvertTx);
    f.CheckBox3->SetChecked(p.Flags.DtrControl);
    f.CheckBox6->SetChecked(p.Flags.ConnectOnCall);
    f.CheckBox7->SetChecked(p.Flags.AlarmSms);
    f.RadioButton1->SetChecked(!p.Flags.SmsOnOpening);
    f.RadioButton2->SetChecked(p.Flags.SmsOnOpening);
    f.SerialLine = p.SerialLine;
}

TextFieldControls ControlsOf(TextField field, const TForm1& f, const TForm2& f2) {
    for (const TextFieldPlace& place : kTextFieldPlaces) {
        if (place.Field != field) continue;
        const TComponent& owner = place.OnPanel ? static_cast<const TComponent&>(f2) : f;
        return {FindRequired<TEdit>(owner, place.Edit), FindRequired<TLabel>(owner, place.Label), !place.OnPanel};
    }
    throw std::logic_error("a text field without an edit");
}

char LocaleDecimalSeparator() {
    const std::lconv* conventions = std::localeconv();
    const char* point = conventions != nullptr ? conventions->decimal_point : nullptr;
    return point != nullptr && point[0] != '\0' ? point[0] : '.';
}

}  // namespace dlk::config
