#include "client/core/link/credential_crc.h"

#include <array>

namespace dlk::client {

namespace {

constexpr std::array<std::uint32_t, 256> MakeCrcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int bit = 0; bit < 8; ++bit) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

constexpr std::array<std::uint32_t, 256> kCrcTable = MakeCrcTable();

std::span<const std::uint8_t> Characters(const ShortString<8>& s) {
    return std::span<const std::uint8_t>(s.bytes.data() + 1, s.Length());
}

}  // namespace

std::uint32_t Crc32Update(std::uint32_t crc, std::span<const std::uint8_t> bytes) {
    for (const std::uint8_t b : bytes) crc = kCrcTable[(crc ^ b) & 0xFF] ^ (crc >> 8);
    return crc;
}

std::uint32_t CredentialCrc(const ShortString<8>& client_id, const ShortString<8>& client_password) {
    std::uint32_t crc = 0xFFFFFFFFu;
    crc = Crc32Update(crc, Characters(client_id));
    crc = Crc32Update(crc, Characters(client_password));
    return ~crc;
}

}  // namespace dlk::client
