#include "config/core/quoted_field.h"

#include <algorithm>

namespace dlk::config {

std::vector<std::uint8_t> EncodeQuotedField(std::string_view cp1251, std::size_t size) {
    std::vector<std::uint8_t> field(std::max<std::size_t>(size, 3), 0);
    const std::size_t length = std::min(cp1251.size(), field.size() - 3);
    field[0] = '"';
    std::copy_n(cp1251.begin(), length, field.begin() + 1);
    field[length + 1] = '"';
    return field;
}

std::string DecodeQuotedField(std::span<const std::uint8_t> field) {
    const auto end = std::find(field.begin(), field.end(), 0);
    const auto used = static_cast<std::size_t>(end - field.begin());
    if (used < 2) return {};
    return std::string(field.begin() + 1, end - 1);
}

}  // namespace dlk::config
