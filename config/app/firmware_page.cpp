// The page "Перепрошивка" of the main window: choosing the image, flashing
// the controller and handing over the GSM module, over the procedures of
// config/core.
#include "config/app/config_texts.h"
#include "config/app/unit1.h"
#include "config/core/firmware_update.h"
#include "framework/application/application.h"
#include "framework/application/message_box.h"
#include "tabs/kt_page_control.h"
#include "tabs/kt_tab_sheet.h"

namespace dlk::config {

namespace {

constexpr char kFirmwareFilter[] = "файл прошивки (*.bin)|*.bin";

unsigned IconFlag(BoxIcon icon) {
    switch (icon) {
        case BoxIcon::Information: return MB_ICONINFORMATION;
        case BoxIcon::Warning: return MB_ICONWARNING;
        case BoxIcon::Error: return MB_ICONERROR;
    }
    return MB_ICONINFORMATION;
}

}  // namespace

void TForm1::FindFirmwarePageControls() {
    Edit1 = FindRequired<TEdit>(*this, "Edit1");
    SpeedButton1 = FindRequired<TSpeedButton>(*this, "SpeedButton1");
    ProgressBar1 = FindRequired<TProgressBar>(*this, "ProgressBar1");
    Image1 = FindRequired<TImage>(*this, "Image1");
    SpeedButton1->OnClick = [this](TObject* s) { SpeedButton1Click(s); };
    Button1->OnClick = [this](TObject* s) { Button1Click(s); };
    Button2->OnClick = [this](TObject* s) { Button2Click(s); };
}

void TForm1::SpeedButton1Click(TObject*) {
    OpenDialog1->Filter = kFirmwareFilter;
    OpenDialog1->FilterIndex = 1;
    OpenDialog1->FileName.clear();
    if (OpenDialog1->Execute()) Edit1->SetText(OpenDialog1->FileName);
}

void TForm1::Button1Click(TObject*) {
    // After a flash the unit leaves the bus and comes back; the hot-plug
    // notices then close it and open it again like any other unit.
    RunFirmwareUpdate(Link, std::filesystem::path(Edit1->Text()), firmware_image_, *this);
}

void TForm1::Button2Click(TObject*) {
    RunGsmPassThrough(Link, *this);
}

bool TForm1::Confirm(const char* caption, const char* text) {
    return MessageBox(Widget(), text, caption, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void TForm1::ShowMessage(const char* caption, const std::string& text, BoxIcon icon) {
    // The box itself turns the texts' "\r" into line breaks.
    MessageBox(Widget(), text, caption, MB_OK | IconFlag(icon));
}

void TForm1::ShowBootLoaderLook() {
    SetCaption(config_texts::kBootLoaderCaption);
    ClearUnitSettings();
    for (TKtTabSheet* page : {TabSheet1, TabSheet4, TabSheet5}) OfferPage(*page, false);
    for (TLabel* label : {Label2, Label7, Label8}) label->SetCaption("");
    Button1->SetEnabled(false);
    Button2->SetEnabled(false);
    // Paints and hot-plug notices run; a click now would start another
    // procedure in the middle of this one. A removal handled here leaves
    // the link without a unit, which the procedure finds at its next step.
    Application().ProcessMessagesExceptInput();
}

void TForm1::ShowProgress(bool visible) {
    if (!visible) ProgressBar1->SetPosition(0);
    ProgressBar1->SetVisible(visible);
}

void TForm1::SetProgress(int blocks) {
    ProgressBar1->SetPosition(blocks);
}

void TForm1::ShowRenewedIdentity(const IdentityTexts& texts) {
    Label2->SetCaption(texts.UsbProgramVersion);
    Label8->SetCaption(texts.MainProgramVersion);
    Label7->SetCaption(texts.DeviceType);
}

void TForm1::EnableFlashButton() {
    Button1->SetEnabled(true);
}

}  // namespace dlk::config
