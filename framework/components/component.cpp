#include "framework/components/component.h"

#include <algorithm>

#include "framework/components/class_registry.h"
#include "framework/components/description_reader.h"

namespace dlk {

namespace {

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
               return lower(x) == lower(y);
           });
}

}  // namespace

void TComponent::ReadState(TReader& reader) {
    if (reader.Parent() != nullptr) SetParentComponent(reader.Parent());
    reader.ReadData(*this);
}

TComponent::TComponent(TComponent* owner) {
    if (owner != nullptr) owner->InsertComponent(this);
}

TComponent::~TComponent() {
    Destroying();
    NotifyRemoval();
    // Each owned component leaves components_ as it dies.
    while (!components_.empty()) delete components_.back();
    if (owner_ != nullptr) owner_->RemoveComponent(this);
}

void TComponent::NotifyRemoval() {
    while (!free_notifies_.empty()) {
        TComponent* other = free_notifies_.back();
        free_notifies_.pop_back();
        std::erase(other->free_notifies_, this);
        other->Notification(this, TOperation::opRemove);
    }
}

TComponent* TComponent::FindComponent(std::string_view name) const {
    if (name.empty()) return nullptr;
    for (TComponent* c : components_)
        if (SameName(c->name_, name)) return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
    if (component->owner_ != nullptr) component->owner_->RemoveComponent(component);
    components_.push_back(component);
    component->owner_ = this;
    Notification(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    if (component->owner_ != this) return;
    Notification(component, TOperation::opRemove);
    std::erase(components_, component);
    component->owner_ = nullptr;
}

void TComponent::Destroying() {
    if (IsDestroying()) return;
    SetState(csDestroying);
    for (TComponent* c : components_) c->Destroying();
}

void TComponent::FreeNotification(TComponent* component) {
    if (component == nullptr || component == this) return;
    if (std::find(free_notifies_.begin(), free_notifies_.end(), component) == free_notifies_.end())
        free_notifies_.push_back(component);
    if (std::find(component->free_notifies_.begin(), component->free_notifies_.end(), this) ==
        component->free_notifies_.end())
        component->free_notifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    if (component == nullptr) return;
    std::erase(free_notifies_, component);
    std::erase(component->free_notifies_, this);
}

void TComponent::Notification(TComponent*, TOperation) {}

void TComponent::DefineProperties(TFiler&) {}

void TComponent::SetParentComponent(TComponent*) {}

void TComponent::GetChildren(const std::function<void(TComponent*)>& visit, TComponent* root) const {
    // The form lists what it owns and has no other parent component.
    if (this != root) return;
    for (TComponent* c : components_)
        if (c->GetParentComponent() == nullptr) visit(c);
}

const ClassInfo& TComponent::StaticClass() {
    static const ClassInfo info("TComponent", nullptr, nullptr);
    return info;
}

const ClassInfo& TComponent::ClassType() const {
    return StaticClass();
}

const char* TComponent::ClassName() const {
    return ClassType().Name;
}

}  // namespace dlk
