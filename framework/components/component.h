#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/persistent.h"

namespace dlk {

class TFiler;
class TReader;
struct ClassInfo;

using TNotifyEvent = std::function<void(TObject* sender)>;

enum TComponentStateFlag : std::uint8_t { csLoading = 1, csReading = 2, csDestroying = 4 };
enum class TOperation : std::uint8_t { opInsert, opRemove };

// A named object with an owner that frees it. The owner frees what it owns
// last first; before anything is freed the whole owned tree is marked
// Destroying, and no event handler runs for a component in that state.
class TComponent : public TPersistent {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }
    TComponent* Owner() const { return owner_; }
    int ComponentCount() const { return int(components_.size()); }
    TComponent* Components(int index) const { return components_[std::size_t(index)]; }
    // The owned component of that name (compared without regard to ASCII case).
    TComponent* FindComponent(std::string_view name) const;
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

    std::uint8_t ComponentState() const { return state_; }
    bool IsLoading() const { return state_ & csLoading; }
    bool IsReading() const { return state_ & csReading; }
    bool IsDestroying() const { return state_ & csDestroying; }
    void SetState(std::uint8_t flags) { state_ |= flags; }
    void ClearState(std::uint8_t flags) { state_ &= std::uint8_t(~flags); }
    // Marks this component and everything it owns as being destroyed.
    void Destroying();

    // After a stored description has been read and its references resolved.
    virtual void Loaded() { ClearState(csLoading); }
    // Reads this component from a stored description: the default attaches it
    // to reader.Parent() (SetParentComponent), then applies its properties in
    // stored order and reads the objects inside it (reader.ReadData).
    virtual void ReadState(TReader& reader);
    // Called on the top component of a description once every component read
    // with it has run Loaded (a form shows itself here).
    virtual void AfterRead() {}

    // this is told, by Notification(c, opRemove), when c is freed, before any
    // of c's members die. Works across owners; either side may go first.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);
    virtual void Notification(TComponent* component, TOperation operation);

    // Values of a stored description that are not properties.
    virtual void DefineProperties(TFiler& filer);
    // Where a component read from a description is attached: a control takes
    // the enclosing control as its parent, a menu item joins its menu.
    virtual void SetParentComponent(TComponent* parent);
    virtual TComponent* GetParentComponent() const { return nullptr; }
    // Components listed inside this one in a stored description.
    virtual void GetChildren(const std::function<void(TComponent*)>& visit, TComponent* root) const;

    // Class information: every class that a description names declares
    // DLK_COMPONENT and defines StaticClass (see class_registry.h).
    static const ClassInfo& StaticClass();
    virtual const ClassInfo& ClassType() const;
    const char* ClassName() const override;

    // Calls handler only while this component is not being destroyed.
    template <class Handler, class... Args>
    void Raise(const Handler& handler, Args&&... args) {
        if (handler && !IsDestroying()) handler(std::forward<Args>(args)...);
    }

protected:
    // Tells every component that asked for FreeNotification. ~TComponent does
    // it anyway; a class whose users read its members when told calls it
    // first thing in its own destructor, after Destroying().
    void NotifyRemoval();

private:
    std::string name_;
    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> free_notifies_;
    std::uint8_t state_ = 0;
};

// The component of that name owned by owner, of class T, or nullptr.
template <class T>
T* FindOwned(const TComponent& owner, std::string_view name) {
    return dynamic_cast<T*>(owner.FindComponent(name));
}

// A component a window's description must hold; missing, or of another
// class, it is a build mistake.
class EComponentError : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// The component of that name owned by owner, of class T; EComponentError
// naming the owner and the component when there is none.
template <class T>
T* FindRequired(const TComponent& owner, std::string_view name) {
    if (T* found = FindOwned<T>(owner, name)) return found;
    throw EComponentError(owner.Name() + " has no component " + std::string(name) + " of the expected class");
}

}  // namespace dlk
