#pragma once

#include <chrono>
#include <cstdint>

#include "platform/encoding/imei_bcd.h"
#include "platform/net/udp_socket.h"

namespace dlk::client::sim {

// The IMEI of the n-th modem of a crowd: 15 digits, all different.
ImeiBcd CrowdImei(std::uint32_t n);

// Many modems coming on at once, as a flood of on packets from one socket:
// count distinct IMEIs (CrowdImei 0..count-1) announced to target, spread
// evenly over the given time. Returns false when the socket failed.
bool SendModemOnBurst(const UdpEndpoint& target, std::uint32_t count, std::chrono::milliseconds over,
                      std::uint8_t status = 0x55);

}  // namespace dlk::client::sim
