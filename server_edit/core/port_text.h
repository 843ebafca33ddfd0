#pragma once

namespace dlk::server_edit {

inline constexpr int kMinServerPort = 1024;
inline constexpr int kMaxServerPort = 65535;

// Whether a number from the port dialog may be stored. Anything outside is
// refused rather than cut to 16 bits, which would silently store some other
// port.
inline bool IsServerPort(int value) {
    return value >= kMinServerPort && value <= kMaxServerPort;
}

}  // namespace dlk::server_edit
