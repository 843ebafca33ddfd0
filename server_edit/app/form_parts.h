#pragma once

#include <string>

#include "framework/controls/form.h"
#include "framework/controls/refusal.h"
#include "server_edit/core/editor_texts.h"

namespace dlk::server_edit {

// Where a dialog goes over the main window: centred on it, outer sizes.
struct DialogPlace {
    int Left;
    int Top;
};

inline DialogPlace CentreOver(int ownerLeft, int ownerTop, int ownerWidth, int ownerHeight, int width, int height) {
    return {ownerLeft + (ownerWidth - width) / 2, ownerTop + (ownerHeight - height) / 2};
}

// Every dialog of the editor opens the same way: placed over the main window
// at each opening (the main window may have moved since), then shown modally.
// The modal result.
inline int ShowModalCentredOver(TForm& dialog, const TForm& over) {
    const DialogPlace place =
        CentreOver(over.Left(), over.Top(), over.Width(), over.Height(), dialog.Width(), dialog.Height());
    dialog.SetBounds(place.Left, place.Top, dialog.Width(), dialog.Height());
    return dialog.ShowModal();
}

// A text the account files cannot hold, refused on OK: the user hears which
// field (its label's words), and the caret waits there with the text
// selected. The dialog stays open.
struct RefusedField {
    const char* Control;
    const char* Words;
};

inline void RefuseNotStorable(TForm& dialog, const RefusedField& field) {
    const std::string text =
        editor_texts::kNotStorablePrefix + std::string(field.Words) + editor_texts::kNotStorableSuffix;
    RefuseValue(dialog, field.Control, text, dialog.Caption());
}

}  // namespace dlk::server_edit
