#pragma once

#include <string>
#include <string_view>

#include "framework/core/component.h"
#include "framework/core/description_parser.h"

namespace dlk {

// Reads a window description into root (the form, already created): root
// takes the top object's properties; every nested object is created by class
// name with root as owner and attached to its enclosing object. Properties
// are applied in stored order, names no property table knows are offered to
// DefineProperties, @references are resolved once the whole tree is read,
// then Loaded is called on root and every created component in reading
// order. Throws EReadError naming file and line.
void ReadComponent(TComponent& root, std::string_view text, const std::string& file);

// The same from a file or a compiled-in resource (":/path").
void ReadComponentResource(TComponent& root, const std::string& path);

}  // namespace dlk
