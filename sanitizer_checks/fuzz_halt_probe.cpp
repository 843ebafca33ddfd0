// A signed overflow on every input: the fuzz run must stop at the first one,
// show the report and fail.
#include <climits>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t*, std::size_t size) {
    volatile int largest = INT_MAX;
    volatile int sum = largest + static_cast<int>(size % 2) + 1;
    (void)sum;
    return 0;
}
