#include "client/core/link/packets.h"

#include <algorithm>
#include <cstring>

namespace dlk::client {

namespace {

// A modem packet without its trailer, as sent directly by a modem.
ClassifiedDatagram ClassifyModemPacket(std::span<const std::uint8_t> packet, std::uint8_t kind,
                                       const UdpEndpoint& modem) {
    ClassifiedDatagram result;
    result.Modem = modem;
    if (kind == kPlainData || kind == kPackedData) {
        result.Kind = DatagramKind::Data;
        result.DataKind = kind;
        result.Payload = packet.subspan(1);
        return result;
    }
    if (packet.size() != kModemOnOffSize) return result;
    result.Kind = DatagramKind::ModemOnOff;
    ModemAnnouncement& a = result.Announcement;
    a.On = kind == kModemOn;
    a.Status = packet[1];
    std::copy_n(packet.begin() + 2, a.Imei.size(), a.Imei.begin());
    a.Imei[7] &= 0xF0;
    a.Endpoint = modem;
    return result;
}

}  // namespace

ClassifiedDatagram ClassifyDatagram(std::span<const std::uint8_t> datagram, const UdpEndpoint& source, LinkMode mode) {
    const std::size_t n = datagram.size();
    if (mode == LinkMode::Direct) {
        if (n < 2) return {};
        return ClassifyModemPacket(datagram, datagram[0], source);
    }

    if (n < 4 || datagram[0] < kRelayed) return {};
    if (datagram[0] >= kHeyKind) {
        if (n != 4) return {};
        ClassifiedDatagram result;
        if (std::equal(datagram.begin(), datagram.end(), kHeyPacket.begin())) result.Kind = DatagramKind::Hey;
        if (std::equal(datagram.begin(), datagram.end(), kByePacket.begin())) result.Kind = DatagramKind::Bye;
        return result;
    }
    if (n < 1 + kModemAddressTrailerSize) return {};
    const std::size_t m = n - kModemAddressTrailerSize;
    const UdpEndpoint modem = ReadModemAddressTrailer(datagram.subspan(m).first<kModemAddressTrailerSize>());
    return ClassifyModemPacket(datagram.first(m), datagram[0] & 0x03, modem);
}

std::array<std::uint8_t, kModemAddressTrailerSize> ModemAddressTrailer(const UdpEndpoint& modem) {
    std::array<std::uint8_t, kModemAddressTrailerSize> trailer{};
    std::memcpy(trailer.data(), &modem.Port, 2);
    std::memcpy(trailer.data() + 2, &modem.Address, 4);
    return trailer;
}

UdpEndpoint ReadModemAddressTrailer(std::span<const std::uint8_t, kModemAddressTrailerSize> trailer) {
    UdpEndpoint modem;
    std::memcpy(&modem.Port, trailer.data(), 2);
    std::memcpy(&modem.Address, trailer.data() + 2, 4);
    return modem;
}

namespace {

std::array<std::uint8_t, 6> ServerPacket(std::uint8_t kind, std::uint8_t ping_period, std::uint32_t crc) {
    return {kind,
            ping_period,
            static_cast<std::uint8_t>(crc),
            static_cast<std::uint8_t>(crc >> 8),
            static_cast<std::uint8_t>(crc >> 16),
            static_cast<std::uint8_t>(crc >> 24)};
}

}  // namespace

std::array<std::uint8_t, 6> PingPacket(std::uint8_t ping_period, std::uint32_t credential_crc) {
    return ServerPacket(kPingKind, ping_period, credential_crc);
}

std::array<std::uint8_t, 6> LogoffPacket(std::uint8_t ping_period, std::uint32_t credential_crc) {
    return ServerPacket(kLogoffKind, ping_period, credential_crc);
}

std::size_t BuildRelayedChunk(std::span<const std::uint8_t> chunk, const UdpEndpoint& modem,
                              std::span<std::uint8_t> out) {
    const std::size_t length = chunk.size() + 1 + kModemAddressTrailerSize;
    if (out.size() < length) return 0;
    out[0] = kRelayed;
    std::copy(chunk.begin(), chunk.end(), out.begin() + 1);
    const auto trailer = ModemAddressTrailer(modem);
    std::copy(trailer.begin(), trailer.end(), out.begin() + 1 + static_cast<std::ptrdiff_t>(chunk.size()));
    return length;
}

}  // namespace dlk::client
