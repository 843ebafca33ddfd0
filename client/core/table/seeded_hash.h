#pragma once

#include <cstddef>
#include <cstdint>

namespace dlk::client {

// A hash of 64-bit keys mixed with a seed drawn once per run, for tables
// keyed by what a stranger sends (IMEIs, addresses): keys chosen to pile up
// in one bucket of the identity hash spread out here.
struct SeededHash {
    SeededHash();
    std::size_t operator()(std::uint64_t key) const;

    std::uint64_t Seed = 0;
};

}  // namespace dlk::client
