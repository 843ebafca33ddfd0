#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace dlk::config {

// The conversions between the unit's settings bytes and what the settings
// pages show, one field at a time.

// ComboBox2's items, by index.
inline constexpr std::array<std::uint32_t, 8> kBaudRates = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};

// Bytes 0-7 of the settings block, held from reading until writing so that
// a value no combo box offers (or a combo box left without selection) goes
// back to the unit as it came.
struct SerialLineRecord {
    std::uint32_t Baud = 0;
    std::uint8_t StopBits = 0;  // 0 one, 2 two
    std::uint8_t Parity = 0;    // 0 none, 1 odd, 2 even
    std::uint8_t DataBits = 0;  // 7 or 8
    std::uint8_t Kept = 0;      // the unit's own, written back as read

    std::array<std::uint8_t, 8> ToBytes() const;
    static SerialLineRecord FromBytes(std::span<const std::uint8_t, 8> bytes);

    bool operator==(const SerialLineRecord&) const = default;
};

// Combo box index for a stored value; nothing when the box has no such item.
std::optional<int> BaudIndex(std::uint32_t baud);
std::optional<int> StopBitsIndex(std::uint8_t stop_bits);
std::optional<int> ParityIndex(std::uint8_t parity);
std::optional<int> DataBitsIndex(std::uint8_t data_bits);

// The record with every combo box that has a selection (index >= 0) taken
// into it; an index past the items counts as no selection.
SerialLineRecord TakeSerialLineSelection(SerialLineRecord record, int baud_index, int stop_bits_index, int parity_index,
                                         int data_bits_index);

// Byte 8 of the settings block.
struct SettingsFlags {
    bool Compression = false;    // bit 0, CheckBox2 (`CompressionFlag`)
    bool InvertRx = false;       // bit 1, CheckBox5
    bool InvertTx = false;       // bit 2, CheckBox4
    bool DtrControl = false;     // bit 3, CheckBox3
    bool ConnectOnCall = false;  // bit 4, CheckBox6
    bool AlarmSms = false;       // bit 5, CheckBox7
    bool SmsOnOpening = false;   // bit 6, RadioButton2 (RadioButton1 when clear)

    std::uint8_t ToByte() const;
    static SettingsFlags FromByte(std::uint8_t byte);

    bool operator==(const SettingsFlags&) const = default;
};

// Auto-disconnect after m minutes, m = 1-17, kept as (15 m + 1) mod 256.
// The number taken modulo 256, then 0 counts as 1 and above 17 as 17.
std::uint8_t EncodeAutoDisconnect(int number);
// 17 minutes are stored as 0, so a stored 0 shows as 17 and writes back the same.
int DecodeAutoDisconnect(std::uint8_t stored);

// The ping period in 4-second units: the number modulo 256, kept within 4-60.
std::uint8_t EncodePingPeriod(int seconds);
int DecodePingPeriod(std::uint8_t stored);

// The packet time-out is kept in tenths: the number times ten with the
// fraction cut off, its low 16 bits.
std::uint16_t EncodePacketTimeout(double number);
// "0" for 0, else the tenths with exactly one decimal after `decimal_separator`.
std::string FormatPacketTimeout(std::uint16_t tenths, char decimal_separator);

// The phone number as the 13-character text of the masked edit, "(ddd)ddd-dddd",
// and as the unit keeps it: the international number 7 d1 ... d10 with its
// digits swapped in pairs and an F filler, as GSM addresses are written.
// A shorter text counts as padded with blanks.
std::array<char, 12> EncodePhoneNumber(std::string_view masked_text);
std::string DecodePhoneNumber(std::span<const std::uint8_t, 12> stored);

// The two upper-case hex digits of the message's length in octets (two per
// character, as the message goes out in UCS-2).
std::array<char, 2> SmsLengthDigits(std::size_t characters);

// The packet time-out (in tenths) and the packet length as the unit keeps
// them. A number its field cannot hold throws EConvertError, as a text that
// is not a number does, rather than being stored wrapped.
std::uint16_t ParsePacketTimeout(std::string_view text, char decimal_separator);
std::uint8_t ParsePacketLength(std::string_view text);

// The numbers in the settings edits. Both throw EConvertError for a text
// that is not a number and for a negative one, which no field can hold.
int ParseSettingsInteger(std::string_view text);
// Digits with at most one `decimal_separator` among them.
double ParseSettingsDecimal(std::string_view text, char decimal_separator);

}  // namespace dlk::config
