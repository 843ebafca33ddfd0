#pragma once

#include <optional>
#include <string>

#include "framework/controls/form.h"
#include "framework/controls/std_controls.h"

namespace dlk::server_edit {

// The server port dialog: OK takes the text as it stands; its close box is
// the cancel.
class TForm4 : public TForm {
    DLK_COMPONENT(TForm4)
public:
    explicit TForm4(TComponent* owner);

    TLabel* Label1;
    TEdit* Edit1;
    TButton* Button1;

    std::optional<std::string> Run(const std::string& text, TForm& over);

    void Button1Click(TObject* sender);
};

}  // namespace dlk::server_edit
