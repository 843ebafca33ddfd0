#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "client/core/link/client_link.h"
#include "client/testing/fake_local_side.h"
#include "client/testing/recording_observer.h"
#include "client/testing/simulated_modem.h"
#include "client/testing/simulated_relay_server.h"

namespace dlk::client {
namespace {

using namespace std::chrono_literals;
using Log = std::vector<std::string>;

const ImeiBcd kTimedImei = {0x35, 0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x70};

class LinkTimerTest : public ::testing::Test {
protected:
    void SetUp() override {
        server_.AddAccount("1234", "56789");
        observer_.SetPaintedTable(&table_);
    }
    void OpenClientMode(std::uint8_t ping_period) {
        LinkSettings s;
        s.LocalPort = 0;
        s.ClientMode = 1;
        s.ServerPort = server_.Port();
        s.PingPeriod = ping_period;
        s.ClientId = MakeShortString<8>("1234");
        s.ClientPassword = MakeShortString<8>("56789");
        ASSERT_TRUE(link_.OpenLink(s, local_).Ok());
    }
    std::size_t Pings() const {
        std::size_t n = 0;
        for (const auto& d : server_.ClientDatagrams()) n += d.size() == 6 && d[0] == 0x82;
        return n;
    }
    void Connect() {
        // The Hey goes out only once the tick that pinged is over: one that
        // overtook the rest of that tick would have it count the new
        // connection down already.
        server_.SetAnswerPings(false);
        link_.LinkTimerTick();
        ASSERT_TRUE(server_.WaitForClientCount(1));
        server_.SetAnswerPings(true);
        server_.SendHey();
        ASSERT_TRUE(observer_.WaitForServerStates(1));
        link_.HandleServerState(link_.Generation());
    }
    std::uint8_t Connected() {
        std::lock_guard lock(table_.TableLock);
        return table_.ServerConnected;
    }

    sim::SimulatedRelayServer server_;
    ModemTable table_;
    sim::RecordingObserver observer_;
    sim::FakeLocalSide local_;
    ClientLink link_{table_, observer_};
};

TEST_F(LinkTimerTest, PingsOnTheFirstTickAndEveryPeriodAfter) {
    server_.SetAnswerPings(false);
    OpenClientMode(5);
    std::vector<int> ping_ticks;
    for (int tick = 1; tick <= 12; ++tick) {
        const std::size_t before = link_.PingCountdown();
        link_.LinkTimerTick();
        if (before == 1) ping_ticks.push_back(tick);
    }
    EXPECT_EQ(ping_ticks, (std::vector<int>{1, 6, 11}));
    ASSERT_TRUE(server_.WaitForClientCount(3));
    EXPECT_FALSE(server_.WaitForClientCount(4, 50ms));
    EXPECT_EQ(server_.ClientDatagrams()[0], (std::vector<std::uint8_t>{0x82, 5, 0x26, 0x39, 0xF4, 0xCB}));
    EXPECT_EQ(Pings(), 3u);
}

TEST_F(LinkTimerTest, ThreePeriodsWithoutHeyLoseTheServer) {
    OpenClientMode(5);
    Connect();
    server_.SetAnswerPings(false);
    {
        std::lock_guard lock(table_.TableLock);
        table_.Entries.resize(1);
        table_.Entries[0].Online = 1;
        table_.Entries[0].Countdown = 200;
        table_.OnlineCount = 1;
    }
    observer_.ClearLog();
    for (int tick = 1; tick < 15; ++tick) link_.LinkTimerTick();
    EXPECT_EQ(Connected(), 1);
    EXPECT_TRUE(observer_.Log().empty());
    EXPECT_EQ(table_.Entries[0].Countdown, 200 - 14);
    link_.LinkTimerTick();
    EXPECT_EQ(Connected(), 0);
    EXPECT_EQ(table_.OnlineCount, 0);
    EXPECT_EQ(table_.Entries[0].Online, 0);
    EXPECT_EQ(table_.Entries[0].Countdown, 200 - 14);  // not counted on the tick that lost the server
    EXPECT_EQ(observer_.Log(), (Log{"icon MAINICON", "balloon 3 Соединение с сервером прервано", "paint",
                                    "tip ДЛК-клиент\rподключено модемов: 0"}));
    EXPECT_EQ(observer_.ServerStates().size(), 1u);  // the loss is not posted
}

TEST_F(LinkTimerTest, ModemsAreNotCountedDownWhileTheServerIsAway) {
    server_.SetAnswerPings(false);
    OpenClientMode(5);
    {
        std::lock_guard lock(table_.TableLock);
        table_.Entries.resize(1);
        table_.Entries[0].Online = 1;
        table_.Entries[0].Countdown = 1;
        table_.OnlineCount = 1;
    }
    for (int tick = 0; tick < 5; ++tick) link_.LinkTimerTick();
    EXPECT_EQ(table_.Entries[0].Online, 1);
    EXPECT_EQ(table_.Entries[0].Countdown, 1);
}

TEST_F(LinkTimerTest, APingPeriodOfZeroPingsEveryTickAndLargeOnesStayWithinEightBits) {
    server_.SetAnswerPings(false);
    OpenClientMode(0);
    for (int tick = 0; tick < 3; ++tick) link_.LinkTimerTick();
    ASSERT_TRUE(server_.WaitForClientCount(3));
    EXPECT_EQ(server_.ClientDatagrams()[0][1], 1);  // the period the countdowns use

    link_.SetPingPeriod(100);
    EXPECT_EQ(link_.PingCountdown(), 1);
    EXPECT_EQ(table_.ServerSilenceCountdown, 255);
    link_.LinkTimerTick();
    EXPECT_EQ(link_.PingCountdown(), 100);
}

TEST_F(LinkTimerTest, ASettingsChangeOfThePeriodPingsOnTheNextTick) {
    server_.SetAnswerPings(false);
    OpenClientMode(5);
    link_.LinkTimerTick();
    link_.SetPingPeriod(8);
    EXPECT_EQ(table_.ServerSilenceCountdown, 24);
    link_.LinkTimerTick();
    ASSERT_TRUE(server_.WaitForClientCount(2));
    EXPECT_EQ(server_.ClientDatagrams()[1][1], 8);
}

TEST(DirectLinkTimer, KeepAliveCountdownTakesAModemOffline) {
    ModemTable table;
    sim::RecordingObserver observer;
    observer.SetPaintedTable(&table);
    sim::FakeLocalSide local;
    ClientLink link(table, observer);
    LinkSettings s;
    s.LocalPort = 0;
    ASSERT_TRUE(link.OpenLink(s, local).Ok());

    sim::SimulatedModem modem(kTimedImei, LoopbackEndpoint(link.BoundPort()));
    modem.SendOn(0x01);  // 4-second keep-alive: 12 ticks
    ASSERT_TRUE(observer.WaitForModemStates(1));
    observer.ClearLog();
    for (int tick = 1; tick < 12; ++tick) link.LinkTimerTick();
    EXPECT_EQ(table.Entries[0].Online, 1);
    EXPECT_EQ(table.Entries[0].Countdown, 1);

    observer.SetTimeOfDay(0.625);
    link.LinkTimerTick();
    EXPECT_EQ(table.Entries[0].Online, 0);
    EXPECT_EQ(table.Entries[0].OffTime, 0.625);
    EXPECT_EQ(table.OnlineCount, 0);
    EXPECT_EQ(observer.Log(), (Log{"sort", "paint", "tip ДЛК-клиент\rподключено модемов: 0"}));
}

}  // namespace
}  // namespace dlk::client
