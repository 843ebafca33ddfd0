#include "client/core/list/row_texts.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace dlk::client {

std::int64_t PackingSavingPercent(std::uint32_t bytesReceived, std::uint32_t bytesUnpacked) {
    const std::int64_t numerator = 100 * (static_cast<std::int64_t>(bytesUnpacked) - bytesReceived);
    const std::int64_t denominator = bytesUnpacked;
    std::int64_t quotient = numerator / denominator;
    std::int64_t remainder = numerator % denominator;
    if (remainder < 0) {  // floor, so the remainder lies in [0, denominator)
        quotient -= 1;
        remainder += denominator;
    }
    if (2 * remainder > denominator || (2 * remainder == denominator && quotient % 2 != 0)) quotient += 1;
    return quotient;
}

std::string ReceivedText(std::uint32_t bytesReceived, std::uint32_t bytesUnpacked) {
    if (bytesReceived == 0) return "0 (0%)";
    if (bytesUnpacked == 0) return std::to_string(bytesReceived);
    return std::to_string(bytesReceived) + " (" + std::to_string(PackingSavingPercent(bytesReceived, bytesUnpacked)) +
           "%)";
}

std::string TimeOfDayText(double dayFraction) {
    if (dayFraction == 0 || !std::isfinite(dayFraction)) return {};
    // Whole milliseconds first, as the clock that stored the value had them,
    // then truncated to seconds.
    double fraction = dayFraction - std::floor(dayFraction);
    const long long ms = std::llround(fraction * 86400000.0) % 86400000;
    const long long seconds = ms / 1000;
    char text[16];
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return text;
}

std::string AddressText(std::uint32_t storedAddress, std::uint16_t storedPort) {
    if (storedAddress == 0) return {};
    std::uint8_t a[4];
    std::uint8_t p[2];
    std::memcpy(a, &storedAddress, 4);
    std::memcpy(p, &storedPort, 2);
    char text[32];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u:%u", a[0], a[1], a[2], a[3], (p[0] << 8) | p[1]);
    return text;
}

}  // namespace dlk::client
