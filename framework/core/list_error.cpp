#include "framework/core/list_error.h"

#include <string>

namespace dlk {

void ListIndexError(int index) {
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

}  // namespace dlk
