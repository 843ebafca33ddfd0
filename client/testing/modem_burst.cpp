#include "client/testing/modem_burst.h"

#include <array>
#include <string>
#include <thread>

namespace dlk::client::sim {

ImeiBcd CrowdImei(std::uint32_t n) {
    std::string digits = std::to_string(n);
    digits.insert(0, 15 - digits.size(), '0');
    digits[0] = '3';
    digits[1] = '5';
    return *TextToImei(digits);
}

bool SendModemOnBurst(const UdpEndpoint& target, std::uint32_t count, std::chrono::milliseconds over,
                      std::uint8_t status) {
    UdpSocket socket;
    if (socket.Open() != 0 || socket.Bind(0) != 0) return false;
    const auto start = std::chrono::steady_clock::now();
    std::array<std::uint8_t, 10> packet{0x02, status};
    for (std::uint32_t i = 0; i < count; ++i) {
        const ImeiBcd imei = CrowdImei(i);
        std::copy(imei.begin(), imei.end(), packet.begin() + 2);
        if (!socket.SendTo(packet, target)) return false;
        // Evenly over the time, in steps of a millisecond's worth.
        std::this_thread::sleep_until(start + over * (i + 1) / count);
    }
    return true;
}

}  // namespace dlk::client::sim
