#pragma once

#include <string>

#include "framework/components/component.h"

namespace dlk {

// The description of root and everything listed under it: the properties
// whose values are not the defaults, then the DefineProperties values, then
// the children. ReadComponent of the result rebuilds the same tree.
std::string WriteComponent(const TComponent& root);

}  // namespace dlk
