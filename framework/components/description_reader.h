#pragma once

#include <string>
#include <string_view>

#include "framework/components/component.h"
#include "framework/components/description_parser.h"

namespace dlk {

// What a component's ReadState works with while it is being read.
class TReader {
public:
    virtual ~TReader() = default;
    // The component the object being read is attached to (the enclosing
    // object of the description); nullptr for the top object.
    TComponent* Parent() const { return parent_; }
    // The top component, owner of everything the description creates.
    virtual TComponent& Root() const = 0;
    // The base reading of the object being read into component: its
    // properties in stored order, then the objects inside it, each through
    // its own ReadState.
    virtual void ReadData(TComponent& component) = 0;

protected:
    TComponent* parent_ = nullptr;
};

// Reads a window description into root (the form, already created): root
// takes the top object's properties; every nested object is created by class
// name with root as owner and read by its ReadState (by default: attached
// to its enclosing object, then its properties applied in stored order).
// Names no property table knows are offered to DefineProperties, @references
// are resolved once the whole tree is read, then Loaded is called on root
// and every created component in reading order, and last AfterRead on root.
// Throws EReadError naming file and line.
void ReadComponent(TComponent& root, std::string_view text, const std::string& file);

// The same from a file or a compiled-in resource (":/path").
void ReadComponentResource(TComponent& root, const std::string& path);

}  // namespace dlk
