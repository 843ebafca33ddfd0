#include "client/app/unit2.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <memory>

#include "client/app/dialog_check.h"
#include "client/app/unit1.h"
#include "client/core/link/link_messages.h"
#include "framework/components/description_reader.h"
#include "framework/controls/menus.h"

namespace dlk::client {
namespace {

bool settings_dialog_open = false;

int ScreenHeight() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->geometry().height() : 0;
}

}  // namespace

TForm2::TForm2(TComponent* owner) : TForm(owner) {
    ReadComponentResource(*this, ":/client/unit2.form");
    GroupBox1 = FindRequired<TGroupBox>(*this, "GroupBox1");
    Label1 = FindRequired<TLabel>(*this, "Label1");
    Edit1 = FindRequired<TEdit>(*this, "Edit1");
    CheckBox2 = FindRequired<TCheckBox>(*this, "CheckBox2");
    Label4 = FindRequired<TLabel>(*this, "Label4");
    Edit4 = FindRequired<TEdit>(*this, "Edit4");
    Label6 = FindRequired<TLabel>(*this, "Label6");
    Edit6 = FindRequired<TEdit>(*this, "Edit6");
    Label2 = FindRequired<TLabel>(*this, "Label2");
    Edit2 = FindRequired<TEdit>(*this, "Edit2");
    Label3 = FindRequired<TLabel>(*this, "Label3");
    Edit3 = FindRequired<TEdit>(*this, "Edit3");
    Label5 = FindRequired<TLabel>(*this, "Label5");
    Edit5 = FindRequired<TEdit>(*this, "Edit5");
    GroupBox2 = FindRequired<TGroupBox>(*this, "GroupBox2");
    RadioButton1 = FindRequired<TRadioButton>(*this, "RadioButton1");
    RadioButton2 = FindRequired<TRadioButton>(*this, "RadioButton2");
    CheckBox1 = FindRequired<TCheckBox>(*this, "CheckBox1");
    Button1 = FindRequired<TButton>(*this, "Button1");
    Button2 = FindRequired<TButton>(*this, "Button2");

    const TNotifyEvent changed = [this](TObject* s) { Edit1Change(s); };
    for (TEdit* edit : {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6}) edit->OnChange = changed;
    RadioButton1->OnClick = changed;
    RadioButton2->OnClick = changed;
    CheckBox1->OnClick = changed;
    CheckBox2->OnClick = [this](TObject* s) { CheckBox2Click(s); };
    DoCreate();
}

TForm2::~TForm2() {
    DoDestroy();
}

void TForm2::Fill(const LinkSettings& settings) {
    const SettingsDialogValues v = DialogValuesFrom(settings);
    filling_ = true;
    Edit1->SetText(v.LocalPort);
    CheckBox2->SetChecked(v.ClientMode);
    Edit4->SetText(v.ClientId);
    Edit6->SetText(v.ClientPassword);
    Edit2->SetText(v.ServerAddress);
    Edit3->SetText(v.ServerPort);
    Edit5->SetText(v.PingPeriod);
    RadioButton1->SetChecked(v.NullModemMode);
    RadioButton2->SetChecked(!v.NullModemMode);
    CheckBox1->SetChecked(v.OneModemActive);
    filling_ = false;
    EnableClientModeControls(v.ClientMode);
    Button1->SetEnabled(false);
}

SettingsDialogValues TForm2::Values() const {
    SettingsDialogValues v;
    v.LocalPort = Edit1->Text();
    v.ClientMode = CheckBox2->Checked();
    v.ClientId = Edit4->Text();
    v.ClientPassword = Edit6->Text();
    v.ServerAddress = Edit2->Text();
    v.ServerPort = Edit3->Text();
    v.PingPeriod = Edit5->Text();
    v.NullModemMode = RadioButton1->Checked();
    v.OneModemActive = CheckBox1->Checked();
    return v;
}

void TForm2::Edit1Change(TObject*) {
    if (!filling_) Button1->SetEnabled(true);
}

void TForm2::CheckBox2Click(TObject* sender) {
    if (filling_) return;
    EnableClientModeControls(CheckBox2->Checked());
    Edit1Change(sender);
}

void TForm2::EnableClientModeControls(bool on) {
    for (TControl* c :
         std::initializer_list<TControl*>{Edit4, Label4, Edit6, Label6, Edit2, Label2, Edit3, Label3, Edit5, Label5}) {
        c->SetEnabled(on);
    }
}

TRect SettingsDialogBounds(int width, int height, const SettingsDialogPlace& place) {
    int left = place.PopupX - width / 2;
    int top = place.ScreenHeight - height - place.TaskbarHeight;
    const TRect& area = place.Area;
    if (!area.IsEmpty()) {
        left = std::max(area.Left, std::min(left, area.Right - width));
        top = std::max(area.Top, std::min(top, area.Bottom - height));
    }
    return Bounds(left, top, width, height);
}

void OpenSettingsDialog(TForm1& main) {
    // Without a tray the command comes from the window's bar, where the cursor is.
    TPoint popup = main.PopupMenu1->PopupPoint();
    if (!main.InTray()) {
        const auto& cursor = main.Environment().CursorPos;
        popup = cursor ? cursor() : TPoint{QCursor::pos().x(), QCursor::pos().y()};
    }
    const QScreen* screen = QGuiApplication::screenAt(QPoint(popup.X, popup.Y));
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    TRect area;
    if (screen != nullptr) {
        const QRect a = screen->availableGeometry();
        area = Bounds(a.x(), a.y(), a.width(), a.height());
    }
    ExecuteSettingsDialog(main, main.Config().Link, main.ApplyTarget(),
                          {popup.X, ScreenHeight(), main.TaskbarHeight(), area});
}

bool SettingsDialogOpen() {
    return settings_dialog_open;
}

bool ExecuteSettingsDialog(TForm& owner, LinkSettings& settings, SettingsApplyTarget& target,
                           const SettingsDialogPlace& place) {
    if (settings_dialog_open) return false;
    settings_dialog_open = true;
    struct Closing {
        ~Closing() { settings_dialog_open = false; }
    } closing;

    auto dialog = std::make_unique<TForm2>(&owner);
    dialog->Fill(settings);
    const TRect r = SettingsDialogBounds(dialog->Width(), dialog->Height(), place);
    dialog->SetBounds(r.Left, r.Top, r.Width(), r.Height());
    CheckOnOk(*dialog, [&] { return ValidateSettingsDialog(dialog->Values(), settings); });
    if (dialog->ShowModal() != mrOk) return false;
    const auto result = ApplySettingsDialog(dialog->Values(), settings, target);
    return std::holds_alternative<SettingsChanges>(result);
}

}  // namespace dlk::client
