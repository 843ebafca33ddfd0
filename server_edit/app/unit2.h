#pragma once

#include <functional>

#include "framework/controls/form.h"
#include "framework/controls/std_controls.h"
#include "server_edit/core/editor_prompts.h"

namespace dlk::server_edit {

// The client account dialog. OK stays refused while a text is one the
// account files cannot hold (a message names its field) or the ID belongs to
// another live client (the red note beside the ID says so until it changes).
class TForm2 : public TForm {
    DLK_COMPONENT(TForm2)
public:
    explicit TForm2(TComponent* owner);

    TLabel* Label1;
    TEdit* Edit1;  // name
    TLabel* Label2;
    TEdit* Edit2;    // ID
    TLabel* Label3;  // "- клиент с таким ID уже есть"
    TLabel* Label4;
    TEdit* Edit3;  // password
    TCheckBox* CheckBox1;
    TButton* Button1;
    TButton* Button2;

    // Fills the fields and shows the dialog; the fields on OK, else nothing.
    std::optional<ClientFields> Run(const ClientDialogRequest& request, TForm& over);

    void Button1Click(TObject* sender);
    void Button2Click(TObject* sender);
    void Edit2Change(TObject* sender);

private:
    ClientFields Fields() const;
    std::function<ClientVerdict(const ClientFields&)> check_;
};

}  // namespace dlk::server_edit
