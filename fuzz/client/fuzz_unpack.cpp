#include <cstddef>
#include <cstdint>
#include <span>

#include "client/core/link/unpack_data.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The receiver never hands over more than a datagram's payload.
    if (size > 1024) return 0;
    static dlk::client::UnpackArea area;
    const std::size_t n = dlk::client::UnpackData(std::span<const std::uint8_t>(data, size), area);
    if (n > dlk::client::UnpackArea::kOutputSize) __builtin_trap();
    return 0;
}
