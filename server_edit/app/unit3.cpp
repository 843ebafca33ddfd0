#include "server_edit/app/unit3.h"

#include "framework/components/description_reader.h"
#include "server_edit/app/form_parts.h"
#include "server_edit/app/resources.h"

namespace dlk::server_edit {

namespace {

std::optional<RefusedField> NotStorableModemField(ModemVerdict verdict) {
    switch (verdict) {
        case ModemVerdict::NameNotStorable: return RefusedField{"Edit1", "имя"};
        case ModemVerdict::OwnerIdNotStorable: return RefusedField{"Edit2", "ID клиента"};
        default: return std::nullopt;
    }
}

}  // namespace

TForm3::TForm3(TComponent* owner) : TForm(owner) {
    InitServerEditResources();
    ReadComponentResource(*this, ":/server_edit/unit3.form");
    Label1 = FindRequired<TLabel>(*this, "Label1");
    Edit1 = FindRequired<TEdit>(*this, "Edit1");
    Label2 = FindRequired<TLabel>(*this, "Label2");
    Edit3 = FindRequired<TEdit>(*this, "Edit3");
    Label4 = FindRequired<TLabel>(*this, "Label4");
    Label3 = FindRequired<TLabel>(*this, "Label3");
    Edit2 = FindRequired<TEdit>(*this, "Edit2");
    CheckBox1 = FindRequired<TCheckBox>(*this, "CheckBox1");
    Button1 = FindRequired<TButton>(*this, "Button1");
    Button2 = FindRequired<TButton>(*this, "Button2");
    Button1->OnClick = [this](TObject* s) { Button1Click(s); };
    Button2->OnClick = [this](TObject* s) { Button2Click(s); };
    Edit3->OnChange = [this](TObject* s) { Edit3Change(s); };
    DoCreate();
}

std::optional<ModemFields> TForm3::Run(const ModemDialogRequest& request, TForm& over) {
    check_ = request.check;
    SetCaption(request.Caption);
    Edit3->SetText(request.Fields.Imei);
    Edit1->SetText(request.Fields.Name);
    Edit2->SetText(request.Fields.OwnerId);
    Edit2->SetEnabled(request.OwnerEditable);
    CheckBox1->SetChecked(request.Fields.Disabled);
    Label4->Hide();
    const int result = ShowModalCentredOver(*this, over);
    check_ = nullptr;
    if (result != mrOk) return std::nullopt;
    return Fields();
}

ModemFields TForm3::Fields() const {
    return {Edit3->Text(), Edit1->Text(), Edit2->Text(), CheckBox1->Checked()};
}

void TForm3::Button1Click(TObject*) {
    const ModemVerdict verdict = check_ ? check_(Fields()) : ModemVerdict::Accept;
    if (verdict == ModemVerdict::Accept) {
        SetModalResult(mrOk);
        return;
    }
    if (const std::optional<RefusedField> field = NotStorableModemField(verdict)) {
        RefuseNotStorable(*this, *field);
        return;
    }
    Label4->SetCaption(verdict == ModemVerdict::DuplicateImei ? kDuplicateImeiNote : kNotAnImeiNote);
    Label4->Show();
    FocusControl(*this, "Edit3");
}

void TForm3::Button2Click(TObject*) {
    SetModalResult(mrCancel);
}

void TForm3::Edit3Change(TObject*) {
    Label4->Hide();
}

const ClassInfo& TForm3::StaticClass() {
    static const ClassInfo info("TForm3", &TForm::StaticClass(), nullptr);
    return info;
}

}  // namespace dlk::server_edit
