#include <gtest/gtest.h>

#include <array>
#include <random>
#include <vector>

#include "client/core/link/packet_handler.h"
#include "client/core/link/unpack_data.h"
#include "client/testing/quiet_link_peers.h"
#include "platform/testing/sanitizer_build.h"

namespace dlk::client {
namespace {

// Under the sanitizers the fuzz targets feed the same handler and unpacker far
// longer; a tenth of the inputs there still reaches every path checked below.
constexpr int kRuns = testing::kSanitizerBuild ? 10 : 1;

// Cheap stand-ins: a million datagrams must not pile up a million records.
class CountingLocalSide : public sim::AlwaysOpenLocalSide {
public:
    void Write(std::span<const std::uint8_t> bytes) override {
        ++writes;
        if (bytes.empty()) ++empty_writes;
        if (bytes.size() > 1024) ++oversized_writes;
        // Touch every byte so the sanitizer sees a read past the source.
        for (const std::uint8_t b : bytes) checksum += b;
    }

    std::size_t writes = 0, empty_writes = 0, oversized_writes = 0;
    std::uint64_t checksum = 0;
};

class CountingObserver : public sim::QuietObserver {
public:
    void PostModemState(std::uint32_t, std::uint16_t index, ModemStateChange) override {
        max_index = std::max<std::size_t>(max_index, index);
        ++modem_posts;
    }
    void PostServerState(std::uint32_t) override { ++server_posts; }

    std::size_t modem_posts = 0, server_posts = 0, max_index = 0;
};

constexpr int kImeiPool = 48;
constexpr int kAddressPool = 12;

class Generator {
public:
    explicit Generator(std::uint32_t seed) : rng_(seed) {}

    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    std::uint8_t Byte() { return static_cast<std::uint8_t>(Below(256)); }

    UdpEndpoint Address() {
        const int i = Below(kAddressPool);
        return MakeEndpoint(10, 0, 0, static_cast<std::uint8_t>(i), static_cast<std::uint16_t>(4000 + i));
    }

    // Mostly well-formed packets of every kind, with lengths around the
    // boundaries, and some plain noise.
    std::vector<std::uint8_t> Datagram(bool relayed) {
        std::vector<std::uint8_t> d;
        const int shape = Below(10);
        if (shape == 0) {  // noise
            d.resize(static_cast<std::size_t>(Below(Below(8) == 0 ? 1100 : 24)));
            for (auto& b : d) b = Byte();
            return d;
        }
        const std::uint8_t kinds[] = {0, 0, 1, 1, 1, 2, 2, 3, 7};
        const std::uint8_t kind = kinds[Below(9)];
        if (kind >= 2) {
            d = {kind, Byte()};
            const int imei = Below(kImeiPool);
            d.insert(d.end(), {0x35, 0x01, 0x02, 0x03, 0x04, 0x05, static_cast<std::uint8_t>(imei), Byte()});
            if (Below(20) == 0) d.resize(static_cast<std::size_t>(Below(12)));
        } else {
            const std::size_t length = static_cast<std::size_t>(Below(Below(16) == 0 ? 1025 : 64));
            d.push_back(kind);
            for (std::size_t i = 0; i < length; ++i)
                d.push_back(Below(3) == 0 ? static_cast<std::uint8_t>(Below(8)) : Byte());
        }
        if (relayed) {
            if (!d.empty()) d[0] |= 0x80;
            const UdpEndpoint modem = Address();
            const auto* port = reinterpret_cast<const std::uint8_t*>(&modem.Port);
            const auto* address = reinterpret_cast<const std::uint8_t*>(&modem.Address);
            d.insert(d.end(), port, port + 2);
            d.insert(d.end(), address, address + 4);
            if (Below(30) == 0) d = {0x84, 'H', 'e', 'y'};
            if (Below(60) == 0) d = {0x85, 'B', 'y', 'e'};
        }
        return d;
    }

    std::vector<std::uint8_t> Payload() {
        std::vector<std::uint8_t> p(static_cast<std::size_t>(Below(Below(10) == 0 ? 1025 : 80)));
        const int copy_bias = Below(4);
        if (Below(8) == 0) {
            // Runs: each item copies the phrase of the item before it, so
            // phrases grow and the output bound is reached.
            std::size_t item = 0;
            for (std::size_t i = 0; i < p.size(); ++i) {
                p[i] = (i % 9 == 8) ? static_cast<std::uint8_t>(Byte() | 0x7F) : static_cast<std::uint8_t>(item++ - 1);
            }
            return p;
        }
        for (std::size_t i = 0; i < p.size(); ++i) {
            // Small item bytes name phrases that exist; flag bytes vary in density.
            p[i] = (i % 9 == 8) ? static_cast<std::uint8_t>(Byte() & (copy_bias == 0 ? 0x00 : 0xFF))
                                : (Below(2) ? static_cast<std::uint8_t>(Below(16)) : Byte());
        }
        return p;
    }

private:
    std::mt19937 rng_;
};

void CheckTable(const ModemTable& table) {
    std::size_t online = 0;
    std::vector<bool> seen(table.Entries.size(), false);
    for (const ModemEntry& e : table.Entries) {
        online += e.Online;
        ASSERT_LE(e.Online, 1);
        ASSERT_LT(e.RowOrder, table.Entries.size());
        ASSERT_FALSE(seen[e.RowOrder]);
        seen[e.RowOrder] = true;
        ASSERT_EQ(e.Imei[7] & 0x0F, 0);
    }
    ASSERT_EQ(online, table.OnlineCount);
    ASSERT_LE(table.Entries.size(), ModemTable::kMaxEntries);
}

TEST(RandomInput, AMillionDatagramsKeepTheTableConsistent) {
    for (const LinkMode mode : {LinkMode::Direct, LinkMode::Client}) {
        ModemTable table;
        CountingObserver observer;
        CountingLocalSide local;
        PacketHandler handler(table, observer, local, mode, 5, 1);
        Generator gen(mode == LinkMode::Direct ? 1u : 2u);
        for (int i = 0; i < 500000 / kRuns; ++i) {
            const std::vector<std::uint8_t> d = gen.Datagram(mode == LinkMode::Client);
            handler.Handle(d, gen.Address());
            if (i % 1000 == 0) {
                // Let the list un-pause and the timer age some modems, as the window would.
                for (ModemEntry& e : table.Entries) e.Paused = static_cast<std::uint8_t>(gen.Below(4) == 0);
                table.CountDownKeepAlive(0.5);
            }
            if (i % 50000 == 0) {
                ASSERT_NO_FATAL_FAILURE(CheckTable(table));
            }
        }
        ASSERT_NO_FATAL_FAILURE(CheckTable(table));
        EXPECT_EQ(local.empty_writes, 0u);
        EXPECT_EQ(local.oversized_writes, 0u);
        EXPECT_GT(local.writes, 1000u);  // the data path was reached
        EXPECT_LT(observer.max_index, table.Entries.size());
        EXPECT_GT(table.Entries.size(), 10u);
        if (mode == LinkMode::Client) {
            EXPECT_GT(observer.server_posts, 10u);
        }
    }
}

TEST(RandomInput, AMillionPayloadsUnpackWithinBounds) {
    Generator gen(3);
    UnpackArea area;
    std::size_t longest = 0;
    for (int i = 0; i < 1000000 / kRuns; ++i) {
        const std::vector<std::uint8_t> p = gen.Payload();
        const std::size_t n = UnpackData(p, area);
        ASSERT_LE(n, UnpackArea::kOutputSize);
        longest = std::max(longest, n);
    }
    EXPECT_EQ(longest, UnpackArea::kOutputSize);  // the bound was reached, not just respected
}

}  // namespace
}  // namespace dlk::client
