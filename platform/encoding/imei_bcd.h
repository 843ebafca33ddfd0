#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace dlk {

// An IMEI's 15 digits as 8 bytes of packed BCD, high nibble first; the low
// nibble of the last byte is unused and kept 0.
using ImeiBcd = std::array<std::uint8_t, 8>;

// Always 15 characters: each nibble becomes the character 0x30 + nibble, so a
// nibble above 9 shows as one of ":;<=>?". The last low nibble is ignored.
std::string ImeiToText(const ImeiBcd& imei);

// Exactly 15 decimal digits, or nothing: anything else would pack into
// bytes that name no real modem.
std::optional<ImeiBcd> TextToImei(std::string_view text);

inline bool SameImei(const ImeiBcd& a, const ImeiBcd& b) {
    return a == b;
}

// The eight bytes of an IMEI (in a packet, a file or an ImeiBcd) as one
// number: the same IMEI gives the same key, for hashing and comparing.
inline std::uint64_t ImeiKey(const std::uint8_t* bytes) {
    std::uint64_t key = 0;
    std::memcpy(&key, bytes, sizeof key);
    return key;
}
inline std::uint64_t ImeiKey(const ImeiBcd& imei) {
    return ImeiKey(imei.data());
}

}  // namespace dlk
