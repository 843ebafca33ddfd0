#include "core/port_text.h"

namespace dlk {

PortText ReadPortText(std::string_view text) {
    PortText result;
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == text.size()) return result;

    // Digits beyond what an int holds make the text no integer at all; below
    // that, only the range decides.
    long long value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return result;
        value = value * 10 + (text[i] - '0');
        if (value > 2147483648LL) return result;
    }
    if (!negative && value > 2147483647LL) return result;
    if (negative) value = -value;

    if (value < kMinServerPort || value > kMaxServerPort) {
        result.kind = PortText::Kind::OutOfRange;
        return result;
    }
    result.kind = PortText::Kind::Port;
    result.port = static_cast<std::uint16_t>(value);
    return result;
}

}  // namespace dlk
