#include "framework/components/class_registry.h"

#include <map>
#include <mutex>

namespace dlk {

namespace {

struct Registry {
    std::mutex Lock;
    std::map<std::string, const ClassInfo*, std::less<>> Classes;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

}  // namespace

const PropertyInfo* ClassInfo::FindProperty(std::string_view name) const {
    for (const ClassInfo* c = this; c != nullptr; c = c->Parent)
        for (const PropertyInfo& p : c->Properties)
            if (p.Name == name) return &p;
    return nullptr;
}

bool SameValue(const StoredValue& a, const StoredValue& b) {
    return a.Kind == b.Kind && a.Integer == b.Integer && a.Text == b.Text && a.Items == b.Items;
}

std::optional<StoredValue> ClassInfo::StoredValueOf(const PropertyInfo& property, const TComponent& component) const {
    for (const ClassInfo* c = this; c != nullptr; c = c->Parent)
        for (const PropertyOverride& o : c->Overrides) {
            if (o.Name != property.Name) continue;
            if (!o.Stored) return std::nullopt;
            if (o.Default && property.Value) {
                StoredValue v = property.Value(component);
                if (SameValue(v, *o.Default)) return std::nullopt;
                return v;
            }
        }
    if (!property.Write) return std::nullopt;
    return property.Write(component);
}

void ClassInfo::ForEachProperty(const std::function<void(const PropertyInfo&)>& visit) const {
    if (Parent != nullptr) Parent->ForEachProperty(visit);
    for (const PropertyInfo& p : Properties) visit(p);
}

bool ClassInfo::InheritsFrom(const ClassInfo& other) const {
    for (const ClassInfo* c = this; c != nullptr; c = c->Parent)
        if (c == &other) return true;
    return false;
}

void RegisterClass(const ClassInfo& info) {
    Registry& r = TheRegistry();
    std::lock_guard guard(r.Lock);
    r.Classes[info.Name] = &info;
}

const ClassInfo* FindClass(std::string_view name) {
    Registry& r = TheRegistry();
    std::lock_guard guard(r.Lock);
    auto it = r.Classes.find(name);
    return it == r.Classes.end() ? nullptr : it->second;
}

void TFiler::DefineProperty(std::string_view name, const Reader& read, const Writer& write) {
    if (reading_) {
        if (!handled_ && name == name_ && read) {
            handled_ = true;
            read(*value_);
        }
        return;
    }
    if (!write) return;
    if (std::optional<StoredValue> v = write()) written_.emplace_back(std::string(name), std::move(*v));
}

}  // namespace dlk
