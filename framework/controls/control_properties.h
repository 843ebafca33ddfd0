#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "framework/components/properties.h"
#include "framework/core/colors.h"

namespace dlk {

// Colour names of the descriptions (clRed, clBtnFace, ...).
std::optional<TColor> ColorFromName(std::string_view name);
std::optional<std::string> NameOfColor(TColor color);

namespace prop {

// A colour: a name or a number.
template <class T, class Get, class Set>
PropertyInfo Color(std::string name, Get get, Set set, TColor def) {
    auto stored = [](TColor v) {
        if (std::optional<std::string> n = NameOfColor(v)) return StoredValue::Ident(*n);
        return StoredValue::Int(v);
    };
    return detail::Row(
        name,
        [set, n = name](TComponent& c, const StoredValue& v) {
            if (v.Kind == StoredValue::ValueKind::Integer) return detail::SetOf<T>(set, c, TColor(v.Integer));
            if (v.Kind == StoredValue::ValueKind::Identifier)
                if (std::optional<TColor> color = ColorFromName(v.Text)) return detail::SetOf<T>(set, c, *color);
            throw EPropertyError(n + " expects a colour");
        },
        [get, stored](const TComponent& c) { return stored(TColor(detail::GetOf<T>(get, c))); }, stored(def));
}

}  // namespace prop
}  // namespace dlk
