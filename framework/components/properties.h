#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "framework/components/class_registry.h"

namespace dlk {

// Builders of property table rows. Get and Set are callables over the class,
// get(const T&) and set(T&, value), or member pointers: a getter
// (&T::Columns) and a setter (&T::SetColumns). A field is one member pointer
// (&T::MinWidth), read and written as it stands.
namespace prop {

namespace detail {

template <class T, class Get>
auto GetOf(const Get& get, const TComponent& c) {
    return std::invoke(get, static_cast<const T&>(c));
}

template <class T, class Set, class V>
void SetOf(const Set& set, TComponent& c, V&& v) {
    std::invoke(set, static_cast<T&>(c), std::forward<V>(v));
}

// A row whose written value is its value unless that is the default.
inline PropertyInfo Row(std::string name, std::function<void(TComponent&, const StoredValue&)> read,
                        std::function<StoredValue(const TComponent&)> value, StoredValue def) {
    auto write = [value, def = std::move(def)](const TComponent& c) -> std::optional<StoredValue> {
        StoredValue v = value(c);
        if (SameValue(v, def)) return std::nullopt;
        return v;
    };
    return {std::move(name), std::move(read), std::move(write), std::move(value)};
}

template <class F>
concept Field = std::is_member_object_pointer_v<F>;

template <class T, class F>
using FieldType = std::remove_cvref_t<decltype(std::declval<T&>().*std::declval<F>())>;

}  // namespace detail

template <class T, class Get, class Set>
requires std::is_invocable_v<const Set&, T&, std::int64_t> PropertyInfo Int(std::string name, Get get, Set set,
                                                                            std::int64_t def = 0) {
    return detail::Row(
        name,
        [set, n = name](TComponent& c, const StoredValue& v) {
            if (v.Kind != StoredValue::ValueKind::Integer) throw EPropertyError(n + " expects a whole number");
            detail::SetOf<T>(set, c, v.Integer);
        },
        [get](const TComponent& c) { return StoredValue::Int(std::int64_t(detail::GetOf<T>(get, c))); },
        StoredValue::Int(def));
}

template <class T, detail::Field F>
PropertyInfo Int(std::string name, F field, std::int64_t def = 0) {
    return Int<T>(
        std::move(name), [field](const T& c) { return std::int64_t(c.*field); },
        [field](T& c, std::int64_t v) { c.*field = detail::FieldType<T, F>(v); }, def);
}

template <class T, class Get, class Set>
requires std::is_invocable_v<const Set&, T&, bool> PropertyInfo Bool(std::string name, Get get, Set set,
                                                                     bool def = false) {
    auto ident = [](bool v) { return StoredValue::Ident(v ? "True" : "False"); };
    return detail::Row(
        name,
        [set, n = name](TComponent& c, const StoredValue& v) {
            if (v.Kind == StoredValue::ValueKind::Identifier && (v.Text == "True" || v.Text == "False"))
                detail::SetOf<T>(set, c, v.Text == "True");
            else
                throw EPropertyError(n + " expects True or False");
        },
        [get, ident](const TComponent& c) { return ident(bool(detail::GetOf<T>(get, c))); }, ident(def));
}

template <class T, detail::Field F>
PropertyInfo Bool(std::string name, F field, bool def = false) {
    return Bool<T>(
        std::move(name), [field](const T& c) { return bool(c.*field); }, [field](T& c, bool v) { c.*field = v; }, def);
}

template <class T, class Get, class Set>
requires std::is_invocable_v<const Set&, T&, const std::string&> PropertyInfo String(std::string name, Get get, Set set,
                                                                                     std::string def = {}) {
    return detail::Row(
        name,
        [set, n = name](TComponent& c, const StoredValue& v) {
            if (v.Kind != StoredValue::ValueKind::String) throw EPropertyError(n + " expects a string");
            detail::SetOf<T>(set, c, v.Text);
        },
        [get](const TComponent& c) { return StoredValue::Str(std::string(detail::GetOf<T>(get, c))); },
        StoredValue::Str(std::move(def)));
}

template <class T, detail::Field F>
PropertyInfo String(std::string name, F field, std::string def = {}) {
    return String<T>(
        std::move(name), [field](const T& c) { return c.*field; },
        [field](T& c, const std::string& v) { c.*field = v; }, std::move(def));
}

// An enumeration stored by the names in names.
template <class T, class E, class Get, class Set>
PropertyInfo Enum(std::string name, std::vector<std::pair<const char*, E>> names, Get get, Set set, E def) {
    auto stored = [names](E v) {
        for (const auto& [text, value] : names)
            if (value == v) return StoredValue::Ident(text);
        return StoredValue::Int(std::int64_t(v));  // a value without a name
    };
    return detail::Row(
        name,
        [set, names, n = name](TComponent& c, const StoredValue& v) {
            if (v.Kind == StoredValue::ValueKind::Identifier)
                for (const auto& [text, value] : names)
                    if (v.Text == text) {
                        detail::SetOf<T>(set, c, value);
                        return;
                    }
            throw EPropertyError(n + " cannot be " + (v.Text.empty() ? "that value" : v.Text));
        },
        [get, stored](const TComponent& c) { return stored(E(detail::GetOf<T>(get, c))); }, stored(def));
}

// A set of flags stored as [name, name]; bit i belongs to names[i].
template <class T, class Get, class Set>
PropertyInfo Flags(std::string name, std::vector<const char*> names, Get get, Set set, unsigned def = 0) {
    auto stored = [names](unsigned bits) {
        std::vector<std::string> items;
        for (unsigned i = 0; i < names.size(); ++i)
            if (bits & (1u << i)) items.emplace_back(names[i]);
        return StoredValue::SetOf(std::move(items));
    };
    return detail::Row(
        name,
        [set, names, n = name](TComponent& c, const StoredValue& v) {
            if (v.Kind != StoredValue::ValueKind::Set) throw EPropertyError(n + " expects a set [..]");
            unsigned bits = 0;
            for (const std::string& item : v.Items) {
                unsigned i = 0;
                while (i < names.size() && item != names[i]) ++i;
                if (i == names.size()) throw EPropertyError(n + " has no member " + item);
                bits |= 1u << i;
            }
            detail::SetOf<T>(set, c, bits);
        },
        [get, stored](const TComponent& c) { return stored(unsigned(detail::GetOf<T>(get, c))); }, stored(def));
}

// A reference to another component of the form, resolved after reading.
template <class T, class R, class Get, class Set>
PropertyInfo Reference(std::string name, Get get, Set set) {
    return {std::move(name),
            [set, n = name](TComponent& c, const StoredValue& v) {
                if (v.Kind != StoredValue::ValueKind::Reference) throw EPropertyError(n + " expects @Name");
                R* target = dynamic_cast<R*>(v.Target);
                if (v.Target != nullptr && target == nullptr)
                    throw EPropertyError(n + ": " + v.Text + " is of the wrong class");
                detail::SetOf<T>(set, c, target);
            },
            [get](const TComponent& c) -> std::optional<StoredValue> {
                const R* target = detail::GetOf<T>(get, c);
                if (target == nullptr) return std::nullopt;
                return StoredValue::Ref(target->Name());
            },
            nullptr};
}

// Overrides of inherited properties, for a class's table of overrides.
inline PropertyOverride NotStored(std::string name) {
    return {std::move(name), false, std::nullopt};
}
inline PropertyOverride Default(std::string name, StoredValue value) {
    return {std::move(name), true, std::move(value)};
}

}  // namespace prop
}  // namespace dlk
