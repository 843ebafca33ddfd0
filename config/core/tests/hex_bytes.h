#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace dlk::config::testing {

// "00 1f A0" -> {0x00, 0x1F, 0xA0}; blanks are ignored.
inline std::vector<std::uint8_t> HexBytes(std::string_view text) {
    auto nibble = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    };
    std::vector<std::uint8_t> bytes;
    int high = -1;
    for (char c : text) {
        const int n = nibble(c);
        if (n < 0) continue;
        if (high < 0) {
            high = n;
        } else {
            bytes.push_back(static_cast<std::uint8_t>(high * 16 + n));
            high = -1;
        }
    }
    return bytes;
}

template <typename Container>
std::vector<std::uint8_t> ToVector(const Container& c) {
    return std::vector<std::uint8_t>(c.begin(), c.end());
}

}  // namespace dlk::config::testing
