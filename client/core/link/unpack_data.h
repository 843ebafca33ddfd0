#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace dlk::client {

// The receiver's decoding area, kept for the life of the thread.
struct UnpackArea {
    static constexpr std::size_t kOutputSize = 512;
    static constexpr std::size_t kPhraseCapacity = 448;
    std::array<std::uint8_t, kOutputSize> Output{};
    // Phrase: bits 0-8 start position in Output, bits 9-15 length.
    std::array<std::uint16_t, kPhraseCapacity> PhraseTable{};
};

// Decodes a packed payload into area.Output and returns the number of bytes
// written. A payload that would write past the output, make more phrases than
// the table holds, or copy a phrase not yet made is decoded up to the item that
// would break the bound; what was decoded before it is kept and returned.
std::size_t UnpackData(std::span<const std::uint8_t> payload, UnpackArea& area);

}  // namespace dlk::client
