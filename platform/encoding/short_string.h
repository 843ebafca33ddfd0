#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace dlk {

// A "short string" as the account and settings files hold it: one length
// byte, then the characters (code page 1251) in a field of capacity+1 bytes.
// Bytes past the counted length are undefined and often hold older text, so
// readers clamp the length to the field and writers leave the tail alone.

// The counted characters of a field whose capacity is field.size() - 1.
// A length byte larger than the field is clamped rather than read past.
inline std::string ReadShortString(std::span<const std::uint8_t> field) {
    if (field.empty()) return {};
    const std::size_t capacity = field.size() - 1;
    const std::size_t length = std::min<std::size_t>(field[0], capacity);
    return std::string(reinterpret_cast<const char*>(field.data() + 1), length);
}

// Stores at most capacity characters and their length; the bytes after them
// keep whatever they held.
inline void WriteShortString(std::span<std::uint8_t> field, std::string_view cp1251) {
    if (field.empty()) return;
    const std::size_t capacity = field.size() - 1;
    const std::size_t length = std::min(cp1251.size(), capacity);
    field[0] = static_cast<std::uint8_t>(length);
    std::copy_n(reinterpret_cast<const std::uint8_t*>(cp1251.data()), length, field.begin() + 1);
}

// The same layout as a value, for records held in memory byte for byte.
template <std::size_t Capacity>
struct ShortString {
    static_assert(Capacity <= 255, "the length is one byte");
    std::array<std::uint8_t, Capacity + 1> bytes{};

    std::string Text() const { return ReadShortString(bytes); }
    void Assign(std::string_view cp1251) { WriteShortString(bytes, cp1251); }
    std::size_t Length() const { return std::min<std::size_t>(bytes[0], Capacity); }
    bool operator==(const ShortString&) const = default;
};

template <std::size_t Capacity>
ShortString<Capacity> MakeShortString(std::string_view cp1251) {
    ShortString<Capacity> s;
    s.Assign(cp1251);
    return s;
}

}  // namespace dlk
