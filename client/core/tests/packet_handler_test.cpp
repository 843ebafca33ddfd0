#include "client/core/link/packet_handler.h"

#include <gtest/gtest.h>

#include <vector>

#include "client/testing/fake_local_side.h"
#include "client/testing/quiet_link_peers.h"
#include "client/testing/recording_observer.h"
#include "platform/net/datagram_batch.h"

namespace dlk::client {
namespace {

using Bytes = std::vector<std::uint8_t>;

const ImeiBcd kImei = {0x35, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x70};
const UdpEndpoint kModem = MakeEndpoint(10, 0, 0, 9, 7000);
const UdpEndpoint kServer = MakeEndpoint(10, 0, 0, 1, 1024);
const Bytes kTrailer = {0x1B, 0x58, 10, 0, 0, 9};  // kModem: port 7000

Bytes Join(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class PacketHandlerTest : public ::testing::Test {
protected:
    void Make(LinkMode mode, std::uint8_t ping_period = 5) {
        handler_.emplace(table_, observer_, local_, mode, ping_period, 7);
    }
    void Receive(const Bytes& datagram, const UdpEndpoint& from = kModem) { handler_->Handle(datagram, from); }
    void SwitchOn(bool paused) {
        Receive(Join({0x02, 0x55}, Bytes(kImei.begin(), kImei.end())));
        table_.Entries.at(0).Paused = paused ? 1 : 0;
    }
    ModemEntry& Entry() { return table_.Entries.at(0); }

    ModemTable table_;
    sim::RecordingObserver observer_;
    sim::FakeLocalSide local_;
    std::optional<PacketHandler> handler_;
};

TEST_F(PacketHandlerTest, AnOnPacketCreatesTheEntryAndPostsItAsNew) {
    Make(LinkMode::Direct);
    observer_.SetTimeOfDay(0.75);
    Receive(Join({0x02, 0x55}, Bytes(kImei.begin(), kImei.end())));
    ASSERT_EQ(table_.ModemTableCount(), 1);
    EXPECT_EQ(Entry().Endpoint(), kModem);
    EXPECT_EQ(Entry().OnTime, 0.75);
    ASSERT_EQ(observer_.ModemStates().size(), 1u);
    EXPECT_EQ(observer_.ModemStates()[0].Generation, 7u);
    EXPECT_EQ(observer_.ModemStates()[0].Change, ModemStateChange::New);
    // Off, then off again: one message only.
    Receive(Join({0x03, 0x55}, Bytes(kImei.begin(), kImei.end())));
    Receive(Join({0x03, 0x55}, Bytes(kImei.begin(), kImei.end())));
    ASSERT_EQ(observer_.ModemStates().size(), 2u);
    EXPECT_EQ(observer_.ModemStates()[1].Change, ModemStateChange::Off);
}

TEST_F(PacketHandlerTest, PlainDataIsCountedAndWrittenAsItCame) {
    Make(LinkMode::Direct);
    SwitchOn(false);
    Entry().Countdown = 1;
    Receive({0x00, 'h', 'e', 'l', 'l', 'o'});
    EXPECT_EQ(Entry().Countdown, 60);
    EXPECT_EQ(Entry().BytesReceived, 5u);
    EXPECT_EQ(Entry().BytesUnpacked, 5u);
    EXPECT_TRUE(table_.RepaintNeeded);
    EXPECT_EQ(local_.Writes(), (std::vector<Bytes>{{'h', 'e', 'l', 'l', 'o'}}));
}

TEST_F(PacketHandlerTest, PackedDataIsCountedBothWaysAndWrittenUnpacked) {
    Make(LinkMode::Direct);
    SwitchOn(false);
    Receive({0x01, 0x41, 0x42, 0x00, 0x02, 0x03});
    EXPECT_EQ(Entry().BytesReceived, 5u);
    EXPECT_EQ(Entry().BytesUnpacked, 7u);
    EXPECT_EQ(local_.WrittenBytes(), (Bytes{0x41, 0x42, 0x41, 0x42, 0x41, 0x42, 0x41}));
    // A one-byte packed payload unpacks to nothing: counted, not written.
    Receive({0x01, 0x41});
    EXPECT_EQ(Entry().BytesReceived, 6u);
    EXPECT_EQ(Entry().BytesUnpacked, 7u);
    EXPECT_EQ(local_.Writes().size(), 1u);
    EXPECT_EQ(local_.EmptyWrites(), 0u);
}

TEST_F(PacketHandlerTest, CountersWrapAtTwoToTheThirtyTwo) {
    Make(LinkMode::Direct);
    SwitchOn(false);
    Entry().BytesReceived = 0xFFFFFFFEu;
    Receive({0x00, 1, 2, 3});
    EXPECT_EQ(Entry().BytesReceived, 1u);
}

TEST_F(PacketHandlerTest, PausedModemsRefreshTheirCountdownButDeliverNothing) {
    Make(LinkMode::Direct);
    SwitchOn(true);
    Entry().Countdown = 1;
    table_.RepaintNeeded = false;
    Receive({0x00, 1, 2, 3});
    EXPECT_EQ(Entry().Countdown, 60);
    EXPECT_EQ(Entry().BytesReceived, 0u);
    EXPECT_FALSE(table_.RepaintNeeded);
    EXPECT_TRUE(local_.Writes().empty());
}

TEST_F(PacketHandlerTest, DataFromUnknownOrOfflineModemsIsDroppedWithoutRefresh) {
    Make(LinkMode::Direct);
    SwitchOn(false);
    Receive({0x00, 1}, MakeEndpoint(10, 0, 0, 9, 7001));
    Receive(Join({0x03, 0x55}, Bytes(kImei.begin(), kImei.end())));
    Entry().Countdown = 4;
    Receive({0x00, 1, 2});
    EXPECT_EQ(Entry().Countdown, 4);
    EXPECT_EQ(Entry().BytesReceived, 0u);
    EXPECT_TRUE(local_.Writes().empty());
}

TEST_F(PacketHandlerTest, RelayedDataOfSevenBytesRefreshesButWritesNothing) {
    Make(LinkMode::Client);
    Receive(Join(Join({0x82, 0x55}, Bytes(kImei.begin(), kImei.end())), kTrailer), kServer);
    ASSERT_EQ(table_.ModemTableCount(), 1);
    EXPECT_EQ(Entry().Endpoint(), kModem);
    Entry().Paused = 0;
    Entry().Countdown = 2;
    Receive(Join({0x80}, kTrailer), kServer);
    EXPECT_EQ(Entry().Countdown, 60);
    EXPECT_EQ(Entry().BytesReceived, 0u);
    // An empty write would read as the end of the stream on a message socket.
    EXPECT_TRUE(local_.Writes().empty());
    Receive(Join({0x80, 'o', 'k'}, kTrailer), kServer);
    EXPECT_EQ(local_.WrittenBytes(), (Bytes{'o', 'k'}));
}

TEST_F(PacketHandlerTest, TheFirstHeyConnectsAndLaterOnesOnlyRestartTheSilenceCountdown) {
    Make(LinkMode::Client, 5);
    Receive({0x84, 'H', 'e', 'y'}, kServer);
    EXPECT_EQ(table_.ServerConnected, 1);
    EXPECT_EQ(table_.ServerSilenceCountdown, 15);
    table_.ServerSilenceCountdown = 2;
    Receive({0x84, 'H', 'e', 'y'}, kServer);
    EXPECT_EQ(table_.ServerSilenceCountdown, 15);
    EXPECT_EQ(observer_.ServerStates(), (std::vector<std::uint32_t>{7}));

    handler_->SetPingPeriod(100);
    Receive({0x84, 'H', 'e', 'y'}, kServer);
    EXPECT_EQ(table_.ServerSilenceCountdown, 255);

    Receive({0x85, 'B', 'y', 'e'}, kServer);
    EXPECT_EQ(table_.ServerConnected, 0);
    EXPECT_EQ(table_.ServerSilenceCountdown, 255);  // untouched by Bye
    Receive({0x85, 'B', 'y', 'e'}, kServer);
    EXPECT_EQ(observer_.ServerStates().size(), 2u);
}

TEST_F(PacketHandlerTest, DatagramsLongerThanTheProtocolAllowsAreDropped) {
    Make(LinkMode::Direct);
    SwitchOn(false);
    Bytes largest(1025, 0x11);
    largest[0] = 0x00;
    Receive(largest);
    Receive(Join(largest, {0x11}));
    ASSERT_EQ(local_.Writes().size(), 1u);
    EXPECT_EQ(local_.Writes()[0].size(), 1024u);

    PacketHandler relayed(table_, observer_, local_, LinkMode::Client, 5, 7);
    Bytes relayed_largest = Join(Bytes(1025, 0x22), kTrailer);
    relayed_largest[0] = 0x80;
    relayed.Handle(relayed_largest, kServer);
    relayed.Handle(Join(Bytes{0x80, 0x22}, relayed_largest), kServer);
    ASSERT_EQ(local_.Writes().size(), 2u);
    EXPECT_EQ(local_.Writes()[1], Bytes(1024, 0x22));
}

// Posting while TableLock is held would let the window thread, which takes
// the lock in its handlers, wait on the receiver.
class LockProbe : public sim::RecordingObserver {
public:
    explicit LockProbe(ModemTable& table) : table_(table) {}
    void PostModemState(std::uint32_t g, std::uint16_t i, ModemStateChange c) override {
        Probe();
        RecordingObserver::PostModemState(g, i, c);
    }
    void PostServerState(std::uint32_t g) override {
        Probe();
        RecordingObserver::PostServerState(g);
    }
    int held = 0;

private:
    void Probe() {
        if (table_.TableLock.try_lock()) {
            table_.TableLock.unlock();
        } else {
            ++held;
        }
    }
    ModemTable& table_;
};

TEST(PacketHandlerLocking, MessagesArePostedAfterTheLockIsReleased) {
    ModemTable table;
    LockProbe probe(table);
    sim::FakeLocalSide local;
    PacketHandler handler(table, probe, local, LinkMode::Client, 5, 1);
    const Bytes on = Join(Join({0x82, 0x55}, Bytes(kImei.begin(), kImei.end())), kTrailer);
    const Bytes off = Join(Join({0x83, 0x55}, Bytes(kImei.begin(), kImei.end())), kTrailer);
    for (const Bytes& d : {on, off, on, Bytes{0x84, 'H', 'e', 'y'}, Bytes{0x85, 'B', 'y', 'e'}})
        handler.Handle(d, kServer);
    EXPECT_EQ(probe.ModemStates().size(), 3u);
    EXPECT_EQ(probe.ServerStates().size(), 2u);
    EXPECT_EQ(probe.held, 0);
}

// Counts how the receiver's writes arrive: a batch is one call.
class BatchRecorder : public sim::AlwaysOpenLocalSide {
public:
    void Write(std::span<const std::uint8_t> bytes) override { WriteBatch({&bytes, 1}); }
    void WriteBatch(std::span<const std::span<const std::uint8_t>> blocks) override {
        calls.emplace_back();
        for (const auto block : blocks) calls.back().emplace_back(block.begin(), block.end());
    }
    std::vector<std::vector<Bytes>> calls;
};

// Datagrams already waiting on loopback when the batch is taken, in client
// mode: one write of the data blocks, a stranger's and an oversized one left out.
TEST(PacketHandlerBatch, ABatchIsOneWriteOfItsDataBlocks) {
    UdpSocket link, server, stranger;
    for (UdpSocket* s : {&link, &server, &stranger}) {
        ASSERT_EQ(s->Open(), 0);
        ASSERT_EQ(s->Bind(0), 0);
    }
    const UdpEndpoint fromServer = LoopbackEndpoint(server.LocalPort());
    const UdpEndpoint to = LoopbackEndpoint(link.LocalPort());
    ModemTable table;
    sim::RecordingObserver observer;
    BatchRecorder local;
    PacketHandler handler(table, observer, local, LinkMode::Client, 5, 1);
    handler.Handle(Join(Join({0x82, 0x55}, Bytes(kImei.begin(), kImei.end())), kTrailer), fromServer);
    table.Entries.at(0).Paused = 0;

    Bytes oversized = Join(Bytes(1100, 'x'), kTrailer);
    oversized[0] = 0x80;
    server.SendTo(Join({0x80, 'a'}, kTrailer), to);
    server.SendTo(Join({0x80, 'b', 'b'}, kTrailer), to);
    server.SendTo(oversized, to);
    stranger.SendTo(Join({0x80, 's'}, kTrailer), to);
    stranger.SendTo(kByePacket, to);
    server.SendTo(Join({0x80, 'c'}, kTrailer), to);

    DatagramBatch batch(16, kMaxClientDatagram + 1);
    ASSERT_EQ(link.ReceiveBatch(batch, 2000).Status, ReceiveStatus::Datagram);
    ASSERT_EQ(batch.Count(), 6u);
    table.ServerConnected = 1;
    handler.HandleBatch(batch, fromServer);
    ASSERT_EQ(local.calls.size(), 1u);
    EXPECT_EQ(local.calls[0], (std::vector<Bytes>{{'a'}, {'b', 'b'}, {'c'}}));
    EXPECT_EQ(table.ServerConnected, 1);
    EXPECT_EQ(table.Entries[0].BytesReceived, 4u);
}

TEST_F(PacketHandlerTest, DirectModeIgnoresServerPackets) {
    Make(LinkMode::Direct);
    Receive({0x84, 'H', 'e', 'y'});
    EXPECT_EQ(table_.ServerConnected, 0);
    EXPECT_TRUE(observer_.ServerStates().empty());
}

}  // namespace
}  // namespace dlk::client
