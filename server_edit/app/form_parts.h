#pragma once

#include "framework/controls/form.h"

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

}  // namespace dlk::server_edit
