// Each deliberate fault must end the program with its sanitizer report;
// a report followed by a normal exit would pass the test it was found in.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <memory>

namespace {

// Read at run time so the optimiser cannot fold the faults away.
volatile int gLargest = INT_MAX;
volatile int gTooFar = 40;
volatile std::size_t gBlockSize = 4;

void SignedOverflow() {
    volatile int sum = gLargest + 1;
    (void)sum;
}

void ShiftPastWidth() {
    volatile int shifted = 1 << gTooFar;
    (void)shifted;
}

void NullToMemcmp() {
    const char* volatile none = nullptr;
    volatile int order = std::memcmp(none, "x", gBlockSize - 4);
    (void)order;
}

void ReadPastHeapBlock() {
    const auto block = std::make_unique<char[]>(gBlockSize);
    volatile char past = block[gBlockSize];
    (void)past;
}

struct Finding {
    const char* name;
    void (*fault)();
    const char* report;
};

void PrintTo(const Finding& finding, std::ostream* out) {
    *out << finding.name;
}

class SanitizerHalt : public testing::TestWithParam<Finding> {};

TEST_P(SanitizerHalt, EndsTheProgramWithTheReport) {
    EXPECT_DEATH(GetParam().fault(), GetParam().report);
}

INSTANTIATE_TEST_SUITE_P(
    Findings, SanitizerHalt,
    testing::Values(Finding{"SignedOverflow", SignedOverflow, "runtime error: signed integer overflow"},
                    Finding{"ShiftPastWidth", ShiftPastWidth, "runtime error: shift exponent 40"},
                    Finding{"NullToMemcmp", NullToMemcmp, "runtime error: null pointer passed as argument"},
                    Finding{"ReadPastHeapBlock", ReadPastHeapBlock, "AddressSanitizer: heap-buffer-overflow"}),
    [](const testing::TestParamInfo<Finding>& info) { return std::string(info.param.name); });

}  // namespace
