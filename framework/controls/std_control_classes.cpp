// The description tables of the standard controls and forms.
#include "framework/controls/control_properties.h"
#include "framework/controls/form.h"
#include "framework/controls/std_controls.h"

namespace dlk {

namespace {

std::vector<std::pair<const char*, TAlignment>> AlignmentNames() {
    return {{"taLeftJustify", TAlignment::taLeftJustify},
            {"taRightJustify", TAlignment::taRightJustify},
            {"taCenter", TAlignment::taCenter}};
}

std::vector<std::pair<const char*, TBevelCut>> BevelNames() {
    return {{"bvNone", TBevelCut::bvNone}, {"bvLowered", TBevelCut::bvLowered}, {"bvRaised", TBevelCut::bvRaised}};
}

template <class T>
PropertyInfo CheckedProperty() {
    return prop::Bool<T>(
        "Checked", [](const T& c) { return c.Checked(); }, [](T& c, bool v) { c.SetChecked(v); });
}

}  // namespace

const ClassInfo& TLabel::StaticClass() {
    using T = TLabel;
    static const ClassInfo info("TLabel", &TControl::StaticClass(), Creator<T>(),
                                {
                                    prop::Enum<T, TAlignment>("Alignment", AlignmentNames(), &T::Alignment,
                                                              &T::SetAlignment, TAlignment::taLeftJustify),
                                    prop::Bool<T>("AutoSize", &T::AutoSize, &T::SetAutoSize, true),
                                    prop::Bool<T>("WordWrap", &T::WordWrap, &T::SetWordWrap),
                                },
                                // A label never takes the focus: it has no place in Tab's round.
                                {prop::NotStored("TabOrder"), prop::NotStored("TabStop")});
    return info;
}

const ClassInfo& TEdit::StaticClass() {
    using T = TEdit;
    static const ClassInfo info(
        "TEdit", &TControl::StaticClass(), Creator<T>(),
        {
            prop::String<T>(
                "Text", [](const T& c) { return c.Text(); }, [](T& c, const std::string& v) { c.SetText(v); }),
            prop::Int<T>(
                "MaxLength", [](const T& c) { return c.MaxLength(); },
                [](T& c, std::int64_t v) { c.SetMaxLength(int(v)); }),
            prop::Bool<T>(
                "ReadOnly", [](const T& c) { return c.ReadOnly(); }, [](T& c, bool v) { c.SetReadOnly(v); }),
            prop::Int<T>(
                "PasswordChar", [](const T& c) { return c.PasswordChar(); },
                [](T& c, std::int64_t v) { c.SetPasswordChar(char(v)); }),
        });
    return info;
}

const ClassInfo& TButtonControl::StaticClass() {
    static const ClassInfo info("TButtonControl", &TControl::StaticClass(), nullptr);
    return info;
}

const ClassInfo& TButton::StaticClass() {
    using T = TButton;
    static const ClassInfo info(
        "TButton", &TButtonControl::StaticClass(), Creator<T>(),
        {
            prop::Int<T>(
                "ModalResult", [](const T& c) { return c.ModalResult; },
                [](T& c, std::int64_t v) { c.ModalResult = int(v); }),
            prop::Bool<T>(
                "Default", [](const T& c) { return c.Default(); }, [](T& c, bool v) { c.SetDefault(v); }),
            prop::Bool<T>(
                "Cancel", [](const T& c) { return c.Cancel; }, [](T& c, bool v) { c.Cancel = v; }),
        });
    return info;
}

const ClassInfo& TCheckBox::StaticClass() {
    static const ClassInfo info("TCheckBox", &TButtonControl::StaticClass(), Creator<TCheckBox>(),
                                {CheckedProperty<TCheckBox>()});
    return info;
}

const ClassInfo& TRadioButton::StaticClass() {
    static const ClassInfo info("TRadioButton", &TButtonControl::StaticClass(), Creator<TRadioButton>(),
                                {CheckedProperty<TRadioButton>()});
    return info;
}

const ClassInfo& TGroupBox::StaticClass() {
    static const ClassInfo info("TGroupBox", &TControl::StaticClass(), Creator<TGroupBox>());
    return info;
}

const ClassInfo& TPanel::StaticClass() {
    using T = TPanel;
    static const ClassInfo info("TPanel", &TCustomControl::StaticClass(), Creator<T>(),
                                {
                                    prop::Enum<T, TBevelCut>(
                                        "BevelOuter", BevelNames(), [](const T& c) { return c.BevelOuter(); },
                                        [](T& c, TBevelCut v) { c.SetBevelOuter(v); }, TBevelCut::bvRaised),
                                    prop::Enum<T, TBevelCut>(
                                        "BevelInner", BevelNames(), [](const T& c) { return c.BevelInner(); },
                                        [](T& c, TBevelCut v) { c.SetBevelInner(v); }, TBevelCut::bvNone),
                                });
    return info;
}

DLK_REGISTER_CLASS(TLabel);
DLK_REGISTER_CLASS(TEdit);
DLK_REGISTER_CLASS(TButton);
DLK_REGISTER_CLASS(TCheckBox);
DLK_REGISTER_CLASS(TRadioButton);
DLK_REGISTER_CLASS(TGroupBox);
DLK_REGISTER_CLASS(TPanel);

}  // namespace dlk
