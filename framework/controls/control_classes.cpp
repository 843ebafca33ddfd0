// The description tables of the control base classes.
#include <array>

#include "framework/controls/control.h"
#include "framework/controls/control_properties.h"
#include "framework/controls/menus.h"

namespace dlk {

namespace {

struct NamedColor {
    const char* Name;
    TColor Color;
};

constexpr std::array<NamedColor, 46> kColorNames = {{
    {"clBlack", clBlack},
    {"clMaroon", clMaroon},
    {"clGreen", clGreen},
    {"clOlive", clOlive},
    {"clNavy", clNavy},
    {"clPurple", clPurple},
    {"clTeal", clTeal},
    {"clGray", clGray},
    {"clSilver", clSilver},
    {"clRed", clRed},
    {"clLime", clLime},
    {"clYellow", clYellow},
    {"clBlue", clBlue},
    {"clFuchsia", clFuchsia},
    {"clAqua", clAqua},
    {"clWhite", clWhite},
    {"clNone", clNone},
    {"clDefault", clDefault},
    {"clScrollBar", clScrollBar},
    {"clBackground", clBackground},
    {"clActiveCaption", clActiveCaption},
    {"clInactiveCaption", clInactiveCaption},
    {"clMenu", clMenu},
    {"clWindow", clWindow},
    {"clWindowFrame", clWindowFrame},
    {"clMenuText", clMenuText},
    {"clWindowText", clWindowText},
    {"clCaptionText", clCaptionText},
    {"clActiveBorder", clActiveBorder},
    {"clInactiveBorder", clInactiveBorder},
    {"clAppWorkSpace", clAppWorkSpace},
    {"clHighlight", clHighlight},
    {"clHighlightText", clHighlightText},
    {"clBtnFace", clBtnFace},
    {"clBtnShadow", clBtnShadow},
    {"clGrayText", clGrayText},
    {"clBtnText", clBtnText},
    {"clInactiveCaptionText", clInactiveCaptionText},
    {"clBtnHighlight", clBtnHighlight},
    {"cl3DDkShadow", cl3DDkShadow},
    {"cl3DLight", cl3DLight},
    {"clInfoText", clInfoText},
    {"clInfoBk", clInfoBk},
    {"clHotLight", clHotLight},
    {"clMenuHighlight", clMenuHighlight},
    {"clMenuBar", clMenuBar},
}};

std::vector<std::pair<const char*, TAlign>> AlignNames() {
    return {{"alNone", TAlign::alNone}, {"alTop", TAlign::alTop},     {"alBottom", TAlign::alBottom},
            {"alLeft", TAlign::alLeft}, {"alRight", TAlign::alRight}, {"alClient", TAlign::alClient}};
}

// Font.* properties; each makes the font the control's own.
template <class T>
std::vector<PropertyInfo> FontProperties() {
    auto with = [](auto change) {
        return [change](T& c, auto v) {
            TFont f = c.Font();
            change(f, v);
            c.SetFont(f);
        };
    };
    const TFont def;
    return {
        prop::String<T>(
            "Font.Name", [](const T& c) { return c.Font().Name; },
            with([](TFont& f, const std::string& v) { f.Name = v; }), def.Name),
        prop::Int<T>(
            "Font.Height", [](const T& c) { return c.Font().Height; },
            with([](TFont& f, std::int64_t v) { f.Height = int(v); }), def.Height),
        prop::Color<T>(
            "Font.Color", [](const T& c) { return c.Font().Color; }, with([](TFont& f, TColor v) { f.Color = v; }),
            def.Color),
        prop::Flags<T>(
            "Font.Style", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"},
            [](const T& c) { return unsigned(c.Font().Style); },
            with([](TFont& f, unsigned v) { f.Style = TFontStyles(v); }), 0),
        // Size is another way of writing Height; only Height is written back.
        {"Font.Size",
         [](TComponent& c, const StoredValue& v) {
             if (v.Kind != StoredValue::ValueKind::Integer) throw EPropertyError("Font.Size expects a whole number");
             auto& control = static_cast<T&>(c);
             TFont f = control.Font();
             f.SetSize(int(v.Integer));
             control.SetFont(f);
         },
         nullptr, nullptr},
    };
}

std::vector<PropertyInfo> ControlProperties() {
    using T = TControl;
    std::vector<PropertyInfo> p = {
        prop::Int<T>("Left", &T::Left, &T::SetLeft),
        prop::Int<T>("Top", &T::Top, &T::SetTop),
        prop::Int<T>("Width", &T::Width, &T::SetWidth),
        prop::Int<T>("Height", &T::Height, &T::SetHeight),
        prop::Enum<T, TAlign>(
            "Align", AlignNames(), [](const T& c) { return c.Align(); }, [](T& c, TAlign v) { c.SetAlign(v); },
            TAlign::alNone),
        prop::String<T>(
            "Caption", [](const T& c) { return c.Caption(); }, [](T& c, const std::string& v) { c.SetCaption(v); }),
        prop::Bool<T>(
            "ParentColor", [](const T& c) { return c.ParentColor(); }, [](T& c, bool v) { c.SetParentColor(v); }, true),
        prop::Color<T>(
            "Color", [](const T& c) { return c.ParentColor() ? clBtnFace : c.Color(); },
            [](T& c, TColor v) { c.SetColor(v); }, clBtnFace),
        prop::Bool<T>(
            "ParentFont", [](const T& c) { return c.ParentFont(); }, [](T& c, bool v) { c.SetParentFont(v); }, true),
    };
    for (PropertyInfo& f : FontProperties<T>()) {
        // Only a control's own font is written.
        auto write = f.Write;
        if (write)
            f.Write = [write](const TComponent& c) -> std::optional<StoredValue> {
                if (static_cast<const T&>(c).ParentFont()) return std::nullopt;
                return write(c);
            };
        p.push_back(std::move(f));
    }
    std::vector<PropertyInfo> rest = {
        prop::Bool<T>("Visible", &T::Visible, &T::SetVisible, true),
        prop::Bool<T>("Enabled", &T::Enabled, &T::SetEnabled, true),
        prop::String<T>("Hint", &T::Hint, &T::SetHint),
        prop::Bool<T>("ShowHint", &T::ShowHint, &T::SetShowHint),
        prop::Int<T>("Tag", &T::Tag),
        prop::Int<T>("TabOrder", &T::TabOrder, &T::SetTabOrder),
        prop::Bool<T>("TabStop", &T::TabStop, &T::SetTabStop),
        prop::Reference<T, TPopupMenu>(
            "PopupMenu", [](const T& c) { return c.PopupMenu(); }, [](T& c, TPopupMenu* m) { c.SetPopupMenu(m); }),
    };
    for (PropertyInfo& r : rest) p.push_back(std::move(r));
    return p;
}

}  // namespace

std::optional<TColor> ColorFromName(std::string_view name) {
    for (const NamedColor& n : kColorNames)
        if (name == n.Name) return n.Color;
    return std::nullopt;
}

std::optional<std::string> NameOfColor(TColor color) {
    for (const NamedColor& n : kColorNames)
        if (color == n.Color) return std::string(n.Name);
    return std::nullopt;
}

const ClassInfo& TControl::StaticClass() {
    static const ClassInfo info("TControl", &TComponent::StaticClass(), nullptr, ControlProperties());
    return info;
}

const ClassInfo& TCustomControl::StaticClass() {
    static const ClassInfo info("TCustomControl", &TControl::StaticClass(), nullptr);
    return info;
}

}  // namespace dlk
