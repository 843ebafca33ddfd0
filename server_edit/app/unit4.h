#pragma once

#include <optional>
#include <string>

#include "framework/controls/form.h"
#include "framework/controls/std_controls.h"
#include "server_edit/core/editor_prompts.h"

namespace dlk::server_edit {

// The server port dialog: OK takes the text the editor's check accepts; its
// close box is the cancel.
class TForm4 : public TForm {
    DLK_COMPONENT(TForm4)
public:
    explicit TForm4(TComponent* owner);

    TLabel* Label1;
    TEdit* Edit1;
    TButton* Button1;

    std::optional<std::string> Run(const PortDialogRequest& request, TForm& over);

    void Button1Click(TObject* sender);

private:
    std::function<std::optional<PortRefusal>(const std::string&)> check_;
};

}  // namespace dlk::server_edit
