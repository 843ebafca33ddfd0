#pragma once

#include <vector>

namespace dlk {

class TForm;

// The program's windows, in the order they were created.
class TScreen {
public:
    int FormCount() const { return int(forms_.size()); }
    TForm* Forms(int index) const { return forms_[std::size_t(index)]; }
    // The window that has the keyboard, or nullptr.
    TForm* ActiveForm() const;

    void AddForm(TForm* form);
    void RemoveForm(TForm* form);

private:
    std::vector<TForm*> forms_;
};

TScreen& Screen();

// Whether the desktop draws themed controls. Fixed here, so painting is the
// same everywhere; tests and controls that care may switch it.
bool ThemesEnabled();
void SetThemesEnabled(bool enabled);

}  // namespace dlk
