#pragma once

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "framework/core/class_registry.h"

namespace dlk {

// Builders of property table rows. Get and Set are callables over the class:
// get(const T&) and set(T&, value).
namespace prop {

template <class T, class Get, class Set>
PropertyInfo Int(std::string name, Get get, Set set, std::int64_t def = 0) {
    return {std::move(name),
            [set, n = name](TComponent& c, const StoredValue& v) {
                if (v.kind != StoredValue::Kind::Integer) throw EPropertyError(n + " expects a whole number");
                set(static_cast<T&>(c), v.Integer);
            },
            [get, def](const TComponent& c) -> std::optional<StoredValue> {
                const std::int64_t v = get(static_cast<const T&>(c));
                if (v == def) return std::nullopt;
                return StoredValue::Int(v);
            }};
}

template <class T, class Get, class Set>
PropertyInfo Bool(std::string name, Get get, Set set, bool def = false) {
    return {std::move(name),
            [set, n = name](TComponent& c, const StoredValue& v) {
                if (v.kind == StoredValue::Kind::Identifier && (v.Text == "True" || v.Text == "False"))
                    set(static_cast<T&>(c), v.Text == "True");
                else
                    throw EPropertyError(n + " expects True or False");
            },
            [get, def](const TComponent& c) -> std::optional<StoredValue> {
                const bool v = get(static_cast<const T&>(c));
                if (v == def) return std::nullopt;
                return StoredValue::Ident(v ? "True" : "False");
            }};
}

template <class T, class Get, class Set>
PropertyInfo String(std::string name, Get get, Set set, std::string def = {}) {
    return {std::move(name),
            [set, n = name](TComponent& c, const StoredValue& v) {
                if (v.kind != StoredValue::Kind::String) throw EPropertyError(n + " expects a string");
                set(static_cast<T&>(c), v.Text);
            },
            [get, def](const TComponent& c) -> std::optional<StoredValue> {
                std::string v = get(static_cast<const T&>(c));
                if (v == def) return std::nullopt;
                return StoredValue::Str(std::move(v));
            }};
}

// An enumeration stored by the names in names.
template <class T, class E, class Get, class Set>
PropertyInfo Enum(std::string name, std::vector<std::pair<const char*, E>> names, Get get, Set set, E def) {
    return {std::move(name),
            [set, names, n = name](TComponent& c, const StoredValue& v) {
                if (v.kind == StoredValue::Kind::Identifier)
                    for (const auto& [text, value] : names)
                        if (v.Text == text) return set(static_cast<T&>(c), value);
                throw EPropertyError(n + " cannot be " + (v.Text.empty() ? "that value" : v.Text));
            },
            [get, names, def](const TComponent& c) -> std::optional<StoredValue> {
                const E v = get(static_cast<const T&>(c));
                if (v == def) return std::nullopt;
                for (const auto& [text, value] : names)
                    if (value == v) return StoredValue::Ident(text);
                return std::nullopt;
            }};
}

// A set of flags stored as [name, name]; bit i belongs to names[i].
template <class T, class Get, class Set>
PropertyInfo Flags(std::string name, std::vector<const char*> names, Get get, Set set, unsigned def = 0) {
    return {std::move(name),
            [set, names, n = name](TComponent& c, const StoredValue& v) {
                if (v.kind != StoredValue::Kind::Set) throw EPropertyError(n + " expects a set [..]");
                unsigned bits = 0;
                for (const std::string& item : v.Items) {
                    unsigned i = 0;
                    while (i < names.size() && item != names[i]) ++i;
                    if (i == names.size()) throw EPropertyError(n + " has no member " + item);
                    bits |= 1u << i;
                }
                set(static_cast<T&>(c), bits);
            },
            [get, names, def](const TComponent& c) -> std::optional<StoredValue> {
                const unsigned bits = unsigned(get(static_cast<const T&>(c)));
                if (bits == def) return std::nullopt;
                std::vector<std::string> items;
                for (unsigned i = 0; i < names.size(); ++i)
                    if (bits & (1u << i)) items.emplace_back(names[i]);
                return StoredValue::SetOf(std::move(items));
            }};
}

// A reference to another component of the form, resolved after reading.
template <class T, class R, class Get, class Set>
PropertyInfo Reference(std::string name, Get get, Set set) {
    return {std::move(name),
            [set, n = name](TComponent& c, const StoredValue& v) {
                if (v.kind != StoredValue::Kind::Reference) throw EPropertyError(n + " expects @Name");
                R* target = dynamic_cast<R*>(v.Target);
                if (v.Target != nullptr && target == nullptr)
                    throw EPropertyError(n + ": " + v.Text + " is of the wrong class");
                set(static_cast<T&>(c), target);
            },
            [get](const TComponent& c) -> std::optional<StoredValue> {
                const R* target = get(static_cast<const T&>(c));
                if (target == nullptr) return std::nullopt;
                return StoredValue::Ref(target->Name());
            }};
}

}  // namespace prop
}  // namespace dlk
