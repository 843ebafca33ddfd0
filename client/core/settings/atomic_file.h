#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <sys/types.h>
#include <vector>

namespace dlk {

// The whole file, or at most limit bytes of it; nothing when it cannot be
// opened or read, with the cause in *error (ENOENT: there is no such file).
// Settings files are small, so reading them in one piece and decoding from
// memory keeps every later access inside the buffer.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& path,
                                                      std::size_t limit, int* error = nullptr);

// Replaces the file with bytes so that a failure at any point leaves the old
// file as it was: the bytes go to a temporary file in the same folder, which
// is flushed and then renamed over the old one. A new file gets newMode; an
// existing one keeps its mode. On failure error says what failed (UTF-8).
bool WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                         mode_t newMode, std::string* error);

}  // namespace dlk
