#include "config/core/settings_transfer.h"

#include <algorithm>
#include <string>

#include "config/core/quoted_field.h"
#include "platform/encoding/cp1251.h"
#include "platform/encoding/short_string.h"

namespace dlk::config {
namespace {

// Page 0.
constexpr std::uint8_t kSettingsBlock = 0x00;
constexpr std::uint8_t kApn = 0x10, kLogin = 0x30, kPassword = 0x50, kNtpServer = 0x60;
constexpr std::uint8_t kServerAddress = 0x80, kServerPort = 0xB0, kTimeZone = 0xFE;
constexpr std::size_t kApnSize = 32, kLoginSize = 32, kPasswordSize = 16, kNtpServerSize = 32;
constexpr std::size_t kServerAddressSize = 48, kServerPortSize = 8;
constexpr std::uint8_t kPacketTimeout = 0xB8, kPacketLength = 0xBA;
constexpr std::uint8_t kAutoDisconnect = 0x09, kPingPeriod = 0x0A, kSettingsBlockRest = 0x0B;
constexpr std::size_t kSettingsBlockSize = 16;
constexpr std::uint8_t kScheduleSwitch = 0x80;
constexpr int kTimeZoneItems = 11;
// Page 2.
constexpr std::uint8_t kSmsHead = 0x00, kSmsPhone = 0x0A, kSmsLength = 0x16, kSmsText = 0x1E;
constexpr std::size_t kSmsTextField = 71, kSmsPhoneSize = 12;
constexpr std::uint8_t kSchedulePage = 1, kSmsPage = 2;
constexpr std::uint16_t kOnBit = 0x4000, kMinuteBits = 0x3FFF;

std::span<const std::uint8_t> Field(const SettingsPage& page, std::uint8_t address, std::size_t size) {
    return std::span(page).subspan(address, size);
}

std::string QuotedText(const SettingsPage& page, std::uint8_t address, std::size_t size) {
    return Cp1251ToUtf8(DecodeQuotedField(Field(page, address, size)));
}

// Sixteen bytes at a time from `address` on, the last piece as long as is left.
void AddField(std::vector<MemoryWrite>& writes, std::uint8_t page, std::uint8_t address,
              std::span<const std::uint8_t> bytes) {
    for (std::size_t at = 0; at < bytes.size(); at += kReportPayloadSize) {
        const std::size_t size = std::min(kReportPayloadSize, bytes.size() - at);
        writes.push_back({{page, static_cast<std::uint8_t>(address + at), static_cast<std::uint8_t>(size)},
                          {bytes.begin() + at, bytes.begin() + at + size}});
    }
}

void AddText(std::vector<MemoryWrite>& writes, std::uint8_t address, std::string_view ascii) {
    AddField(writes, kSmsPage, address, std::span(reinterpret_cast<const std::uint8_t*>(ascii.data()), ascii.size()));
}

}  // namespace

std::vector<MemoryBlock> SettingsReadingOrder(bool with_sms) {
    std::vector<MemoryBlock> order = {
        {0, kNtpServer, 16}, {0, kNtpServer + 16, 16}, {0, kApn, 16},      {0, kApn + 16, 16},
        {0, kLogin, 16},     {0, kLogin + 16, 16},     {0, kPassword, 16}, {0, kTimeZone, 2},
    };
    for (int k = 0; k < 16; ++k) order.push_back({kSchedulePage, static_cast<std::uint8_t>(16 * k), 16});
    for (MemoryBlock b : {MemoryBlock{0, kSettingsBlock, 16},
                          {0, kServerAddress, 16},
                          {0, kServerAddress + 16, 16},
                          {0, kServerAddress + 32, 16},
                          {0, kServerPort, 16}})
        order.push_back(b);
    if (with_sms) {
        order.push_back({kSmsPage, kSmsPhone, 16});
        for (int k = 0; k < 5; ++k) order.push_back({kSmsPage, static_cast<std::uint8_t>(kSmsText + 16 * k), 16});
    }
    return order;
}

LinkStatus ReadSettingsMemory(ReportLink& link, bool with_sms, SettingsMemory& memory) {
    for (const MemoryBlock& b : SettingsReadingOrder(with_sms)) {
        if (const LinkStatus status = link.ReadMemory(b.Page, b.Address, b.Count); status != LinkStatus::Ok)
            return status;
        const std::size_t size = std::min<std::size_t>(b.Count, kSettingsPageSize - b.Address);
        std::copy_n(link.Reply().Data.begin(), size, memory[b.Page].begin() + b.Address);
    }
    return LinkStatus::Ok;
}

void DecodeSettings(const SettingsMemory& memory, bool with_sms, char decimal_separator, SettingsPages& pages,
                    ScheduleTable& schedule) {
    const SettingsPage& p0 = memory[0];
    pages.NtpServer = QuotedText(p0, kNtpServer, kNtpServerSize);
    pages.Apn = QuotedText(p0, kApn, kApnSize);
    pages.Login = QuotedText(p0, kLogin, kLoginSize);
    pages.Password = QuotedText(p0, kPassword, kPasswordSize);

    const int zone = p0[kTimeZone] - 1;
    pages.TimeZoneIndex = zone >= 0 && zone < kTimeZoneItems ? zone : -1;
    pages.WorksBySchedule = (p0[kTimeZone + 1] & kScheduleSwitch) != 0;
    schedule.PointCount = p0[kTimeZone + 1] & kMaxSchedulePoints;
    schedule.Highlighted = false;
    const SettingsPage& p1 = memory[kSchedulePage];
    for (std::size_t k = 0; k < kScheduleRecords; ++k) {
        const std::uint16_t word = static_cast<std::uint16_t>(p1[2 * k] | (p1[2 * k + 1] << 8));
        schedule.Points[k] = {static_cast<std::uint16_t>(word & kMinuteBits),
                              static_cast<std::uint8_t>((word & kOnBit) != 0), 0};
    }

    pages.SerialLine = SerialLineRecord::FromBytes(std::span(p0).first<8>());
    if (const auto i = BaudIndex(pages.SerialLine.Baud)) pages.BaudIndex = *i;
    if (const auto i = DataBitsIndex(pages.SerialLine.DataBits)) pages.DataBitsIndex = *i;
    if (const auto i = ParityIndex(pages.SerialLine.Parity)) pages.ParityIndex = *i;
    if (const auto i = StopBitsIndex(pages.SerialLine.StopBits)) pages.StopBitsIndex = *i;
    pages.Flags = SettingsFlags::FromByte(p0[8]);
    pages.AutoDisconnect = std::to_string(DecodeAutoDisconnect(p0[kAutoDisconnect]));
    pages.PingPeriod = std::to_string(DecodePingPeriod(p0[kPingPeriod]));

    pages.ServerAddress = QuotedText(p0, kServerAddress, kServerAddressSize);
    pages.ServerPort = QuotedText(p0, kServerPort, kServerPortSize);
    pages.PacketTimeout = FormatPacketTimeout(
        static_cast<std::uint16_t>(p0[kPacketTimeout] | (p0[kPacketTimeout + 1] << 8)), decimal_separator);
    pages.PacketLength = std::to_string(p0[kPacketLength]);

    if (!with_sms) return;
    const SettingsPage& p2 = memory[kSmsPage];
    pages.Phone = Cp1251ToUtf8(DecodePhoneNumber(std::span(p2).subspan<kSmsPhone, kSmsPhoneSize>()));
    // A length above 70 is cut to the field rather than read past it.
    pages.SmsText = Cp1251ToUtf8(ReadShortString(Field(p2, kSmsText, kSmsTextField)));
}

namespace {

// The memory as read, or zeros when nothing was read, and whether a page
// field still shows what was read.
class ReadBack {
public:
    ReadBack(const SettingsPages& pages, const SettingsAsRead* as_read) : pages_(pages), as_read_(as_read) {}

    bool Unchanged(const std::string SettingsPages::*field) const {
        return as_read_ != nullptr && pages_.*field == as_read_->Pages.*field;
    }
    std::vector<std::uint8_t> Bytes(std::uint8_t page, std::uint8_t address, std::size_t size) const {
        if (as_read_ == nullptr) return std::vector<std::uint8_t>(size, 0);
        const auto field = Field(as_read_->Memory[page], address, size);
        return {field.begin(), field.end()};
    }
    std::uint8_t Byte(std::uint8_t page, std::uint8_t address) const { return Bytes(page, address, 1)[0]; }

private:
    const SettingsPages& pages_;
    const SettingsAsRead* as_read_;
};

// A text field as read while its text is unchanged, else as typed.
std::vector<std::uint8_t> QuotedField(const ReadBack& read, const std::string SettingsPages::*field,
                                      const SettingsPages& pages, std::uint8_t address, std::size_t size) {
    if (read.Unchanged(field)) return read.Bytes(0, address, size);
    return EncodeQuotedField(Utf8ToCp1251(pages.*field), size);
}

}  // namespace

SettingsWriting EncodeSettings(const SettingsPages& pages, const ScheduleTable& schedule, bool with_sms,
                               char decimal_separator, const SettingsAsRead* as_read) {
    const ReadBack read(pages, as_read);
    // Every changed number first, in the order the writes need them.
    std::vector<std::uint8_t> timeout = read.Bytes(0, kPacketTimeout, 2);
    if (!read.Unchanged(&SettingsPages::PacketTimeout)) {
        const std::uint16_t tenths = ParsePacketTimeout(pages.PacketTimeout, decimal_separator);
        timeout = {static_cast<std::uint8_t>(tenths & 0xFF), static_cast<std::uint8_t>(tenths >> 8)};
    }
    const std::uint8_t packet_length = read.Unchanged(&SettingsPages::PacketLength)
                                           ? read.Byte(0, kPacketLength)
                                           : ParsePacketLength(pages.PacketLength);
    const std::uint8_t auto_disconnect = read.Unchanged(&SettingsPages::AutoDisconnect)
                                             ? read.Byte(0, kAutoDisconnect)
                                             : EncodeAutoDisconnect(ParseSettingsInteger(pages.AutoDisconnect));
    const std::uint8_t ping = read.Unchanged(&SettingsPages::PingPeriod)
                                  ? read.Byte(0, kPingPeriod)
                                  : EncodePingPeriod(ParseSettingsInteger(pages.PingPeriod));

    SettingsWriting out;
    auto& w = out.Writes;
    auto add_quoted = [&](const std::string SettingsPages::*field, std::uint8_t address, std::size_t size) {
        AddField(w, 0, address, QuotedField(read, field, pages, address, size));
    };
    add_quoted(&SettingsPages::Apn, kApn, kApnSize);
    add_quoted(&SettingsPages::Login, kLogin, kLoginSize);
    add_quoted(&SettingsPages::Password, kPassword, kPasswordSize);
    add_quoted(&SettingsPages::ServerAddress, kServerAddress, kServerAddressSize);

    // The port, the time-out and the packet length go in one write of 12;
    // byte 11 is not ours and goes back as it came.
    std::vector<std::uint8_t> server =
        QuotedField(read, &SettingsPages::ServerPort, pages, kServerPort, kServerPortSize);
    server.insert(server.end(), timeout.begin(), timeout.end());
    server.push_back(packet_length);
    server.push_back(read.Byte(0, kServerPort + 11));
    w.push_back({{0, kServerPort, 12}, server});

    // The settings block: bytes 11-15 are not ours either.
    out.SerialLine = TakeSerialLineSelection(pages.SerialLine, pages.BaudIndex, pages.StopBitsIndex, pages.ParityIndex,
                                             pages.DataBitsIndex);
    const auto line = out.SerialLine.ToBytes();
    std::vector<std::uint8_t> block(line.begin(), line.end());
    block.push_back(pages.Flags.ToByte());
    block.push_back(auto_disconnect);
    block.push_back(ping);
    const std::vector<std::uint8_t> rest = read.Bytes(0, kSettingsBlockRest, kSettingsBlockSize - kSettingsBlockRest);
    block.insert(block.end(), rest.begin(), rest.end());
    w.push_back({{0, kSettingsBlock, kSettingsBlockSize}, block});

    add_quoted(&SettingsPages::NtpServer, kNtpServer, kNtpServerSize);

    const bool zone_chosen = pages.TimeZoneIndex >= 0 && pages.TimeZoneIndex < kTimeZoneItems;
    const std::uint8_t count = std::min(schedule.PointCount, kMaxSchedulePoints);
    w.push_back({{0, kTimeZone, 2},
                 {static_cast<std::uint8_t>(zone_chosen ? pages.TimeZoneIndex + 1 : 0),
                  static_cast<std::uint8_t>(count | (pages.WorksBySchedule ? kScheduleSwitch : 0))}});

    std::vector<std::uint8_t> table(2 * kScheduleRecords, 0);
    for (std::size_t k = 0; k < count; ++k) {
        const SchedulePoint& point = schedule.Points[k];
        const std::uint16_t word = (point.Minute & kMinuteBits) | (point.On ? kOnBit : 0);
        table[2 * k] = static_cast<std::uint8_t>(word & 0xFF);
        table[2 * k + 1] = static_cast<std::uint8_t>(word >> 8);
    }
    AddField(w, kSchedulePage, 0, table);

    if (with_sms) {
        AddText(w, kSmsHead, "0011000B91");
        if (read.Unchanged(&SettingsPages::Phone)) {
            AddField(w, kSmsPage, kSmsPhone, read.Bytes(kSmsPage, kSmsPhone, kSmsPhoneSize));
        } else {
            const std::array<char, 12> phone = EncodePhoneNumber(Utf8ToCp1251(pages.Phone));
            AddText(w, kSmsPhone, std::string_view(phone.data(), phone.size()));
        }
        std::array<std::uint8_t, kSmsTextField> text{};
        if (read.Unchanged(&SettingsPages::SmsText)) {
            // As read, but counting no more characters than the field
            // holds and the page showed, so that the header agrees.
            const std::vector<std::uint8_t> stored = read.Bytes(kSmsPage, kSmsText, kSmsTextField);
            std::copy(stored.begin(), stored.end(), text.begin());
            text[0] = std::min<std::uint8_t>(text[0], kSmsTextField - 1);
        } else {
            WriteShortString(text, Utf8ToCp1251(pages.SmsText));
        }
        const std::array<char, 2> digits = SmsLengthDigits(text[0]);
        AddText(w, kSmsLength, std::string("0008A7") + digits[0] + digits[1]);
        // Four writes of 16 and one of 7: the unit's field ends there.
        AddField(w, kSmsPage, kSmsText, text);
    }
    return out;
}

TextField FirstUnfitText(const SettingsPages& pages, bool with_sms, const SettingsAsRead* as_read) {
    const ReadBack read(pages, as_read);
    std::vector<TextField> texts = {&SettingsPages::Apn,        &SettingsPages::Login,
                                    &SettingsPages::Password,   &SettingsPages::ServerAddress,
                                    &SettingsPages::ServerPort, &SettingsPages::NtpServer};
    if (with_sms) texts.insert(texts.end(), {&SettingsPages::Phone, &SettingsPages::SmsText});
    for (const TextField field : texts) {
        if (!read.Unchanged(field) && !FitsCp1251(pages.*field)) return field;
    }
    return nullptr;
}

LinkStatus SendSettingsWrites(ReportLink& link, std::span<const MemoryWrite> writes) {
    for (const MemoryWrite& write : writes) {
        const LinkStatus status =
            link.WriteMemory(write.Block.Page, write.Block.Address, write.Block.Count, write.Named);
        if (status != LinkStatus::Ok) return status;
    }
    return LinkStatus::Ok;
}

}  // namespace dlk::config
