#pragma once

#include <stdexcept>
#include <string>

#include "framework/core/component.h"

namespace dlk {

class TControl;

// A component the window's description must hold; a description without it
// is a build mistake, reported by name.
template <class T>
T* Required(const TComponent& form, const char* name) {
    T* component = FindOwned<T>(form, name);
    if (component == nullptr) throw std::logic_error(std::string("the window description has no ") + name);
    return component;
}

// Fields without a tab stop are left out of Tab's round but still take the
// focus when clicked, as the user expects of any field he can type in.
void ClickFocusWithoutTabStop(TControl& parent);

// Labels that size themselves to their text, sized once the description is
// read (sizing is put off while a window is being read).
void FitAutoSizedLabels(TControl& parent);

// Where a dialog goes over the main window: centred on it, outer sizes.
struct DialogPlace {
    int left;
    int top;
};

inline DialogPlace CentreOver(int ownerLeft, int ownerTop, int ownerWidth, int ownerHeight, int width, int height) {
    return {ownerLeft + (ownerWidth - width) / 2, ownerTop + (ownerHeight - height) / 2};
}

}  // namespace dlk
