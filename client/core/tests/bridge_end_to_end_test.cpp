// The whole road of the data: a local program on the pseudo-terminal or the
// local socket, the client's link, and simulated modems (directly or through
// a simulated relay server) on loopback UDP.

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <thread>

#include "client/core/bridge/dlk_pipe.h"
#include "client/core/bridge/serial_port.h"
#include "client/core/link/link_messages.h"
#include "client/core/tests/bridge_link_fixture.h"

namespace dlk::client {
namespace {

using namespace bridge_test;

class BridgeEndToEnd : public BridgeLinkFixture {};

TEST_F(BridgeEndToEnd, SerialPortInDirectMode) {
    OpenLink(1, LinkMode::Direct);
    auto& paused = AddModem(false);
    auto& first = AddModem();
    auto& offline = AddModem();
    auto& second = AddModem();
    offline.SendOff();
    for (int i = 0; i < 300 && Entry(2).Online == 1; ++i) std::this_thread::sleep_for(5ms);
    ASSERT_EQ(Entry(2).Online, 0);

    const int port = OpenSerialPort(names_.PortLink);
    ASSERT_GE(port, 0);
    const auto block = Pattern(600);
    ASSERT_TRUE(WriteAll(port, block));
    for (auto* modem : {&first, &second}) {
        ASSERT_TRUE(modem->WaitForChunkCount(3));
        EXPECT_EQ(Sizes(modem->Chunks()), (std::vector<std::size_t>{255, 255, 90}));
        EXPECT_EQ(Joined(modem->Chunks()), block);
    }
    EXPECT_EQ(Entry(1).BytesSent, 600u);
    EXPECT_EQ(Entry(3).BytesSent, 600u);
    EXPECT_FALSE(paused.WaitForChunkCount(1, 100ms));
    EXPECT_FALSE(offline.WaitForChunkCount(1, 0ms));
    EXPECT_EQ(Entry(0).BytesSent, 0u);

    // Modem data comes out of the port as it was sent, line endings and
    // control characters included, and is not echoed back to the modems.
    const std::vector<std::uint8_t> answer = {0x01, 0x03, 0x0A, 0x0D, 0x03, 0x0D, 0x0A, 0x11, 0x13, 0x00, 0xFF};
    first.SendData(answer);
    EXPECT_EQ(ReadFor(port, answer.size()), answer);
    EXPECT_FALSE(first.WaitForChunkCount(4, 200ms));
    EXPECT_EQ(second.Chunks().size(), 3u);

    ::close(port);
    const double cpu = CpuMillisecondsDuring([] { std::this_thread::sleep_for(300ms); });
    EXPECT_LT(cpu, 60.0);
    link_.CloseLink();
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(names_.PortLink)));
}

TEST_F(BridgeEndToEnd, SerialPortInClientModeThroughTheRelay) {
    OpenLink(1, LinkMode::Client);
    auto& first = AddModem();
    auto& second = AddModem();

    const int port = OpenSerialPort(names_.PortLink);
    ASSERT_GE(port, 0);
    const auto block = Pattern(600, 1);
    ASSERT_TRUE(WriteAll(port, block));
    ASSERT_TRUE(first.WaitForChunkCount(3));
    ASSERT_TRUE(second.WaitForChunkCount(3));

    const auto chunks = RelayedChunks();
    ASSERT_EQ(Sizes(chunks), (std::vector<std::size_t>{262, 262, 97, 262, 262, 97}));
    for (std::size_t i = 0; i < chunks.size(); ++i) {
        const auto& modem = i < 3 ? first : second;
        const auto trailer = ModemAddressTrailer(modem.Endpoint());
        EXPECT_TRUE(std::equal(trailer.begin(), trailer.end(), chunks[i].end() - 6)) << "datagram " << i;
    }
    EXPECT_EQ(Sizes(first.Chunks()), (std::vector<std::size_t>{255, 255, 90}));
    EXPECT_EQ(Joined(second.Chunks()), block);

    const std::vector<std::uint8_t> answer = {0x0D, 0x0A, 0x03, 0x7E};
    second.SendData(answer);
    EXPECT_EQ(ReadFor(port, answer.size()), answer);
    ::close(port);
}

TEST_F(BridgeEndToEnd, LocalSocketCarriesMessagesAndServesTheNextClient) {
    OpenLink(0, LinkMode::Direct);
    auto& filtered = AddModem();
    auto& open = AddModem();
    {
        std::lock_guard lock(table_.TableLock);
        ModemEntry& e = table_.Entries[0];
        e.Modbus = 1;
        e.ModbusLo = 1;
        e.ModbusHi = 5;
    }

    const int client = ConnectMessageSocket(names_.PipeName);
    ASSERT_GE(client, 0);
    auto block = Pattern(600);
    block[0] = 0x01;
    ASSERT_EQ(::send(client, block.data(), block.size(), 0), 600);
    ASSERT_TRUE(filtered.WaitForChunkCount(3));
    ASSERT_TRUE(open.WaitForChunkCount(3));
    EXPECT_EQ(Sizes(filtered.Chunks()), (std::vector<std::size_t>{255, 255, 90}));

    // 10000 bytes in one message: blocks of 8192 and 1808, all of it delivered.
    auto big = Pattern(10000, 5);
    big[0] = 0x06;     // outside the filtered modem's range
    big[8192] = 0x01;  // the second block's first byte is inside it
    ASSERT_EQ(::send(client, big.data(), big.size(), 0), 10000);
    ASSERT_TRUE(open.WaitForChunkCount(3 + 33 + 8));
    auto received = open.Chunks();
    received.erase(received.begin(), received.begin() + 3);
    EXPECT_EQ(Joined(received), big);
    ASSERT_TRUE(filtered.WaitForChunkCount(3 + 8));
    EXPECT_FALSE(filtered.WaitForChunkCount(3 + 9, 100ms));
    EXPECT_EQ(Entry(0).BytesSent, 600u + 1808u);
    EXPECT_EQ(Entry(1).BytesSent, 10600u);

    // Modem data reaches the client as one message.
    const std::vector<std::uint8_t> answer = {0x05, 0x0A, 0x0D, 0x03};
    open.SendData(answer);
    ASSERT_TRUE(Readable(client, 3000));
    std::uint8_t buffer[64];
    ASSERT_EQ(::recv(client, buffer, sizeof buffer, 0), 4);
    EXPECT_EQ(std::vector<std::uint8_t>(buffer, buffer + 4), answer);
    ::close(client);

    const int next = ConnectMessageSocket(names_.PipeName);
    ASSERT_GE(next, 0);
    const std::vector<std::uint8_t> hello = {0x05, 0x10};
    ASSERT_EQ(::send(next, hello.data(), hello.size(), 0), 2);
    ASSERT_TRUE(filtered.WaitForChunkCount(3 + 8 + 1));
    EXPECT_EQ(filtered.Chunks().back(), hello);
    open.SendData(answer);
    ASSERT_TRUE(Readable(next, 3000));
    EXPECT_EQ(::recv(next, buffer, sizeof buffer, 0), 4);
    ::close(next);

    const double cpu = CpuMillisecondsDuring([] { std::this_thread::sleep_for(300ms); });
    EXPECT_LT(cpu, 60.0);
}

TEST_F(BridgeEndToEnd, LocalSocketInClientMode) {
    OpenLink(0, LinkMode::Client);
    auto& modem = AddModem();
    const int client = ConnectMessageSocket(names_.PipeName);
    ASSERT_GE(client, 0);
    const auto block = Pattern(300);
    ASSERT_EQ(::send(client, block.data(), block.size(), 0), 300);
    ASSERT_TRUE(modem.WaitForChunkCount(2));
    EXPECT_EQ(Sizes(RelayedChunks()), (std::vector<std::size_t>{262, 52}));
    EXPECT_EQ(Joined(modem.Chunks()), block);
    ::close(client);
}

TEST_F(BridgeEndToEnd, LocalSideFailuresStopTheOpenWithTheirMessage) {
    LinkSettings settings;
    settings.LocalPort = 0;

    std::ofstream(folder_.Path("CNCB0")) << "not a port";
    serial_port port(folder_.Path("CNCB0"));
    settings.NullModemMode = 1;
    auto result = link_.OpenLink(settings, port);
    EXPECT_EQ(result.Failure, OpenFailure::LocalSide);
    EXPECT_EQ(result.Message, kComPortOpenFailed);
    EXPECT_FALSE(link_.IsOpen());
    EXPECT_FALSE(observer_.TimerRunning());

    const std::string name = UniqueName("dlk_pipe_e2e");
    MessageSocketServer squatter;
    ASSERT_EQ(squatter.Listen(name), MessageSocketServer::ListenResult::Listening);
    dlk_pipe pipe(name);
    settings.NullModemMode = 0;
    result = link_.OpenLink(settings, pipe);
    EXPECT_EQ(result.Failure, OpenFailure::LocalSide);
    EXPECT_EQ(result.Message, kPipeCreateFailed);
    EXPECT_FALSE(link_.IsOpen());
    EXPECT_EQ(observer_.Icon(), TrayIcon::MAINICON);
    link_.CloseLink();  // before the sides it was given go
}

TEST_F(BridgeEndToEnd, TwentyLinkRestartsLeakNoDescriptor) {
    names_ = {folder_.Path("CNCB0"), UniqueName("dlk_pipe_e2e")};
    LinkSettings settings;
    settings.LocalPort = 0;
    const std::size_t before = OpenDescriptorCount();
    for (int cycle = 0; cycle < 20; ++cycle) {
        settings.NullModemMode = static_cast<std::uint8_t>(cycle % 2);
        auto side = MakeLocalSide(settings.NullModemMode, names_);
        ASSERT_TRUE(link_.OpenLink(settings, *side).Ok());
        const int peer =
            settings.NullModemMode == 1 ? OpenSerialPort(names_.PortLink) : ConnectMessageSocket(names_.PipeName);
        ASSERT_GE(peer, 0);
        const std::uint8_t byte = 0x33;
        ASSERT_EQ(::write(peer, &byte, 1), 1);
        link_.CloseLink();
        ::close(peer);
    }
    EXPECT_EQ(OpenDescriptorCount(), before);
}

}  // namespace
}  // namespace dlk::client
