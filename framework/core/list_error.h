#pragma once

#include <stdexcept>

namespace dlk {

// An index outside a list's items: "List index out of bounds (<index>)".
class EListError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

[[noreturn]] void ListIndexError(int index);

}  // namespace dlk
