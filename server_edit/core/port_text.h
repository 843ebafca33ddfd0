#pragma once

#include <cstdint>
#include <string_view>

namespace dlk {

inline constexpr int kMinServerPort = 1024;
inline constexpr int kMaxServerPort = 65535;

// The port dialog's text read as a port. A number outside the range is
// refused rather than cut to 16 bits, which would silently store some other
// port.
struct PortText {
    enum class Kind { Port, NotInteger, OutOfRange };
    Kind kind = Kind::NotInteger;
    std::uint16_t port = 0;  // when kind is Port
};

// A signed decimal integer: an optional sign and digits, nothing else.
PortText ReadPortText(std::string_view text);

}  // namespace dlk
