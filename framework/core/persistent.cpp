#include "framework/core/persistent.h"

#include <string>

#include "framework/core/str_to_int.h"

namespace dlk {

void TPersistent::Assign(const TPersistent& source) {
    source.AssignTo(*this);
}

void TPersistent::AssignTo(TPersistent& dest) const {
    dest.AssignError(this);
}

void TPersistent::AssignError(const TPersistent* source) const {
    const std::string from = source != nullptr ? source->ClassName() : "nil";
    throw EConvertError("Cannot assign a " + from + " to a " + ClassName());
}

}  // namespace dlk
