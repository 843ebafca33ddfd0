#pragma once

#include <variant>

#include "client/core/link/link_messages.h"
#include "client/core/settings/settings_apply.h"
#include "framework/controls/form.h"
#include "framework/controls/refusal.h"

namespace dlk::client {

// OK of a dialog asks check() (a variant of the values or a SettingsError)
// before the dialog closes: a refused field is reported over the dialog,
// which stays open with the caret in that field.
template <class Check>
void CheckOnOk(TForm& dialog, Check check) {
    dialog.OnCloseQuery = [&dialog, check](TObject*, bool& canClose) {
        if (dialog.ModalResult() != mrOk) return;
        const auto checked = check();
        if (const auto* error = std::get_if<SettingsError>(&checked)) {
            canClose = false;
            RefuseValue(dialog, error->Control, error->Message, kProgramCaption);
        }
    };
}

}  // namespace dlk::client
