#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "framework/components/component.h"

namespace dlk {

// One value of a stored description.
struct StoredValue {
    enum class ValueKind : std::uint8_t { Integer, String, Identifier, Reference, Set, Resource };
    ValueKind Kind = ValueKind::Integer;
    std::int64_t Integer = 0;
    std::string Text;                // string, identifier, reference name, resource path
    std::vector<std::string> Items;  // set members
    TComponent* Target = nullptr;    // a reference, once resolved

    static StoredValue Int(std::int64_t v) { return {ValueKind::Integer, v, {}, {}, nullptr}; }
    static StoredValue Str(std::string v) { return {ValueKind::String, 0, std::move(v), {}, nullptr}; }
    static StoredValue Ident(std::string v) { return {ValueKind::Identifier, 0, std::move(v), {}, nullptr}; }
    static StoredValue Ref(std::string name) { return {ValueKind::Reference, 0, std::move(name), {}, nullptr}; }
    static StoredValue SetOf(std::vector<std::string> items) {
        return {ValueKind::Set, 0, {}, std::move(items), nullptr};
    }
};

// A value a property cannot take; the reader adds the file and line.
class EPropertyError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Whether two stored values say the same (a resolved reference's target
// aside).
bool SameValue(const StoredValue& a, const StoredValue& b);

struct PropertyInfo {
    std::string Name;
    std::function<void(TComponent&, const StoredValue&)> Read;
    // nullopt: the value is the default and is not written.
    std::function<std::optional<StoredValue>(const TComponent&)> Write;
    // The value as it is, default or not (the builders fill it); lets a
    // derived class store the property against a default of its own.
    std::function<StoredValue(const TComponent&)> Value;
};

// A derived class's change to a property it inherits: never stored, or
// stored against another default (the class's constructor sets that value).
struct PropertyOverride {
    std::string Name;
    bool Stored = true;
    std::optional<StoredValue> Default;
};

// A class as the stored descriptions know it: its name, how to create it, and
// its own properties; those of its base class come from Parent.
struct ClassInfo {
    ClassInfo(const char* name, const ClassInfo* parent, std::function<TComponent*(TComponent*)> create,
              std::vector<PropertyInfo> properties = {}, std::vector<PropertyOverride> overrides = {})
        : Name(name),
          Parent(parent),
          Create(std::move(create)),
          Properties(std::move(properties)),
          Overrides(std::move(overrides)) {}

    const char* Name;
    const ClassInfo* Parent;
    std::function<TComponent*(TComponent* owner)> Create;  // empty: not created by name
    std::vector<PropertyInfo> Properties;
    std::vector<PropertyOverride> Overrides;  // of inherited properties

    const PropertyInfo* FindProperty(std::string_view name) const;
    // What a description of component (of this class) stores for property:
    // nullopt when it is not stored here or holds its default. A not-stored
    // property is still read when a description names it.
    std::optional<StoredValue> StoredValueOf(const PropertyInfo& property, const TComponent& component) const;
    // Base-class properties first, each class's in its table's order.
    void ForEachProperty(const std::function<void(const PropertyInfo&)>& visit) const;
    bool InheritsFrom(const ClassInfo& other) const;
};

template <class T>
std::function<TComponent*(TComponent*)> Creator() {
    return [](TComponent* owner) -> TComponent* { return new T(owner); };
}

void RegisterClass(const ClassInfo& info);
const ClassInfo* FindClass(std::string_view name);

// Registers a class when the program starts (the framework library is linked
// whole, so registrations in its files are never dropped).
struct ClassRegistrar {
    explicit ClassRegistrar(const ClassInfo& info) { RegisterClass(info); }
};

#define DLK_COMPONENT(T)                                 \
public:                                                  \
    static const ::dlk::ClassInfo& StaticClass();        \
    const ::dlk::ClassInfo& ClassType() const override { \
        return T::StaticClass();                         \
    }                                                    \
                                                         \
private:

#define DLK_CONCAT_INNER(a, b) a##b
#define DLK_CONCAT(a, b) DLK_CONCAT_INNER(a, b)
#define DLK_REGISTER_CLASS(T) \
    [[maybe_unused]] static const ::dlk::ClassRegistrar DLK_CONCAT(dlk_registrar_, __LINE__)(T::StaticClass())

// What DefineProperties sees: while reading, the one value being read, which
// a matching DefineProperty consumes; while writing, a collector of values.
class TFiler {
public:
    using Reader = std::function<void(const StoredValue&)>;
    using Writer = std::function<std::optional<StoredValue>()>;

    static TFiler ForReading(std::string_view name, const StoredValue& value) {
        TFiler f;
        f.reading_ = true;
        f.name_ = name;
        f.value_ = &value;
        return f;
    }
    static TFiler ForWriting() { return TFiler(); }

    bool IsReading() const { return reading_; }
    void DefineProperty(std::string_view name, const Reader& read, const Writer& write);
    bool Handled() const { return handled_; }
    const std::vector<std::pair<std::string, StoredValue>>& Written() const { return written_; }

private:
    TFiler() = default;
    bool reading_ = false;
    bool handled_ = false;
    std::string_view name_;
    const StoredValue* value_ = nullptr;
    std::vector<std::pair<std::string, StoredValue>> written_;
};

}  // namespace dlk
