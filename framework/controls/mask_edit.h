#pragma once

#include <string>
#include <vector>

#include "framework/controls/std_controls.h"

namespace dlk {

// An edit that takes its text through a mask of the classic form
// "mask;save-literals;blank": 0 a digit, 9 a digit or blank, # a digit, sign
// or blank, L/l a letter (required/optional), A/a a letter or digit, C/c any
// character, > upper case, < lower case, <> neither, \x the literal x, _ a
// space; anything else stands as it is. Save-literals 0 keeps the literals
// out of Text; the blank is the character an unfilled place shows ("_" when
// the field is missing, a space when it is empty). A leading "!" is accepted;
// the display always shows every place, so it changes nothing here.
class TMaskEdit : public TEdit {
    DLK_COMPONENT(TMaskEdit)
public:
    explicit TMaskEdit(TComponent* owner);
    const std::string& EditMask() const { return edit_mask_; }
    void SetEditMask(const std::string& mask);
    // Every place of the mask: literals, typed characters and blanks.
    std::string EditText() const;
    // The typed characters, with the literals when the mask saves them, and
    // unfilled places as spaces. Setting it fills the places in order (with
    // literals, place by place; a space leaves a place blank).
    std::string Text() const override;
    void SetText(const std::string& text) override;

private:
    std::string edit_mask_;
    bool save_literals_ = true;
    char32_t blank_ = U'_';
    std::vector<bool> editable_;  // per place of the display
};

}  // namespace dlk
