#include <mutex>

#include "client/app/tests/shell_fixture.h"
#include "client/core/link/credential_crc.h"
#include "client/core/link/packets.h"
#include "client/core/settings/modems_file.h"
#include "client/testing/simulated_modem.h"
#include "client/testing/simulated_relay_server.h"
#include "framework/controls/timer.h"

namespace dlk::client::shell_testing {
namespace {

ImeiBcd Imei(int n) {
    std::string digits = "35000000000000" + std::to_string(n % 10);
    digits[12] = char('0' + n / 10);
    return *TextToImei(digits);
}

std::uint16_t Online(TForm1& form) {
    std::lock_guard lock(form.Table().TableLock);
    return form.Table().OnlineCount;
}

TEST_F(ShellTest, TipFollowsTheOnlineCountWithNothingLeftOverWhenItShrinks) {
    TForm1& form = Start();
    std::vector<std::unique_ptr<sim::SimulatedModem>> modems;
    for (int i = 0; i < 10; ++i) {
        modems.push_back(std::make_unique<sim::SimulatedModem>(Imei(i), LoopbackEndpoint(settings_.LocalPort)));
        modems.back()->SendOn();
    }
    ASSERT_TRUE(WaitUntil([&] { return tray_.Tip == "ДЛК-клиент\rподключено модемов: 10"; })) << tray_.Tip;
    modems[3]->SendOff();
    ASSERT_TRUE(WaitUntil([&] { return Online(form) == 9; }));
    ASSERT_TRUE(WaitUntil([&] { return tray_.Tip == "ДЛК-клиент\rподключено модемов: 9"; })) << tray_.Tip;
}

TEST_F(ShellTest, NewModemTakesItsStoredSettingsAndStaysPausedWithout) {
    ModemUserSettings known;
    known.Name = MakeShortString<31>("Котельная");
    known.PausedAtStart = 0;
    std::string error;
    ASSERT_TRUE(StoreModemSettings(folder_ / kModemsFileName, Imei(1), known, &error)) << error;
    settings_.OneModemActive = 0;
    TForm1& form = Start();
    sim::SimulatedModem stored(Imei(1), LoopbackEndpoint(settings_.LocalPort));
    sim::SimulatedModem stranger(Imei(2), LoopbackEndpoint(settings_.LocalPort));
    stored.SendOn();
    stranger.SendOn();
    ASSERT_TRUE(WaitUntil([&] { return tray_.Tip == "ДЛК-клиент\rподключено модемов: 2"; }));
    std::lock_guard lock(form.Table().TableLock);
    const auto storedIndex = form.Table().FindByImei(Imei(1));
    const auto strangerIndex = form.Table().FindByImei(Imei(2));
    ASSERT_TRUE(storedIndex && strangerIndex);
    const ModemEntry& a = form.Table().Entries[*storedIndex];
    const ModemEntry& b = form.Table().Entries[*strangerIndex];
    EXPECT_EQ(a.Paused, 0);
    EXPECT_EQ(a.Name, known.Name);
    EXPECT_EQ(b.Paused, 1);
}

class RelayShellTest : public ShellTest {
protected:
    void SetUp() override {
        ShellTest::SetUp();
        settings_.ClientMode = 1;
        settings_.ClientId = MakeShortString<8>("client1");
        settings_.ClientPassword = MakeShortString<8>("secret");
        settings_.ServerAddress = {127, 0, 0, 1};
        settings_.ServerPort = relay_.Port();
        settings_.PingPeriod = 8;
        relay_.AddAccount(CredentialCrc(settings_.ClientId, settings_.ClientPassword));
    }
    // One tick pings; the server's Hey comes back as a posted message.
    void Connect(TForm1& form) {
        form.Timer1Timer(nullptr);
        ASSERT_TRUE(WaitUntil([&] { return !tray_.Balloons.empty(); }));
    }
    sim::SimulatedRelayServer relay_;
};

TEST_F(RelayShellTest, HeyShowsColourAndBalloonByeTakesEveryModemOff) {
    TForm1& form = Start();
    EXPECT_EQ(tray_.Icon, "MAINICON");  // client mode waits for the server
    Connect(form);
    EXPECT_EQ(tray_.Icon, "COLOR");
    ASSERT_EQ(tray_.Balloons.size(), 1u);
    EXPECT_EQ(tray_.Balloons[0].Title, "ДЛК-клиент");
    EXPECT_EQ(tray_.Balloons[0].Text, "Подключен к серверу");
    EXPECT_EQ(tray_.Balloons[0].TimeoutMs, 30000);
    EXPECT_EQ(tray_.Balloons[0].Kind, TrayBalloonKind::Information);

    sim::SimulatedModem modem(Imei(5), relay_.Endpoint());
    modem.SendOn();
    ASSERT_TRUE(WaitUntil([&] { return tray_.Tip == "ДЛК-клиент\rподключено модемов: 1"; })) << tray_.Tip;

    relay_.SendBye();
    ASSERT_TRUE(WaitUntil([&] { return tray_.Balloons.size() == 2; }));
    EXPECT_EQ(tray_.Balloons[1].Text, "Сервер отключился");
    EXPECT_EQ(tray_.Balloons[1].Kind, TrayBalloonKind::Error);
    EXPECT_EQ(tray_.Icon, "MAINICON");
    EXPECT_EQ(tray_.Tip, "ДЛК-клиент\rподключено модемов: 0");
    EXPECT_EQ(Online(form), 0);
    std::lock_guard lock(form.Table().TableLock);
    ASSERT_EQ(form.Table().Entries.size(), 1u);
    EXPECT_EQ(form.Table().Entries[0].Online, 0);
}

TEST_F(RelayShellTest, ClosingWhileConnectedLogsOff) {
    TForm1& form = Start();
    Connect(form);
    const std::size_t before = relay_.ClientDatagrams().size();
    form_.reset();
    ASSERT_TRUE(relay_.WaitForClientCount(before + 1));
    const std::vector<std::uint8_t> last = relay_.ClientDatagrams().back();
    const auto expected = LogoffPacket(8, CredentialCrc(settings_.ClientId, settings_.ClientPassword));
    EXPECT_EQ(last, std::vector<std::uint8_t>(expected.begin(), expected.end()));
    EXPECT_EQ(last[0], 0x83);
    EXPECT_EQ(tray_.Icon, "MAINICON");
}

TEST_F(RelayShellTest, MessagesOfAClosedLinkAreDropped) {
    TForm1& form = Start();
    Connect(form);
    form.CloseLink();
    const std::size_t balloons = tray_.Balloons.size();
    // A server-state message still queued from the closed link.
    PostMessage(form.Widget(), WM_SERVERSTATE, form.Link().Generation() - 1, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(tray_.Balloons.size(), balloons);
    EXPECT_EQ(tray_.Icon, "MAINICON");
}

}  // namespace
}  // namespace dlk::client::shell_testing
