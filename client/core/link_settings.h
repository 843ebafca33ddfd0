#pragma once

#include <array>
#include <cstdint>

#include "platform/encoding/short_string.h"

namespace dlk::client {

// The link settings the user edits and the configuration file keeps; the
// defaults are the ones a first start runs with.
struct LinkSettings {
    std::uint16_t LocalPort = 1025;
    std::uint8_t ClientMode = 0;  // 0 direct to the modems, 1 through the relay server
    ShortString<8> ClientId = MakeShortString<8>("none");
    ShortString<8> ClientPassword{};
    std::array<std::uint8_t, 4> ServerAddress = {127, 0, 0, 1};  // octets in order
    std::uint16_t ServerPort = 1024;
    std::uint8_t PingPeriod = 5;      // seconds
    std::uint8_t NullModemMode = 0;   // 1 pseudo-terminal, 0 local message socket
    std::uint8_t OneModemActive = 1;  // 1: a modem taken out of pause pauses all others
};

}  // namespace dlk::client
