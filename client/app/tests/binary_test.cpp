// Starts the real DLK_client in a folder of its own, with no display, as
// ./run.sh would. The program reads no command line and no environment, so it
// runs with its real names (the local socket dlk_pipe, the instance lock):
// this test holds the ctest resource lock dlk_client_defaults. Its UDP port
// comes from the configuration file written into the folder first.
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
#include "client/testing/simulated_modem.h"

namespace dlk {
namespace {

using namespace std::chrono_literals;

using shell_testing::FreeUdpPort;
using shell_testing::PipeClient;

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
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    std::filesystem::path folder_;
};

TEST_F(BinaryTest, CarriesBytesBothWaysAndTurnsAwayASecondCopy) {
    const ImeiBcd known = *TextToImei("356000000000017");
    const ImeiBcd stranger = *TextToImei("356000000000025");
    ClientConfig config = DefaultClientConfig(1024, 768, 0);
    config.Link.LocalPort = FreeUdpPort();
    config.Link.OneModemActive = 0;
    std::string error;
    ASSERT_TRUE(SaveClientConfig(folder_ / kClientConfigFileName, config, &error)) << error;
    ModemUserSettings record;
    record.Name = MakeShortString<31>("Насосная");
    record.PausedAtStart = 0;
    ASSERT_TRUE(StoreModemSettings(folder_ / kModemsFileName, known, record, &error)) << error;

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
}

}  // namespace
}  // namespace dlk
