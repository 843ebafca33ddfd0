#include "config/app/unit2.h"

#include "config/app/resources.h"
#include "framework/components/description_reader.h"

namespace dlk::config {

TForm2::TForm2(TComponent* owner) : TForm(owner) {
    InitConfigResources();
    ReadComponentResource(*this, ":/config/unit2.form");
    Label14 = FindRequired<TLabel>(*this, "Label14");
    Label15 = FindRequired<TLabel>(*this, "Label15");
    Label16 = FindRequired<TLabel>(*this, "Label16");
    Edit2 = FindRequired<TEdit>(*this, "Edit2");
    Edit3 = FindRequired<TEdit>(*this, "Edit3");
    Edit5 = FindRequired<TEdit>(*this, "Edit5");
    Button1 = FindRequired<TButton>(*this, "Button1");
    Button1->OnClick = [this](TObject* s) { Button1Click(s); };
    DoCreate();
}

void TForm2::Button1Click(TObject*) {
    SetModalResult(mrOk);
}

const ClassInfo& TForm2::StaticClass() {
    static const ClassInfo info("TForm2", &TForm::StaticClass(), nullptr);
    return info;
}

}  // namespace dlk::config
