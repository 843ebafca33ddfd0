// Each deliberate fault must end the program with its sanitizer report;
// a report followed by a normal exit would pass the test it was found in.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <memory>

namespace {

// Read at run time so the optimiser cannot fold the faults away.
volatile int gLargest = INT_MAX;
volatile std::size_t gFour = 4;
const char* volatile gNone = nullptr;

struct Finding {
    const char* name;
    void (*fault)();
    const char* report;
};

void PrintTo(const Finding& finding, std::ostream* out) {
    *out << finding.name;
}

const Finding kFindings[] = {
    {"SignedOverflow", [] { gLargest = gLargest + 1; }, "runtime error: signed integer overflow"},
    {"NullToMemcmp", [] { gFour = std::memcmp(gNone, "x", gFour - 4); },
     "runtime error: null pointer passed as argument"},
    {"ReadPastHeapBlock", [] { gFour = std::make_unique<char[]>(gFour)[gFour]; },
     "AddressSanitizer: heap-buffer-overflow"},
};

class SanitizerHalt : public testing::TestWithParam<Finding> {};

TEST_P(SanitizerHalt, EndsTheProgramWithTheReport) {
    EXPECT_DEATH(GetParam().fault(), GetParam().report);
}

INSTANTIATE_TEST_SUITE_P(Findings, SanitizerHalt, testing::ValuesIn(kFindings),
                         [](const testing::TestParamInfo<Finding>& info) { return std::string(info.param.name); });

}  // namespace
