#pragma once

#include <string>
#include <string_view>

#include "framework/controls/control.h"

class QAbstractButton;
class QLineEdit;

namespace dlk {

enum class TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };

class TLabel : public TControl {
    DLK_COMPONENT(TLabel)
public:
    explicit TLabel(TComponent* owner);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment v);
    bool AutoSize() const { return auto_size_; }
    void SetAutoSize(bool v);
    bool WordWrap() const { return word_wrap_; }
    void SetWordWrap(bool v);
    void Loaded() override;

protected:
    void TextChanged() override;
    void FontChanged() override;

private:
    void AdjustSize();
    TAlignment alignment_ = TAlignment::taLeftJustify;
    bool auto_size_ = true;
    bool word_wrap_ = false;
};

class TEdit : public TControl {
    DLK_COMPONENT(TEdit)
public:
    explicit TEdit(TComponent* owner);
    std::string Text() const override;
    void SetText(const std::string& text) override;
    // The most characters the user can type or paste in; 0: no limit. A
    // longer text set by the program is kept whole.
    int MaxLength() const { return max_length_; }
    void SetMaxLength(int v);
    bool ReadOnly() const { return read_only_; }
    void SetReadOnly(bool v);
    char PasswordChar() const { return password_char_; }
    void SetPasswordChar(char c);
    void SelectAll();
    TNotifyEvent OnChange;

protected:
    QLineEdit* Edit() const;

private:
    static constexpr int kNoLengthLimit = 32767;
    int LengthLimit() const;
    void SetQtLengthLimit(int limit);

    int max_length_ = 0;
    bool read_only_ = false;
    char password_char_ = 0;
};

// After a refused value: the caret goes to the named edit of the window, its
// text selected for the user to correct; nothing when there is no such edit.
void FocusControl(const TComponent& owner, std::string_view name);

// The buttons: a click raises OnClick (a check box and a radio button also
// when their state is set from code, as the classic controls do).
class TButtonControl : public TControl {
    DLK_COMPONENT(TButtonControl)
public:
    explicit TButtonControl(TComponent* owner) : TControl(owner) {}
    // A click as the user makes it.
    void PerformClick();

protected:
    QAbstractButton* ButtonWidget() const;
    void TextChanged() override;
};

class TButton : public TButtonControl {
    DLK_COMPONENT(TButton)
public:
    explicit TButton(TComponent* owner);
    int ModalResult = 0;
    bool Default() const { return default_; }
    void SetDefault(bool v);
    // Wears the default frame while Enter would press it.
    void ShowActive(bool active);
    bool Cancel = false;

protected:
    void Click() override;

private:
    bool default_ = false;
};

class TCheckBox : public TButtonControl {
    DLK_COMPONENT(TCheckBox)
public:
    explicit TCheckBox(TComponent* owner);
    bool Checked() const;
    void SetChecked(bool v);
};

// Radio buttons with the same parent exclude one another.
class TRadioButton : public TButtonControl {
    DLK_COMPONENT(TRadioButton)
public:
    explicit TRadioButton(TComponent* owner);
    bool Checked() const;
    void SetChecked(bool v);
    void Loaded() override;

private:
    void TabStopsFollowCheck();
};

class TGroupBox : public TControl {
    DLK_COMPONENT(TGroupBox)
public:
    explicit TGroupBox(TComponent* owner);

protected:
    void TextChanged() override;
    void AdjustClientRect(TRect& rect) override;
};

enum class TBevelCut : std::uint8_t { bvNone, bvLowered, bvRaised };

// A panel paints its own face: colour, bevels and a centred caption.
class TPanel : public TCustomControl {
    DLK_COMPONENT(TPanel)
public:
    explicit TPanel(TComponent* owner);
    TBevelCut BevelOuter() const { return bevel_outer_; }
    void SetBevelOuter(TBevelCut v);
    TBevelCut BevelInner() const { return bevel_inner_; }
    void SetBevelInner(TBevelCut v);

protected:
    void Paint() override;
    void TextChanged() override { Invalidate(); }
    void AdjustClientRect(TRect& rect) override;

private:
    TBevelCut bevel_outer_ = TBevelCut::bvRaised;
    TBevelCut bevel_inner_ = TBevelCut::bvNone;
};

// Frames r with a one-pixel bevel: top-left in one colour, bottom-right in the other.
void Frame3D(TCanvas& canvas, TRect& r, TColor topLeft, TColor bottomRight);

}  // namespace dlk
