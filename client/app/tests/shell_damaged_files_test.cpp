// The program meets damaged or special files in its folder and goes on.
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <mutex>

#include "client/app/tests/shell_fixture.h"
#include "client/core/link/link_messages.h"
#include "client/core/settings/modems_file.h"
#include "client/testing/simulated_modem.h"
#include "platform/testing/fifo_in_place.h"

namespace dlk::client::shell_testing {
namespace {

TEST_F(ShellTest, AFifoInPlaceOfTheConfigurationStartsWithTheDefaults) {
    dlk::testing::FifoInPlace fifo(folder_ / kClientConfigFileName);
    form_ = std::make_unique<TForm1>(nullptr, env_);
    EXPECT_FALSE(fifo.ReaderWasStuck());
    EXPECT_EQ(form_->Config().Link.LocalPort, LinkSettings{}.LocalPort);
    // The default port may be held by another test running at the same time;
    // then the program says so and goes on, as it would for a user.
    const auto texts = BoxTexts();
    const bool port_taken =
        std::find(texts.begin(), texts.end(), PortInUseText(LinkSettings{}.LocalPort)) != texts.end();
    EXPECT_TRUE(form_->Link().IsOpen() || port_taken);
}

TEST_F(ShellTest, AFifoInPlaceOfTheModemsFileLeavesAHeardModemUnknown) {
    dlk::testing::FifoInPlace fifo(folder_ / kModemsFileName);
    TForm1& form = Start();
    sim::SimulatedModem modem(*TextToImei("356938035643809"), LoopbackEndpoint(settings_.LocalPort));
    modem.SendOn();
    auto entries = [&] {
        std::lock_guard lock(form.Table().TableLock);
        return form.Table().Entries.size();
    };
    ASSERT_TRUE(WaitUntil([&] { return entries() == 1; }));
    WaitUntil([] { return false; }, 100);  // the window handles the news of the modem
    EXPECT_FALSE(fifo.ReaderWasStuck());
    std::lock_guard lock(form.Table().TableLock);
    EXPECT_EQ(form.Table().Entries[0].Name.Length(), 0u);
    EXPECT_EQ(form.Table().Entries[0].Paused, 1);
}

TEST_F(ShellTest, ADamagedWindowPlacementIsKeptOnTheScreen) {
    ClientConfig config = DefaultClientConfig(1024, 768, 0);
    config.Link = settings_;
    config.Window = {32767, 32767, 65535, 65535};
    std::string error;
    ASSERT_TRUE(SaveClientConfig(folder_ / kClientConfigFileName, config, &error)) << error;
    form_ = std::make_unique<TForm1>(nullptr, env_);
    const QRect window(form_->Left(), form_->Top(), form_->Width(), form_->Height());
    EXPECT_TRUE(QGuiApplication::primaryScreen()->availableGeometry().contains(window)) << window.width();
}

}  // namespace
}  // namespace dlk::client::shell_testing
