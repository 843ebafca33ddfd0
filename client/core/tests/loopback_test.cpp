#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <vector>

#include "client/core/link/client_link.h"
#include "client/testing/datagram_peer.h"
#include "client/testing/fake_local_side.h"
#include "client/testing/recording_observer.h"
#include "client/testing/simulated_modem.h"
#include "client/testing/simulated_relay_server.h"

namespace dlk::client {
namespace {

using namespace std::chrono_literals;
using Bytes = std::vector<std::uint8_t>;

const ImeiBcd kImeiA = {0x35, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x70};
const ImeiBcd kImeiB = {0x35, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x80};

// The real link on loopback against simulated modems and a simulated relay.
class LoopbackTest : public ::testing::Test {
protected:
    void OpenDirect() {
        LinkSettings s;
        s.LocalPort = 0;
        ASSERT_TRUE(link_.OpenLink(s, local_).Ok());
    }
    void OpenThroughServer() {
        server_.AddAccount("op", "secret");
        LinkSettings s;
        s.LocalPort = 0;
        s.ClientMode = 1;
        s.ServerPort = server_.Port();
        s.ClientId = MakeShortString<8>("op");
        s.ClientPassword = MakeShortString<8>("secret");
        ASSERT_TRUE(link_.OpenLink(s, local_).Ok());
        link_.LinkTimerTick();  // first ping
        ASSERT_TRUE(observer_.WaitForServerStates(1));
        link_.HandleServerState(observer_.ServerStates()[0]);
        ASSERT_EQ(observer_.Icon(), TrayIcon::COLOR);
    }
    // Waits for the modem's entry and takes it out of pause, as the list would.
    std::uint16_t Learn(sim::SimulatedModem& modem, std::size_t posted) {
        modem.SendOn();
        EXPECT_TRUE(observer_.WaitForModemStates(posted));
        const sim::PostedModemState state = observer_.ModemStates().at(posted - 1);
        EXPECT_TRUE(link_.IsCurrentGeneration(state.Generation));
        EXPECT_EQ(state.Change, ModemStateChange::New);
        std::lock_guard lock(table_.TableLock);
        ModemEntry& e = table_.Entries.at(state.Index);
        EXPECT_EQ(e.Imei, modem.Imei());
        EXPECT_EQ(e.Endpoint(), modem.Endpoint());
        EXPECT_EQ(e.Online, 1);
        e.Paused = 0;
        return state.Index;
    }
    ModemEntry Entry(std::uint16_t index) {
        std::lock_guard lock(table_.TableLock);
        return table_.Entries.at(index);
    }

    sim::SimulatedRelayServer server_;
    ModemTable table_;
    sim::RecordingObserver observer_;
    sim::FakeLocalSide local_;
    ClientLink link_{table_, observer_};
};

TEST_F(LoopbackTest, DirectModeLearnsAModemAndDeliversItsData) {
    OpenDirect();
    sim::SimulatedModem modem(kImeiA, LoopbackEndpoint(link_.BoundPort()));
    const std::uint16_t index = Learn(modem, 1);

    const Bytes plain = {0x01, 0x03, 0x0D, 0x0A, 0x00, 0xFF};
    modem.SendData(plain);
    ASSERT_TRUE(local_.WaitForWrites(1));
    modem.SendPacked(Bytes{0x41, 0x42, 0x00, 0x02, 0x03});
    ASSERT_TRUE(local_.WaitForWrites(2));
    EXPECT_EQ(local_.Writes()[0], plain);
    EXPECT_EQ(local_.Writes()[1], (Bytes{0x41, 0x42, 0x41, 0x42, 0x41, 0x42, 0x41}));
    const ModemEntry e = Entry(index);
    EXPECT_EQ(e.BytesReceived, 11u);
    EXPECT_EQ(e.BytesUnpacked, 13u);

    modem.SendOff();
    ASSERT_TRUE(observer_.WaitForModemStates(2));
    EXPECT_EQ(observer_.ModemStates()[1].Change, ModemStateChange::Off);
    modem.SendData(plain);  // off-line: dropped
    modem.SendOn();
    ASSERT_TRUE(observer_.WaitForModemStates(3));
    EXPECT_EQ(observer_.ModemStates()[2].Change, ModemStateChange::On);
    EXPECT_EQ(local_.Writes().size(), 2u);
}

TEST_F(LoopbackTest, OversizedDatagramsAreDroppedWhole) {
    OpenDirect();
    sim::SimulatedModem modem(kImeiA, LoopbackEndpoint(link_.BoundPort()));
    Learn(modem, 1);
    Bytes too_big(1500, 0x33);
    too_big[0] = 0x00;
    modem.SendRaw(too_big);
    Bytes just_over(1026, 0x44);
    just_over[0] = 0x00;
    modem.SendRaw(just_over);
    Bytes largest(1025, 0x55);
    largest[0] = 0x00;
    modem.SendRaw(largest);
    ASSERT_TRUE(local_.WaitForWrites(1));
    EXPECT_FALSE(local_.WaitForWrites(2, 50ms));
    EXPECT_EQ(local_.Writes()[0], Bytes(1024, 0x55));
}

TEST_F(LoopbackTest, TwoModemsAreKeptApart) {
    OpenDirect();
    sim::SimulatedModem a(kImeiA, LoopbackEndpoint(link_.BoundPort()));
    sim::SimulatedModem b(kImeiB, LoopbackEndpoint(link_.BoundPort()));
    const std::uint16_t ia = Learn(a, 1);
    const std::uint16_t ib = Learn(b, 2);
    EXPECT_NE(ia, ib);
    b.SendData(Bytes{'b', 'b'});
    ASSERT_TRUE(local_.WaitForWrites(1));
    a.SendData(Bytes{'a'});
    ASSERT_TRUE(local_.WaitForWrites(2));
    EXPECT_EQ(Entry(ia).BytesReceived, 1u);
    EXPECT_EQ(Entry(ib).BytesReceived, 2u);
    EXPECT_EQ(table_.OnlineCount, 2);
}

TEST_F(LoopbackTest, ClientModeLearnsAModemThroughTheRelayAndDeliversItsData) {
    OpenThroughServer();
    sim::SimulatedModem modem(kImeiA, server_.Endpoint());
    const std::uint16_t index = Learn(modem, 1);

    modem.SendData(Bytes{'p', 'i', 'n', 'g'});
    ASSERT_TRUE(local_.WaitForWrites(1));
    EXPECT_EQ(local_.Writes()[0], (Bytes{'p', 'i', 'n', 'g'}));
    modem.SendPacked(Bytes{0x41, 0x42, 0x00, 0x02, 0x03});
    ASSERT_TRUE(local_.WaitForWrites(2));
    EXPECT_EQ(local_.Writes()[1].size(), 7u);
    EXPECT_EQ(Entry(index).BytesReceived, 9u);

    // The relay takes a chunk for the modem and the modem answers it.
    modem.SetAnswer([](std::span<const std::uint8_t> chunk) {
        Bytes answer(chunk.begin(), chunk.end());
        answer.push_back('!');
        return answer;
    });
    std::array<std::uint8_t, kMaxRelayedChunkDatagram> frame{};
    const Bytes chunk = {'r', 'e', 'a', 'd'};
    const std::size_t length = BuildRelayedChunk(chunk, Entry(index).Endpoint(), frame);
    ASSERT_TRUE(link_.Socket().SendTo(std::span(frame).first(length), link_.ServerEndpoint()));
    EXPECT_EQ(modem.WaitForChunk(), chunk);
    ASSERT_TRUE(local_.WaitForWrites(3));
    EXPECT_EQ(local_.Writes()[2], (Bytes{'r', 'e', 'a', 'd', '!'}));
}

TEST_F(LoopbackTest, ClientModeServerGoodbyeAndLogoff) {
    OpenThroughServer();
    sim::SimulatedModem modem(kImeiA, server_.Endpoint());
    Learn(modem, 1);
    server_.SendBye();
    ASSERT_TRUE(observer_.WaitForServerStates(2));
    link_.HandleServerState(observer_.ServerStates()[1]);
    EXPECT_EQ(table_.OnlineCount, 0);
    EXPECT_EQ(observer_.Icon(), TrayIcon::MAINICON);

    // Answer the next ping again, then close: one logoff goes out.
    for (int tick = 0; tick < 5; ++tick) link_.LinkTimerTick();
    ASSERT_TRUE(observer_.WaitForServerStates(3));
    const std::size_t before_close = server_.ClientDatagrams().size();
    link_.CloseLink();
    ASSERT_TRUE(server_.WaitForClientCount(before_close + 1));
    const auto sent = server_.ClientDatagrams();
    EXPECT_EQ(sent.back()[0], 0x83);
    EXPECT_FALSE(server_.LoggedInClient());
}

TEST_F(LoopbackTest, ClientModeHearsOnlyItsServer) {
    OpenThroughServer();
    sim::SimulatedModem modem(kImeiA, server_.Endpoint());
    const std::uint16_t index = Learn(modem, 1);
    sim::DatagramPeer stranger;

    // A relayed packet and a Bye in the server's form, from another port of
    // the same address: both dropped unread.
    Bytes fake = {0x80, 'f', 'a', 'k', 'e'};
    const auto trailer = ModemAddressTrailer(Entry(index).Endpoint());
    fake.insert(fake.end(), trailer.begin(), trailer.end());
    const UdpEndpoint client = LoopbackEndpoint(link_.BoundPort());
    stranger.SendTo(fake, client);
    stranger.SendTo(kByePacket, client);

    // The server's own packet after them still arrives, and arrives alone.
    modem.SendData(Bytes{'r', 'e', 'a', 'l'});
    ASSERT_TRUE(local_.WaitForWrites(1));
    EXPECT_FALSE(local_.WaitForWrites(2, 100ms));
    EXPECT_EQ(local_.Writes(), (std::vector<Bytes>{{'r', 'e', 'a', 'l'}}));
    EXPECT_EQ(Entry(index).BytesReceived, 4u);
    EXPECT_EQ(observer_.ServerStates().size(), 1u);
    EXPECT_EQ(table_.ServerConnected, 1);

    // So the next exit still logs off.
    const std::size_t before_close = server_.ClientDatagrams().size();
    link_.CloseLink();
    ASSERT_TRUE(server_.WaitForClientCount(before_close + 1));
    EXPECT_EQ(server_.ClientDatagrams().back()[0], 0x83);
}

TEST_F(LoopbackTest, ARestartDropsMessagesOfTheOldLink) {
    OpenDirect();
    sim::SimulatedModem modem(kImeiA, LoopbackEndpoint(link_.BoundPort()));
    Learn(modem, 1);
    const std::uint32_t old_generation = observer_.ModemStates()[0].Generation;
    link_.CloseLink();
    {
        std::lock_guard lock(table_.TableLock);
        table_.Empty();
    }
    OpenDirect();
    EXPECT_FALSE(link_.IsCurrentGeneration(old_generation));
    EXPECT_FALSE(link_.IsCurrentModemState(old_generation, 0));
    EXPECT_FALSE(link_.IsCurrentModemState(link_.Generation(), 0));  // the table is empty
    modem.SetTarget(LoopbackEndpoint(link_.BoundPort()));
    Learn(modem, 2);
    EXPECT_TRUE(link_.IsCurrentGeneration(observer_.ModemStates()[1].Generation));
    EXPECT_EQ(observer_.ModemStates()[1].Index, 0);
    EXPECT_TRUE(link_.IsCurrentModemState(observer_.ModemStates()[1].Generation, 0));
}

}  // namespace
}  // namespace dlk::client
