#include "client/core/link/packets.h"

#include <gtest/gtest.h>

#include <vector>

#include "client/core/link/credential_crc.h"

namespace dlk::client {
namespace {

using Bytes = std::vector<std::uint8_t>;

const UdpEndpoint kSource = MakeEndpoint(10, 1, 2, 3, 4000);
const UdpEndpoint kTrailerModem = MakeEndpoint(192, 168, 0, 7, 0x1234);
const Bytes kTrailerBytes = {0x12, 0x34, 192, 168, 0, 7};
const Bytes kImeiBytes = {0x35, 0x12, 0x34, 0x56, 0x78, 0x90, 0x12, 0x3F};  // last low nibble must be cleared

Bytes JoinBytes(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes OnOff(std::uint8_t kind, std::uint8_t status) {
    return JoinBytes({kind, status}, kImeiBytes);
}

ClassifiedDatagram Direct(const Bytes& d) {
    return ClassifyDatagram(d, kSource, LinkMode::Direct);
}
ClassifiedDatagram Relayed(const Bytes& d) {
    return ClassifyDatagram(d, kSource, LinkMode::Client);
}

TEST(CredentialCrc, IsTheCrc32CheckValueOverIdThenPassword) {
    EXPECT_EQ(CredentialCrc(MakeShortString<8>("1234"), MakeShortString<8>("56789")), 0xCBF43926u);
    // Only the counted characters take part, not what lies after them.
    ShortString<8> id = MakeShortString<8>("12345678");
    id.bytes[0] = 4;
    EXPECT_EQ(CredentialCrc(id, MakeShortString<8>("56789")), 0xCBF43926u);
    EXPECT_EQ(CredentialCrc({}, {}), 0u);
}

TEST(ServerPackets, PingAndLogoffCarryPeriodAndCrcLittleEndian) {
    const std::uint32_t crc = CredentialCrc(MakeShortString<8>("1234"), MakeShortString<8>("56789"));
    const auto ping = PingPacket(5, crc);
    const auto logoff = LogoffPacket(60, crc);
    EXPECT_EQ(Bytes(ping.begin(), ping.end()), (Bytes{0x82, 5, 0x26, 0x39, 0xF4, 0xCB}));
    EXPECT_EQ(Bytes(logoff.begin(), logoff.end()), (Bytes{0x83, 60, 0x26, 0x39, 0xF4, 0xCB}));
}

TEST(ServerPackets, PingPeriodCountdownsStayWithinEightBits) {
    EXPECT_EQ(EffectivePingPeriod(0), 1);
    EXPECT_EQ(ServerSilenceTicks(0), 3);
    EXPECT_EQ(ServerSilenceTicks(5), 15);
    EXPECT_EQ(ServerSilenceTicks(85), 255);
    EXPECT_EQ(ServerSilenceTicks(86), 255);
    EXPECT_EQ(ServerSilenceTicks(255), 255);
}

TEST(RelayedChunk, IsKindChunkPortAndAddressAsStored) {
    Bytes out(262);
    const Bytes chunk = {0x01, 0x03, 0x00};
    ASSERT_EQ(BuildRelayedChunk(chunk, kTrailerModem, out), 10u);
    out.resize(10);
    EXPECT_EQ(out, JoinBytes(JoinBytes({0x80}, chunk), kTrailerBytes));
    Bytes small(9);
    EXPECT_EQ(BuildRelayedChunk(chunk, kTrailerModem, small), 0u);
}

TEST(DirectMode, OnOffPacketsAreTenBytesAndKindsAboveThreeMeanOff) {
    struct Row {
        Bytes datagram;
        DatagramKind kind;
        bool on;
    };
    const Row rows[] = {
        {OnOff(2, 0x55), DatagramKind::ModemOnOff, true},
        {OnOff(3, 0x55), DatagramKind::ModemOnOff, false},
        {OnOff(7, 0x55), DatagramKind::ModemOnOff, false},
        {OnOff(0xFF, 0x55), DatagramKind::ModemOnOff, false},
        {Bytes{2, 0x55, 0x35, 0x12, 0x34, 0x56, 0x78, 0x90, 0x12}, DatagramKind::Dropped, false},
        {JoinBytes(OnOff(2, 0x55), {0}), DatagramKind::Dropped, false},
        {JoinBytes(OnOff(3, 0x55), {0}), DatagramKind::Dropped, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.datagram.size());
        const ClassifiedDatagram c = Direct(row.datagram);
        ASSERT_EQ(c.Kind, row.kind);
        if (c.Kind != DatagramKind::ModemOnOff) continue;
        EXPECT_EQ(c.Announcement.On, row.on);
        EXPECT_EQ(c.Announcement.Status, 0x55);
        EXPECT_EQ(c.Announcement.Endpoint, kSource);
        EXPECT_EQ(c.Announcement.Imei, (ImeiBcd{0x35, 0x12, 0x34, 0x56, 0x78, 0x90, 0x12, 0x30}));
    }
}

TEST(DirectMode, DataPacketsNeedTwoBytes) {
    EXPECT_EQ(Direct({}).Kind, DatagramKind::Dropped);
    EXPECT_EQ(Direct({0x00}).Kind, DatagramKind::Dropped);
    EXPECT_EQ(Direct({0x01}).Kind, DatagramKind::Dropped);

    const Bytes plain_datagram = {0x00, 0xAA};
    const ClassifiedDatagram plain = Direct(plain_datagram);
    ASSERT_EQ(plain.Kind, DatagramKind::Data);
    EXPECT_EQ(plain.DataKind, 0);
    EXPECT_EQ(Bytes(plain.Payload.begin(), plain.Payload.end()), Bytes{0xAA});
    EXPECT_EQ(plain.Modem, kSource);

    Bytes big(1025, 0x5A);
    big[0] = 0x01;
    const ClassifiedDatagram packed = Direct(big);
    ASSERT_EQ(packed.Kind, DatagramKind::Data);
    EXPECT_EQ(packed.DataKind, 1);
    EXPECT_EQ(packed.Payload.size(), 1024u);
}

TEST(ClientMode, RelayedPacketsTakeTheModemFromTheTrailer) {
    const ClassifiedDatagram on = Relayed(JoinBytes(OnOff(0x82, 0x9F), kTrailerBytes));
    ASSERT_EQ(on.Kind, DatagramKind::ModemOnOff);
    EXPECT_TRUE(on.Announcement.On);
    EXPECT_EQ(on.Announcement.Status, 0x9F);
    EXPECT_EQ(on.Announcement.Endpoint, kTrailerModem);

    const ClassifiedDatagram off = Relayed(JoinBytes(OnOff(0x83, 0x01), kTrailerBytes));
    ASSERT_EQ(off.Kind, DatagramKind::ModemOnOff);
    EXPECT_FALSE(off.Announcement.On);

    const Bytes data_datagram = JoinBytes({0x81, 1, 2, 3}, kTrailerBytes);
    const ClassifiedDatagram data = Relayed(data_datagram);
    ASSERT_EQ(data.Kind, DatagramKind::Data);
    EXPECT_EQ(data.DataKind, 1);
    EXPECT_EQ(Bytes(data.Payload.begin(), data.Payload.end()), (Bytes{1, 2, 3}));
    EXPECT_EQ(data.Modem, kTrailerModem);

    const Bytes empty_datagram = JoinBytes({0x80}, kTrailerBytes);
    const ClassifiedDatagram empty = Relayed(empty_datagram);
    ASSERT_EQ(empty.Kind, DatagramKind::Data);
    EXPECT_TRUE(empty.Payload.empty());
}

TEST(ClientMode, MalformedDatagramsAreDropped) {
    const Bytes dropped[] = {
        {},
        {0x84, 'H', 'e'},
        {0x84, 0x48, 0x65, 0x78},     // "Hex"
        {0x84, 'H', 'e', 'y', 0x00},  // Hey with a fifth byte
        {0x85, 'B', 'y', 'e', 0x00},
        {0x84, 'B', 'y', 'e'},  // Bye's text under Hey's kind
        {0x86, 'H', 'e', 'y'},
        {0x80, 1, 2, 3},  // too short for a trailer
        {0x80, 1, 2, 3, 4, 5},
        JoinBytes(OnOff(0x82, 0x55), {}),                             // 10 bytes: no trailer
        JoinBytes(JoinBytes(OnOff(0x82, 0x55), kTrailerBytes), {0}),  // 17 bytes
        JoinBytes({0x00, 1, 2}, kTrailerBytes),                       // a modem's kind, not relayed
        JoinBytes(OnOff(0x02, 0x55), kTrailerBytes),
    };
    for (const Bytes& d : dropped) {
        SCOPED_TRACE(d.size());
        EXPECT_EQ(Relayed(d).Kind, DatagramKind::Dropped);
    }
    EXPECT_EQ(Relayed({0x84, 'H', 'e', 'y'}).Kind, DatagramKind::Hey);
    EXPECT_EQ(Relayed({0x85, 'B', 'y', 'e'}).Kind, DatagramKind::Bye);
}

TEST(ClientMode, ServerPacketsMeanNothingInDirectMode) {
    // A modem's kind 0x84 in direct mode is a switch-off of a 4-byte packet: dropped.
    EXPECT_EQ(Direct({0x84, 'H', 'e', 'y'}).Kind, DatagramKind::Dropped);
}

TEST(Trailer, RoundTripsPortThenAddress) {
    const auto trailer = ModemAddressTrailer(kTrailerModem);
    EXPECT_EQ(Bytes(trailer.begin(), trailer.end()), kTrailerBytes);
    EXPECT_EQ(ReadModemAddressTrailer(trailer), kTrailerModem);
}

}  // namespace
}  // namespace dlk::client
