// Starts the real DLK_client in a folder of its own, with no display, as
// ./run.sh would, and talks to it as local programs do: on the local socket,
// and with Python's serial module on CNCB0. The program runs with
// its real names (the local socket dlk_pipe, the instance lock), which land
// in a runtime folder of the test's own; its UDP port comes from the
// configuration file written into the folder first.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "client/app/tests/pipe_client.h"
#include "client/core/settings/client_config_file.h"
#include "client/core/settings/modems_file.h"
#include "client/core/tests/bridge_test_support.h"
#include "client/testing/modem_burst.h"
#include "client/testing/simulated_modem.h"
#include "client/testing/simulated_relay_server.h"

namespace dlk::client {
namespace {

using namespace std::chrono_literals;

using bridge_test::ChildProcess;
using shell_testing::FreeUdpPort;
using shell_testing::PipeClient;

constexpr const char* kSystemPython = "/usr/bin/python3";  // the one Debian's python3-serial belongs to

// A Modbus master on the serial port: sends its request until the answer
// comes (the modem may not have been heard yet when it starts).
constexpr const char* kModbusMaster = R"(
import sys, serial
port = serial.Serial(sys.argv[1], 256000, bytesize=8, parity='N', stopbits=1,
                     xonxoff=False, rtscts=False, timeout=0.3)
request, expected = bytes.fromhex(sys.argv[2]), bytes.fromhex(sys.argv[3])
for attempt in range(60):
    port.write(request)
    port.flush()
    if port.read(len(expected)) == expected:
        sys.exit(0)
    port.reset_input_buffer()
sys.exit(1)
)";
// Read two holding registers from unit 1, and its answer, CRCs included.
const std::vector<std::uint8_t> kModbusRequest = {0x01, 0x03, 0x00, 0x10, 0x00, 0x02, 0xC5, 0xCE};
const std::vector<std::uint8_t> kModbusAnswer = {0x01, 0x03, 0x04, 0xDE, 0xAD, 0xBE, 0xEF, 0x61, 0xD6};

std::string Hex(const std::vector<std::uint8_t>& bytes) {
    std::string text;
    for (const auto b : bytes) text += {"0123456789abcdef"[b >> 4], "0123456789abcdef"[b & 15]};
    return text;
}

namespace fs = std::filesystem;

bool Exists(const fs::path& path) {
    return fs::exists(fs::symlink_status(path));
}

// Polls done() until it holds or the time is up.
template <class F>
bool Eventually(F done, std::chrono::milliseconds limit = 10s) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

// One run of the program in folder, its standard error kept in a file.
class ProgramRun {
public:
    ProgramRun(const std::filesystem::path& folder, const std::string& errorFile) {
        errors_ = folder / errorFile;
        pid_ = ::fork();
        if (pid_ == 0) {
            if (::chdir(folder.c_str()) != 0) ::_exit(101);
            const int err = ::open(errors_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            if (err >= 0) ::dup2(err, 2);
            ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
            ::execl(DLK_CLIENT_BINARY, DLK_CLIENT_BINARY, static_cast<char*>(nullptr));
            ::_exit(102);
        }
    }
    ~ProgramRun() {
        if (pid_ > 0 && !exited_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    // The exit status, or -1 when still running after the time limit.
    int WaitForExit(std::chrono::milliseconds limit) {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < end) {
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                exited_ = true;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            std::this_thread::sleep_for(10ms);
        }
        return -1;
    }
    void Signal(int number) const { ::kill(pid_, number); }
    bool Running() {
        if (exited_) return false;
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) exited_ = true;
        return !exited_;
    }
    std::string Errors() const {
        std::ifstream in(errors_);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

private:
    pid_t pid_ = -1;
    bool exited_ = false;
    std::filesystem::path errors_;
};

class BinaryTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/dlk_binary_XXXXXX";
        folder_ = ::mkdtemp(pattern);
        // The program finds its runtime folder as any user's program would.
        runtime_ = folder_ / "run";
        std::filesystem::create_directory(runtime_);
        std::filesystem::permissions(runtime_, std::filesystem::perms::owner_all);
        ::setenv("XDG_RUNTIME_DIR", runtime_.c_str(), 1);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    // Direct to the modems, on a free port, every modem free to be active.
    static ClientConfig DirectConfig() {
        ClientConfig config = DefaultClientConfig(1024, 768, 0);
        config.Link.LocalPort = FreeUdpPort();
        config.Link.OneModemActive = 0;
        return config;
    }
    void WriteConfig(const ClientConfig& config) {
        std::string error;
        ASSERT_TRUE(SaveClientConfig(folder_ / kClientConfigFileName, config, &error)) << error;
    }
    void StoreActiveModem(const ImeiBcd& imei) {
        ModemUserSettings record;
        record.Name = MakeShortString<31>("Насосная");
        record.PausedAtStart = 0;
        std::string error;
        ASSERT_TRUE(StoreModemSettings(folder_ / kModemsFileName, imei, record, &error)) << error;
    }
    std::filesystem::path folder_;
    std::filesystem::path runtime_;
};

TEST_F(BinaryTest, CarriesBytesBothWaysAndTurnsAwayASecondCopy) {
    const ImeiBcd known = *TextToImei("356000000000017");
    const ImeiBcd stranger = *TextToImei("356000000000025");
    const ClientConfig config = DirectConfig();
    WriteConfig(config);
    StoreActiveModem(known);

    ProgramRun first(folder_, "first.err");
    PipeClient local;
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (!local.Connect("dlk_pipe")) {
        ASSERT_TRUE(first.Running()) << first.Errors();
        ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "dlk_pipe never appeared";
        std::this_thread::sleep_for(20ms);
    }

    sim::SimulatedModem modem(known, LoopbackEndpoint(config.Link.LocalPort));
    sim::SimulatedModem paused(stranger, LoopbackEndpoint(config.Link.LocalPort));
    modem.SendOn();
    paused.SendOn();
    // The modem is learnt asynchronously: send until the first block arrives.
    const std::vector<std::uint8_t> request = {0x01, 0x03, 0x00, 0x10, 0x00, 0x02};
    bool arrived = false;
    for (int i = 0; i < 50 && !arrived; ++i) {
        ASSERT_TRUE(local.Send(request));
        if (auto chunk = modem.WaitForChunk(200ms)) {
            EXPECT_EQ(*chunk, request);
            arrived = true;
        }
    }
    ASSERT_TRUE(arrived) << first.Errors();
    EXPECT_TRUE(paused.Chunks().empty()) << "a modem without a record starts paused";

    const std::vector<std::uint8_t> answer = {0x01, 0x03, 0x04, 0xDE, 0xAD, 0xBE, 0xEF};
    modem.SendData(answer);
    EXPECT_EQ(local.Receive(3000), answer);

    ProgramRun second(folder_, "second.err");
    EXPECT_EQ(second.WaitForExit(10s), 0);
    EXPECT_NE(second.Errors().find("Программа уже запущена"), std::string::npos) << second.Errors();
    EXPECT_TRUE(first.Running());

    // Both names are the user's alone.
    EXPECT_EQ(fs::status(runtime_ / "dlk_pipe").permissions(), fs::perms(0600));
    EXPECT_EQ(fs::status(runtime_ / "DLK_client.lock").permissions(), fs::perms(0600));
}

TEST_F(BinaryTest, AModbusMasterOnCncb0ThroughTheRelayAndSigtermEndsItTidily) {
    if (ChildProcess probe({kSystemPython, "-c", "import serial"}); probe.Wait() != 0) {
        GTEST_SKIP() << "python3-serial is not installed";
    }
    sim::SimulatedRelayServer relay;
    relay.AddAccount("op1", "pw");
    const ImeiBcd imei = *TextToImei("356000000000017");
    ClientConfig config = DirectConfig();
    config.Link.ClientMode = 1;
    config.Link.ClientId = MakeShortString<8>("op1");
    config.Link.ClientPassword = MakeShortString<8>("pw");
    config.Link.ServerPort = relay.Port();
    config.Link.NullModemMode = 1;
    WriteConfig(config);
    StoreActiveModem(imei);

    ProgramRun program(folder_, "program.err");
    ASSERT_TRUE(Eventually([&] { return relay.LoggedInClient().has_value() || !program.Running(); }));
    ASSERT_TRUE(program.Running()) << program.Errors();
    ASSERT_TRUE(Exists(folder_ / "CNCB0"));

    sim::SimulatedModem modem(imei, relay.Endpoint());
    modem.SetAnswer([](std::span<const std::uint8_t>) { return kModbusAnswer; });
    modem.SendOn();
    ChildProcess master(
        {kSystemPython, "-c", kModbusMaster, (folder_ / "CNCB0").string(), Hex(kModbusRequest), Hex(kModbusAnswer)});
    ASSERT_TRUE(master.Started());
    EXPECT_EQ(master.Wait(), 0) << program.Errors();
    EXPECT_EQ(modem.WaitForChunk().value_or(std::vector<std::uint8_t>{}), kModbusRequest);

    // Whatever happened to the file meanwhile, the program saves what it runs with.
    std::filesystem::resize_file(folder_ / kClientConfigFileName, 0);
    program.Signal(SIGTERM);
    EXPECT_EQ(program.WaitForExit(10s), 0) << program.Errors();
    EXPECT_FALSE(relay.LoggedInClient()) << "no logoff reached the relay server";
    EXPECT_FALSE(Exists(folder_ / "CNCB0"));
    const ClientConfig saved = ReadClientConfig(folder_ / kClientConfigFileName, ClientConfig{});
    EXPECT_EQ(saved.Link.LocalPort, config.Link.LocalPort);
    EXPECT_EQ(saved.Link.ServerPort, config.Link.ServerPort);
    EXPECT_EQ(saved.Link.ClientId.Text(), "op1");
    EXPECT_EQ(fs::status(folder_ / kClientConfigFileName).permissions(), fs::perms(0600));
}

// A crowd of modems coming on within a second, as the window is shown (no
// tray here): a SIGTERM a second later still ends the program the way
// "Выход" does, promptly, with its settings saved.
TEST_F(BinaryTest, SigtermAfterABurstOfTenThousandModemsEndsItPromptlyAndSaves) {
    ClientConfig config = DirectConfig();
    config.Link.NullModemMode = 1;
    WriteConfig(config);
    ProgramRun program(folder_, "program.err");
    ASSERT_TRUE(Eventually([&] { return Exists(folder_ / "CNCB0") || !program.Running(); }, 20s));
    ASSERT_TRUE(program.Running()) << program.Errors();
    std::this_thread::sleep_for(200ms);  // the socket is bound just after the port is made

    ASSERT_TRUE(sim::SendModemOnBurst(LoopbackEndpoint(config.Link.LocalPort), 10000, 1000ms));
    std::this_thread::sleep_for(1s);
    std::filesystem::resize_file(folder_ / kClientConfigFileName, 0);
    const auto signalled = std::chrono::steady_clock::now();
    program.Signal(SIGTERM);
    EXPECT_EQ(program.WaitForExit(4s), 0) << program.Errors();
    EXPECT_LT(std::chrono::steady_clock::now() - signalled, 4s);
    const ClientConfig saved = ReadClientConfig(folder_ / kClientConfigFileName, ClientConfig{});
    EXPECT_EQ(saved.Link.LocalPort, config.Link.LocalPort);
    EXPECT_FALSE(Exists(folder_ / "CNCB0"));
}

}  // namespace
}  // namespace dlk::client
