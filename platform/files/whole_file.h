#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace dlk {

// The whole file, or at most limit bytes of it; nothing when it cannot be
// opened or read, with errno's cause in *error (ENOENT: there is no such
// file). The programs' files are small, so reading each in one piece and
// decoding from memory keeps every later access inside the buffer.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& path, std::size_t limit,
                                                       int* error = nullptr);

}  // namespace dlk
