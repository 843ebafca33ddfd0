#pragma once

#include <functional>

#include "framework/controls/form.h"
#include "framework/controls/std_controls.h"
#include "server_edit/core/editor_prompts.h"

namespace dlk::server_edit {

// The modem record dialog. OK stays refused while a text is one the account
// files cannot hold (a message names its field), or while the IMEI is not 15
// digits or belongs to another live modem (the red note beside it says which
// until the IMEI changes).
class TForm3 : public TForm {
    DLK_COMPONENT(TForm3)
public:
    explicit TForm3(TComponent* owner);

    TLabel* Label1;
    TEdit* Edit1;  // name
    TLabel* Label2;
    TEdit* Edit3;    // IMEI
    TLabel* Label4;  // the note beside the IMEI
    TLabel* Label3;
    TEdit* Edit2;  // owner ID
    TCheckBox* CheckBox1;
    TButton* Button1;
    TButton* Button2;

    std::optional<ModemFields> Run(const ModemDialogRequest& request, TForm& over);

    void Button1Click(TObject* sender);
    void Button2Click(TObject* sender);
    void Edit3Change(TObject* sender);

private:
    ModemFields Fields() const;
    std::function<ModemVerdict(const ModemFields&)> check_;
};

inline constexpr char kDuplicateImeiNote[] = "- модем с таким IMEI уже есть";
inline constexpr char kNotAnImeiNote[] = "- нужно ровно 15 цифр";

}  // namespace dlk::server_edit
