#pragma once

#include <cstdint>
#include <span>

#include "platform/encoding/short_string.h"

namespace dlk::client {

// CRC-32, reflected, polynomial 0xEDB88320. Start with 0xFFFFFFFF and
// complement the result once all bytes are in.
std::uint32_t Crc32Update(std::uint32_t crc, std::span<const std::uint8_t> bytes);

// The login value: the CRC over the ID's characters followed by the
// password's characters, length bytes excluded. The ID never goes on the wire.
std::uint32_t CredentialCrc(const ShortString<8>& client_id, const ShortString<8>& client_password);

}  // namespace dlk::client
