#include "platform/encoding/imei_bcd.h"

namespace dlk {

std::string ImeiToText(const ImeiBcd& imei) {
    std::string text;
    text.reserve(15);
    for (std::size_t i = 0; i < 7; ++i) {
        text += static_cast<char>(0x30 + (imei[i] >> 4));
        text += static_cast<char>(0x30 + (imei[i] & 0x0F));
    }
    text += static_cast<char>(0x30 + (imei[7] >> 4));
    return text;
}

std::optional<ImeiBcd> TextToImei(std::string_view text) {
    if (text.size() != 15) return std::nullopt;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
    }
    ImeiBcd imei{};
    for (std::size_t i = 0; i < 7; ++i) {
        imei[i] = static_cast<std::uint8_t>(((text[2 * i] - '0') << 4) | (text[2 * i + 1] - '0'));
    }
    imei[7] = static_cast<std::uint8_t>((text[14] - '0') << 4);
    return imei;
}

}  // namespace dlk
