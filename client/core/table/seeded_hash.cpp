#include "client/core/table/seeded_hash.h"

#include <chrono>
#include <random>

namespace dlk::client {
namespace {

std::uint64_t RunSeed() {
    static const std::uint64_t seed = [] {
        std::random_device device;
        const auto clock = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
        return (std::uint64_t{device()} << 32 | device()) ^ clock;
    }();
    return seed;
}

}  // namespace

SeededHash::SeededHash() : Seed(RunSeed()) {}

std::size_t SeededHash::operator()(std::uint64_t key) const {
    // splitmix64's finaliser.
    std::uint64_t z = key ^ Seed;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<std::size_t>(z ^ (z >> 31));
}

}  // namespace dlk::client
