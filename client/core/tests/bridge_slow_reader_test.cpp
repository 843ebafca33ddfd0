// Many modems answering at once to a local program that cannot keep up:
// what the pseudo-terminal does not hold waits in the side's queue.

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <thread>

#include "client/core/bridge/serial_port.h"
#include "client/core/tests/bridge_link_fixture.h"

namespace dlk::client {
namespace {

using namespace bridge_test;

constexpr int kModems = 10;

// A record names its modem and its place in that modem's stream, so the
// program can check what it reads without knowing how it was batched.
std::vector<std::uint8_t> Record(int modem, int seq, std::size_t size) {
    std::vector<std::uint8_t> r(size, static_cast<std::uint8_t>(seq * 31 + modem));
    r[0] = static_cast<std::uint8_t>(modem);
    r[1] = static_cast<std::uint8_t>(seq >> 8);
    r[2] = static_cast<std::uint8_t>(seq);
    return r;
}

class SlowLocalProgram : public BridgeLinkFixture {
protected:
    void SetUp() override {
        OpenLink(1, LinkMode::Direct);
        for (int i = 0; i < kModems; ++i) AddModem();
        port_ = OpenSerialPort(names_.PortLink);
        ASSERT_GE(port_, 0);
    }
    void TearDown() override {
        if (port_ >= 0) ::close(port_);
    }
    // Every modem sends rounds records of size bytes, one round a millisecond:
    // faster than the program reads, slow enough for the link's socket.
    void Burst(int rounds, std::size_t size) {
        for (int seq = 0; seq < rounds; ++seq) {
            for (int m = 0; m < kModems; ++m) modems_[static_cast<std::size_t>(m)]->SendData(Record(m, seq, size));
            std::this_thread::sleep_for(1ms);
        }
    }
    std::uint64_t ReceivedByTheLink() const {
        std::lock_guard lock(table_.TableLock);
        std::uint64_t sum = 0;
        for (const ModemEntry& e : table_.Entries) sum += e.BytesReceived;
        return sum;
    }
    serial_port& Side() { return static_cast<serial_port&>(*local_); }

    int port_ = -1;
};

TEST_F(SlowLocalProgram, ReadingSlowlyButSteadilyGetsEveryByteInOrderPerModem) {
    constexpr int kRounds = 100;
    constexpr std::size_t kSize = 250;  // 250 KB in all, several times what the pseudo-terminal holds
    std::vector<std::uint8_t> read;
    std::atomic<bool> done{false};
    std::thread program([&] {
        // A slow program: 1 KiB every 2 ms, far below the modems' rate.
        std::uint8_t buffer[1024];
        while (!done && read.size() < kModems * kRounds * kSize && Readable(port_, 2000)) {
            const ssize_t n = ::read(port_, buffer, sizeof buffer);
            if (n <= 0) break;
            read.insert(read.end(), buffer, buffer + n);
            std::this_thread::sleep_for(2ms);
        }
    });
    Burst(kRounds, kSize);
    for (int i = 0; i < 1000 && ReceivedByTheLink() < kModems * kRounds * kSize; ++i) std::this_thread::sleep_for(5ms);
    program.join();
    done = true;

    ASSERT_EQ(read.size(), kModems * kRounds * kSize);
    std::map<int, int> next;
    for (std::size_t at = 0; at < read.size(); at += kSize) {
        const int modem = read[at];
        const int seq = read[at + 1] << 8 | read[at + 2];
        ASSERT_EQ(seq, next[modem]) << "modem " << modem;
        ASSERT_EQ(std::vector<std::uint8_t>(read.begin() + static_cast<long>(at),
                                            read.begin() + static_cast<long>(at + kSize)),
                  Record(modem, seq, kSize));
        ++next[modem];
    }
    EXPECT_EQ(Side().DroppedBlocks(), 0u);
    EXPECT_EQ(Side().QueuedBytes(), 0u);
}

TEST_F(SlowLocalProgram, AProgramThatStopsReadingCostsTheQueueAndACountedDrop) {
    constexpr int kRounds = 130;
    constexpr std::size_t kSize = 1000;  // 1.3 MB: more than the queue and the pseudo-terminal hold
    Burst(kRounds, kSize);
    // The receiver is never held up by the full side: it counts every datagram.
    for (int i = 0; i < 1000 && ReceivedByTheLink() < kModems * kRounds * kSize; ++i) std::this_thread::sleep_for(5ms);
    ASSERT_EQ(ReceivedByTheLink(), kModems * kRounds * kSize);
    EXPECT_LE(Side().QueuedBytes(), kLocalWriteQueueSize);
    EXPECT_GT(Side().QueuedBytes(), kLocalWriteQueueSize - kSize);
    EXPECT_GE(Side().DroppedBlocks(), 1u);
    EXPECT_EQ(Side().DroppedBytes(), Side().DroppedBlocks() * kSize);

    // And it still hears a newcomer at once.
    AddModem();
    EXPECT_EQ(Entry(kModems).Online, 1);

    // Once the program leaves, nothing it left is kept for the next one.
    ::close(port_);
    port_ = -1;
    for (int i = 0; i < 200 && Side().QueuedBytes() > 0; ++i) std::this_thread::sleep_for(5ms);
    EXPECT_EQ(Side().QueuedBytes(), 0u);
}

}  // namespace
}  // namespace dlk::client
