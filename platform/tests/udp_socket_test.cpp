#include "platform/net/udp_socket.h"

#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <future>
#include <thread>
#include <vector>

namespace dlk {
namespace {

using namespace std::chrono_literals;

struct BoundSocket {
    UdpSocket socket;
    BoundSocket() {
        EXPECT_EQ(socket.Open(), 0);
        EXPECT_EQ(socket.Bind(0), 0);
    }
    UdpEndpoint Here() const { return LoopbackEndpoint(socket.LocalPort()); }
};

TEST(UdpEndpoint, HoldsAddressAndPortInNetworkOrder) {
    const UdpEndpoint e = MakeEndpoint(192, 168, 1, 2, 0x1234);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&e.Address);
    EXPECT_EQ(bytes[0], 192);
    EXPECT_EQ(bytes[3], 2);
    const auto* port = reinterpret_cast<const std::uint8_t*>(&e.Port);
    EXPECT_EQ(port[0], 0x12);
    EXPECT_EQ(port[1], 0x34);
    EXPECT_EQ(HostPort(e), 0x1234);
}

TEST(UdpSocket, CarriesWholeDatagramsAndReportsTheSender) {
    BoundSocket a, b;
    ASSERT_NE(a.socket.LocalPort(), 0);
    const std::vector<std::uint8_t> sent = {1, 2, 3, 0, 255};
    ASSERT_TRUE(a.socket.SendTo(sent, b.Here()));
    std::array<std::uint8_t, 64> buffer{};
    const ReceiveResult r = b.socket.Receive(buffer, 2000);
    ASSERT_EQ(r.Status, ReceiveStatus::Datagram);
    EXPECT_EQ(r.Length, 5u);
    EXPECT_FALSE(r.Truncated);
    EXPECT_EQ(std::vector<std::uint8_t>(buffer.begin(), buffer.begin() + 5), sent);
    EXPECT_EQ(r.Source, a.Here());
}

TEST(UdpSocket, ADatagramLargerThanTheBufferShowsItsRealLength) {
    BoundSocket a, b;
    ASSERT_TRUE(a.socket.SendTo(std::vector<std::uint8_t>(1500, 0x77), b.Here()));
    std::array<std::uint8_t, 1032> buffer{};
    const ReceiveResult r = b.socket.Receive(buffer, 2000);
    ASSERT_EQ(r.Status, ReceiveStatus::Datagram);
    EXPECT_EQ(r.Length, 1500u);
    EXPECT_TRUE(r.Truncated);
}

TEST(UdpSocket, WakeEndsABlockedReceiveQuickly) {
    BoundSocket s;
    auto blocked = std::async(std::launch::async, [&] {
        std::array<std::uint8_t, 16> buffer{};
        return s.socket.Receive(buffer).Status;
    });
    EXPECT_EQ(blocked.wait_for(50ms), std::future_status::timeout);
    const auto woken_at = std::chrono::steady_clock::now();
    s.socket.Wake();
    ASSERT_EQ(blocked.wait_for(2s), std::future_status::ready);
    EXPECT_LT(std::chrono::steady_clock::now() - woken_at, 100ms);
    EXPECT_EQ(blocked.get(), ReceiveStatus::Woken);
}

TEST(UdpSocket, APortInUseIsReportedNotShared) {
    BoundSocket first;
    UdpSocket second;
    ASSERT_EQ(second.Open(), 0);
    EXPECT_EQ(second.Bind(first.socket.LocalPort()), EADDRINUSE);
}

TEST(UdpSocket, TimesOutAndFailsCleanlyWhenClosed) {
    BoundSocket s;
    std::array<std::uint8_t, 16> buffer{};
    EXPECT_EQ(s.socket.Receive(buffer, 10).Status, ReceiveStatus::TimedOut);
    s.socket.Close();
    s.socket.Close();
    EXPECT_FALSE(s.socket.IsOpen());
    EXPECT_EQ(s.socket.Receive(buffer, 10).Status, ReceiveStatus::Error);
    EXPECT_FALSE(s.socket.SendTo(buffer, LoopbackEndpoint(9)));
    EXPECT_EQ(s.socket.LocalPort(), 0);
    EXPECT_NE(s.socket.Bind(0), 0);
    s.socket.Wake();  // harmless
}

}  // namespace
}  // namespace dlk
