#include "client/core/link/forward_to_modems.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>
#include <thread>
#include <vector>

namespace dlk::client {
namespace {

struct SentDatagram {
    std::vector<std::uint8_t> Bytes;
    UdpEndpoint To;
};

class ForwardToModemsTest : public ::testing::Test {
protected:
    // An on-line, un-paused modem at 10.0.0.<n>:<4000 + n>.
    std::uint16_t AddModem(std::uint8_t n) {
        ModemEntry e;
        e.Online = 1;
        e.Paused = 0;
        const UdpEndpoint at = MakeEndpoint(10, 0, 0, n, static_cast<std::uint16_t>(4000 + n));
        e.Address = at.Address;
        e.Port = at.Port;
        table.Entries.push_back(e);
        return static_cast<std::uint16_t>(table.Entries.size() - 1);
    }

    void Forward(std::span<const std::uint8_t> block, LinkMode mode = LinkMode::Direct) {
        ForwardToModems(table, mode, server, block, [this](std::span<const std::uint8_t> d, const UdpEndpoint& to) {
            sent.push_back({{d.begin(), d.end()}, to});
        });
    }

    std::vector<std::size_t> LengthsTo(const UdpEndpoint& to) const {
        std::vector<std::size_t> lengths;
        for (const auto& d : sent)
            if (d.To == to) lengths.push_back(d.Bytes.size());
        return lengths;
    }

    static std::vector<std::uint8_t> Block(std::size_t n, std::uint8_t first = 0) {
        std::vector<std::uint8_t> b(n);
        std::iota(b.begin(), b.end(), first);
        return b;
    }

    ModemTable table;
    UdpEndpoint server = MakeEndpoint(192, 0, 2, 1, 1024);
    std::vector<SentDatagram> sent;
};

TEST_F(ForwardToModemsTest, DirectModeSendsEveryActiveModemTheWholeBlockInChunks) {
    const auto a = AddModem(1), b = AddModem(2);
    const auto block = Block(600);
    Forward(block);

    for (const auto index : {a, b}) {
        const UdpEndpoint to = table.Entries[index].Endpoint();
        EXPECT_EQ(LengthsTo(to), (std::vector<std::size_t>{255, 255, 90}));
        std::vector<std::uint8_t> joined;
        for (const auto& d : sent)
            if (d.To == to) joined.insert(joined.end(), d.Bytes.begin(), d.Bytes.end());
        EXPECT_EQ(joined, block);
        EXPECT_EQ(table.Entries[index].BytesSent, 600u);
    }
    // Modems in index order, each block whole before the next modem's.
    ASSERT_EQ(sent.size(), 6u);
    EXPECT_EQ(sent[2].To, table.Entries[a].Endpoint());
    EXPECT_EQ(sent[3].To, table.Entries[b].Endpoint());
    EXPECT_TRUE(table.RepaintNeeded);
}

TEST_F(ForwardToModemsTest, ClientModeRelaysChunksThroughTheServerWithEachModemsAddress) {
    const auto a = AddModem(1), b = AddModem(2);
    const auto block = Block(600, 0x30);
    Forward(block, LinkMode::Client);

    ASSERT_EQ(sent.size(), 6u);
    EXPECT_EQ(LengthsTo(server), (std::vector<std::size_t>{262, 262, 97, 262, 262, 97}));
    for (std::size_t i = 0; i < sent.size(); ++i) {
        const auto& d = sent[i].Bytes;
        const ModemEntry& modem = table.Entries[i < 3 ? a : b];
        EXPECT_EQ(d[0], 0x80);
        const std::size_t offset = (i % 3) * 255;
        EXPECT_TRUE(std::equal(d.begin() + 1, d.end() - 6, block.begin() + static_cast<std::ptrdiff_t>(offset)));
        const std::uint8_t* port = reinterpret_cast<const std::uint8_t*>(&modem.Port);
        const std::uint8_t* address = reinterpret_cast<const std::uint8_t*>(&modem.Address);
        EXPECT_EQ(std::vector<std::uint8_t>(d.end() - 6, d.end()),
                  (std::vector<std::uint8_t>{port[0], port[1], address[0], address[1], address[2], address[3]}));
    }
    // 4000 + 1 in network order, then 10.0.0.1.
    EXPECT_EQ(std::vector<std::uint8_t>(sent[0].Bytes.end() - 6, sent[0].Bytes.end()),
              (std::vector<std::uint8_t>{0x0F, 0xA1, 10, 0, 0, 1}));
    EXPECT_EQ(table.Entries[a].BytesSent, 600u);
}

TEST_F(ForwardToModemsTest, ChunkBoundaries) {
    AddModem(1);
    struct Case {
        std::size_t Length;
        std::vector<std::size_t> Direct;
    };
    for (const Case& c : {Case{1, {1}}, Case{254, {254}}, Case{255, {255}}, Case{256, {255, 1}}, Case{510, {255, 255}},
                          Case{8192, {}}}) {
        sent.clear();
        Forward(Block(c.Length));
        if (c.Length == 8192) {
            EXPECT_EQ(sent.size(), 33u);  // 32 full chunks and 32 bytes
            EXPECT_EQ(sent.back().Bytes.size(), 32u);
        } else {
            EXPECT_EQ(LengthsTo(table.Entries[0].Endpoint()), c.Direct) << "block of " << c.Length;
        }
    }
    sent.clear();
    const std::uint32_t before = table.Entries[0].BytesSent;
    table.RepaintNeeded = false;
    Forward({});
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(table.Entries[0].BytesSent, before);
    EXPECT_FALSE(table.RepaintNeeded);
}

TEST_F(ForwardToModemsTest, ModbusRangeLooksOnlyAtTheFirstByte) {
    const auto filtered = AddModem(1);
    const auto open = AddModem(2);
    ModemEntry& m = table.Entries[filtered];
    m.Modbus = 1;
    m.ModbusLo = 1;
    m.ModbusHi = 5;

    struct Case {
        std::uint8_t First;
        bool Passes;
    };
    std::uint32_t expected = 0;
    for (const Case& c : {Case{0x01, true}, Case{0x05, true}, Case{0x03, true}, Case{0x06, false}, Case{0x00, false},
                          Case{0xFF, false}}) {
        sent.clear();
        std::vector<std::uint8_t> block = {c.First, 0x03, 0x00, 0x00, 0x00, 0x0A, 0xC5, 0xCD};
        Forward(block);
        if (c.Passes) expected += 8;
        EXPECT_EQ(LengthsTo(table.Entries[filtered].Endpoint()).size(), c.Passes ? 1u : 0u)
            << "first byte " << int(c.First);
        EXPECT_EQ(table.Entries[filtered].BytesSent, expected);
        EXPECT_EQ(LengthsTo(table.Entries[open].Endpoint()).size(), 1u);  // no range: everything
    }

    // Modbus switched off: the stored range no longer matters.
    m.Modbus = 0;
    sent.clear();
    Forward(std::vector<std::uint8_t>{0x06});
    EXPECT_EQ(LengthsTo(m.Endpoint()).size(), 1u);
}

TEST_F(ForwardToModemsTest, PausedAndOfflineModemsReceiveNothing) {
    const auto paused = AddModem(1);
    const auto offline = AddModem(2);
    const auto active = AddModem(3);
    table.Entries[paused].Paused = 1;
    table.Entries[offline].Online = 0;
    Forward(Block(300));
    EXPECT_TRUE(LengthsTo(table.Entries[paused].Endpoint()).empty());
    EXPECT_TRUE(LengthsTo(table.Entries[offline].Endpoint()).empty());
    EXPECT_EQ(table.Entries[paused].BytesSent, 0u);
    EXPECT_EQ(table.Entries[offline].BytesSent, 0u);
    EXPECT_EQ(table.Entries[active].BytesSent, 300u);

    // With nobody to send to, the list has nothing new to show.
    table.Entries[active].Paused = 1;
    table.RepaintNeeded = false;
    sent.clear();
    Forward(Block(10));
    EXPECT_TRUE(sent.empty());
    EXPECT_FALSE(table.RepaintNeeded);
}

TEST_F(ForwardToModemsTest, SentCounterWrapsSilently) {
    const auto a = AddModem(1);
    table.Entries[a].BytesSent = 0xFFFFFF00u;
    Forward(Block(0x180));
    EXPECT_EQ(table.Entries[a].BytesSent, 0x80u);
}

TEST_F(ForwardToModemsTest, EachModemsChunksGoInOneCallWithTheTableLockReleased) {
    const auto a = AddModem(1), b = AddModem(2);
    std::vector<std::pair<std::size_t, UdpEndpoint>> calls;
    bool lockHeld = false;
    for (const LinkMode mode : {LinkMode::Direct, LinkMode::Client}) {
        calls.clear();
        ForwardToModems(
            table, mode, server, Block(600),
            ChunkSender([&](std::span<const std::span<const std::uint8_t>> datagrams, const UdpEndpoint& to) {
                // Another thread, as the receiver would, must get the lock now.
                std::thread other([&] {
                    if (table.TableLock.try_lock()) {
                        table.TableLock.unlock();
                    } else {
                        lockHeld = true;
                    }
                });
                other.join();
                calls.emplace_back(datagrams.size(), to);
            }));
        const UdpEndpoint toA = mode == LinkMode::Direct ? table.Entries[a].Endpoint() : server;
        const UdpEndpoint toB = mode == LinkMode::Direct ? table.Entries[b].Endpoint() : server;
        EXPECT_EQ(calls, (std::vector<std::pair<std::size_t, UdpEndpoint>>{{3, toA}, {3, toB}}));
    }
    EXPECT_FALSE(lockHeld);
}

TEST_F(ForwardToModemsTest, SendsOnTheLinkSocket) {
    UdpSocket modem;
    ASSERT_EQ(modem.Open(), 0);
    ASSERT_EQ(modem.Bind(0), 0);
    UdpSocket link;
    ASSERT_EQ(link.Open(), 0);
    ModemEntry e;
    e.Online = 1;
    const UdpEndpoint at = LoopbackEndpoint(modem.LocalPort());
    e.Address = at.Address;
    e.Port = at.Port;
    table.Entries.push_back(e);

    ForwardToModems(table, LinkMode::Direct, server, Block(300), link);
    std::array<std::uint8_t, 512> buffer{};
    const auto first = modem.Receive(buffer, 2000);
    ASSERT_EQ(first.Status, ReceiveStatus::Datagram);
    EXPECT_EQ(first.Length, 255u);
    const auto second = modem.Receive(buffer, 2000);
    ASSERT_EQ(second.Status, ReceiveStatus::Datagram);
    EXPECT_EQ(second.Length, 45u);
    EXPECT_EQ(buffer[0], static_cast<std::uint8_t>(255));
}

}  // namespace
}  // namespace dlk::client
