#pragma once

#include <cstdint>
#include <string>

namespace dlk::client {

// "0 (0%)" with nothing received; otherwise the count and the saving that
// packing gave, in whole percent rounded half to even ("250 (75%)",
// "110 (-10%)"). Without unpacked bytes there is no saving to show, and the
// count stands alone.
std::string ReceivedText(std::uint32_t bytesReceived, std::uint32_t bytesUnpacked);

// 100 * (1 - received / unpacked), rounded half to even, in integers only.
std::int64_t PackingSavingPercent(std::uint32_t bytesReceived, std::uint32_t bytesUnpacked);

// A time of day given as a fraction of a day, as H:MM:SS ("9:05:07").
// Empty for 0, which means none.
std::string TimeOfDayText(double dayFraction);

// "a.b.c.d:port" from the address and port as stored (network byte order);
// empty when the address is 0.
std::string AddressText(std::uint32_t storedAddress, std::uint16_t storedPort);

}  // namespace dlk::client
