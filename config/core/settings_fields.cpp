#include "config/core/settings_fields.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "framework/core/str_to_int.h"

namespace dlk::config {
namespace {

template <typename Table, typename Value>
std::optional<int> IndexOf(const Table& table, Value value) {
    const auto it = std::find(std::begin(table), std::end(table), value);
    if (it == std::end(table)) return std::nullopt;
    return static_cast<int>(it - std::begin(table));
}

constexpr std::uint8_t kStopBits[] = {0, 2};
constexpr std::uint8_t kParities[] = {0, 1, 2};
constexpr std::uint8_t kDataBits[] = {7, 8};

template <typename Table, typename Field>
void TakeIndex(const Table& table, int index, Field& field) {
    if (index >= 0 && static_cast<std::size_t>(index) < std::size(table)) field = table[index];
}

}  // namespace

std::array<std::uint8_t, 8> SerialLineRecord::ToBytes() const {
    return {static_cast<std::uint8_t>(Baud),
            static_cast<std::uint8_t>(Baud >> 8),
            static_cast<std::uint8_t>(Baud >> 16),
            static_cast<std::uint8_t>(Baud >> 24),
            StopBits,
            Parity,
            DataBits,
            Kept};
}

SerialLineRecord SerialLineRecord::FromBytes(std::span<const std::uint8_t, 8> b) {
    SerialLineRecord record;
    record.Baud = b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
    record.StopBits = b[4];
    record.Parity = b[5];
    record.DataBits = b[6];
    record.Kept = b[7];
    return record;
}

std::optional<int> BaudIndex(std::uint32_t baud) {
    return IndexOf(kBaudRates, baud);
}
std::optional<int> StopBitsIndex(std::uint8_t stop_bits) {
    return IndexOf(kStopBits, stop_bits);
}
std::optional<int> ParityIndex(std::uint8_t parity) {
    return IndexOf(kParities, parity);
}
std::optional<int> DataBitsIndex(std::uint8_t data_bits) {
    return IndexOf(kDataBits, data_bits);
}

SerialLineRecord TakeSerialLineSelection(SerialLineRecord record, int baud_index, int stop_bits_index, int parity_index,
                                         int data_bits_index) {
    TakeIndex(kBaudRates, baud_index, record.Baud);
    TakeIndex(kStopBits, stop_bits_index, record.StopBits);
    TakeIndex(kParities, parity_index, record.Parity);
    TakeIndex(kDataBits, data_bits_index, record.DataBits);
    return record;
}

std::uint8_t SettingsFlags::ToByte() const {
    return static_cast<std::uint8_t>(Compression << 0 | InvertRx << 1 | InvertTx << 2 | DtrControl << 3 |
                                     ConnectOnCall << 4 | AlarmSms << 5 | SmsOnOpening << 6);
}

SettingsFlags SettingsFlags::FromByte(std::uint8_t byte) {
    auto bit = [byte](int n) { return ((byte >> n) & 1) != 0; };
    return SettingsFlags{.Compression = bit(0),
                         .InvertRx = bit(1),
                         .InvertTx = bit(2),
                         .DtrControl = bit(3),
                         .ConnectOnCall = bit(4),
                         .AlarmSms = bit(5),
                         .SmsOnOpening = bit(6)};
}

std::uint8_t EncodeAutoDisconnect(int number) {
    const int minutes = std::clamp(number % 256, 1, 17);
    return static_cast<std::uint8_t>((15 * minutes + 1) % 256);
}

int DecodeAutoDisconnect(std::uint8_t stored) {
    if (stored == 0) return 17;
    return (stored - 1) / 15;
}

std::uint8_t EncodePingPeriod(int seconds) {
    return static_cast<std::uint8_t>(std::clamp(seconds % 256, 4, 60) / 4);
}

int DecodePingPeriod(std::uint8_t stored) {
    return stored * 4;
}

std::uint16_t EncodePacketTimeout(double number) {
    // fmod keeps the low 16 bits of any size of number without overflowing
    // an integer on the way.
    const double tenths = std::fmod(std::trunc(number * 10.0), 65536.0);
    return tenths > 0 ? static_cast<std::uint16_t>(tenths) : 0;
}

std::string FormatPacketTimeout(std::uint16_t tenths, char decimal_separator) {
    if (tenths == 0) return "0";
    return std::to_string(tenths / 10) + decimal_separator + static_cast<char>('0' + tenths % 10);
}

std::array<char, 12> EncodePhoneNumber(std::string_view masked_text) {
    auto at = [masked_text](std::size_t i) { return i < masked_text.size() ? masked_text[i] : ' '; };
    // d1-d10 of "(d1d2d3)d4d5d6-d7d8d9d10"
    const char d[11] = {0, at(1), at(2), at(3), at(5), at(6), at(7), at(9), at(10), at(11), at(12)};
    return {d[1], '7', d[3], d[2], d[5], d[4], d[7], d[6], d[9], d[8], 'F', d[10]};
}

std::string DecodePhoneNumber(std::span<const std::uint8_t, 12> s) {
    const char text[] = {'(',        char(s[0]), char(s[3]), char(s[2]), ')',        char(s[5]), char(s[4]),
                         char(s[7]), '-',        char(s[6]), char(s[9]), char(s[8]), char(s[11])};
    return std::string(text, sizeof text);
}

std::array<char, 2> SmsLengthDigits(std::size_t characters) {
    const std::size_t octets = 2 * characters;
    const std::size_t low = octets % 16;
    return {static_cast<char>('0' + octets / 16), static_cast<char>(low < 10 ? '0' + low : 'A' + low - 10)};
}

std::uint16_t ParsePacketTimeout(std::string_view text, char decimal_separator) {
    const double number = ParseSettingsDecimal(text, decimal_separator);
    if (std::trunc(number * 10.0) > 0xFFFF)
        throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
    return EncodePacketTimeout(number);
}

std::uint8_t ParsePacketLength(std::string_view text) {
    const int number = ParseSettingsInteger(text);
    if (number > 0xFF) throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
    return static_cast<std::uint8_t>(number);
}

int ParseSettingsInteger(std::string_view text) {
    const int number = StrToInt(text);
    if (number < 0) throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
    return number;
}

double ParseSettingsDecimal(std::string_view text, char decimal_separator) {
    // Rebuilt with a point for from_chars, which rounds correctly whatever the
    // process locale, so "4,1" times ten is exactly 41.
    std::string plain;
    bool separator_seen = false;
    bool digit_seen = false;
    bool valid = true;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            digit_seen = true;
            plain += c;
        } else if (c == decimal_separator && !separator_seen) {
            separator_seen = true;
            plain += '.';
        } else {
            valid = false;
        }
    }
    double number = 0;
    if (valid && digit_seen) {
        const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), number);
        valid = error == std::errc() && end == plain.data() + plain.size() && std::isfinite(number);
    }
    if (!valid || !digit_seen) throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
    return number;
}

}  // namespace dlk::config
