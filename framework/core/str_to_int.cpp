#include "framework/core/str_to_int.h"

#include <cstdint>

namespace dlk {

namespace {

[[noreturn]] void NotAnInteger(std::string_view text) {
    throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
}

}  // namespace

int StrToInt(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == text.size()) NotAnInteger(text);

    // One past INT_MAX is allowed while reading, for INT_MIN; the digits stop
    // counting there so that no length of text overflows.
    constexpr std::int64_t kLimit = 2147483648LL;
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') NotAnInteger(text);
        value = value * 10 + (text[i] - '0');
        if (value > kLimit) NotAnInteger(text);
    }
    if (!negative && value == kLimit) NotAnInteger(text);
    return static_cast<int>(negative ? -value : value);
}

}  // namespace dlk
