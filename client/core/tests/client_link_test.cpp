#include "client/core/link/client_link.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "client/core/link/link_messages.h"
#include "client/testing/fake_local_side.h"
#include "client/testing/recording_observer.h"
#include "client/testing/simulated_relay_server.h"

namespace dlk::client {
namespace {

using namespace std::chrono_literals;
using Log = std::vector<std::string>;

LinkSettings DirectSettings() {
    LinkSettings s;
    s.LocalPort = 0;  // the system picks a free port
    return s;
}

class ClientLinkTest : public ::testing::Test {
protected:
    ModemTable table_;
    sim::RecordingObserver observer_;
    sim::FakeLocalSide local_;
    ClientLink link_{table_, observer_};
};

TEST_F(ClientLinkTest, OpensLocalSideSocketAndThreadsThenShowsTheLinkedIcon) {
    const OpenResult r = link_.OpenLink(DirectSettings(), local_);
    ASSERT_TRUE(r.Ok()) << r.Message;
    EXPECT_TRUE(link_.IsOpen());
    EXPECT_NE(link_.BoundPort(), 0);
    EXPECT_TRUE(local_.ReaderStarted());
    EXPECT_EQ(link_.PingCountdown(), 1);
    EXPECT_EQ(observer_.Log(), (Log{"timer on", "icon COLOR"}));
}

TEST_F(ClientLinkTest, ClientModeWaitsForTheServerBeforeShowingTheLinkedIcon) {
    LinkSettings s = DirectSettings();
    s.ClientMode = 1;
    {
        std::lock_guard lock(table_.TableLock);
        table_.ServerConnected = 1;  // left over from an earlier link
        table_.ServerSilenceCountdown = 2;
    }
    ASSERT_TRUE(link_.OpenLink(s, local_).Ok());
    EXPECT_EQ(observer_.Log(), (Log{"timer on"}));
    EXPECT_EQ(table_.ServerConnected, 0);
    EXPECT_EQ(table_.ServerSilenceCountdown, 15);
}

TEST_F(ClientLinkTest, ALocalSideThatWillNotOpenStopsEverythingElse) {
    local_.SetOpenResult(false);
    LinkSettings s = DirectSettings();
    s.NullModemMode = 0;
    OpenResult r = link_.OpenLink(s, local_);
    EXPECT_EQ(r.Failure, OpenFailure::LocalSide);
    EXPECT_EQ(r.Message, "Инициализация... Не удаётся создать канал");
    EXPECT_FALSE(r.EndApplication);
    EXPECT_FALSE(link_.IsOpen());
    EXPECT_FALSE(local_.ReaderStarted());
    EXPECT_TRUE(observer_.Log().empty());

    s.NullModemMode = 1;
    r = link_.OpenLink(s, local_);
    EXPECT_EQ(r.Message,
              "Инициализация... Не удаётся открыть COM-порт.\rПроверьте - установлена ли программа com0com?");
}

// Counts every call, so a link that reaches a side it never opened shows.
class RefusingSide final : public LocalSide {
public:
    bool Open() override { return false; }
    void StartReader(std::function<void(std::span<const std::uint8_t>)>) override { ++Calls; }
    void Close() override { ++Calls; }
    void Write(std::span<const std::uint8_t>) override { ++Calls; }
    bool IsOpen() const override { return false; }
    int Calls = 0;
};

TEST_F(ClientLinkTest, ASideThatWouldNotOpenIsForgottenSoItMayBeReplaced) {
    RefusingSide refusing;
    ASSERT_EQ(link_.OpenLink(DirectSettings(), refusing).Failure, OpenFailure::LocalSide);
    ASSERT_TRUE(link_.OpenLink(DirectSettings(), local_).Ok());
    link_.CloseLink();
    EXPECT_EQ(refusing.Calls, 0);
    EXPECT_EQ(local_.CloseCalls(), 1);

    // As the window does: the failed side is freed before the next one opens.
    auto freed = std::make_unique<RefusingSide>();
    ASSERT_EQ(link_.OpenLink(DirectSettings(), *freed).Failure, OpenFailure::LocalSide);
    freed.reset();
    ASSERT_TRUE(link_.OpenLink(DirectSettings(), local_).Ok());
    link_.CloseLink();
    EXPECT_EQ(local_.CloseCalls(), 2);
}

TEST_F(ClientLinkTest, APortInUseIsNamedAndLeavesOnlyTheLocalSideOpen) {
    UdpSocket squatter;
    ASSERT_EQ(squatter.Open(), 0);
    ASSERT_EQ(squatter.Bind(0), 0);
    LinkSettings s = DirectSettings();
    s.LocalPort = squatter.LocalPort();

    const OpenResult r = link_.OpenLink(s, local_);
    EXPECT_EQ(r.Failure, OpenFailure::Bind);
    EXPECT_EQ(r.Message, "Инициализация... Ошибка - порт " + std::to_string(s.LocalPort) + " занят");
    EXPECT_FALSE(r.EndApplication);
    EXPECT_FALSE(link_.IsOpen());
    EXPECT_TRUE(link_.LocalSideOpen());
    EXPECT_FALSE(local_.ReaderStarted());
    EXPECT_FALSE(observer_.TimerRunning());

    link_.CloseLink();
    EXPECT_FALSE(local_.IsOpen());
    EXPECT_EQ(local_.CloseCalls(), 1);
    EXPECT_EQ(observer_.Log(), (Log{"icon MAINICON", "tip ДЛК-клиент\rподключено модемов: 0"}));
}

TEST_F(ClientLinkTest, OtherBindErrorsShowTheirCode) {
    EXPECT_EQ(BindErrorText(13), "Инициализация... Ошибка - bind error 13");
    EXPECT_EQ(SocketErrorText(24), "Инициализация... Ошибка - Socket error 24");
    EXPECT_EQ(PortInUseText(1025), "Инициализация... Ошибка - порт 1025 занят");
}

TEST_F(ClientLinkTest, CloseJoinsTheReceiverQuicklyAndIsIdempotent) {
    ASSERT_TRUE(link_.OpenLink(DirectSettings(), local_).Ok());
    observer_.ClearLog();
    const auto started = std::chrono::steady_clock::now();
    link_.CloseLink();
    EXPECT_LT(std::chrono::steady_clock::now() - started, 100ms);
    EXPECT_FALSE(link_.IsOpen());
    EXPECT_FALSE(local_.IsOpen());
    EXPECT_EQ(observer_.Log(), (Log{"timer off", "icon MAINICON", "tip ДЛК-клиент\rподключено модемов: 0"}));
    link_.CloseLink();
    EXPECT_EQ(local_.CloseCalls(), 1);
}

TEST_F(ClientLinkTest, CloseLogsOffAConnectedServerOnce) {
    sim::SimulatedRelayServer server;
    LinkSettings s = DirectSettings();
    s.ClientMode = 1;
    s.ServerPort = server.Port();
    s.ClientId = MakeShortString<8>("1234");
    s.ClientPassword = MakeShortString<8>("56789");
    ASSERT_TRUE(link_.OpenLink(s, local_).Ok());
    {
        std::lock_guard lock(table_.TableLock);
        table_.ServerConnected = 1;
    }
    link_.CloseLink();
    const auto logoff = server.WaitForClientDatagram();
    ASSERT_TRUE(logoff);
    EXPECT_EQ(*logoff, (std::vector<std::uint8_t>{0x83, 5, 0x26, 0x39, 0xF4, 0xCB}));
    EXPECT_EQ(table_.ServerConnected, 0);
    link_.CloseLink();
    EXPECT_FALSE(server.WaitForClientCount(2, 50ms));
}

TEST_F(ClientLinkTest, EveryOpeningAndClosingStartsANewGeneration) {
    const std::uint32_t before = link_.Generation();
    ASSERT_TRUE(link_.OpenLink(DirectSettings(), local_).Ok());
    const std::uint32_t open = link_.Generation();
    EXPECT_NE(open, before);
    EXPECT_TRUE(link_.IsCurrentGeneration(open));
    link_.CloseLink();
    EXPECT_FALSE(link_.IsCurrentGeneration(open));

    // A server-state message of the closed link changes nothing.
    {
        std::lock_guard lock(table_.TableLock);
        table_.Entries.resize(1);
        table_.Entries[0].Online = 1;
        table_.OnlineCount = 1;
    }
    observer_.ClearLog();
    link_.HandleServerState(open);
    EXPECT_TRUE(observer_.Log().empty());
    EXPECT_EQ(table_.OnlineCount, 1);
}

TEST_F(ClientLinkTest, ServerStateMessagesSetIconBalloonAndTip) {
    LinkSettings s = DirectSettings();
    s.ClientMode = 1;
    ASSERT_TRUE(link_.OpenLink(s, local_).Ok());
    observer_.ClearLog();
    {
        std::lock_guard lock(table_.TableLock);
        table_.ServerConnected = 1;
    }
    link_.HandleServerState(link_.Generation());
    EXPECT_EQ(observer_.Log(),
              (Log{"icon COLOR", "balloon 1 Подключен к серверу", "tip ДЛК-клиент\rподключено модемов: 0"}));

    {
        std::lock_guard lock(table_.TableLock);
        table_.ServerConnected = 0;
        table_.Entries.resize(2);
        table_.Entries[0].Online = 1;
        table_.Entries[1].Online = 1;
        table_.Entries[1].OnTime = 0.5;
        table_.OnlineCount = 2;
    }
    observer_.ClearLog();
    link_.HandleServerState(link_.Generation());
    EXPECT_EQ(observer_.Log(),
              (Log{"paint", "icon MAINICON", "balloon 3 Сервер отключился", "tip ДЛК-клиент\rподключено модемов: 0"}));
    EXPECT_EQ(table_.OnlineCount, 0);
    EXPECT_EQ(table_.Entries[1].Online, 0);
    EXPECT_EQ(table_.Entries[1].OnTime, 0.5);
}

TEST(OnlineTip, IsTheWholeTextWithTheCount) {
    EXPECT_EQ(OnlineTip(10), "ДЛК-клиент\rподключено модемов: 10");
    EXPECT_EQ(OnlineTip(9), "ДЛК-клиент\rподключено модемов: 9");
}

}  // namespace
}  // namespace dlk::client
