#include <gtest/gtest.h>

#include <fstream>
#include <thread>

#include "client/core/bridge/dlk_pipe.h"
#include "client/core/bridge/local_sides.h"
#include "client/core/bridge/serial_port.h"
#include "client/core/tests/bridge_test_support.h"

namespace dlk::client {
namespace {

using namespace bridge_test;
using namespace std::chrono_literals;

// ---- the pseudo-terminal side

TEST(SerialPortSide, CarriesBytesBothWaysAndStopsCleanly) {
    ScratchFolder folder;
    serial_port side(folder.Path("CNCB0"));
    ASSERT_TRUE(side.Open());
    EXPECT_TRUE(side.IsOpen());
    BlockRecorder forwarded;
    side.StartReader(forwarded.Callback());

    const int port = OpenSerialPort(folder.Path("CNCB0"));
    ASSERT_GE(port, 0);
    const auto written = Pattern(20000);
    ASSERT_TRUE(WriteAll(port, written));
    ASSERT_TRUE(forwarded.WaitForBytes(written.size()));
    EXPECT_EQ(forwarded.Joined(), written);
    for (const std::size_t size : forwarded.Sizes()) EXPECT_LE(size, 8192u);

    const std::vector<std::uint8_t> reply = {0x0A, 0x0D, 0x03, 0x11, 0x13, 0x00, 0xFF};
    side.Write(reply);
    EXPECT_EQ(ReadFor(port, reply.size()), reply);

    side.Close();
    EXPECT_FALSE(side.IsOpen());
    EXPECT_FALSE(side.ReaderRunning());
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(folder.Path("CNCB0"))));
    side.Close();
    side.Write(reply);  // after the close: dropped, no crash
    ::close(port);
}

TEST(SerialPortSide, ReaderDoesNotSpinOnceTheProgramClosesThePort) {
    ScratchFolder folder;
    serial_port side(folder.Path("CNCB0"));
    ASSERT_TRUE(side.Open());
    BlockRecorder forwarded;
    side.StartReader(forwarded.Callback());
    const int port = OpenSerialPort(folder.Path("CNCB0"));
    ASSERT_GE(port, 0);
    const std::vector<std::uint8_t> hello = {1, 2, 3};
    ASSERT_TRUE(WriteAll(port, hello));
    ASSERT_TRUE(forwarded.WaitForBytes(3));
    ::close(port);

    const double cpu = CpuMillisecondsDuring([] { std::this_thread::sleep_for(300ms); });
    EXPECT_LT(cpu, 60.0);

    // Still serving: the next program is heard.
    const int again = OpenSerialPort(folder.Path("CNCB0"));
    ASSERT_GE(again, 0);
    ASSERT_TRUE(WriteAll(again, hello));
    EXPECT_TRUE(forwarded.WaitForBytes(6));
    ::close(again);
}

TEST(SerialPortSide, RefusesToOpenOverAFile) {
    ScratchFolder folder;
    std::ofstream(folder.Path("CNCB0")) << "keep me";
    serial_port side(folder.Path("CNCB0"));
    EXPECT_FALSE(side.Open());
    EXPECT_FALSE(side.IsOpen());
    EXPECT_EQ(side.LastOpenResult(), PseudoTerminal::OpenResult::NameTaken);
    BlockRecorder forwarded;
    side.StartReader(forwarded.Callback());  // no reader without an open side
    EXPECT_FALSE(side.ReaderRunning());
    side.Close();
    std::ifstream in(folder.Path("CNCB0"));
    std::string text;
    std::getline(in, text);
    EXPECT_EQ(text, "keep me");
}

TEST(SerialPortSide, WritesToAnUnreadPortNeverBlock) {
    ScratchFolder folder;
    serial_port side(folder.Path("CNCB0"));
    ASSERT_TRUE(side.Open());
    const int port = OpenSerialPort(folder.Path("CNCB0"));  // open, but never read
    ASSERT_GE(port, 0);
    const auto chunk = Pattern(512);
    const auto started = std::chrono::steady_clock::now();
    for (int i = 0; i < 2000; ++i) side.Write(chunk);  // about 1 MB
    EXPECT_LT(std::chrono::steady_clock::now() - started, 2s);
    ::close(port);
}

// ---- the local socket side

TEST(PipeSide, ServesOneClientAtATimeAndTheNextAfterItLeaves) {
    dlk_pipe side(UniqueName("dlk_pipe_test"));
    ASSERT_TRUE(side.Open());
    BlockRecorder forwarded;
    side.StartReader(forwarded.Callback());

    const int first = ConnectMessageSocket(side.Name());
    ASSERT_GE(first, 0);
    const auto message = Pattern(100);
    ASSERT_EQ(::send(first, message.data(), message.size(), 0), 100);
    ASSERT_TRUE(forwarded.WaitForBytes(100));

    // A second client while the first is served is turned away at once.
    const int intruder = ConnectMessageSocket(side.Name());
    ASSERT_GE(intruder, 0);
    std::uint8_t buffer[16];
    ASSERT_TRUE(Readable(intruder, 3000));
    EXPECT_EQ(::recv(intruder, buffer, sizeof buffer, 0), 0);
    ::close(intruder);

    // Replies go to the client being served, one message each.
    const std::vector<std::uint8_t> reply = {0x0A, 0x0D, 0x03};
    side.Write(reply);
    side.Write(reply);
    ASSERT_TRUE(Readable(first, 3000));
    EXPECT_EQ(::recv(first, buffer, sizeof buffer, 0), 3);
    EXPECT_EQ(::recv(first, buffer, sizeof buffer, 0), 3);
    EXPECT_EQ(std::vector<std::uint8_t>(buffer, buffer + 3), reply);
    ::close(first);

    // The next client is served once the first has gone.
    int second = -1;
    for (int attempt = 0; attempt < 100 && second < 0; ++attempt) {
        second = ConnectMessageSocket(side.Name());
    }
    ASSERT_GE(second, 0);
    const auto more = Pattern(50, 9);
    ASSERT_EQ(::send(second, more.data(), more.size(), 0), 50);
    ASSERT_TRUE(forwarded.WaitForBytes(150));
    const auto all = forwarded.Joined();
    EXPECT_TRUE(std::equal(more.begin(), more.end(), all.begin() + 100));
    side.Write(reply);
    ASSERT_TRUE(Readable(second, 3000));
    EXPECT_EQ(::recv(second, buffer, sizeof buffer, 0), 3);
    ::close(second);
    side.Close();
    EXPECT_FALSE(side.ReaderRunning());
}

TEST(PipeSide, LongMessagesGoOnWholeAsSeveralBlocks) {
    dlk_pipe side(UniqueName("dlk_pipe_test"));
    ASSERT_TRUE(side.Open());
    BlockRecorder forwarded;
    side.StartReader(forwarded.Callback());
    const int client = ConnectMessageSocket(side.Name());
    ASSERT_GE(client, 0);

    const auto big = Pattern(10000);
    const std::uint8_t nothing = 0;
    ASSERT_EQ(::send(client, big.data(), big.size(), 0), 10000);
    ASSERT_EQ(::send(client, &nothing, 0, 0), 0);  // an empty message is no hang-up
    const auto small = Pattern(8192, 3);
    ASSERT_EQ(::send(client, small.data(), small.size(), 0), 8192);
    ASSERT_TRUE(forwarded.WaitForBytes(18192));
    EXPECT_EQ(forwarded.Sizes(), (std::vector<std::size_t>{8192, 1808, 8192}));
    auto expected = big;
    expected.insert(expected.end(), small.begin(), small.end());
    EXPECT_EQ(forwarded.Joined(), expected);
    ::close(client);
}

TEST(PipeSide, AClientThatReadsLateGetsWholeMessagesInOrderUpToTheQueuesSize) {
    dlk_pipe side(UniqueName("dlk_pipe_test"));
    ASSERT_TRUE(side.Open());
    BlockRecorder forwarded;
    side.StartReader(forwarded.Callback());
    const int client = ConnectMessageSocket(side.Name());
    ASSERT_GE(client, 0);
    for (int i = 0; i < 300 && !side.ClientConnected(); ++i) std::this_thread::sleep_for(5ms);
    ASSERT_TRUE(side.ClientConnected());

    // 1.2 MB in messages of 300 bytes, in batches as the receiver writes them,
    // while the client reads nothing.
    constexpr int kMessages = 4000;
    constexpr std::size_t kSize = 300;
    for (int first = 0; first < kMessages; first += 40) {
        std::vector<std::vector<std::uint8_t>> messages;
        for (int m = first; m < first + 40; ++m) {
            auto message = Pattern(kSize, static_cast<std::uint8_t>(m));
            message[0] = static_cast<std::uint8_t>(m >> 8);
            message[1] = static_cast<std::uint8_t>(m);
            messages.push_back(message);
        }
        const std::vector<std::span<const std::uint8_t>> blocks(messages.begin(), messages.end());
        side.WriteBatch(blocks);
    }
    EXPECT_GE(side.DroppedBlocks(), 1u);
    EXPECT_LE(side.QueuedBytes(), kLocalWriteQueueSize);

    // What was not dropped arrives whole and in order: everything before the queue filled.
    int next = 0;
    std::uint8_t buffer[1024];
    while (Readable(client, 500)) {
        const ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
        ASSERT_EQ(n, static_cast<ssize_t>(kSize));
        ASSERT_EQ(buffer[0] << 8 | buffer[1], next);
        ++next;
    }
    EXPECT_EQ(static_cast<std::uint64_t>(next) + side.DroppedBlocks(), static_cast<std::uint64_t>(kMessages));
    EXPECT_GT(static_cast<std::size_t>(next) * kSize, kLocalWriteQueueSize);
    EXPECT_EQ(side.QueuedBytes(), 0u);
    ::close(client);
}

TEST(PipeSide, ReaderDoesNotSpinAfterTheClientLeaves) {
    dlk_pipe side(UniqueName("dlk_pipe_test"));
    ASSERT_TRUE(side.Open());
    BlockRecorder forwarded;
    side.StartReader(forwarded.Callback());
    const int client = ConnectMessageSocket(side.Name());
    ASSERT_GE(client, 0);
    const std::uint8_t byte = 1;
    ASSERT_EQ(::send(client, &byte, 1, 0), 1);
    ASSERT_TRUE(forwarded.WaitForBytes(1));
    ::close(client);
    const double cpu = CpuMillisecondsDuring([] { std::this_thread::sleep_for(300ms); });
    EXPECT_LT(cpu, 60.0);
    for (int i = 0; i < 100 && side.ClientConnected(); ++i) std::this_thread::sleep_for(10ms);
    EXPECT_FALSE(side.ClientConnected());
    const std::vector<std::uint8_t> reply = {1, 2};
    side.Write(reply);  // nobody to take it: dropped
}

TEST(PipeSide, TakenNameFailsTheOpen) {
    const std::string name = UniqueName("dlk_pipe_test");
    dlk_pipe first(name), second(name);
    ASSERT_TRUE(first.Open());
    EXPECT_FALSE(second.Open());
    EXPECT_EQ(second.LastOpenResult(), MessageSocketServer::ListenResult::NameTaken);
    EXPECT_FALSE(second.IsOpen());
    first.Close();
    EXPECT_TRUE(second.Open());
}

// ---- both

TEST(LocalSides, ChosenByNullModemModeWithTheirNames) {
    ScratchFolder folder;
    LocalSideNames names{folder.Path("port"), UniqueName("dlk_pipe_test")};
    auto port = MakeLocalSide(1, names);
    auto pipe = MakeLocalSide(0, names);
    ASSERT_NE(dynamic_cast<serial_port*>(port.get()), nullptr);
    ASSERT_NE(dynamic_cast<dlk_pipe*>(pipe.get()), nullptr);
    EXPECT_EQ(dynamic_cast<serial_port*>(port.get())->LinkPath(), names.PortLink);
    EXPECT_EQ(dynamic_cast<dlk_pipe*>(pipe.get())->Name(), names.PipeName);
    EXPECT_EQ(LocalSideNames{}.PortLink, "CNCB0");
    EXPECT_EQ(LocalSideNames{}.PipeName, "dlk_pipe");
}

TEST(LocalSides, TwentyOpenCloseCyclesLeakNoDescriptor) {
    ScratchFolder folder;
    const std::string pipeName = UniqueName("dlk_pipe_test");
    const std::size_t before = OpenDescriptorCount();
    for (int cycle = 0; cycle < 20; ++cycle) {
        for (const std::uint8_t mode : {std::uint8_t{0}, std::uint8_t{1}}) {
            auto side = MakeLocalSide(mode, {folder.Path("CNCB0"), pipeName});
            ASSERT_TRUE(side->Open());
            BlockRecorder forwarded;
            side->StartReader(forwarded.Callback());
            const int peer = mode == 1 ? OpenSerialPort(folder.Path("CNCB0")) : ConnectMessageSocket(pipeName);
            ASSERT_GE(peer, 0);
            const std::uint8_t byte = 0x42;
            ASSERT_EQ(::write(peer, &byte, 1), 1);
            ASSERT_TRUE(forwarded.WaitForBytes(1));
            side->Close();
            ::close(peer);
        }
    }
    EXPECT_EQ(OpenDescriptorCount(), before);
}

}  // namespace
}  // namespace dlk::client
