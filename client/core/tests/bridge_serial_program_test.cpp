// Programs nobody here wrote, talking to modems through the bridge: Python's
// serial module and socat on the pseudo-terminal, socat on the local socket.

#include <gtest/gtest.h>
#include <unistd.h>

#include <sstream>

#include "client/core/tests/bridge_link_fixture.h"
#include "platform/local_socket/message_socket.h"

namespace dlk::client {
namespace {

using namespace bridge_test;

constexpr const char* kSystemPython = "/usr/bin/python3";  // the one Debian's python3-serial belongs to
constexpr const char* kSocat = "/usr/bin/socat";

// Opens the port as any serial program would (256000 8N1, no flow
// control), writes 600 bytes, then reads the expected answer.
constexpr const char* kSerialScript = R"(
import sys, serial
port = serial.Serial(sys.argv[1], 256000, bytesize=8, parity='N', stopbits=1,
                     xonxoff=False, rtscts=False, timeout=5)
port.write(bytes((i * 7) & 0xFF for i in range(600)))
port.flush()
expected = bytes.fromhex(sys.argv[2])
got = port.read(len(expected))
port.close()
sys.stdout.write(got.hex())
sys.exit(0 if got == expected else 1)
)";

std::string Hex(const std::vector<std::uint8_t>& bytes) {
    std::ostringstream out;
    for (const auto b : bytes) out << "0123456789abcdef"[b >> 4] << "0123456789abcdef"[b & 15];
    return out.str();
}

bool Have(const char* program) {
    return ::access(program, X_OK) == 0;
}

class RealSerialProgram : public BridgeLinkFixture {};

TEST_F(RealSerialProgram, PythonSerialModuleOnThePort) {
    if (!Have(kSystemPython)) GTEST_SKIP() << "no system Python";
    if (ChildProcess probe({kSystemPython, "-c", "import serial"}); probe.Wait() != 0) {
        GTEST_SKIP() << "python3-serial is not installed";
    }
    OpenLink(1, LinkMode::Direct);
    auto& modem = AddModem();
    const std::vector<std::uint8_t> answer = {0x01, 0x03, 0x04, 0x0A, 0x0D, 0x03, 0x11, 0x13, 0x00, 0xFF, 0x7F};

    ChildProcess program({kSystemPython, "-c", kSerialScript, names_.PortLink, Hex(answer)});
    ASSERT_TRUE(program.Started());
    ASSERT_TRUE(modem.WaitForChunkCount(3, 10s));
    EXPECT_EQ(Sizes(modem.Chunks()), (std::vector<std::size_t>{255, 255, 90}));
    EXPECT_EQ(Joined(modem.Chunks()), Pattern(600));

    modem.SendData(answer);
    EXPECT_EQ(program.Wait(), 0);
    const std::string printed = Hex(answer);
    EXPECT_EQ(ReadFor(program.StdOut(), printed.size(), 1000),
              std::vector<std::uint8_t>(printed.begin(), printed.end()));
    // What the program wrote went out once, with nothing echoed after it.
    EXPECT_FALSE(modem.WaitForChunkCount(4, 200ms));
}

TEST_F(RealSerialProgram, SocatOnThePort) {
    if (!Have(kSocat)) GTEST_SKIP() << "no socat";
    OpenLink(1, LinkMode::Direct);
    auto& modem = AddModem();

    ChildProcess socat({kSocat, "-t", "1", "STDIO", "FILE:" + names_.PortLink + ",raw,echo=0"});
    ASSERT_TRUE(socat.Started());
    const auto request = Pattern(300, 2);
    ASSERT_TRUE(WriteAll(socat.StdIn(), request));
    ASSERT_TRUE(modem.WaitForChunkCount(2, 10s));
    EXPECT_EQ(Joined(modem.Chunks()), request);

    const std::vector<std::uint8_t> answer = {0x0D, 0x0A, 0x03, 0x1A, 0x00, 0x11};
    modem.SendData(answer);
    EXPECT_EQ(ReadFor(socat.StdOut(), answer.size(), 5000), answer);
    socat.CloseStdIn();
    EXPECT_EQ(socat.Wait(), 0);
    EXPECT_FALSE(modem.WaitForChunkCount(3, 100ms));
}

TEST_F(RealSerialProgram, SocatOnTheLocalSocket) {
    if (!Have(kSocat)) GTEST_SKIP() << "no socat";
    OpenLink(0, LinkMode::Direct);
    auto& modem = AddModem();

    // type=5 is SOCK_SEQPACKET: every read of socat's input goes as one message.
    ChildProcess socat({kSocat, "-t", "1", "STDIO", "UNIX-CONNECT:" + LocalSocketPath(names_.PipeName) + ",type=5"});
    ASSERT_TRUE(socat.Started());
    const auto request = Pattern(100, 4);
    ASSERT_TRUE(WriteAll(socat.StdIn(), request));
    ASSERT_TRUE(modem.WaitForChunkCount(1, 10s));
    EXPECT_EQ(Joined(modem.Chunks()), request);

    const std::vector<std::uint8_t> answer = {0x0A, 0x0D, 0x03};
    modem.SendData(answer);
    EXPECT_EQ(ReadFor(socat.StdOut(), answer.size(), 5000), answer);
    socat.CloseStdIn();
    EXPECT_EQ(socat.Wait(), 0);
}

}  // namespace
}  // namespace dlk::client
