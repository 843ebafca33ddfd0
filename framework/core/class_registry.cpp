#include "framework/core/class_registry.h"

#include <map>
#include <mutex>

namespace dlk {

namespace {

struct Registry {
    std::mutex lock;
    std::map<std::string, const ClassInfo*, std::less<>> classes;
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
    std::lock_guard guard(r.lock);
    r.classes[info.Name] = &info;
}

const ClassInfo* FindClass(std::string_view name) {
    Registry& r = TheRegistry();
    std::lock_guard guard(r.lock);
    auto it = r.classes.find(name);
    return it == r.classes.end() ? nullptr : it->second;
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
