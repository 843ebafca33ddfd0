#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "client/core/table/modem_table.h"
#include "platform/net/udp_socket.h"

namespace dlk::client {

// Packet kinds on the wire.
inline constexpr std::uint8_t kPlainData = 0x00;
inline constexpr std::uint8_t kPackedData = 0x01;
inline constexpr std::uint8_t kModemOn = 0x02;
inline constexpr std::uint8_t kModemOff = 0x03;
inline constexpr std::uint8_t kRelayed = 0x80;  // or-ed into a modem kind by the relay server
inline constexpr std::uint8_t kPingKind = 0x82;
inline constexpr std::uint8_t kLogoffKind = 0x83;
inline constexpr std::uint8_t kHeyKind = 0x84;
inline constexpr std::uint8_t kByeKind = 0x85;

inline constexpr std::array<std::uint8_t, 4> kHeyPacket = {0x84, 'H', 'e', 'y'};
inline constexpr std::array<std::uint8_t, 4> kByePacket = {0x85, 'B', 'y', 'e'};

inline constexpr std::size_t kModemAddressTrailerSize = 6;
inline constexpr std::size_t kModemOnOffSize = 10;  // without trailer
inline constexpr std::size_t kMaxChunk = 255;       // data from the local program, per datagram
inline constexpr std::size_t kMaxRelayedChunkDatagram = 1 + kMaxChunk + kModemAddressTrailerSize;  // 262

// Largest datagram the receiver takes; a longer one is dropped whole.
inline constexpr std::size_t kMaxDirectDatagram = 1025;
inline constexpr std::size_t kMaxClientDatagram = 1031;

enum class LinkMode : std::uint8_t { Direct = 0, Client = 1 };

// What one received datagram is, once its form has been checked.
enum class DatagramKind : std::uint8_t { Dropped, Data, ModemOnOff, Hey, Bye };

struct ClassifiedDatagram {
    DatagramKind Kind = DatagramKind::Dropped;
    UdpEndpoint Modem{};  // source, or the trailer's address in client mode
    // Data: 0 plain or 1 packed, and the payload (empty is possible when relayed).
    std::uint8_t DataKind = 0;
    std::span<const std::uint8_t> Payload{};
    // ModemOnOff:
    ModemAnnouncement Announcement{};
};

// Checks the form of one datagram in the given mode; malformed ones are
// Dropped. Payload points into the datagram.
ClassifiedDatagram ClassifyDatagram(std::span<const std::uint8_t> datagram, const UdpEndpoint& source, LinkMode mode);

// The 6-byte trailer: port then address, both as stored.
std::array<std::uint8_t, kModemAddressTrailerSize> ModemAddressTrailer(const UdpEndpoint& modem);
UdpEndpoint ReadModemAddressTrailer(std::span<const std::uint8_t, kModemAddressTrailerSize> trailer);

// Client to server: kind, PingPeriod, CredentialCrc little-endian.
std::array<std::uint8_t, 6> PingPacket(std::uint8_t ping_period, std::uint32_t credential_crc);
std::array<std::uint8_t, 6> LogoffPacket(std::uint8_t ping_period, std::uint32_t credential_crc);

// A chunk for a modem through the relay server: 0x80, the chunk, the
// modem's port and address. out must hold chunk.size() + 7 bytes; returns
// the datagram's length.
std::size_t BuildRelayedChunk(std::span<const std::uint8_t> chunk, const UdpEndpoint& modem,
                              std::span<std::uint8_t> out);

// PingPeriod 0 would never ping and wrap the 8-bit countdowns; it counts as 1.
inline std::uint8_t EffectivePingPeriod(std::uint8_t ping_period) {
    return ping_period == 0 ? 1 : ping_period;
}
// Three periods without a Hey lose the server; kept within the 8-bit countdown.
inline std::uint8_t ServerSilenceTicks(std::uint8_t ping_period) {
    const unsigned ticks = 3u * EffectivePingPeriod(ping_period);
    return static_cast<std::uint8_t>(ticks > 255 ? 255 : ticks);
}

}  // namespace dlk::client
