#include "platform/net/datagram_batch.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/net/udp_socket.h"

namespace dlk {
namespace {

struct BoundSocket {
    UdpSocket socket;
    BoundSocket() {
        EXPECT_EQ(socket.Open(), 0);
        EXPECT_EQ(socket.Bind(0), 0);
    }
    UdpEndpoint Here() const { return LoopbackEndpoint(socket.LocalPort()); }
};

std::vector<std::uint8_t> Datagram(std::size_t size, std::uint8_t fill) {
    return std::vector<std::uint8_t>(size, fill);
}

TEST(DatagramBatch, SentTogetherTakenTogetherInOrderWithTheirSender) {
    struct Case {
        std::size_t sent;      // datagrams sent in one SendAllTo
        std::size_t capacity;  // of the receiving batch
        std::size_t slot;
    };
    for (const Case c : {Case{1, 8, 64}, Case{5, 8, 64}, Case{8, 8, 64}, Case{70, 64, 300}}) {
        BoundSocket from, to;
        std::vector<std::vector<std::uint8_t>> datagrams;
        for (std::size_t i = 0; i < c.sent; ++i)
            datagrams.push_back(Datagram(1 + i % 40, static_cast<std::uint8_t>(i)));
        std::vector<std::span<const std::uint8_t>> spans(datagrams.begin(), datagrams.end());
        EXPECT_EQ(from.socket.SendAllTo(spans, to.Here()), c.sent);

        DatagramBatch batch(c.capacity, c.slot);
        std::size_t got = 0;
        while (got < c.sent) {
            const ReceiveResult r = to.socket.ReceiveBatch(batch, 2000);
            ASSERT_EQ(r.Status, ReceiveStatus::Datagram) << c.sent;
            ASSERT_EQ(r.Length, batch.Count());
            ASSERT_LE(batch.Count(), c.capacity);
            for (std::size_t i = 0; i < batch.Count(); ++i, ++got) {
                EXPECT_FALSE(batch.Truncated(i));
                EXPECT_EQ(batch.Source(i), from.Here());
                const auto bytes = batch.Datagram(i);
                EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), datagrams[got]);
            }
        }
        EXPECT_EQ(got, c.sent);
    }
}

TEST(DatagramBatch, ALongerDatagramIsMarkedAndKeptToItsSlot) {
    BoundSocket from, to;
    const auto small = Datagram(10, 1), large = Datagram(11, 2);
    const std::span<const std::uint8_t> spans[] = {small, large, small};
    ASSERT_EQ(from.socket.SendAllTo(spans, to.Here()), 3u);
    DatagramBatch batch(4, 10);
    std::vector<bool> truncated;
    while (truncated.size() < 3) {
        ASSERT_EQ(to.socket.ReceiveBatch(batch, 2000).Status, ReceiveStatus::Datagram);
        for (std::size_t i = 0; i < batch.Count(); ++i) {
            truncated.push_back(batch.Truncated(i));
            EXPECT_EQ(batch.Datagram(i).size(), 10u);
        }
    }
    EXPECT_EQ(truncated, (std::vector<bool>{false, true, false}));
}

TEST(DatagramBatch, WakeAndTimeOutEndTheWaitWithNothingTaken) {
    BoundSocket s;
    DatagramBatch batch(4, 16);
    EXPECT_EQ(s.socket.ReceiveBatch(batch, 10).Status, ReceiveStatus::TimedOut);
    s.socket.Wake();
    EXPECT_EQ(s.socket.ReceiveBatch(batch).Status, ReceiveStatus::Woken);
    EXPECT_EQ(batch.Count(), 0u);
}

}  // namespace
}  // namespace dlk
