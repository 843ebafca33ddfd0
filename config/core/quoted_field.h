#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dlk::config {

// The unit keeps its texts (APN, login, password, server names, the port) as
// a double quote, the text, a double quote and a NUL in a field of fixed size;
// bytes after the NUL mean nothing. Texts are code page 1251.

// A field of `size` bytes (at least 3). The text is cut to size - 3
// characters so that the closing quote and the NUL always fit; the bytes
// after the NUL are zero.
std::vector<std::uint8_t> EncodeQuotedField(std::string_view cp1251, std::size_t size);

// The bytes up to the first NUL (all of them when there is none), without
// the first and the last; a field of fewer than two such bytes is empty.
std::string DecodeQuotedField(std::span<const std::uint8_t> field);

}  // namespace dlk::config
