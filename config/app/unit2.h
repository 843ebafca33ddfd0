#pragma once

#include "framework/controls/form.h"
#include "framework/controls/std_controls.h"

namespace dlk::config {

// The mobile operator's internet settings: APN, login and password, read
// from and written to the unit with the other settings.
class TForm2 : public TForm {
    DLK_COMPONENT(TForm2)
public:
    explicit TForm2(TComponent* owner);

    TLabel* Label14;
    TLabel* Label15;
    TLabel* Label16;
    TEdit* Edit2;
    TEdit* Edit3;
    TEdit* Edit5;
    TButton* Button1;

    void Button1Click(TObject* sender);
};

}  // namespace dlk::config
