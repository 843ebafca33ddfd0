#include "server_edit/app/unit2.h"

#include "framework/components/description_reader.h"
#include "server_edit/app/form_parts.h"
#include "server_edit/app/resources.h"

namespace dlk::server_edit {

namespace {

std::optional<RefusedField> NotStorableField(ClientVerdict verdict) {
    switch (verdict) {
        case ClientVerdict::NameNotStorable: return RefusedField{"Edit1", "имя"};
        case ClientVerdict::IdNotStorable: return RefusedField{"Edit2", "ID клиента"};
        case ClientVerdict::PasswordNotStorable: return RefusedField{"Edit3", "пароль"};
        default: return std::nullopt;
    }
}

}  // namespace

TForm2::TForm2(TComponent* owner) : TForm(owner) {
    InitServerEditResources();
    ReadComponentResource(*this, ":/server_edit/unit2.form");
    Label1 = FindRequired<TLabel>(*this, "Label1");
    Edit1 = FindRequired<TEdit>(*this, "Edit1");
    Label2 = FindRequired<TLabel>(*this, "Label2");
    Edit2 = FindRequired<TEdit>(*this, "Edit2");
    Label3 = FindRequired<TLabel>(*this, "Label3");
    Label4 = FindRequired<TLabel>(*this, "Label4");
    Edit3 = FindRequired<TEdit>(*this, "Edit3");
    CheckBox1 = FindRequired<TCheckBox>(*this, "CheckBox1");
    Button1 = FindRequired<TButton>(*this, "Button1");
    Button2 = FindRequired<TButton>(*this, "Button2");
    Button1->OnClick = [this](TObject* s) { Button1Click(s); };
    Button2->OnClick = [this](TObject* s) { Button2Click(s); };
    Edit2->OnChange = [this](TObject* s) { Edit2Change(s); };
    DoCreate();
}

std::optional<ClientFields> TForm2::Run(const ClientDialogRequest& request, TForm& over) {
    check_ = request.check;
    SetCaption(request.Caption);
    Edit2->SetText(request.Fields.Id);
    Edit3->SetText(request.Fields.Password);
    Edit1->SetText(request.Fields.Name);
    CheckBox1->SetChecked(request.Fields.Disabled);
    Label3->Hide();
    const int result = ShowModalCentredOver(*this, over);
    check_ = nullptr;
    if (result != mrOk) return std::nullopt;
    return Fields();
}

ClientFields TForm2::Fields() const {
    return {Edit2->Text(), Edit1->Text(), Edit3->Text(), CheckBox1->Checked()};
}

void TForm2::Button1Click(TObject*) {
    const ClientVerdict verdict = check_ ? check_(Fields()) : ClientVerdict::Accept;
    if (verdict == ClientVerdict::Accept) {
        SetModalResult(mrOk);
        return;
    }
    if (const std::optional<RefusedField> field = NotStorableField(verdict)) {
        RefuseNotStorable(*this, *field);
        return;
    }
    Label3->Show();
    FocusControl(*this, "Edit2");
}

void TForm2::Button2Click(TObject*) {
    SetModalResult(mrCancel);
}

void TForm2::Edit2Change(TObject*) {
    Label3->Hide();
}

const ClassInfo& TForm2::StaticClass() {
    static const ClassInfo info("TForm2", &TForm::StaticClass(), nullptr);
    return info;
}

}  // namespace dlk::server_edit
