#include "server_edit/app/unit4.h"

#include "framework/components/description_reader.h"
#include "framework/controls/refusal.h"
#include "server_edit/app/form_parts.h"
#include "server_edit/app/resources.h"

namespace dlk::server_edit {

TForm4::TForm4(TComponent* owner) : TForm(owner) {
    InitServerEditResources();
    ReadComponentResource(*this, ":/server_edit/unit4.form");
    Label1 = FindRequired<TLabel>(*this, "Label1");
    Edit1 = FindRequired<TEdit>(*this, "Edit1");
    Button1 = FindRequired<TButton>(*this, "Button1");
    Button1->OnClick = [this](TObject* s) { Button1Click(s); };
    DoCreate();
}

std::optional<std::string> TForm4::Run(const PortDialogRequest& request, TForm& over) {
    check_ = request.check;
    Edit1->SetText(request.Text);
    const int result = ShowModalCentredOver(*this, over);
    check_ = nullptr;
    if (result != mrOk) return std::nullopt;
    return Edit1->Text();
}

void TForm4::Button1Click(TObject*) {
    if (const std::optional<PortRefusal> refusal = check_ ? check_(Edit1->Text()) : std::nullopt) {
        RefuseValue(*this, "Edit1", refusal->Text, refusal->Caption);
        return;
    }
    SetModalResult(mrOk);
}

const ClassInfo& TForm4::StaticClass() {
    static const ClassInfo info("TForm4", &TForm::StaticClass(), nullptr);
    return info;
}

}  // namespace dlk::server_edit
