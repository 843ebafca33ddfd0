#include <mutex>

#include "client/app/modem_list_images.h"
#include "client/app/modem_list_view.h"
#include "client/app/tests/shell_fixture.h"
#include "client/app/unit2.h"
#include "client/core/settings/modems_file.h"
#include "client/core/tests/bridge_test_support.h"
#include "client/testing/simulated_modem.h"
#include "client/testing/simulated_relay_server.h"
#include "framework/controls/menus.h"
#include "platform/encoding/cp1251.h"

namespace dlk::client::shell_testing {
namespace {

const ImeiBcd kImei = *TextToImei("356938035643809");

// The whole window: a simulated modem known to the modems file is heard,
// starts active, carries the local program's bytes without any click, and
// its row appears in the window with the counters it has.
class ModemListShellTest : public ShellTest {
protected:
    void StoreModem(std::uint8_t pausedAtStart) {
        ModemUserSettings s;
        s.Name = MakeShortString<31>(Utf8ToCp1251("Насос"));
        s.PausedAtStart = pausedAtStart;
        std::string error;
        ASSERT_TRUE(StoreModemSettings(folder_ / kModemsFileName, kImei, s, &error)) << error;
    }
    ModemEntry EntryCopy(TForm1& form) {
        std::lock_guard lock(form.Table().TableLock);
        return form.Table().Entries.empty() ? ModemEntry{} : form.Table().Entries[0];
    }
    // The modem comes on, is found in the modems file and starts active; the
    // local program's bytes reach it and its answer comes back; the window
    // shows its row with the counters.
    void ShowsTheModemCarryingData(TForm1& form, sim::SimulatedModem& modem) {
        form.Show();
        modem.SendOn();
        ASSERT_TRUE(WaitUntil([&] { return HasEntry(form) && EntryCopy(form).Name.Length() > 0; }));
        EXPECT_EQ(EntryCopy(form).Paused, 0);
        std::unique_ptr<PipeClient> client;
        ASSERT_TRUE(WaitUntil([&] {
            client = std::make_unique<PipeClient>(env_.LocalNames.PipeName);
            return client->Connected();
        }));
        PipeClient& local = *client;
        ASSERT_TRUE(local.Send({0x01, 0x03, 0x00, 0x10}));
        const auto chunk = modem.WaitForChunk();
        ASSERT_TRUE(chunk);
        EXPECT_EQ(*chunk, (std::vector<std::uint8_t>{0x01, 0x03, 0x00, 0x10}));
        modem.SendData(std::vector<std::uint8_t>{0x01, 0x03, 0x02, 0x00, 0x2A});
        EXPECT_EQ(local.Receive(), (std::vector<std::uint8_t>{0x01, 0x03, 0x02, 0x00, 0x2A}));
        ASSERT_TRUE(WaitUntil([&] { return EntryCopy(form).BytesReceived == 5 && EntryCopy(form).BytesSent == 4; }));

        // The window shows what the list rendered: the row of the modem.
        form.List().DrawModemList();
        const QImage frame = form.List().Frame();
        ASSERT_FALSE(frame.isNull());
        const QImage window = form.Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage shown = window.copy(0, 20, frame.width(), frame.height());
        EXPECT_EQ(shown, frame.convertToFormat(QImage::Format_RGB32));
        // Its state picture: on-line and active.
        const QImage& state = StateImage(kOnlineActive);
        EXPECT_EQ(window.pixel(1 + 7, 20 + 8) | 0xFF000000u, state.pixel(7, 8) | 0xFF000000u);
        // Dark glyphs in the name, IMEI and counter columns.
        auto darkIn = [&](int left, int right) {
            int dark = 0;
            for (int y = 20; y < 36; ++y) {
                for (int x = left; x < right; ++x) dark += qGray(window.pixel(x, y)) < 64 ? 1 : 0;
            }
            return dark;
        };
        EXPECT_GT(darkIn(19, 147), 10);
        EXPECT_GT(darkIn(151, 267), 10);
        EXPECT_GT(darkIn(271, 327), 5);

        // More data: the received column changes.
        modem.SendData(std::vector<std::uint8_t>(200, 0x55));
        ASSERT_TRUE(WaitUntil([&] { return EntryCopy(form).BytesReceived == 205; }));
        form.List().DrawModemList();
        EXPECT_NE(form.List().Frame().copy(271, 0, 56, 16), frame.copy(271, 0, 56, 16));
    }
    bool HasEntry(TForm1& form) {
        std::lock_guard lock(form.Table().TableLock);
        return !form.Table().Entries.empty();
    }
};

TEST_F(ModemListShellTest, AStoredModemIsActiveAtOnceAndShownWithItsCounters) {
    settings_.OneModemActive = 0;
    StoreModem(0);
    TForm1& form = Start();
    ASSERT_TRUE(form.Link().IsOpen());
    sim::SimulatedModem modem(kImei, LoopbackEndpoint(settings_.LocalPort));
    ShowsTheModemCarryingData(form, modem);
}

TEST_F(ModemListShellTest, ThroughTheRelayServerTheSameRowAppears) {
    sim::SimulatedRelayServer relay;
    relay.AddAccount("op1", "pw");
    settings_.ClientMode = 1;
    settings_.ClientId = MakeShortString<8>("op1");
    settings_.ClientPassword = MakeShortString<8>("pw");
    settings_.ServerPort = relay.Port();
    settings_.OneModemActive = 0;
    StoreModem(0);
    TForm1& form = Start();
    ASSERT_TRUE(form.Link().IsOpen());
    ASSERT_TRUE(WaitUntil([&] { return relay.LoggedInClient().has_value(); }));
    sim::SimulatedModem modem(kImei, relay.Endpoint());
    ShowsTheModemCarryingData(form, modem);
}

// A serial program nobody here wrote, on the pseudo-terminal: with the
// modem's record saying "not paused at start", its bytes reach the modem and
// the answer comes back without anyone touching the window.
TEST_F(ModemListShellTest, ARealSerialProgramReachesAStoredModemWithoutAnyClick) {
    constexpr const char* kSocat = "/usr/bin/socat";
    if (::access(kSocat, X_OK) != 0) GTEST_SKIP() << "no socat";
    settings_.NullModemMode = 1;
    settings_.OneModemActive = 0;
    StoreModem(0);
    TForm1& form = Start();
    ASSERT_TRUE(form.Link().IsOpen()) << (boxes_.empty() ? "" : boxes_[0].Text);
    sim::SimulatedModem modem(kImei, LoopbackEndpoint(settings_.LocalPort));
    modem.SendOn();
    ASSERT_TRUE(WaitUntil([&] { return HasEntry(form) && EntryCopy(form).Paused == 0; }));

    bridge_test::ChildProcess socat({kSocat, "-t", "1", "STDIO", "FILE:" + env_.LocalNames.PortLink + ",raw,echo=0"});
    ASSERT_TRUE(socat.Started());
    const std::vector<std::uint8_t> request = {0x01, 0x03, 0x00, 0x10, 0x00, 0x02, 0xC5, 0xCE};
    ASSERT_TRUE(bridge_test::WriteAll(socat.StdIn(), request));
    const auto chunk = modem.WaitForChunk(std::chrono::seconds(5));
    ASSERT_TRUE(chunk);
    EXPECT_EQ(*chunk, request);
    const std::vector<std::uint8_t> answer = {0x01, 0x03, 0x04, 0x00, 0x2A, 0x00, 0x07};
    modem.SendData(answer);
    EXPECT_EQ(bridge_test::ReadFor(socat.StdOut(), answer.size(), 5000), answer);
    socat.CloseStdIn();
    EXPECT_EQ(socat.Wait(), 0);
}

TEST_F(ModemListShellTest, AModemWithoutARecordIsHeardPaused) {
    TForm1& form = Start();
    sim::SimulatedModem modem(kImei, LoopbackEndpoint(settings_.LocalPort));
    modem.SendOn();
    // The window has handled the new modem once the tip counts it.
    ASSERT_TRUE(WaitUntil([&] { return tray_.Tip == "ДЛК-клиент\rподключено модемов: 1"; }));
    EXPECT_EQ(EntryCopy(form).Paused, 1);
    EXPECT_EQ(EntryCopy(form).Name.Length(), 0u);
}

TEST_F(ModemListShellTest, SettingsFromTheTrayMenuAreAppliedAndSaved) {
    TForm1& form = Start();
    std::filesystem::remove(folder_ / kClientConfigFileName);
    TForm::SetModalAnswerer([&](TForm& d) {
        auto& dialog = static_cast<TForm2&>(d);
        EXPECT_EQ(dialog.Edit1->Text(), std::to_string(settings_.LocalPort));
        // "Выход" while the dialog is open leaves the window alone.
        form.N1->Click();
        EXPECT_TRUE(boxes_.empty());
        dialog.Edit5->SetText("12");
        dialog.Button1->PerformClick();
    });
    form.N2->Click();
    TForm::SetModalAnswerer(nullptr);
    EXPECT_EQ(form.Config().Link.PingPeriod, 12);
    EXPECT_TRUE(form.Link().IsOpen());
    const auto saved = ReadClientConfig(folder_ / kClientConfigFileName, ClientConfig{});
    EXPECT_EQ(std::filesystem::file_size(folder_ / kClientConfigFileName), kClientConfigSize);
    EXPECT_EQ(saved.Link.PingPeriod, 12);
    EXPECT_EQ(saved.Link.LocalPort, settings_.LocalPort);
}

TEST_F(ModemListShellTest, ASettingsRestartEmptiesTheListAfterTheOldLinkStopped) {
    settings_.OneModemActive = 0;
    StoreModem(0);
    TForm1& form = Start();
    sim::SimulatedModem modem(kImei, LoopbackEndpoint(settings_.LocalPort));
    modem.SendOn();
    ASSERT_TRUE(WaitUntil([&] { return tray_.Tip == "ДЛК-клиент\rподключено модемов: 1"; }));
    {
        std::lock_guard lock(form.Table().TableLock);
        form.Table().SelectedRow = 0;
    }
    const std::uint16_t newPort = FreeUdpPort();
    TForm::SetModalAnswerer([&](TForm& d) {
        auto& dialog = static_cast<TForm2&>(d);
        dialog.Edit1->SetText(std::to_string(newPort));
        dialog.Button1->PerformClick();
    });
    form.N2->Click();
    TForm::SetModalAnswerer(nullptr);
    {
        std::lock_guard lock(form.Table().TableLock);
        EXPECT_EQ(form.Table().ModemTableCount(), 0);
        EXPECT_EQ(form.Table().SelectedRow, -1);
    }
    EXPECT_FALSE(form.Link().IsOpen());
    // The old port hears nothing any more: a modem announcing itself there
    // adds no entry while the new link waits for its pause to end.
    modem.SendOn();
    // The link comes back after a pause of 2 s; a loaded machine may take longer.
    ASSERT_TRUE(WaitUntil([&] { return form.Link().IsOpen(); }, 15000));
    EXPECT_EQ(form.Link().BoundPort(), newPort);
    std::lock_guard lock(form.Table().TableLock);
    EXPECT_EQ(form.Table().ModemTableCount(), 0);
}

}  // namespace
}  // namespace dlk::client::shell_testing
