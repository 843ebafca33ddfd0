// The real DLK_config started as ./run.sh starts it, headless, in a folder
// and a runtime folder of its own, so that its instance lock meets no other.
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

#include "platform/testing/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Starts the program in `folder` with its error stream into `log`.
pid_t Start(const fs::path& folder, const fs::path& log) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::chdir(folder.c_str()) != 0) ::_exit(127);
        ::setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        if (!std::freopen(log.c_str(), "w", stderr)) ::_exit(127);
        ::execl(DLK_CONFIG_BINARY, DLK_CONFIG_BINARY, static_cast<char*>(nullptr));
        ::_exit(127);
    }
    return pid;
}

// The exit status once the process ends within the limit; -1 while it runs on.
int WaitFor(pid_t pid, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    for (;;) {
        int status = 0;
        if (::waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
        if (std::chrono::steady_clock::now() > end) return -1;
        std::this_thread::sleep_for(20ms);
    }
}

std::string Text(const fs::path& file) {
    std::ifstream in(file);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(ConfigBinary, StaysUpWithoutAUnitAndASecondCopyEndsAfterItsMessage) {
    const dlk::testing::TempFolder folder;
    const pid_t first = Start(folder.path(), folder.path() / "first.log");
    ASSERT_GT(first, 0);
    const auto end = std::chrono::steady_clock::now() + 10s;
    while (!fs::exists(folder.path() / "DLK_config.lock") && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(20ms);
    }
    EXPECT_EQ(WaitFor(first, 1s), -1) << Text(folder.path() / "first.log");

    const pid_t second = Start(folder.path(), folder.path() / "second.log");
    ASSERT_GT(second, 0);
    EXPECT_EQ(WaitFor(second, 10s), 0);
    EXPECT_NE(Text(folder.path() / "second.log").find("Программа уже запущена"), std::string::npos)
        << Text(folder.path() / "second.log");
    EXPECT_EQ(WaitFor(first, 0ms), -1) << "the first copy runs on";

    ::kill(first, SIGTERM);
    EXPECT_EQ(WaitFor(first, 10s), 0);
}

}  // namespace
